#include "window/appicon.h"

namespace veltaro {

QIcon appIcon()
{
    QIcon icon;
    for (int size : kAppIconSizes)
        icon.addFile(QStringLiteral(":/icons/hicolor/%1x%1/apps/veltaro.png").arg(size),
                     QSize(size, size));
    return icon;
}

} // namespace veltaro
