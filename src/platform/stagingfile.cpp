#include "platform/stagingfile.h"

#include "failure.h"

#include <QDir>
#include <QSaveFile>

namespace veltaro {

StagingFile::StagingFile(const QString &folder)
    : m_path(QDir(folder).filePath(QString::fromLatin1(kFileName)))
{
}

void StagingFile::write(const QByteArray &bytes) const
{
    QSaveFile file(m_path);
    const auto failure = [&] {
        return FileFailure("无法写入 " + QDir::toNativeSeparators(m_path).toStdString() + "：" +
                           file.errorString().toStdString());
    };
    if (!file.open(QIODevice::WriteOnly))
        throw failure();
    // QSaveFile::commit() can report success after a short write on a full disk, so every
    // byte and the flush are checked first; cancelling keeps the previous file whole.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const FileFailure reason = failure();
        file.cancelWriting();
        throw reason;
    }
    if (!file.commit())
        throw failure();
}

} // namespace veltaro
