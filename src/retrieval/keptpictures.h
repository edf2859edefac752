#pragma once

#include <QString>
#include <QtGlobal>

namespace veltaro {

class Transfer;

// Downloaded pictures are kept on disk so that steps back, replays and exports need no network:
// in the folder "pictures" under `root` (the user's cache folder, or a folder of the window's
// own), this much of them at most, the oldest dropped first. Nothing is kept where `root` is
// not a folder.
inline constexpr qint64 kKeptPicturesBytes = 256LL * 1024 * 1024;
void keepPicturesUnder(Transfer &transfer, const QString &root);

} // namespace veltaro
