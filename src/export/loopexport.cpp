#include "export/loopexport.h"

#include "failure.h"
#include "files/savedfile.h"
#include "network/transfer.h"
#include "motion/inbetween.h"
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

// One picture made into a frame off the window's thread: decoded, sized (to `size` when that
// is known, the first frame's), enhanced. Only decoded when `checkOnly` (a folder of files).
struct Prepared
{
    QImage frame;
    QImage plain; // before the enhancement, for the frames made between the hours
    QString failure;
    bool damaged = false; // not a whole picture, as against the memory running out
};

Prepared prepareOffThread(const QByteArray &body, const ExportRequest &request, QSize size,
                          bool checkOnly)
{
    Prepared prepared;
    try {
        PictureDecoder decoder;
        QImage picture = decoder.decode(body);
        if (checkOnly)
            return prepared;
        QImage frame = scaledFrame(picture, request.plan);
        picture = QImage();
        if (!size.isEmpty() && frame.size() != size)
            frame = frame.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        prepared.frame = request.enhancement.apply(frame);
        if (request.plan.smoothSteps > 1)
            prepared.plain = std::move(frame);
    } catch (const PictureFailure &failure) {
        prepared.failure = QString::fromUtf8(failure.what());
        prepared.damaged = true;
    } catch (const std::exception &failure) {
        prepared.failure = QString::fromUtf8(failure.what());
    }
    return prepared;
}

// What an encoder or a write off the window's thread came to: empty when it went well.
QString failureOf(const std::function<void()> &work)
{
    try {
        work();
        return {};
    } catch (const std::exception &failure) {
        return QString::fromUtf8(failure.what());
    }
}

} // namespace

LoopExport::LoopExport(Transfer &transfer, ExportRequest request, QObject *parent)
    : QObject(parent), m_transfer(transfer), m_request(std::move(request))
{
    m_poll.setInterval(100);
    m_poll.callOnTimeout(this, [this] { emit progressed(m_fetched, m_encoded, total()); });
}

LoopExport::~LoopExport()
{
    *m_cancelled = true;
    letGoOfDownloads();
}

QString LoopExport::fileNameOf(const Moment &moment)
{
    return QString::fromStdString(fileStemOf(moment)) + QStringLiteral(".jpg");
}

void LoopExport::start()
{
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (m_ended)
                return;
            if (m_request.jpegFolder && !QDir().mkpath(m_request.path)) {
                fail(tr("无法建立文件夹 ") + QDir::toNativeSeparators(m_request.path));
                return;
            }
            if (!m_request.jpegFolder) {
                // A colour table's frames hold its colours only (and the moment's).
                AnimationOptions options = m_request.animation;
                if (m_request.enhancement.colourTable()) {
                    const Lookup lookup = m_request.enhancement.lookupFor();
                    options.colours.assign(lookup.begin(), lookup.end());
                }
                m_encoder = makeAnimationEncoder(options);
            }
            m_poll.start();
            advance();
        },
        Qt::QueuedConnection);
}

void LoopExport::letGoOfDownloads()
{
    const auto inFlight = std::exchange(m_inFlight, {});
    for (const QPointer<TransferRequest> &request : inFlight)
        if (request)
            request->abort();
}

void LoopExport::cancel()
{
    if (m_ended)
        return;
    *m_cancelled = true;
    letGoOfDownloads();
    if (m_writing)
        return; // the write says whether it was in time
    ExportResult cancelled;
    cancelled.cancelled = true;
    cancelled.reason = tr("已取消");
    end(cancelled);
}

void LoopExport::advance()
{
    if (m_ended)
        return;
    fetchMore();
    prepareNext();
    encodeNext();
    if (!m_ended && !m_writing && inputDone() && m_ready.empty() && !m_encoding)
        write();
}

void LoopExport::fetchMore()
{
    // The bytes waiting for their turn stay few: fetching runs at most a little ahead of the
    // frames being made.
    while (m_inFlight.size() < kFetchesAtOnce && m_next < total() &&
           m_next - m_nextToPrepare <= kFetchesAtOnce) {
        const int index = m_next++;
        const Moment &moment = m_request.hours[size_t(index)];
        if (m_request.jpegFolder &&
            QFileInfo::exists(QDir(m_request.path).filePath(fileNameOf(moment)))) {
            // Already in the folder: not fetched again.
            m_arrived[index] = Arrival{{}, false, true};
            ++m_fetched;
            continue;
        }
        fetch(index, false);
    }
}

void LoopExport::fetch(int index, bool fromNetwork)
{
    TransferRequest *request =
        m_transfer.get(QString::fromStdString(imageAddressOf(m_request.hours[size_t(index)])),
                       fromNetwork ? Transfer::Freshness::AskNetwork : Transfer::Freshness::CacheFirst);
    m_inFlight.insert(index, request);
    connect(request, &TransferRequest::finished, this,
            [this, index, request] { fetched(index, request); });
}

