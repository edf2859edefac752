#include "retrieval/displaycommand.h"

#include "failure.h"
#include "files/stagingfile.h"
#include "network/transfer.h"
#include "retrieval/displayview.h"

#include <QCursor>
#include <QGuiApplication>
#include <QImage>
#include <QScopedValueRollback>

namespace veltaro {

namespace {

// The busy cursor over the whole application for as long as it lives.
class BusyCursor
{
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(QCursor(Qt::BusyCursor)); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};

} // namespace

DisplayCommand::DisplayCommand(DisplayView &view, Transfer &transfer, const StagingFile &staging)
    : m_view(view), m_transfer(transfer), m_staging(staging)
{
}

void DisplayCommand::run()
{
    if (m_running)
        return;
    const QScopedValueRollback running(m_running, true);

    // The command's one trap: whatever fails, the status line says so, and nothing is undone.
    try {
        display();
    } catch (const TransferCancelled &) {
        // The program is ending; there is no one left to tell.
    } catch (const std::exception &failure) {
        m_view.setStatus(QString::fromUtf16(kStatusNotFound), QString::fromUtf8(failure.what()));
    }
}

void DisplayCommand::display()
{
    m_view.setStatus(QString::fromUtf16(kStatusWorking), QString());
    const BusyCursor busy;

    const QueryTime picked = m_view.queryTime();
    const auto request = ToUtcRequest(picked);
    if (!request)
        return; // an hour outside 0..23: nothing to fetch, and the status line keeps "稍侯〉〉〉"
    const ImageRequest built = BuildImageUrl(*request);

    const QByteArray body = m_transfer.OpenURL(QString::fromStdString(built.address));
    m_staging.write(body);
    // The bytes this command wrote, not what the file holds a moment later.
    m_decoder.recycle(m_view.showPicture(m_decoder.decode(body), {body, picked, built}));
    m_view.updateScrollRanges();
    m_view.setStatus(QString(), QString());
}

} // namespace veltaro
