#include "platform/busycursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace veltaro {

BusyCursor::BusyCursor()
{
    QGuiApplication::setOverrideCursor(QCursor(Qt::BusyCursor));
}

BusyCursor::~BusyCursor()
{
    QGuiApplication::restoreOverrideCursor();
}

} // namespace veltaro
