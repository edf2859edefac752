#pragma once

#include <QSettings>
#include <QString>

#include <memory>

namespace veltaro {

// The settings the window remembers: `file` (an INI file, as the tests give their window a
// folder of its own), or the user's when it is empty.
std::unique_ptr<QSettings> settingsIn(const QString &file);

} // namespace veltaro
