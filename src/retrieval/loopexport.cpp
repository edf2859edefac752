#include "retrieval/loopexport.h"

#include "failure.h"
#include "files/keptfile.h"
#include "network/transfer.h"
#include "picture/picturedecoder.h"
#include "retrieval/picturesahead.h"

#include <QDir>
#include <QFileInfo>
#include <QFuture>
#include <QtConcurrent/QtConcurrentRun>

namespace veltaro {

namespace {

QString momentName(const Moment &moment)
{
    return QString::fromStdString(momentText(moment));
}

// Everything after the fetching, off the window's thread: the frames, the file.
ExportResult encodeAndWrite(const ExportRequest &request, const std::vector<QByteArray> &bodies,
                            const std::shared_ptr<void> &keepAlive, std::atomic<int> &encoded,
                            const std::atomic<bool> &cancelled)
{
    Q_UNUSED(keepAlive);
    ExportResult result;
    result.path = request.path;
    try {
        std::vector<QImage> pictures;
        std::vector<int> hourOf;
        PictureDecoder decoder;
        QSize size;
        for (size_t i = 0; i < bodies.size(); ++i) {
            if (bodies[i].isEmpty())
                continue;
            if (cancelled)
                return result;
            QImage frame = scaledFrame(decoder.decode(bodies[i]), request.plan);
            if (size.isEmpty())
                size = frame.size();
            else if (frame.size() != size)
                frame = frame.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            frame = request.enhancement.apply(frame);
            if (request.plan.label)
                burnMoment(frame, QStringLiteral("北京时间 ") + momentName(request.hours[i]));
            pictures.push_back(std::move(frame));
            hourOf.push_back(int(i));
        }
        if (pictures.empty())
            throw PictureFailure("没有一幅图像可以导出");
        const std::unique_ptr<AnimationEncoder> encoder = makeAnimationEncoder(request.animation);
        const std::vector<TimedFrame> order = frameOrder(int(pictures.size()), request.plan);
        for (const TimedFrame &frame : order) {
            if (cancelled)
                return result;
            encoder->addFrame(pictures[size_t(frame.picture)], frame.durationMs);
            ++encoded;
        }
        const QByteArray bytes = encoder->finish();
        if (cancelled)
            return result;
        saveFileDurably(request.path, bytes);
        result.written = true;
        result.frames = int(order.size());
        result.bytes = bytes.size();
    } catch (const std::exception &failure) {
        result.reason = QString::fromUtf8(failure.what());
    }
    return result;
}

} // namespace

LoopExport::LoopExport(Transfer &transfer, ExportRequest request, QObject *parent)
    : QObject(parent), m_transfer(transfer), m_request(std::move(request)),
      m_bodies(m_request.hours.size()), m_done(m_request.hours.size(), false)
{
    m_poll.setInterval(100);
    m_poll.callOnTimeout(this, [this] { emit progressed(m_fetched, m_shared->encoded, total()); });
}

LoopExport::~LoopExport()
{
    m_shared->cancelled = true;
    for (const QPointer<TransferRequest> &request : std::as_const(m_inFlight))
        if (request)
            request->abort();
}

QString LoopExport::fileNameOf(const Moment &moment)
{
    return QStringLiteral("%1-%2-%3_%4")
               .arg(moment.year)
               .arg(moment.month, 2, 10, QLatin1Char('0'))
               .arg(moment.day, 2, 10, QLatin1Char('0'))
               .arg(moment.hour, 2, 10, QLatin1Char('0')) +
           QStringLiteral("00.jpg");
}

void LoopExport::start()
{
    if (m_request.jpegFolder && !QDir().mkpath(m_request.path)) {
        ExportResult failed;
        failed.reason = QStringLiteral("无法建立文件夹 ") + QDir::toNativeSeparators(m_request.path);
        QMetaObject::invokeMethod(this, [this, failed] { end(failed); }, Qt::QueuedConnection);
        return;
    }
    m_poll.start();
    fetchMore();
}

void LoopExport::cancel()
{
    if (m_ended)
        return;
    m_shared->cancelled = true;
    for (const QPointer<TransferRequest> &request : std::as_const(m_inFlight))
        if (request)
            request->abort();
    ExportResult cancelled;
    cancelled.reason = QStringLiteral("已取消");
    end(cancelled);
}

void LoopExport::fetchMore()
{
    while (!m_ended && m_inFlight.size() < kFetchesAtOnce && m_next < total()) {
        const int index = m_next++;
        const Moment &moment = m_request.hours[size_t(index)];
        if (m_request.jpegFolder &&
            QFileInfo::exists(QDir(m_request.path).filePath(fileNameOf(moment)))) {
            // Already in the folder: not fetched again.
            m_done[size_t(index)] = true;
            ++m_fetched;
            continue;
        }
        TransferRequest *request =
            m_transfer.get(PicturesAhead::addressOf(moment), Transfer::Freshness::CacheFirst);
        m_inFlight << request;
        connect(request, &TransferRequest::finished, this,
                [this, index, request] { fetched(index, request); });
    }
    if (!m_ended && m_inFlight.isEmpty() && m_next >= total())
        encode();
}

void LoopExport::fetched(int index, TransferRequest *request)
{
    m_inFlight.removeAll(request);
    if (m_ended)
        return;
    ++m_fetched;
    const Moment &moment = m_request.hours[size_t(index)];
    switch (request->result()) {
    case TransferRequest::Result::Whole:
        if (m_request.jpegFolder) {
            try {
                saveFileDurably(QDir(m_request.path).filePath(fileNameOf(moment)), request->body());
            } catch (const Failure &failure) {
                ExportResult failed;
                failed.reason = QString::fromUtf8(failure.what());
                end(failed);
                return;
            }
            ++m_shared->encoded;
        } else {
            m_bodies[size_t(index)] = request->body();
        }
        break;
    case TransferRequest::Result::Unreachable: {
        ExportResult failed;
        failed.reason = QStringLiteral("网络不通：") + request->reason();
        end(failed);
        return;
    }
    case TransferRequest::Result::Failed:
        m_missing << momentName(moment);
        break;
    case TransferRequest::Result::Cancelled:
    case TransferRequest::Result::Pending:
        return;
    }
    emit progressed(m_fetched, m_shared->encoded, total());
    fetchMore();
}

void LoopExport::encode()
{
    if (m_request.jpegFolder) {
        ExportResult result;
        result.written = true;
        result.path = m_request.path;
        result.frames = m_shared->encoded;
        end(result);
        return;
    }
    const std::shared_ptr<Shared> shared = m_shared;
    QtConcurrent::run([request = m_request, bodies = m_bodies, shared] {
        return encodeAndWrite(request, bodies, shared, shared->encoded, shared->cancelled);
    }).then(this, [this](ExportResult result) {
        if (!m_ended)
            end(result);
    });
}

void LoopExport::end(ExportResult result)
{
    if (m_ended)
        return;
    m_ended = true;
    m_poll.stop();
    result.missing = m_missing;
    if (result.path.isEmpty())
        result.path = m_request.path;
    emit progressed(m_fetched, m_shared->encoded, total());
    emit finished(result);
}

} // namespace veltaro
