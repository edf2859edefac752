#include "files/savedfile.h"

#include "failure.h"
#include "said.h"
#include "files/systemerror.h"

#include <QDateTime>
#include <QDir>
#include <QRegularExpression>
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
    return found ? systemErrorText(found) : said("savedfile", "无法写入文件（") + message.toStdString() + said("savedfile", "）");
}

// What an earlier save of `path` left when the process was killed before the file took its
// name: QSaveFile's temporary beside it ("loop.webp.AbC123"), older than a minute (a younger
// one may be another save's, still under way) and holding what the program writes.
void removeStaleSaves(const QString &path)
{
    const QFileInfo target(path);
    const QDir folder = target.absoluteDir();
    static const QRegularExpression leftover(QStringLiteral("^\\.[A-Za-z0-9]{6}$"));
    const QDateTime minuteAgo = QDateTime::currentDateTimeUtc().addSecs(-60);
    const QStringList candidates =
        folder.entryList({target.fileName() + QStringLiteral(".??????")}, QDir::Files | QDir::Hidden);
    for (const QString &name : candidates) {
        const QFileInfo file(folder.filePath(name));
        if (!leftover.match(name.mid(target.fileName().size())).hasMatch() || file.isSymLink() ||
            file.lastModified().toUTC() > minuteAgo)
            continue;
        QFile opened(file.filePath());
        if (!opened.open(QIODevice::ReadOnly))
            continue;
        const QByteArray head = opened.read(12);
        const bool ours = head.startsWith("GIF8") || head.startsWith("\xff\xd8") ||
                          head.startsWith("\x89PNG") ||
                          (head.startsWith("RIFF") && head.mid(8, 4) == "WEBP");
        opened.close();
        if (ours)
            QFile::remove(file.filePath());
    }
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

bool saveFileDurably(const QString &path, const QByteArray &bytes,
                     const std::function<bool()> &stillWanted)
{
    QSaveFile file(path);
    const auto failure = [&](int errorLeft) {
        return FileFailure(said("savedfile", "无法保存 ") + QDir::toNativeSeparators(path).toStdString() + said("savedfile", "：") +
                           reasonOf(file.errorString(), errorLeft));
    };
    if (QFileInfo(path).isDir())
        throw failure(EISDIR);
    removeStaleSaves(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        throw failure(errno);
    // commit() can report success after a short write on a full disk: every byte is checked.
    if (file.write(bytes) != bytes.size()) {
        const FileFailure reason = failure(errno);
        file.cancelWriting();
        throw reason;
    }
    if (stillWanted && !stillWanted()) {
        file.cancelWriting();
        return false;
    }
    errno = 0;
    if (!file.commit())
        throw failure(errno);
    return true;
}

} // namespace veltaro
