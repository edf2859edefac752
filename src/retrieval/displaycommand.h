#pragma once

#include "network/transfer.h"
#include "picture/picturedecoder.h"

#include <QElapsedTimer>
#include <QTimer>

#include <optional>

namespace veltaro {

class DisplayView;
class PicturesAhead;
class StagingFile;

// What "显示" does. One command at a time: a press or a step while a command waits for its
// download replaces it, the newest moment wins. Every failure on the way ends in one place,
// which shows "无法找到" and undoes nothing.
class DisplayCommand
{
public:
    DisplayCommand(DisplayView &view, Transfer &transfer, const StagingFile &staging);

    // How long the memory of the picture shown before is kept for the next one.
    static constexpr int kKeepSpareMs = 5000;

    // A press asks the network; a step through time may take a kept copy. Returns whether the
    // picture was shown. A quiet run (a frame of playback) leaves the status line empty on a
    // failure and hands the reason to `whyNot` instead.
    bool run(Transfer::Freshness freshness = Transfer::Freshness::AskNetwork,
             QString *whyNot = nullptr);
    bool isRunning() const { return m_running; }
    // Whether the running command waits for its download.
    bool isDownloading() const { return m_running && m_transfer.isWaiting(); }
    // Stops the running command's download: it ends as a failure, "已取消".
    void cancel() { m_transfer.cancel(); }
    // How often, at most, the status line's tooltip tells how much has arrived.
    static constexpr int kProgressIntervalMs = 250;
    // Pictures decoded ahead, which a step shows without decoding.
    void setPicturesAhead(PicturesAhead *ahead) { m_ahead = ahead; }

private:
    bool display(Transfer::Freshness freshness);
    void showProgress(qint64 received, qint64 total);
    // The failure path: "无法找到" and the reason, or for a quiet run the reason in `whyNot`.
    void fail(const QString &reason, QString *whyNot);
    QImage stageAndDecode(const QByteArray &body);

    DisplayView &m_view;
    Transfer &m_transfer;
    const StagingFile &m_staging;
    PictureDecoder m_decoder;
    QTimer m_releaseSpare;
    PicturesAhead *m_ahead = nullptr;
    bool m_running = false;
    // What replaces the running command once it has stopped.
    struct Replacement
    {
        Transfer::Freshness freshness;
        bool quiet;
    };
    std::optional<Replacement> m_replacement;
    QElapsedTimer m_sinceProgress;
};

} // namespace veltaro
