#pragma once

#include <QString>

class QByteArray;

namespace veltaro {

// The file temp.jpg in a given folder (the executable's, in the program), holding exactly the
// last body staged. It is replaced whole: a half-written file never stands under its name, and
// a failed write leaves the previous file as it was.
class StagingFile
{
public:
    static constexpr const char *kFileName = "temp.jpg";

    explicit StagingFile(const QString &folder);

    QString path() const { return m_path; }

    // Throws FileFailure.
    void write(const QByteArray &bytes) const;

private:
    QString m_path;
};

} // namespace veltaro
