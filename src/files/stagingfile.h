#pragma once

// The files folder: the staging file temp.jpg (stagingfile), the files the user keeps
// (savedfile), and the words for what the system said when a file operation failed
// (systemerror).

#include <QByteArray>
#include <QString>

#include <memory>

namespace veltaro {

// A body written in full beside temp.jpg under a hidden name of its own, not yet under
// temp.jpg: StagingFile::commit puts it there. One that is let go without that (its write was
// replaced by a newer one) takes its file with it. Copies share the one file.
class StagedBody
{
public:
    StagedBody() = default;
    bool isNull() const { return !m_file; }

private:
    friend class StagingFile;
    struct File
    {
        QByteArray name;
        bool committed = false;
        ~File();
    };
    std::shared_ptr<File> m_file;
};

// The file temp.jpg in a given folder, holding exactly the last body staged. The name is
// replaced whole: at every moment it holds the whole previous body or the whole new one, a
// failed write leaves the previous file as it was, and a link or a folder standing under the
// name is never written through. Nothing is flushed to disk: the file is only ever rewritten.
// A process killed while it writes leaves no file behind where the system offers unnamed
// files.
class StagingFile
{
public:
    static constexpr const char *kFileName = "temp.jpg";

    // `whyNoFolder` says why an empty `folder` could not be named.
    explicit StagingFile(const QString &folder, const QString &whyNoFolder = {});

    // The folder temp.jpg goes in for a program started from `executableFolder`: that folder
    // where the program may create and replace files in it (a portable copy, a build tree) and
    // it is not where the program is installed, otherwise the user's cache folder for the
    // program (cacheFolder). A folder that is empty or cannot be named is never replaced by the
    // working directory; where no folder can be named, `whyNone` says why.
    static QString folderFor(const QString &executableFolder, QString *whyNone = nullptr);

    // $XDG_CACHE_HOME/<application name>, or ~/.cache/<application name> where XDG_CACHE_HOME
    // is unset or relative; made where it is missing. Empty, with the reason, when no home
    // folder is known.
    static QString cacheFolder(QString *whyNone = nullptr);

    QString path() const { return m_path; }

    // Writes `bytes` beside temp.jpg, on any thread; throws FileFailure.
    StagedBody stage(const QByteArray &bytes) const;
    // Puts a staged body under the name temp.jpg, replacing what stood there; throws
    // FileFailure. Committing in the order the bodies are wanted decides what temp.jpg ends as,
    // whatever order their writes ended in.
    void commit(const StagedBody &staged) const;
    // stage() and commit() at once; throws FileFailure.
    void write(const QByteArray &bytes) const { commit(stage(bytes)); }

private:
    QString m_folder;
    QString m_path;
    QString m_whyNoFolder;
};

} // namespace veltaro
