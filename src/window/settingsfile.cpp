#include "window/settingsfile.h"

namespace veltaro {

std::unique_ptr<QSettings> settingsIn(const QString &file)
{
    return file.isEmpty() ? std::make_unique<QSettings>(QStringLiteral("Veltaro"), QStringLiteral("Veltaro"))
                          : std::make_unique<QSettings>(file, QSettings::IniFormat);
}

} // namespace veltaro
