#pragma once

#include <QByteArray>
#include <QString>

namespace veltaro {

// The user's pictures folder (their home folder where the desktop names none).
QString picturesFolder();

// Where a save dialog opens: the folder used last, else the pictures folder, else the home
// folder; a folder that no longer exists is passed over. Never the working folder.
QString folderToSaveIn(const QString &usedLast);

// Writes a file the user keeps: whole and on disk under its name, or not at all. Throws
// FileFailure with the reason.
void saveFileDurably(const QString &path, const QByteArray &bytes);

} // namespace veltaro
