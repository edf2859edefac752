#pragma once

#include <QByteArray>
#include <QString>

class QImage;
class QWidget;

namespace veltaro {

// Puts the picture on the system clipboard.
void copyPictureToClipboard(const QImage &picture);

// The platform's save dialog, opened at `proposed`; empty when the user cancels.
QString askWhereToSave(QWidget *parent, const QString &proposed);

// The user's pictures folder (their home folder where the desktop names none).
QString picturesFolder();

// Writes a file the user keeps: whole and on disk under its name, or not at all. Throws
// FileFailure with the reason.
void saveFileDurably(const QString &path, const QByteArray &bytes);

} // namespace veltaro
