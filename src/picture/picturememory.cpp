#include "picture/picturememory.h"

#include <sys/mman.h>

#include <cstdlib>

namespace veltaro {

namespace {

constexpr qsizetype kHugePage = qsizetype(2) * 1024 * 1024;

void freeBuffer(void *buffer)
{
    std::free(buffer);
}

} // namespace

QImage largePicture(int width, int height, QImage::Format format)
{
    if (width <= 0 || height <= 0)
        return QImage();
    const QImage probe(1, 1, format);
    const qsizetype bytesPerLine = (qsizetype(width) * probe.depth() / 8 + 3) & ~qsizetype(3);
    const qsizetype bytes = bytesPerLine * height;
    if (bytes < kHugePage)
        return QImage(width, height, format);
    const qsizetype rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    void *buffer = std::aligned_alloc(size_t(kHugePage), size_t(rounded));
    if (!buffer)
        return QImage();
    // Advice only: where huge pages are off, the memory is faulted in page by page as before.
    madvise(buffer, size_t(rounded), MADV_HUGEPAGE);
    return QImage(static_cast<uchar *>(buffer), width, height, bytesPerLine, format, freeBuffer,
                  buffer);
}

} // namespace veltaro
