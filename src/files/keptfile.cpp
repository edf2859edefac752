#include "files/keptfile.h"

#include "failure.h"

#include <QDir>
#include <QSaveFile>
#include <QStandardPaths>

namespace veltaro {

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
