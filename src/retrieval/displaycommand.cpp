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
}

bool DisplayCommand::run(Transfer::Freshness freshness, QString *whyNot)
{
    if (m_running)
        return false;
    const QScopedValueRollback running(m_running, true);

    // The command's one trap: whatever fails, the status line says so, and nothing is undone.
    try {
        return display(freshness);
    } catch (const TransferCancelled &) {
        // The program is ending; there is no one left to tell.
    } catch (const std::exception &failure) {
        const QString reason = QString::fromUtf8(failure.what());
        if (whyNot) {
            *whyNot = reason;
            m_view.setStatus(QString(), QString());
        } else {
            m_view.setStatus(QString::fromUtf16(kStatusNotFound), reason);
        }
    }
    return false;
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
    const BusyCursor busy;

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
        if (std::optional<QImage> ready = m_ahead->take(address)) {
            body = m_transfer.kept(address);
            if (!body.isEmpty())
                picture = std::move(*ready);
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
