#include "files/stagingfile.h"

#include "failure.h"
#include "said.h"
#include "files/systemerror.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace veltaro {

namespace {

// A new file's mode, as any program creates one: read and write for all, less the umask,
// which the kernel applies.
constexpr mode_t kFileMode = 0666;

bool isInstalledCopy(const QString &folder)
{
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    if (canonical.isEmpty())
        return false;
    const QStringList installed =
        QString::fromUtf8(VELTARO_INSTALLED_BINDIRS).split(QLatin1Char(':'), Qt::SkipEmptyParts);
    return std::any_of(installed.begin(), installed.end(), [&](const QString &bindir) {
        return QFileInfo(bindir).canonicalFilePath() == canonical;
    });
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

QByteArray hiddenName(const QByteArray &folder)
{
    return folder + "/.temp.jpg-" +
           QByteArray::number(QRandomGenerator::global()->generate64(), 36);
}

// An open file for the new body: unnamed where the system offers it (nothing is left behind if
// the process dies before it is named), otherwise under a hidden name of its own. -1 with errno
// set on failure.
int openNewFile(const QByteArray &folder, QByteArray *name, bool unnamedAllowed)
{
#ifdef O_TMPFILE
    if (unnamedAllowed) {
        const int unnamed =
            ::open(folder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, kFileMode);
        if (unnamed >= 0) {
            name->clear();
            return unnamed;
        }
        // A file system or kernel without unnamed files; any other error is the folder's own.
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
            return -1;
    }
#else
    Q_UNUSED(unnamedAllowed);
#endif
    for (;;) {
        *name = hiddenName(folder);
        const int fd =
            ::open(name->constData(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, kFileMode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
}

// Gives the written file a hidden name in `folder`, where it was unnamed. false with errno set.
bool nameFile(int fd, const QByteArray &folder, QByteArray *name)
{
    if (!name->isEmpty())
        return true;
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
    for (;;) {
        *name = hiddenName(folder);
        if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, name->constData(),
                     AT_SYMLINK_FOLLOW) == 0)
            return true;
        if (errno != EEXIST) {
            name->clear();
            return false;
        }
    }
}

// Exchanges the two names in one step; false with errno set where the system cannot.
bool exchangeNames(const QByteArray &a, const QByteArray &b)
{
#if defined(__linux__) && defined(RENAME_EXCHANGE)
    return ::renameat2(AT_FDCWD, a.constData(), AT_FDCWD, b.constData(), RENAME_EXCHANGE) == 0;
#else
    Q_UNUSED(a);
    Q_UNUSED(b);
    errno = ENOSYS;
    return false;
#endif
}

// Puts the file at `from` under the name `to`. Where `to` exists, the two names are exchanged
// and the old file then removed: a rename over an existing file makes the file system write the
// new one out at once, which costs a millisecond or more for a file nobody needs kept. A folder
// under the name stays where it is, and the write fails as a rename onto it does.
bool replaceName(const QByteArray &from, const QByteArray &to)
{
    if (exchangeNames(from, to)) {
        if (::unlink(from.constData()) == 0)
            return true; // the previous body, now under the temporary name
        const int error = errno;
        exchangeNames(from, to); // a folder: give it its name back
        errno = error == EISDIR || error == EPERM ? EISDIR : error;
        return false;
    }
    // No file under the name yet, or a system without the exchange.
    if (errno != ENOENT && errno != EINVAL && errno != ENOSYS)
        return false;
    return ::rename(from.constData(), to.constData()) == 0;
}

// Hidden files of earlier writes that a process killed at the wrong moment left behind. One
// younger than a minute may be another write's, still under way.
void removeStaleHiddenFiles(const QByteArray &folder)
{
    constexpr time_t kStaleAfterSeconds = 60;
    DIR *dir = ::opendir(folder.constData());
    if (!dir)
        return; // the write that follows says what is wrong with the folder
    const time_t now = ::time(nullptr);
    while (const dirent *entry = ::readdir(dir)) {
        if (std::strncmp(entry->d_name, ".temp.jpg-", 10) != 0)
            continue;
        struct stat info;
        if (::fstatat(::dirfd(dir), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(info.st_mode) && now - info.st_mtime > kStaleAfterSeconds)
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}

} // namespace

StagingFile::StagingFile(const QString &folder, const QString &whyNoFolder)
    : m_folder(folder),
      m_path(folder.isEmpty() ? QString() : QDir(folder).filePath(QString::fromLatin1(kFileName))),
      m_whyNoFolder(whyNoFolder)
{
}

QString StagingFile::cacheFolder(QString *whyNone)
{
    // A relative XDG_CACHE_HOME is to be ignored: it would put the cache in whatever folder the
    // program was started from.
    QString root = qEnvironmentVariable("XDG_CACHE_HOME");
    if (root.isEmpty() || !QDir::isAbsolutePath(root)) {
        const QString home = qEnvironmentVariable("HOME");
        if (home.isEmpty() || !QDir::isAbsolutePath(home)) {
            if (whyNone)
                *whyNone = QCoreApplication::translate("stagingfile", "不知道用户的主文件夹（HOME 未设置），无法确定缓存文件夹");
            return QString();
        }
        root = QDir(home).filePath(QStringLiteral(".cache"));
    }
    const QString cache = QDir::cleanPath(QDir(root).filePath(QCoreApplication::applicationName()));
    // Made now where it is missing; where it cannot be made, the first write says why.
    QDir().mkpath(cache);
    return cache;
}

QString StagingFile::folderFor(const QString &executableFolder, QString *whyNone)
{
    if (!isInstalledCopy(executableFolder) && mayReplaceFilesIn(executableFolder))
        return executableFolder;
    return cacheFolder(whyNone);
}

StagedBody::File::~File()
{
    if (!committed && !name.isEmpty())
        ::unlink(name.constData());
}

StagedBody StagingFile::stage(const QByteArray &bytes) const
{
    const auto failure = [&](int error) {
        return FileFailure(said("stagingfile", "无法写入 ") + QDir::toNativeSeparators(m_path).toStdString() + said("stagingfile", "：") +
                           systemErrorText(error));
    };
    if (m_path.isEmpty())
        throw FileFailure(said("stagingfile", "无法写入 temp.jpg：") + (m_whyNoFolder.isEmpty()
                                                      ? std::string(said("stagingfile", "没有可以写入的文件夹"))
                                                      : m_whyNoFolder.toStdString()));

    const QByteArray folder = QFile::encodeName(m_folder);
    removeStaleHiddenFiles(folder);
    QByteArray name;
    int fd = openNewFile(folder, &name, true);
    if (fd < 0)
        throw failure(errno);
    int error = 0;
    if (!writeAll(fd, bytes.constData(), bytes.size()))
        error = errno;
    if (error == 0 && !nameFile(fd, folder, &name)) {
        // An unnamed file can only be named through /proc: without it, write a named one.
        ::close(fd);
        fd = openNewFile(folder, &name, false);
        if (fd < 0)
            throw failure(errno);
        if (!writeAll(fd, bytes.constData(), bytes.size()))
            error = errno;
    }
    if (::close(fd) != 0 && error == 0)
        error = errno;
    StagedBody staged;
    staged.m_file = std::make_shared<StagedBody::File>();
    staged.m_file->name = name; // removed with the last copy unless committed
    if (error != 0)
        throw failure(error);
    return staged;
}

void StagingFile::commit(const StagedBody &staged) const
{
    if (staged.isNull() || staged.m_file->committed)
        return;
    if (!replaceName(staged.m_file->name, QFile::encodeName(m_path)))
        throw FileFailure(said("stagingfile", "无法写入 ") + QDir::toNativeSeparators(m_path).toStdString() + said("stagingfile", "：") +
                          systemErrorText(errno));
    staged.m_file->committed = true;
}

} // namespace veltaro
