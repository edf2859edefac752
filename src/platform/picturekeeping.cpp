#include "platform/picturekeeping.h"

#include "failure.h"

#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QImage>
#include <QSaveFile>
#include <QStandardPaths>

namespace veltaro {

void copyPictureToClipboard(const QImage &picture)
{
    QGuiApplication::clipboard()->setImage(picture);
}

QString askWhereToSave(QWidget *parent, const QString &proposed)
{
    return QFileDialog::getSaveFileName(parent, QStringLiteral("另存为"), proposed,
                                        QStringLiteral("JPEG 图像 (*.jpg *.jpeg)"));
}

QString picturesFolder()
{
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return pictures.isEmpty() ? QDir::homePath() : pictures;
}

void saveFileDurably(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    const auto failure = [&] {
        return FileFailure("无法保存 " + QDir::toNativeSeparators(path).toStdString() + "：" +
                           file.errorString().toStdString());
    };
    if (!file.open(QIODevice::WriteOnly))
        throw failure();
    // commit() can report success after a short write on a full disk: every byte is checked.
    if (file.write(bytes) != bytes.size()) {
        const FileFailure reason = failure();
        file.cancelWriting();
        throw reason;
    }
    if (!file.commit())
        throw failure();
}

} // namespace veltaro
