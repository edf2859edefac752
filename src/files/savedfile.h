#pragma once

#include <functional>

#include <QByteArray>
#include <QString>

namespace veltaro {

// The user's pictures folder (their home folder where the desktop names none).
QString picturesFolder();

// Where a save dialog opens: the folder used last, else the pictures folder, else the home
// folder; a folder that no longer exists is passed over. Never the working folder.
QString folderToSaveIn(const QString &usedLast);

// Writes a file the user keeps: whole and on disk under its name, or not at all. Throws
// FileFailure with the reason. `stillWanted`, asked just before the file takes its name, can
// stop the save: false then, and nothing is written. What an earlier save of the same name left
// when it was killed is removed first.
bool saveFileDurably(const QString &path, const QByteArray &bytes,
                     const std::function<bool()> &stillWanted = {});

} // namespace veltaro