void LoopExport::fetched(int index, TransferRequest *request)
{
    if (m_ended || m_inFlight.value(index) != request)
        return;
    m_inFlight.remove(index);
    if (!m_refetched.count(index))
        ++m_fetched;
    const Moment &moment = m_request.hours[size_t(index)];
    switch (request->result()) {
    case TransferRequest::Result::Whole:
        m_arrived[index] = Arrival{request->body(), request->cameFromCache(), false};
        break;
    case TransferRequest::Result::Unreachable:
        fail(tr("网络不通：") + request->reason());
        return;
    case TransferRequest::Result::Failed:
        if (request->isMissing()) {
            m_missing << momentName(moment);
            m_arrived[index] = Arrival{{}, false, true};
        } else {
            skip(index, request->reason());
        }
        break;
    case TransferRequest::Result::Cancelled:
    case TransferRequest::Result::Pending:
        // Let go by someone other than this export: said, never passed over in silence.
        skip(index, request->reason());
        break;
    }
    emit progressed(m_fetched, m_encoded, total());
    advance();
}

void LoopExport::skip(int index, const QString &reason)
{
    m_skipped << momentName(m_request.hours[size_t(index)]) + tr("（") + reason +
                     tr("）");
    m_arrived[index] = Arrival{{}, false, true};
}

void LoopExport::prepareNext()
{
    // One picture at a time, and one frame made ahead of the encoder at most.
    while (!m_ended && !m_preparing && m_ready.size() < 2) {
        int index = -1;
        QByteArray body;
        bool fromCache = false;
        bool forward = true;
        if (m_nextToPrepare < total()) {
            const auto arrived = m_arrived.find(m_nextToPrepare);
            if (arrived == m_arrived.end())
                return; // still on its way
            index = m_nextToPrepare++;
            Arrival arrival = std::move(arrived->second);
            m_arrived.erase(arrived);
            if (arrival.skip)
                continue;
            body = std::move(arrival.body);
            fromCache = arrival.fromCache;
        } else if (m_request.plan.backAndForth && !m_inFlight.isEmpty()) {
            return;
        } else if (m_request.plan.backAndForth && !m_request.jpegFolder) {
            // The way back: the kept pictures from the last but one to the second.
            if (m_backNext < 0)
                m_backNext = int(m_keptBodies.size()) - 2;
            if (m_backNext < 1)
                return;
            const int kept = m_backNext--;
            index = m_keptHours[size_t(kept)];
            body = m_keptBodies[size_t(kept)];
            forward = false;
        } else {
            return;
        }
        m_preparing = true;
        QtConcurrent::run(prepareOffThread, body, m_request, m_frameSize, m_request.jpegFolder)
            .then(this, [this, index, body, fromCache, forward](Prepared prepared) {
                m_preparing = false;
                if (m_ended)
                    return;
                if (!forward) {
                    if (!prepared.failure.isEmpty()) {
                        fail(prepared.failure);
                        return;
                    }
                    queue(std::move(prepared.frame), prepared.plain, m_request.hours[size_t(index)], false);
                    return;
                }
                this->prepared(index, body, fromCache, std::move(prepared.frame),
                               std::move(prepared.plain), prepared.failure, prepared.damaged);
            });
        return;
    }
}

void LoopExport::prepared(int index, const QByteArray &body, bool fromCache, QImage frame,
                          QImage plain, const QString &failure, bool damaged)
{
    const Moment &moment = m_request.hours[size_t(index)];
    if (damaged && fromCache && !m_refetched.count(index)) {
        // A damaged kept copy is dropped and fetched anew, as the window does; the frames wait.
        m_refetched.insert(index);
        m_transfer.forget(QString::fromStdString(imageAddressOf(moment)));
        m_nextToPrepare = index;
        fetch(index, true);
        return;
    }
    if (!failure.isEmpty()) {
        if (!damaged) {
            fail(failure); // the memory ran out: no later frame would fare better
            return;
        }
        skip(index, failure);
        advance();
        return;
    }
    if (m_request.jpegFolder) {
        try {
            saveFileDurably(QDir(m_request.path).filePath(fileNameOf(moment)), body);
        } catch (const Failure &failure) {
            fail(QString::fromUtf8(failure.what()));
            return;
        }
        ++m_encoded;
        m_savedBytes += body.size();
        emit progressed(m_fetched, m_encoded, total());
        advance();
        return;
    }
    if (m_frameSize.isEmpty())
        m_frameSize = frame.size();
    if (m_request.plan.backAndForth) {
        m_keptBodies.push_back(body);
        m_keptHours.push_back(index);
    }
    queue(std::move(frame), plain, moment, true);
}

