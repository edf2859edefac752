#include "retrieval/displaycommand.h"

#include "failure.h"
#include "files/stagingfile.h"
#include "retrieval/displayview.h"
#include "retrieval/picturesahead.h"

#include <QFuture>
#include <QImage>
#include <QtConcurrent/QtConcurrentRun>

#include <functional>
#include <utility>

namespace veltaro {

namespace {

// A picture decoded off the window's thread, with the decoder that made it (it carries the
// memory kept for the next picture), or why it could not be.
struct Decoded
{
    QImage picture;
    QImage seen; // enhanced, when it is to be
    PictureDecoder decoder;
    QString failure;
    bool damaged = false; // not a whole picture, as against the memory running out
};

Decoded decodeOffThread(PictureDecoder decoder, const QByteArray &body,
                        const Enhancement &enhancement)
{
    Decoded decoded;
    try {
        decoded.picture = decoder.decode(body);
        if (!enhancement.isNone())
            decoded.seen = enhancement.apply(decoded.picture);
    } catch (const PictureFailure &failure) {
        decoded.failure = QString::fromUtf8(failure.what());
        decoded.damaged = true;
    } catch (const std::exception &failure) {
        decoded.failure = QString::fromUtf8(failure.what());
    }
    decoded.decoder = std::move(decoder);
    return decoded;
}

// What a step off the window's thread made, or why it could not: no exception crosses back.
template <typename Value> struct OrFailure
{
    Value value;
    QString failure;
};

template <typename Work> auto orFailure(Work &&work) -> OrFailure<decltype(work())>
{
    try {
        return {work(), {}};
    } catch (const std::exception &failure) {
        return {{}, QString::fromUtf8(failure.what())};
    }
}

// A picture as enhanced.
using Seen = OrFailure<QImage>;
Seen seenOffThread(const Enhancement &enhancement, const QImage &picture)
{
    return orFailure([&] { return enhancement.apply(picture); });
}

// A body written beside temp.jpg; it goes under the name on the window's thread, only while its
// run is still the newest.
using Staged = OrFailure<StagedBody>;
Staged stageOffThread(const StagingFile &staging, const QByteArray &body)
{
    return orFailure([&] { return staging.stage(body); });
}

} // namespace

DisplayCommand::DisplayCommand(DisplayView &view, Transfer &transfer, const StagingFile &staging,
                               QObject *parent)
    : QObject(parent), m_view(view), m_transfer(transfer), m_staging(staging)
{
    m_releaseSpare.setSingleShot(true);
    m_releaseSpare.setInterval(kKeepSpareMs);
    m_releaseSpare.callOnTimeout(this, [this] { m_decoder.releaseSpare(); });
}

DisplayCommand::~DisplayCommand()
{
    ++m_generation;
    if (m_request)
        m_request->abort();
}

void DisplayCommand::setState(State state)
{
    m_state = state;
    // Told from the event loop, once the step that changed it is done: a listener that starts
    // or replaces a run meets the command between its steps, never inside one.
    if (std::exchange(m_stateToldSoon, true))
        return;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_stateToldSoon = false;
            if (std::exchange(m_stateTold, m_state) != m_state)
                emit stateChanged(m_state);
        },
        Qt::QueuedConnection);
}

template <typename Step> void DisplayCommand::guarded(Step &&step)
{
    try {
        step();
    } catch (const std::exception &failure) {
        fail(QString::fromUtf8(failure.what()));
    }
}

void DisplayCommand::run(Kind kind)
{
    run(kind, m_view.queryTime());
}

void DisplayCommand::run(Kind kind, const QueryTime &picked)
{
    // A run for the moment whose picture is downloading joins that download; it is told as the
    // loudest of the two would tell it.
    if (m_state == State::Fetching && m_fromNetwork) {
        try {
            if (const auto request = ToUtcRequest(picked);
                request && QString::fromStdString(BuildImageUrl(*request).address) == m_address) {
                m_kind = std::max(m_kind, kind);
                return;
            }
        } catch (const Failure &) {
            // not the same moment: the run below says why
        }
    }
    begin(kind, picked);
    // A run that ends before anything is under way (nothing to fetch, or a moment that does not
    // convert) still ends from the event loop: whoever started it and then listens hears it.
    const quint64 generation = m_generation;
    const auto endSoon = [this, generation](std::function<void()> ending) {
        QMetaObject::invokeMethod(
            this,
            [this, generation, ending = std::move(ending)] {
                if (generation == m_generation)
                    ending();
            },
            Qt::QueuedConnection);
    };
    try {
        const auto request = ToUtcRequest(picked);
        if (!request) {
            // An hour outside 0..23: nothing to fetch, the status line keeps "稍侯〉〉〉".
            endSoon([this] { end(outcome()); });
            return;
        }
        m_built = BuildImageUrl(*request);
        m_address = QString::fromStdString(m_built.address);
        if (kind != Kind::Press && m_ahead) {
            // Decoded ahead from a kept copy: only temp.jpg is left to write.
            if (std::optional<PictureReady> ready = m_ahead->take(m_address)) {
                setState(State::Preparing);
                stageAndShow(std::move(ready->picture), QImage(), ready->body,
                             m_enhancementVersion);
                return;
            }
        }
        fetch(kind == Kind::Press ? Transfer::Freshness::AskNetwork
                                  : Transfer::Freshness::CacheFirst);
    } catch (const std::exception &failure) {
        endSoon([this, reason = QString::fromUtf8(failure.what())] { fail(reason); });
    }
}

