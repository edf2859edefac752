#include "window/appicon.h"

#include "window/icondrawing.h"

namespace veltaro {

QIcon appIcon()
{
    QIcon icon;
    for (int size : kAppIconSizes)
        icon.addFile(QStringLiteral(":/icons/veltaro-%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace veltaro
