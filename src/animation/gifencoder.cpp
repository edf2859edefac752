#include "animation/gifencoder.h"

#include "failure.h"
#include "said.h"

#include <gif_lib.h>

#include <QHash>

#include <algorithm>
#include <array>
#include <cstring>

namespace veltaro {

namespace {

int writeInto(GifFileType *gif, const GifByteType *data, int length)
{
    static_cast<QByteArray *>(gif->UserData)->append(reinterpret_cast<const char *>(data), length);
    return length;
}

int nearest(const std::vector<QRgb> &palette, int r, int g, int b)
{
    int best = 0;
    int bestDistance = INT32_MAX;
    for (size_t i = 0; i < palette.size(); ++i) {
        const int dr = qRed(palette[i]) - r, dg = qGreen(palette[i]) - g, db = qBlue(palette[i]) - b;
        const int distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = int(i);
        }
    }
    return best;
}

} // namespace

Indexed indexFrame(const QImage &frame, const std::vector<QRgb> &known)
{
    const int width = frame.width();
    const int height = frame.height();
    Indexed indexed;
    indexed.indices.resize(size_t(width) * size_t(height));
    const auto pixel = [&](int x, int y) {
        return reinterpret_cast<const QRgb *>(frame.constScanLine(y))[x];
    };
    bool grey = true;
    QHash<QRgb, int> colours;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const QRgb p = pixel(x, y) | 0xff000000u;
            grey = grey && qRed(p) == qGreen(p) && qGreen(p) == qBlue(p);
            if (colours.size() <= 256 && !colours.contains(p))
                colours.insert(p, int(colours.size()));
        }
    if (grey) {
        for (int level = 0; level < 256; ++level)
            indexed.palette.push_back(qRgb(level, level, level));
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                indexed.indices[size_t(y) * size_t(width) + size_t(x)] = qRed(pixel(x, y));
        return indexed;
    }
    if (!known.empty() && colours.size() > 256) {
        // The colour table's own colours that the frame holds, never a fit; black and white for
        // the moment written, and where the table's colours in use are more than 254, the least
        // used give way to them.
        QHash<QRgb, int> used;
        for (const QRgb colour : known)
            used.insert(colour | 0xff000000u, 0);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (const auto found = used.find(pixel(x, y) | 0xff000000u); found != used.end())
                    ++found.value();
        std::vector<std::pair<int, QRgb>> byUse;
        for (auto it = used.cbegin(); it != used.cend(); ++it)
            if (it.value() > 0)
                byUse.emplace_back(it.value(), it.key());
        std::sort(byUse.begin(), byUse.end(), [](const auto &a, const auto &b) {
            return a.first != b.first ? a.first > b.first : a.second < b.second;
        });
        QHash<QRgb, int> at;
        const auto take = [&](QRgb colour) {
            if (at.size() < 256 && !at.contains(colour)) {
                at.insert(colour, int(indexed.palette.size()));
                indexed.palette.push_back(colour);
            }
        };
        for (size_t i = 0; i < byUse.size() && i < 254; ++i)
            take(byUse[i].second);
        take(qRgb(0, 0, 0));
        take(qRgb(255, 255, 255));
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const QRgb p = pixel(x, y) | 0xff000000u;
                auto found = at.constFind(p);
                if (found == at.constEnd())
                    found = at.insert(p, nearest(indexed.palette, qRed(p), qGreen(p), qBlue(p)));
                indexed.indices[size_t(y) * size_t(width) + size_t(x)] = static_cast<unsigned char>(found.value());
            }
        return indexed;
    }
    if (colours.size() <= 256) {
        indexed.palette.resize(size_t(colours.size()));
        for (auto it = colours.cbegin(); it != colours.cend(); ++it)
            indexed.palette[size_t(it.value())] = it.key();
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                indexed.indices[size_t(y) * size_t(width) + size_t(x)] =
                    static_cast<unsigned char>(colours.value(pixel(x, y) | 0xff000000u));
        return indexed;
    }
    // A palette fitted to the frame: the 256 most used colours, counted at six bits a channel,
    // then moved a few times to the mean of the colours nearest to each (k-means).
    constexpr int kCells = 1 << 18;
    const auto cellOf = [](QRgb p) { return (qRed(p) >> 2) << 12 | (qGreen(p) >> 2) << 6 | (qBlue(p) >> 2); };
    std::vector<int> counts(kCells, 0);
    std::vector<std::array<qint64, 3>> sums(kCells, {0, 0, 0});
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const QRgb p = pixel(x, y);
            const int cell = cellOf(p);
            ++counts[size_t(cell)];
            sums[size_t(cell)][0] += qRed(p);
            sums[size_t(cell)][1] += qGreen(p);
            sums[size_t(cell)][2] += qBlue(p);
        }
    std::vector<int> cells;
    for (int cell = 0; cell < kCells; ++cell)
        if (counts[size_t(cell)] > 0)
            cells.push_back(cell);
    std::sort(cells.begin(), cells.end(), [&](int a, int b) { return counts[size_t(a)] > counts[size_t(b)]; });
    const auto meanOf = [&](int cell) {
        const qint64 n = counts[size_t(cell)];
        return qRgb(int(sums[size_t(cell)][0] / n), int(sums[size_t(cell)][1] / n), int(sums[size_t(cell)][2] / n));
    };
    for (size_t i = 0; i < std::min<size_t>(cells.size(), 256); ++i)
        indexed.palette.push_back(meanOf(cells[i]));
    constexpr int kRounds = 8;
    for (int round = 0; round < kRounds; ++round) {
        std::vector<std::array<qint64, 4>> moved(indexed.palette.size(), {0, 0, 0, 0});
        for (const int cell : cells) {
            const QRgb mean = meanOf(cell);
            auto &to = moved[size_t(nearest(indexed.palette, qRed(mean), qGreen(mean), qBlue(mean)))];
            to[0] += sums[size_t(cell)][0];
            to[1] += sums[size_t(cell)][1];
            to[2] += sums[size_t(cell)][2];
            to[3] += counts[size_t(cell)];
        }
        for (size_t i = 0; i < indexed.palette.size(); ++i)
            if (moved[i][3] > 0)
                indexed.palette[i] = qRgb(int(moved[i][0] / moved[i][3]), int(moved[i][1] / moved[i][3]),
                                          int(moved[i][2] / moved[i][3]));
    }
    // Light dithering: a quarter of the error goes on, to the right and below, so that smooth
    // greys do not band and the picture stays quiet.
    QHash<QRgb, int> nearestOf;
    std::vector<std::array<int, 3>> below(size_t(width) + 2, {0, 0, 0});
    std::vector<std::array<int, 3>> nextBelow(size_t(width) + 2, {0, 0, 0});
    for (int y = 0; y < height; ++y) {
        std::array<int, 3> right{0, 0, 0};
        std::fill(nextBelow.begin(), nextBelow.end(), std::array<int, 3>{0, 0, 0});
        for (int x = 0; x < width; ++x) {
            const QRgb p = pixel(x, y);
            const int r = std::clamp(qRed(p) + right[0] + below[size_t(x) + 1][0], 0, 255);
            const int g = std::clamp(qGreen(p) + right[1] + below[size_t(x) + 1][1], 0, 255);
            const int b = std::clamp(qBlue(p) + right[2] + below[size_t(x) + 1][2], 0, 255);
            const QRgb wanted = qRgb(r, g, b);
            auto found = nearestOf.constFind(wanted);
            if (found == nearestOf.cend())
                found = nearestOf.insert(wanted, nearest(indexed.palette, r, g, b));
            const int index = *found;
            indexed.indices[size_t(y) * size_t(width) + size_t(x)] = static_cast<unsigned char>(index);
            const QRgb chosen = indexed.palette[size_t(index)];
            const std::array<int, 3> error{r - qRed(chosen), g - qGreen(chosen), b - qBlue(chosen)};
            for (int c = 0; c < 3; ++c) {
                right[size_t(c)] = error[size_t(c)] / 8;
                nextBelow[size_t(x) + 1][size_t(c)] += error[size_t(c)] / 8;
            }
        }
        std::swap(below, nextBelow);
    }
    return indexed;
}