void DisplayCommand::begin(Kind kind, const QueryTime &picked)
{
    // The run under way, if any, is replaced: its late results no longer count.
    ++m_generation;
    if (m_request)
        m_request->abort();
    m_request = nullptr;
    m_kind = kind;
    m_picked = picked;
    m_built = {};
    m_address.clear();
    m_fromNetwork = false;
    m_retried = false;
    m_aboutShown.clear();
    m_parts = {};
    setState(State::Fetching);
    // A frame of playback is quiet: the status line would flicker at every picture.
    if (kind != Kind::Frame)
        m_view.setStatus(statusWorking(), QString());
}

void DisplayCommand::fetch(Transfer::Freshness freshness)
{
    setState(State::Fetching);
    m_sinceProgress.invalidate();
    TransferRequest *request = m_transfer.get(m_address, freshness);
    m_request = request;
    m_fromNetwork = !request->cameFromCache();
    const quint64 generation = m_generation;
    connect(request, &TransferRequest::progressed, this,
            [this, generation](qint64 received, qint64 total) {
                if (generation == m_generation)
                    showProgress(received, total);
            });
    connect(request, &TransferRequest::finished, this, [this, generation, request] {
        if (generation == m_generation)
            fetched(request);
    });
}

void DisplayCommand::showProgress(qint64 received, qint64 total)
{
    if (m_sinceProgress.isValid() && m_sinceProgress.elapsed() < kProgressIntervalMs)
        return;
    m_sinceProgress.start();
    const auto kb = [](qint64 bytes) {
        return QString::number((bytes + 1023) / 1024) + QStringLiteral(" KB");
    };
    QString text = tr("已下载 ") + kb(received);
    if (total >= 0)
        text += QStringLiteral(" / ") + kb(total);
    m_view.showProgress(text);
}

void DisplayCommand::fetched(TransferRequest *request)
{
    m_request = nullptr;
    using Result = TransferRequest::Result;
    switch (request->result()) {
    case Result::Whole:
        prepare(request->body(), request->cameFromCache());
        return;
    case Result::Unreachable:
        if (m_kind == Kind::Press) {
            // No network, but the picture was kept: show it, and say how old it is.
            if (const QByteArray kept = m_transfer.kept(m_address); !kept.isEmpty()) {
                const QDateTime since = m_transfer.keptSince(m_address).toLocalTime();
                m_aboutShown =
                    since.isValid()
                        ? tr("网络不通：显示的是 %1 取得的副本")
                              .arg(since.toString(QStringLiteral("yyyy-MM-dd HH:mm")))
                        : tr("网络不通：显示的是保存的副本");
                prepare(kept, true);
                return;
            }
        }
        fail(request->reason(), true);
        return;
    case Result::Cancelled:
        fail(request->reason(), false, true);
        return;
    case Result::Failed:
    case Result::Pending:
        fail(request->reason());
        return;
    }
}

void DisplayCommand::prepare(const QByteArray &body, bool keptCopy)
{
    setState(State::Preparing);
    const quint64 generation = m_generation;
    // The decoder travels with the work and comes back with the picture: the memory it keeps
    // for the next picture is reused only while nothing else holds it.
    const quint64 seenWith = m_enhancementVersion;
    QFuture<Decoded> decoding =
        QtConcurrent::run([decoder = std::exchange(m_decoder, PictureDecoder()), body,
                           enhancement = m_enhancement]() mutable {
            return decodeOffThread(std::move(decoder), body, enhancement);
        });
    if (keptCopy) {
        // A kept copy is proved whole before anything is written; a damaged one is dropped and
        // fetched anew.
        decoding.then(this, [this, generation, body, seenWith](QFuture<Decoded> done) {
            if (generation != m_generation)
                return;
            // Taken, not copied: a picture still held by the future is never reused.
            Decoded decoded = done.takeResult();
            m_decoder = std::move(decoded.decoder);
            if (decoded.damaged && !m_retried) {
                m_retried = true;
                m_aboutShown.clear();
                m_transfer.forget(m_address);
                fetch(Transfer::Freshness::AskNetwork);
            } else if (!decoded.failure.isEmpty()) {
                fail(decoded.failure);
            } else {
                stageAndShow(std::move(decoded.picture), std::move(decoded.seen), body, seenWith);
            }
        });
        return;
    }
    // A network body: temp.jpg is written while the picture is decoded, and the picture is
    // shown once both are done. A failure to stage comes first, as it would one after the other.
    m_parts = {};
    m_parts.waiting = 2;
    m_parts.seenWith = seenWith;
    decoding.then(this, [this, generation](QFuture<Decoded> done) {
        if (generation != m_generation)
            return;
        Decoded decoded = done.takeResult();
        m_decoder = std::move(decoded.decoder);
        m_parts.picture = std::move(decoded.picture);
        m_parts.seen = std::move(decoded.seen);
        m_parts.decodeFailure = decoded.failure;
        partReady();
    });
    QtConcurrent::run(stageOffThread, m_staging, body)
        .then(this, [this, generation, body](const Staged &staged) {
            if (generation != m_generation)
                return; // replaced: its file goes with it, temp.jpg stays the newer run's
            m_parts.staged = staged.value;
            m_parts.stageFailure = staged.failure;
            m_parts.body = body;
            partReady();
        });
}

