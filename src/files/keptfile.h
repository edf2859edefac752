#pragma once

#include <QByteArray>
#include <QString>

namespace veltaro {

// The user's pictures folder (their home folder where the desktop names none).
QString picturesFolder();

// Writes a file the user keeps: whole and on disk under its name, or not at all. Throws
// FileFailure with the reason.
void saveFileDurably(const QString &path, const QByteArray &bytes);

} // namespace veltaro
