#pragma once

#include "animation/animationencoder.h"
#include "animation/loopframes.h"
#include "picture/enhancement.h"
#include "query/moment.h"

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <atomic>
#include <memory>
#include <vector>

namespace veltaro {

class Transfer;
class TransferRequest;

// What to export: the hours in order, and what to make of them.
struct ExportRequest
{
    std::vector<Moment> hours;
    // A file (animated WebP or GIF), or a folder of the JPEG files exactly as downloaded, named
    // by their moment in Beijing time (2008-07-18_1000.jpg); a folder that holds some of them
    // already gets only the missing ones.
    bool jpegFolder = false;
    AnimationOptions animation;
    FramePlan plan;
    Enhancement enhancement;
    QString path;
};

struct ExportResult
{
    bool written = false;
    QString reason;        // why not, when not
    QStringList missing;   // hours the archive lacks, "2008-07-18 09:00"
    int frames = 0;        // the frames the file holds, or the files the folder gained
    qint64 bytes = 0;
    QString path;
};

// One export: the hours' pictures from the kept copies and the network (the same transfer and
// limits as everything else, two at a time), then decoded, sized, enhanced, labelled and encoded
// off the window's thread, and written whole through QSaveFile, or not at all. Cancelling
// leaves nothing behind.
class LoopExport : public QObject
{
    Q_OBJECT

public:
    static constexpr int kFetchesAtOnce = 2;

    LoopExport(Transfer &transfer, ExportRequest request, QObject *parent = nullptr);
    ~LoopExport() override;

    void start();
    void cancel();
    int total() const { return int(m_request.hours.size()); }

    // "2008-07-18_1000.jpg".
    static QString fileNameOf(const Moment &moment);

signals:
    // Pictures fetched and frames encoded so far, of `total`.
    void progressed(int fetched, int encoded, int total);
    void finished(const veltaro::ExportResult &result);

private:
    void fetchMore();
    void fetched(int index, TransferRequest *request);
    void encode();
    void end(ExportResult result);

    Transfer &m_transfer;
    ExportRequest m_request;
    std::vector<QByteArray> m_bodies;
    std::vector<bool> m_done;
    QList<QPointer<TransferRequest>> m_inFlight;
    int m_next = 0;
    int m_fetched = 0;
    QStringList m_missing;
    QString m_failure;
    bool m_ended = false;
    // Shared with the encoding off the window's thread.
    struct Shared
    {
        std::atomic<int> encoded{0};
        std::atomic<bool> cancelled{false};
    };
    std::shared_ptr<Shared> m_shared = std::make_shared<Shared>();
    QTimer m_poll;
};

} // namespace veltaro
