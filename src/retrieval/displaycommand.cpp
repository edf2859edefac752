#include "retrieval/displaycommand.h"

#include "failure.h"
#include "files/stagingfile.h"
#include "network/transfer.h"
#include "retrieval/displayview.h"
#include "retrieval/picturesahead.h"

#include <QCursor>
#include <QGuiApplication>
#include <QImage>
#include <QScopedValueRollback>
#include <QtConcurrent/QtConcurrentRun>
#include <QTimer>

namespace veltaro {

namespace {

// The busy cursor over the whole application once the command has waited a moment, until it
// ends: a command that ends sooner changes no cursor at all. The wait is the transfer's, whose
// event loop lets the timer fire.
class BusyCursor
{
public:
    static constexpr int kDelayMs = 250;

    BusyCursor()
    {
        m_delay.setSingleShot(true);
        m_delay.callOnTimeout(&m_delay, [this] {
            QGuiApplication::setOverrideCursor(QCursor(Qt::BusyCursor));
            m_shown = true;
        });
        m_delay.start(kDelayMs);
    }
    ~BusyCursor()
    {
        if (m_shown)
            QGuiApplication::restoreOverrideCursor();
    }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;

private:
    QTimer m_delay;
    bool m_shown = false;
};

} // namespace

DisplayCommand::DisplayCommand(DisplayView &view, Transfer &transfer, const StagingFile &staging)
    : m_view(view), m_transfer(transfer), m_staging(staging)
{
    m_releaseSpare.setSingleShot(true);
    m_releaseSpare.setInterval(kKeepSpareMs);
    m_releaseSpare.callOnTimeout(&m_releaseSpare, [this] { m_decoder.releaseSpare(); });
    // The timer stands in for this object, which is no QObject: both live as long.
    QObject::connect(&m_transfer, &Transfer::progressed, &m_releaseSpare,
                     [this](qint64 received, qint64 total) { showProgress(received, total); });
}

void DisplayCommand::showProgress(qint64 received, qint64 total)
{
    if (!m_running || m_sinceProgress.elapsed() < kProgressIntervalMs)
        return;
    m_sinceProgress.start();
    const auto kb = [](qint64 bytes) {
        return QString::number((bytes + 1023) / 1024) + QStringLiteral(" KB");
    };
    QString text = QStringLiteral("已下载 ") + kb(received);
    if (total >= 0)
        text += QStringLiteral(" / ") + kb(total);
    m_view.showProgress(text);
}

bool DisplayCommand::run(Transfer::Freshness freshness, QString *whyNot)
{
    if (m_running) {
        // The newest moment wins: the running command stops its download and runs again.
        m_replacement = Replacement{freshness, whyNot != nullptr};
        m_transfer.cancel();
        return false;
    }
    const QScopedValueRollback running(m_running, true);
    const BusyCursor busy;
    for (;;) {
        m_replacement.reset();
        m_sinceProgress.start();
        bool shown = false;
        // The command's one trap: whatever fails, the status line says so, and nothing is
        // undone.
        try {
            shown = display(freshness);
        } catch (const TransferCancelled &) {
            return false; // the program is ending; there is no one left to tell
        } catch (const std::exception &failure) {
            if (!m_replacement)
                fail(QString::fromUtf8(failure.what()), whyNot);
        }
        if (!m_replacement)
            return shown;
        freshness = m_replacement->freshness;
        // A run that tells its failures replaces a quiet one: the status line says them.
        if (!m_replacement->quiet)
            whyNot = nullptr;
    }
}

void DisplayCommand::fail(const QString &reason, QString *whyNot)
{
    if (whyNot) {
        *whyNot = reason;
        m_view.setStatus(QString(), QString());
    } else {
        m_view.setStatus(QString::fromUtf16(kStatusNotFound), reason);
    }
}

QImage DisplayCommand::stageAndDecode(const QByteArray &body)
{
    // Staging and decoding need nothing of each other: temp.jpg is written on a worker thread
    // while the picture is decoded here, and the picture is shown only once temp.jpg holds the
    // body. A failure to stage comes first, as it would one after the other.
    QFuture<std::exception_ptr> staged = QtConcurrent::run([this, body]() -> std::exception_ptr {
        try {
            m_staging.write(body);
            return nullptr;
        } catch (...) {
            return std::current_exception();
        }
    });
    QImage picture;
    std::exception_ptr decodingFailure;
    try {
        // The bytes this command wrote, not what the file holds a moment later.
        picture = m_decoder.decode(body);
    } catch (...) {
        decodingFailure = std::current_exception();
    }
    if (const std::exception_ptr stagingFailure = staged.result())
        std::rethrow_exception(stagingFailure);
    if (decodingFailure)
        std::rethrow_exception(decodingFailure);
    return picture;
}

bool DisplayCommand::display(Transfer::Freshness freshness)
{
    m_view.setStatus(QString::fromUtf16(kStatusWorking), QString());

    const QueryTime picked = m_view.queryTime();
    const auto request = ToUtcRequest(picked);
    if (!request)
        return false; // an hour outside 0..23: nothing to fetch, the status line keeps "稍侯〉〉〉"
    const ImageRequest built = BuildImageUrl(*request);

    const QString address = QString::fromStdString(built.address);
    QImage picture;
    QByteArray body;
    if (freshness == Transfer::Freshness::CacheFirst && m_ahead) {
        // Decoded ahead from a kept copy: only temp.jpg is left to write.
        if (std::optional<PictureReady> ready = m_ahead->take(address)) {
            picture = std::move(ready->picture);
            body = std::move(ready->body);
        }
    }
    if (picture.isNull())
        body = m_transfer.OpenURL(address, freshness);
    if (picture.isNull() && m_transfer.lastCameFromCache()) {
        // A kept copy is proved whole before anything is written; a damaged one is dropped and
        // fetched anew.
        try {
            picture = m_decoder.decode(body);
        } catch (const PictureFailure &) {
            m_transfer.forget(address);
            body = m_transfer.OpenURL(address, Transfer::Freshness::AskNetwork);
        }
    }
    if (!picture.isNull())
        m_staging.write(body);
    else
        picture = stageAndDecode(body);
    m_decoder.recycle(m_view.showPicture(std::move(picture), {body, picked, built}));
    // The memory kept for the next picture is worth it while pictures follow each other.
    m_releaseSpare.start();
    m_view.updateScrollRanges();
    m_view.setStatus(QString(), QString());
    return true;
}

} // namespace veltaro
