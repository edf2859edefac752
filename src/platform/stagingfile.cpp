#include "platform/stagingfile.h"

#include "failure.h"
#include "platform/systemerror.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace veltaro {

namespace {

// A new file's mode, as any program creates one: read and write for all, less the umask.
constexpr mode_t kFileMode = 0666;

mode_t processUmask()
{
    static const mode_t mask = [] {
        const mode_t current = ::umask(0);
        ::umask(current);
        return current;
    }();
    return mask;
}

bool mayReplaceFilesIn(const QString &folder)
{
    if (folder.isEmpty() || !QFileInfo(folder).isAbsolute() || !QFileInfo(folder).isDir())
        return false;
    return ::access(QFile::encodeName(folder).constData(), W_OK | X_OK) == 0;
}

// Writes every byte, going on after a short write; false with errno set on failure.
bool writeAll(int fd, const char *data, qsizetype size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(size));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

// Puts the file at `from` under the name `to`. Where `to` exists, the two names are exchanged
// and the old file then removed: a rename over an existing file makes the file system write the
// new one out at once, which costs a millisecond or more for a file nobody needs kept.
bool replaceName(const QByteArray &from, const QByteArray &to)
{
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_EXCHANGE) == 0) {
        ::unlink(from.constData()); // the previous body, now under the temporary name
        return true;
    }
    // No file under the name yet, or a file system without the exchange.
    if (errno != ENOENT && errno != EINVAL && errno != ENOSYS)
        return false;
    return ::rename(from.constData(), to.constData()) == 0;
}

} // namespace

StagingFile::StagingFile(const QString &folder)
    : m_folder(folder),
      m_path(folder.isEmpty() ? QString() : QDir(folder).filePath(QString::fromLatin1(kFileName)))
{
}

QString StagingFile::folderFor(const QString &executableFolder)
{
    if (mayReplaceFilesIn(executableFolder))
        return executableFolder;
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    // Made now where it is missing; where it cannot be made, the first write says why.
    if (!cache.isEmpty())
        QDir().mkpath(cache);
    return cache;
}

void StagingFile::write(const QByteArray &bytes) const
{
    const auto failure = [&](int error) {
        const QString where =
            m_path.isEmpty() ? QString::fromLatin1(kFileName) : QDir::toNativeSeparators(m_path);
        return FileFailure("无法写入 " + where.toStdString() + "：" + systemErrorText(error));
    };
    if (m_path.isEmpty())
        throw FileFailure("无法写入 temp.jpg：没有可以写入的文件夹");

    QByteArray temporary = QFile::encodeName(m_folder) + "/.temp.jpg-XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        throw failure(errno);
    int error = 0;
    if (::fchmod(fd, kFileMode & ~processUmask()) != 0 ||
        !writeAll(fd, bytes.constData(), bytes.size()))
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && !replaceName(temporary, QFile::encodeName(m_path)))
        error = errno;
    if (error != 0) {
        ::unlink(temporary.constData());
        throw failure(error);
    }
}

} // namespace veltaro
