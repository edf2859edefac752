#include "files/keptfile.h"

#include "failure.h"
#include "files/systemerror.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>

namespace veltaro {

namespace {

// QSaveFile words its failures in English, with the system's message for the error where it
// has one. The error is told in the program's own words: the one the failed call left, else the
// one whose message QSaveFile gave.
std::string reasonOf(const QString &message, int errorLeft)
{
    if (errorLeft != 0)
        return systemErrorText(errorLeft);
    const int candidates[] = {EACCES, EPERM,  ENOSPC, EDQUOT, EROFS,   ENAMETOOLONG, ENOENT,
                              ENOTDIR, EISDIR, EFBIG,  EIO,    ETXTBSY, ELOOP,        EXDEV};
    int found = 0;
    qsizetype longest = 0;
    for (const int error : candidates) {
        const QString text = QString::fromLocal8Bit(std::strerror(error));
        if (text.size() > longest && message.contains(text, Qt::CaseInsensitive)) {
            found = error;
            longest = text.size();
        }
    }
    return found ? systemErrorText(found) : "无法写入文件（" + message.toStdString() + "）";
}

} // namespace

QString picturesFolder()
{
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return pictures.isEmpty() ? QDir::homePath() : pictures;
}

QString folderToSaveIn(const QString &usedLast)
{
    for (const QString &folder : {usedLast, picturesFolder()})
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            return folder;
    return QDir::homePath();
}

void saveFileDurably(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    const auto failure = [&](int errorLeft) {
        return FileFailure("无法保存 " + QDir::toNativeSeparators(path).toStdString() + "：" +
                           reasonOf(file.errorString(), errorLeft));
    };
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        throw failure(errno);
    // commit() can report success after a short write on a full disk: every byte is checked.
    if (file.write(bytes) != bytes.size()) {
        const FileFailure reason = failure(errno);
        file.cancelWriting();
        throw reason;
    }
    errno = 0;
    if (!file.commit())
        throw failure(errno);
}

} // namespace veltaro
