#include "window/busycursor.h"

#include "retrieval/displaycommand.h"

#include <QCursor>
#include <QGuiApplication>

#include <utility>

namespace veltaro {

BusyCursor::BusyCursor(const DisplayCommand &display, QObject *parent) : QObject(parent)
{
    m_delay.setSingleShot(true);
    m_delay.setInterval(kDelayMs);
    m_delay.callOnTimeout(this, [this] {
        QGuiApplication::setOverrideCursor(QCursor(Qt::BusyCursor));
        m_shown = true;
    });
    connect(&display, &DisplayCommand::stateChanged, this,
            [this](DisplayCommand::State state) { setBusy(state != DisplayCommand::State::Idle); });
}

BusyCursor::~BusyCursor()
{
    setBusy(false);
}

void BusyCursor::setBusy(bool busy)
{
    if (busy) {
        if (!m_shown && !m_delay.isActive())
            m_delay.start();
        return;
    }
    m_delay.stop();
    if (std::exchange(m_shown, false))
        QGuiApplication::restoreOverrideCursor();
}

} // namespace veltaro
