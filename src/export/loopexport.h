#pragma once

#include "animation/animationencoder.h"
#include "export/loopframes.h"
#include "picture/enhancement.h"
#include "query/moment.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <atomic>
#include <deque>
#include <optional>
#include <map>
#include <memory>
#include <set>
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
    bool cancelled = false; // by its owner; nothing was written
    QString reason;         // why not, when not
    QStringList missing;    // hours the archive lacks, "2008-07-18 09:00"
    QStringList skipped;    // hours whose picture was damaged or refused, with the reason
    int frames = 0;         // the frames the file holds, or the files the folder gained
    qint64 bytes = 0;       // the file's, or those of the files the folder gained
    QString path;
    bool toFolder = false;  // a folder of the downloaded files rather than one file
};

// What an export has done so far: "已取得 21/24 幅（3 幅跳过），已编码 21 帧" ("已存 21 个文件"
// for a folder).
QString progressText(int fetched, int passedOver, int encoded, int total, bool toFolder);
// What a written export holds: "已写入 loop.webp（812 KB，24 帧）", for a folder "已写入 jpgs（6 个新文件，
// 1080 KB）".
QString writtenText(const ExportResult &result);

// The lines that name the hours an export passed over and why, for its result's message.
QStringList passedOverLines(const ExportResult &result);

// One export, streamed: the hours' pictures come from the kept copies and the network (the same
// transfer and limits as everything else, two at a time), and each in turn is decoded, sized
// and enhanced off the window's thread, labelled on it, and handed to the encoder off it, then
// let go; only the encoder's state and its bytes grow with the loop (and, for a loop that goes
// back and forth, the downloaded bytes of its pictures). The file is written whole through
// QSaveFile, or not at all. An hour the archive lacks, or whose picture is damaged, is skipped
// and named; a damaged kept copy is dropped and fetched anew first. The job reports its end
// once, always from the event loop; cancelling leaves nothing behind.
class LoopExport : public QObject
{
    Q_OBJECT

public:
    static constexpr int kFetchesAtOnce = 2;

    LoopExport(Transfer &transfer, ExportRequest request, QObject *parent = nullptr);
    ~LoopExport() override;

    // Begins the work from the event loop: connect to finished() before or after, either way.
    void start();
    // Ends the export as cancelled and lets go of its downloads. While the file is being written
    // the write decides: stopped before the file takes its name, or written (too late to stop).
    void cancel();
    int total() const { return int(m_request.hours.size()); }
    // The hours passed over so far: missing, damaged or refused.
    int passedOver() const { return int(m_missing.size() + m_skipped.size()); }
    bool toFolder() const { return m_request.jpegFolder; }

    // "2008-07-18_1000.jpg".
    static QString fileNameOf(const Moment &moment);

signals:
    // Pictures fetched and frames encoded so far, of `total`.
    void progressed(int fetched, int encoded, int total);
    void finished(const veltaro::ExportResult &result);

private:
    // A picture's bytes, as they came, waiting for their turn.
    struct Arrival
    {
        QByteArray body;
        bool fromCache = false;
        bool skip = false; // missing or refused: nothing to prepare
    };
    struct ReadyFrame
    {
        QImage image;
        bool forward = true; // false: on the way back of a loop that goes back and forth
    };

    void advance();
    void fetchMore();
    void fetch(int index, bool fromNetwork);
    void fetched(int index, TransferRequest *request);
    void prepareNext();
    void prepared(int index, const QByteArray &body, bool fromCache, QImage frame, QImage plain,
                  const QString &failure, bool damaged);
    // Queues `frame` of `moment`, its moment written, after the frames made between the frame
    // before it and it when smoothing; `forward` false on the way back of back and forth.
    void queue(QImage frame, const QImage &plain, const Moment &moment, bool forward);
    void encodeNext();
    void write();
    bool forwardDone() const;
    bool inputDone() const;
    void skip(int index, const QString &reason);
    void fail(const QString &reason);
    void end(ExportResult result);
    void letGoOfDownloads();

    Transfer &m_transfer;
    ExportRequest m_request;
    std::shared_ptr<AnimationEncoder> m_encoder;
    QHash<int, QPointer<TransferRequest>> m_inFlight;
    std::map<int, Arrival> m_arrived;
    std::set<int> m_refetched;
    int m_next = 0;          // the next hour to fetch
    int m_nextToPrepare = 0; // the next hour to prepare, in order
    bool m_preparing = false;
    bool m_encoding = false;
    bool m_writing = false;
    std::deque<ReadyFrame> m_ready;
    // Smooth: the last picture of the way forward before enhancement, and its hour.
    QImage m_lastPlain;
    std::optional<Moment> m_lastMoment;
    QSize m_frameSize;
    // Going back and forth: the bytes of the pictures kept, for the way back.
    std::vector<QByteArray> m_keptBodies;
    std::vector<int> m_keptHours;
    int m_backNext = -1; // the next kept picture on the way back; -1 before it begins
    int m_fetched = 0;
    int m_encoded = 0;
    qint64 m_savedBytes = 0; // the files a folder gained
    QStringList m_missing;
    QStringList m_skipped;
    bool m_ended = false;
    std::shared_ptr<std::atomic<bool>> m_cancelled = std::make_shared<std::atomic<bool>>(false);
    QTimer m_poll;
};

} // namespace veltaro
