#pragma once

#include <QString>

class QByteArray;

namespace veltaro {

// The file temp.jpg in a given folder, holding exactly the last body staged. The name is
// replaced whole: at every moment it holds the whole previous body or the whole new one, a
// failed write leaves the previous file as it was, and a link standing under the name is
// replaced, never written through. Nothing is flushed to disk: the file is only ever rewritten.
class StagingFile
{
public:
    static constexpr const char *kFileName = "temp.jpg";

    explicit StagingFile(const QString &folder);

    // The folder temp.jpg goes in for a program started from `executableFolder`: that folder
    // where the program may create and replace files in it (a portable copy, a build tree),
    // otherwise the user's cache folder for the program. A folder that is empty or cannot be
    // named is never replaced by the working directory.
    static QString folderFor(const QString &executableFolder);

    QString path() const { return m_path; }

    // Throws FileFailure.
    void write(const QByteArray &bytes) const;

private:
    QString m_folder;
    QString m_path;
};

} // namespace veltaro