void DisplayCommand::partReady()
{
    if (--m_parts.waiting > 0)
        return;
    // The body goes under temp.jpg now, in the order the runs were made: a replaced run never
    // gets this far.
    if (m_parts.stageFailure.isEmpty()) {
        try {
            m_staging.commit(m_parts.staged);
        } catch (const std::exception &failure) {
            m_parts.stageFailure = QString::fromUtf8(failure.what());
        }
    }
    if (!m_parts.stageFailure.isEmpty())
        fail(m_parts.stageFailure);
    else if (!m_parts.decodeFailure.isEmpty())
        fail(m_parts.decodeFailure);
    else if (m_parts.seenWith != m_enhancementVersion)
        seeAnew();
    else
        guarded([this] { show(std::move(m_parts.picture), std::move(m_parts.seen), m_parts.body); });
}

void DisplayCommand::seeAnew()
{
    // The enhancement changed while the picture was being prepared: it is shown as the one
    // chosen now would show it.
    m_parts.seenWith = m_enhancementVersion;
    m_parts.seen = QImage();
    m_parts.waiting = 1;
    if (m_enhancement.isNone())
        partReady();
    else
        enhanceOffThread(m_parts.picture);
}

void DisplayCommand::stageAndShow(QImage picture, QImage seen, const QByteArray &body,
                                  quint64 seenWith)
{
    setState(State::Preparing);
    const quint64 generation = m_generation;
    m_parts = {};
    m_parts.waiting = 1;
    m_parts.body = body;
    m_parts.seenWith = seenWith;
    if (seen.isNull() && !m_enhancement.isNone()) {
        m_parts.seenWith = m_enhancementVersion;
        // Decoded ahead as it is: enhanced while temp.jpg is written.
        ++m_parts.waiting;
        enhanceOffThread(picture);
    } else {
        m_parts.seen = std::move(seen);
    }
    m_parts.picture = std::move(picture);
    QtConcurrent::run(stageOffThread, m_staging, body)
        .then(this, [this, generation](const Staged &staged) {
            if (generation != m_generation)
                return; // replaced: its file goes with it, temp.jpg stays the newer run's
            m_parts.staged = staged.value;
            m_parts.stageFailure = staged.failure;
            partReady();
        });
}

void DisplayCommand::enhanceOffThread(const QImage &picture)
{
    const quint64 generation = m_generation;
    QtConcurrent::run(seenOffThread, m_enhancement, picture)
        .then(this, [this, generation](Seen seen) {
            if (generation != m_generation)
                return;
            m_parts.seen = std::move(seen.value);
            if (m_parts.decodeFailure.isEmpty())
                m_parts.decodeFailure = seen.failure;
            partReady();
        });
}

void DisplayCommand::show(QImage picture, QImage seen, const QByteArray &body)
{
    m_decoder.recycle(
        m_view.showPicture(std::move(picture), std::move(seen), {body, m_picked, m_built}));
    // The memory kept for the next picture is worth it while pictures follow each other.
    m_releaseSpare.start();
    m_view.updateScrollRanges();
    if (m_kind != Kind::Frame)
        m_view.setStatus(QString(), m_aboutShown);
    Outcome shown = outcome();
    shown.shown = true;
    shown.reason = m_aboutShown;
    end(shown);
}

void DisplayCommand::cancel()
{
    if (!isRunning())
        return;
    ++m_generation; // whatever is still on its way is dropped
    if (m_request)
        m_request->abort();
    m_request = nullptr;
    fail(tr("已取消"), false, true);
}

void DisplayCommand::fail(const QString &reason, bool unreachable, bool cancelled)
{
    // A frame of playback leaves the status line to the player.
    if (m_kind != Kind::Frame)
        m_view.setStatus(statusNotFound(), reason);
    Outcome failed = outcome();
    failed.unreachable = unreachable;
    failed.cancelled = cancelled;
    failed.reason = reason;
    end(failed);
}

DisplayCommand::Outcome DisplayCommand::outcome() const
{
    Outcome outcome;
    outcome.kind = m_kind;
    outcome.picked = m_picked;
    return outcome;
}

void DisplayCommand::end(Outcome outcome)
{
    ++m_generation;
    setState(State::Idle);
    m_request = nullptr;
    m_parts = {};
    emit finished(outcome);
}

} // namespace veltaro