GifEncoder::GifEncoder(std::vector<QRgb> colours) : m_colours(std::move(colours)) {}

GifEncoder::~GifEncoder()
{
    if (m_gif) {
        int error = 0;
        EGifCloseFile(m_gif, &error);
    }
}

void GifEncoder::addFrame(const QImage &frame, int durationMs)
{
    const QImage rgb = frame.convertToFormat(QImage::Format_RGB32);
    int error = 0;
    if (!m_gif) {
        m_size = rgb.size();
        m_gif = EGifOpen(&m_bytes, writeInto, &error);
        if (!m_gif)
            throw EncodeFailure(std::string(said("gifencoder", "无法建立 GIF 编码器：")) + GifErrorString(error));
        EGifSetGifVersion(m_gif, true);
        if (EGifPutScreenDesc(m_gif, m_size.width(), m_size.height(), 8, 0, nullptr) == GIF_ERROR)
            throw EncodeFailure(std::string(said("gifencoder", "GIF 编码失败：")) + GifErrorString(m_gif->Error));
        // Loop for ever.
        unsigned char loop[3] = {1, 0, 0};
        if (EGifPutExtensionLeader(m_gif, APPLICATION_EXT_FUNC_CODE) == GIF_ERROR ||
            EGifPutExtensionBlock(m_gif, 11, "NETSCAPE2.0") == GIF_ERROR ||
            EGifPutExtensionBlock(m_gif, 3, loop) == GIF_ERROR ||
            EGifPutExtensionTrailer(m_gif) == GIF_ERROR)
            throw EncodeFailure(std::string(said("gifencoder", "GIF 编码失败：")) + GifErrorString(m_gif->Error));
    }
    if (rgb.size() != m_size)
        throw EncodeFailure(said("gifencoder", "动画的各帧大小不一"));
    GraphicsControlBlock control;
    control.DisposalMode = DISPOSE_DO_NOT;
    control.UserInputFlag = false;
    control.DelayTime = std::max(1, (durationMs + 5) / 10);
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    GifByteType extension[4];
    const size_t length = EGifGCBToExtension(&control, extension);
    const Indexed indexed = indexFrame(rgb, m_colours);
    std::array<GifColorType, 256> colours{};
    for (size_t i = 0; i < indexed.palette.size(); ++i)
        colours[i] = {GifByteType(qRed(indexed.palette[i])), GifByteType(qGreen(indexed.palette[i])),
                      GifByteType(qBlue(indexed.palette[i]))};
    ColorMapObject *map = GifMakeMapObject(256, colours.data());
    if (!map)
        throw EncodeFailure(said("gifencoder", "内存不足，无法编码 GIF 帧"));
    const bool written =
        EGifPutExtension(m_gif, GRAPHICS_EXT_FUNC_CODE, int(length), extension) != GIF_ERROR &&
        EGifPutImageDesc(m_gif, 0, 0, m_size.width(), m_size.height(), false, map) != GIF_ERROR &&
        [&] {
            std::vector<GifPixelType> row(size_t(m_size.width()));
            for (int y = 0; y < m_size.height(); ++y) {
                std::memcpy(row.data(), indexed.indices.data() + size_t(y) * size_t(m_size.width()),
                            row.size());
                if (EGifPutLine(m_gif, row.data(), m_size.width()) == GIF_ERROR)
                    return false;
            }
            return true;
        }();
    GifFreeMapObject(map);
    if (!written)
        throw EncodeFailure(std::string(said("gifencoder", "GIF 编码失败：")) + GifErrorString(m_gif->Error));
    ++m_framesWritten;
}

QByteArray GifEncoder::finish()
{
    if (!m_gif)
        throw EncodeFailure(said("gifencoder", "没有可以编码的帧"));
    int error = 0;
    const int closed = EGifCloseFile(m_gif, &error);
    m_gif = nullptr;
    if (closed == GIF_ERROR)
        throw EncodeFailure(std::string(said("gifencoder", "GIF 编码失败：")) + GifErrorString(error));
    return m_bytes;
}

} // namespace veltaro