void LoopExport::queue(QImage frame, const QImage &plain, const Moment &moment, bool forward)
{
    // The moment is written here, on the window's thread: text is drawn where Qt's fonts are
    // sure to be safe to use.
    if (m_request.plan.label)
        burnMoment(frame, tr("北京时间 ") + momentName(moment));
    // Smooth: the frames between the picture before and this one come first, placed by their
    // real times (across a missing hour, or every 2 or 3 hours, `steps` a hour; on the way back
    // of back and forth, back in time); over a longer gap the loop jumps.
    const int perHour = m_request.plan.smoothSteps;
    const std::optional<int> gap =
        m_lastMoment ? hoursAfter(*m_lastMoment, moment, m_request.plan.smoothGapHours) : std::nullopt;
    const bool between = perHour > 1 && gap && *gap != 0 && !plain.isNull() && !m_lastPlain.isNull();
    const int steps = between ? perHour * std::abs(*gap) : 0;
    const int towards = gap && *gap < 0 ? -1 : 1;
    const QImage before = std::exchange(m_lastPlain, plain);
    const std::optional<Moment> from = std::exchange(m_lastMoment, moment);
    if (!between) {
        m_ready.push_back({std::move(frame), forward});
        advance();
        return;
    }
    m_preparing = true;
    QtConcurrent::run([before, plain, steps, enhancement = m_request.enhancement]() {
        std::vector<QImage> made;
        QString failure;
        try {
            const motion::FramePair pair(before, plain);
            for (int step = 1; step < steps; ++step)
                made.push_back(enhancement.apply(pair.frameAt(double(step) / steps)));
        } catch (const std::exception &error) {
            failure = QString::fromUtf8(error.what());
        }
        return std::pair{std::move(made), failure};
    }).then(this, [this, frame = std::move(frame), from = *from, towards, forward](
                      std::pair<std::vector<QImage>, QString> made) mutable {
        m_preparing = false;
        if (m_ended)
            return;
        if (!made.second.isEmpty()) {
            fail(made.second);
            return;
        }
        int step = 1;
        const int perHour = m_request.plan.smoothSteps;
        for (QImage &between : made.first) {
            if (m_request.plan.label)
                burnMoment(between, madeMomentText(from, towards * step, perHour));
            m_ready.push_back({std::move(between), forward});
            ++step;
        }
        m_ready.push_back({std::move(frame), forward});
        advance();
    });
}

bool LoopExport::forwardDone() const
{
    return m_nextToPrepare >= total() && m_inFlight.isEmpty() &&
           !(m_preparing && m_backNext < 0);
}

bool LoopExport::inputDone() const
{
    if (!forwardDone() || m_preparing)
        return false;
    if (!m_request.plan.backAndForth || m_request.jpegFolder)
        return true;
    return m_backNext >= 0 ? m_backNext < 1 : m_keptBodies.size() < 3;
}

void LoopExport::encodeNext()
{
    if (m_ended || m_encoding || m_ready.empty())
        return;
    // A frame waits for the one after it: only then is it known whether it is the last of the
    // way forward, which the rest is added to.
    if (m_ready.size() < 2 && !inputDone())
        return;
    ReadyFrame frame = std::move(m_ready.front());
    m_ready.pop_front();
    int durationMs = frameDurationMs(m_request.plan);
    const bool lastForward = frame.forward && (m_ready.empty() ? inputDone() : !m_ready.front().forward);
    if (lastForward)
        durationMs += m_request.plan.restMs;
    m_encoding = true;
    QtConcurrent::run([encoder = m_encoder, image = std::move(frame.image), durationMs] {
        return failureOf([&] { encoder->addFrame(image, durationMs); });
    }).then(this, [this](const QString &failure) {
        m_encoding = false;
        if (m_ended)
            return;
        if (!failure.isEmpty()) {
            fail(failure);
            return;
        }
        ++m_encoded;
        emit progressed(m_fetched, m_encoded, total());
        advance();
    });
}

void LoopExport::write()
{
    if (m_request.jpegFolder) {
        ExportResult result;
        result.written = true;
        result.frames = m_encoded;
        result.bytes = m_savedBytes;
        end(result);
        return;
    }
    if (m_encoded == 0) {
        fail(tr("没有一幅图像可以导出"));
        return;
    }
    m_writing = true;
    m_poll.stop();
    QtConcurrent::run([encoder = m_encoder, path = m_request.path, cancelled = m_cancelled] {
        ExportResult result;
        result.reason = failureOf([&] {
            const QByteArray bytes = encoder->finish();
            result.frames = encoder->framesWritten();
            result.bytes = bytes.size();
            result.written = !*cancelled && saveFileDurably(path, bytes, [&] { return !*cancelled; });
        });
        result.cancelled = !result.written && result.reason.isEmpty();
        if (result.cancelled)
            result.reason = tr("已取消");
        return result;
    }).then(this, [this](ExportResult result) {
        m_writing = false;
        if (!result.written) {
            result.frames = 0;
            result.bytes = 0;
        }
        end(result);
    });
}

void LoopExport::fail(const QString &reason)
{
    ExportResult failed;
    failed.reason = reason;
    end(failed);
}

void LoopExport::end(ExportResult result)
{
    if (m_ended)
        return;
    m_ended = true;
    m_poll.stop();
    letGoOfDownloads();
    m_arrived.clear();
    m_ready.clear();
    m_keptBodies.clear();
    result.missing = m_missing;
    result.skipped = m_skipped;
    result.toFolder = m_request.jpegFolder;
    if (result.path.isEmpty())
        result.path = m_request.path;
    emit progressed(m_fetched, m_encoded, total());
    emit finished(result);
}

} // namespace veltaro
