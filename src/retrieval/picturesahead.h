#pragma once

#include "query/moment.h"

#include <QHash>
#include <QImage>
#include <QObject>
#include <QSet>
#include <QStringList>
#include <QTimer>

#include <optional>
#include <vector>

namespace veltaro {

class Transfer;

// A picture decoded ahead, with the bytes it was decoded from (what temp.jpg then holds).
struct PictureReady
{
    QImage picture;
    QByteArray body;
};

// Pictures made ready before they are asked for, so that a step or a frame of playback shows
// at once: the moments wanted next are fetched in the background into the kept copies (two
// at a time, over the transfer's own connection) and decoded off the window's thread. At most
// four pictures are held decoded; the rest wait as bytes on disk. Nothing here touches the
// status line, and moments no longer wanted are let go.
class PicturesAhead : public QObject
{
    Q_OBJECT

public:
    static constexpr int kDecodedAtMost = 4;
    static constexpr int kFetchesAtOnce = 2;
    static constexpr int kPauseAfterShowingMs = 30;

    explicit PicturesAhead(Transfer &transfer, QObject *parent = nullptr);

    // The moments wanted next, the most urgent first; every other one is let go.
    void want(const std::vector<Moment> &moments);
    // The decoded picture of `address` and its bytes, when ready (handed over, not kept).
    std::optional<PictureReady> take(const QString &address);
    int decodedCount() const { return int(m_decoded.size()); }
    // Whether the picture of `moment` is kept, so that showing it needs no network.
    bool isKept(const Moment &moment) const;

signals:
    // The picture of `address` is being fetched in the background.
    void fetching(const QString &address);
    // The picture of `address` arrived whole in the background.
    void arrived(const QString &address);
    // The background fetch of `address` brought nothing whole (missing, refused or cut off).
    void notArrived(const QString &address);


private:
    void advance();
    void decode(const QString &address, const QByteArray &bytes);

    Transfer &m_transfer;
    QStringList m_wanted;
    QHash<QString, PictureReady> m_decoded;
    QSet<QString> m_decoding;
    QSet<QString> m_unavailable;
    QTimer m_advanceSoon;
};

} // namespace veltaro
