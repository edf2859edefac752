#include "retrieval/keptpictures.h"

#include "network/transfer.h"

#include <QDir>
#include <QFileInfo>

namespace veltaro {

void keepPicturesUnder(Transfer &transfer, const QString &root)
{
    if (!root.isEmpty() && QFileInfo(root).isDir())
        transfer.useDiskCache(QDir(root).filePath(QStringLiteral("pictures")), kKeptPicturesBytes);
}

} // namespace veltaro
