#include "picture/jpegstructure.h"

#include <algorithm>
#include <cstring>

namespace veltaro {

namespace {

constexpr unsigned char kMarker = 0xFF;
constexpr unsigned char kStartOfImage = 0xD8;
constexpr unsigned char kEndOfImage = 0xD9;
constexpr unsigned char kStartOfScan = 0xDA;

// Start-of-frame markers: C0..CF but for the tables (C4, C8 and CC).
bool isStartOfFrame(unsigned char code)
{
    return code >= 0xC0 && code <= 0xCF && code != 0xC4 && code != 0xC8 && code != 0xCC;
}

// Arithmetic-coded frames: C9..CB and CD..CF.
bool isArithmeticFrame(unsigned char code)
{
    return (code >= 0xC9 && code <= 0xCB) || (code >= 0xCD && code <= 0xCF);
}

bool isRestart(unsigned char code)
{
    return code >= 0xD0 && code <= 0xD7;
}

// Markers that stand alone, with no length after them.
bool isStandalone(unsigned char code)
{
    return isRestart(code) || code == 0x01;
}

} // namespace

JpegStructure scanJpegStructure(QByteArrayView bytes)
{
    JpegStructure found;
    const qsizetype size = bytes.size();
    const auto at = [&](qsizetype i) { return static_cast<unsigned char>(bytes[i]); };
    if (size < 2 || at(0) != kMarker || at(1) != kStartOfImage)
        return found;
    found.isJpeg = true;

    bool frameSeen = false;
    qsizetype pos = 2;
    while (pos < size) {
        if (at(pos) != kMarker) {
            // Stray bytes where a marker must stand: go on at the next one.
            const void *next = std::memchr(bytes.data() + pos, kMarker, size_t(size - pos));
            if (!next)
                return found;
            pos = static_cast<const char *>(next) - bytes.data();
        }
        while (pos < size && at(pos) == kMarker)
            ++pos; // fill bytes
        if (pos >= size)
            return found;
        const unsigned char code = at(pos++);
        if (code == 0x00)
            continue; // a stuffed zero among stray bytes is no marker
        if (code == kEndOfImage) {
            found.complete = true;
            found.end = pos;
            return found;
        }
        if (isStandalone(code))
            continue;
        if (pos + 2 > size)
            return found;
        const qsizetype length = (qsizetype(at(pos)) << 8) | at(pos + 1);
        if (length < 2)
            return found;
        if (isStartOfFrame(code) && !frameSeen && length >= 8 && pos + 8 <= size) {
            frameSeen = true;
            found.precision = at(pos + 2);
            found.height = (at(pos + 3) << 8) | at(pos + 4);
            found.width = (at(pos + 5) << 8) | at(pos + 6);
            found.components = at(pos + 7);
            found.arithmetic = isArithmeticFrame(code);
        }
        pos += length;
        if (code != kStartOfScan)
            continue;

        ++found.scans;
        const qsizetype dataStart = std::min(pos, size);
        // Entropy-coded data runs to the next marker that is neither a stuffed zero nor a
        // restart marker.
        while (pos < size) {
            const void *marker = std::memchr(bytes.data() + pos, kMarker, size_t(size - pos));
            if (!marker) {
                pos = size;
                break;
            }
            pos = static_cast<const char *>(marker) - bytes.data();
            qsizetype next = pos + 1;
            while (next < size && at(next) == kMarker)
                ++next;
            if (next >= size)
                break;
            if (at(next) == 0x00 || isRestart(at(next))) {
                pos = next + 1;
                continue;
            }
            pos = next - 1; // at the marker's last 0xFF
            break;
        }
        found.entropyBytes += std::min(pos, size) - dataStart;
    }
    return found;
}

} // namespace veltaro
