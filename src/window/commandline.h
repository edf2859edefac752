#pragma once

#include <QStringList>

#include <optional>

namespace veltaro {

// The program's options: --help and --version print and end the program before any window
// exists (and so without a display); anything else ends it with status 2. With no arguments
// the program simply starts.
//
// Returns the exit status when the program must end now, nothing when it starts its window.
std::optional<int> handleCommandLine(const QStringList &arguments);

// What --help prints.
QString helpText(const QString &program);

} // namespace veltaro
