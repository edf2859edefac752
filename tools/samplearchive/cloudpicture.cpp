#include "cloudpicture.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>
#include <QDate>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace veltaro::sample {

namespace {

quint32 seedFor(const QString &name)
{
    // FNV-1a: stable across runs and platforms, unlike qHash.
    quint32 hash = 2166136261u;
    for (char c : name.toUtf8()) {
        hash ^= static_cast<uchar>(c);
        hash *= 16777619u;
    }
    return hash;
}

// A value in [0, 1) for a lattice point, the same on every platform.
double lattice(qint64 x, qint64 y, qint64 z, quint32 seed)
{
    quint64 h = quint64(x) * 0x9E3779B97F4A7C15ull ^ quint64(y) * 0xC2B2AE3D27D4EB4Full ^
                quint64(z) * 0x165667B19E3779F9ull ^ seed;
    h ^= h >> 29;
    h *= 0xBF58476D1CE4E5B9ull;
    h ^= h >> 32;
    return double(h >> 11) / double(1ull << 53);
}

double smooth(double t)
{
    return t * t * (3 - 2 * t);
}

// Value noise in three dimensions (the third is time), smoothly interpolated, in [0, 1).
double noise(double x, double y, double z, quint32 seed)
{
    const double fx = std::floor(x), fy = std::floor(y), fz = std::floor(z);
    const auto ix = qint64(fx), iy = qint64(fy), iz = qint64(fz);
    const double tx = smooth(x - fx), ty = smooth(y - fy), tz = smooth(z - fz);
    double layers[2];
    for (int k = 0; k < 2; ++k) {
        const double a = lattice(ix, iy, iz + k, seed), b = lattice(ix + 1, iy, iz + k, seed);
        const double c = lattice(ix, iy + 1, iz + k, seed), d = lattice(ix + 1, iy + 1, iz + k, seed);
        const double top = a + (b - a) * tx, bottom = c + (d - c) * tx;
        layers[k] = top + (bottom - top) * ty;
    }
    return layers[0] + (layers[1] - layers[0]) * tz;
}

// The hour a picture's name stands for, counted from 2006-01-01 00:00 UTC; another name gets
// an hour of its own, far from the archive's.
double hourOf(const QString &name)
{
    static const QRegularExpression form(QStringLiteral("^(\\d)(\\d\\d)(\\d\\d)(\\d\\d)$"));
    const auto match = form.match(name);
    const QDate date = match.hasMatch() ? QDate(2000 + match.captured(1).toInt(), match.captured(2).toInt(),
                                                match.captured(3).toInt())
                                        : QDate();
    if (!date.isValid())
        return 1e6 + seedFor(name) % 100000;
    return double(QDate(2006, 1, 1).daysTo(date)) * 24 + match.captured(4).toInt();
}

// How dense the clouds are at a point (in a 1400-pixel-wide frame) at an hour: one field
// carried by a wind that changes across the picture and slowly over the days, its cells
// growing and decaying over a few hours. Two fields carried from epochs a day apart are
// blended so that no field is carried long enough to be torn apart by the wind's changes.
double density(double x, double y, double hour)
{
    constexpr double kEpoch = 24;
    // The wind, in pixels an hour: westerly, stronger to the north, turning slowly.
    const double turn = 0.5 * std::sin(hour / (24 * 7) * 2 * std::numbers::pi);
    const double speed = 14 + 10 * std::cos(y / 1100 * std::numbers::pi) + 4 * std::sin(x / 700 + hour / 90);
    const double windX = speed * std::cos(turn);
    const double windY = speed * std::sin(turn) + 3 * std::sin(x / 350);
    const double phase = hour / kEpoch;
    double total = 0;
    for (int k = 0; k < 2; ++k) {
        // Epochs every day, the two in use offset by half of that.
        const double shifted = phase + 0.5 * k;
        const double epoch = std::floor(shifted);
        const double age = (shifted - epoch) * kEpoch; // hours since this field's epoch
        const double weight = 1 - std::abs(2 * (shifted - epoch) - 1); // 0 at its ends, 1 between
        const double px = x - windX * age, py = y - windY * age;
        const auto seed = quint32(qint64(epoch) * 2 + k);
        const double field = (4 * noise(px / 220, py / 220, 0, seed) + 2 * noise(px / 60, py / 60, 0, seed + 7919) +
                              noise(px / 18, py / 18, 0, seed + 104729)) / 7;
        total += weight * field;
    }
    // Cells that grow and decay over about six hours, where they are carried to.
    const double life = noise((x - windX * 3) / 300, (y - windY * 3) / 300, hour / 6, 424242);
    return total * (0.75 + 0.5 * life);
}

} // namespace

QString utcLabel(const QString &name)
{
    static const QRegularExpression form(QStringLiteral("^(\\d)(\\d\\d)(\\d\\d)(\\d\\d)$"));
    const auto match = form.match(name);
    if (!match.hasMatch())
        return name;
    return QStringLiteral("200%1-%2-%3 %4:00 UTC")
        .arg(match.captured(1), match.captured(2), match.captured(3), match.captured(4));
}

QImage cloudPicture(const QString &name, QSize size)
{
    // Worked out on a grid of half the size and spread over the pixels in between, in plain
    // arithmetic: the same picture on every processor.
    const double hour = hourOf(name);
    const double scale = 1400.0 / std::max(1, size.width());
    const int gridW = size.width() / 2 + 2, gridH = size.height() / 2 + 2;
    std::vector<double> grid(size_t(gridW) * size_t(gridH));
    for (int gy = 0; gy < gridH; ++gy)
        for (int gx = 0; gx < gridW; ++gx)
            grid[size_t(gy) * size_t(gridW) + size_t(gx)] = density(gx * 2 * scale, gy * 2 * scale, hour);

    QImage picture(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        auto *out = reinterpret_cast<QRgb *>(picture.scanLine(y));
        const int gy = y / 2;
        const double ty = (y % 2) * 0.5;
        for (int x = 0; x < size.width(); ++x) {
            const int gx = x / 2;
            const double tx = (x % 2) * 0.5;
            const double *row = &grid[size_t(gy) * size_t(gridW)];
            const double *next = row + gridW;
            const double top = row[gx] + (row[gx + 1] - row[gx]) * tx;
            const double bottom = next[gx] + (next[gx + 1] - next[gx]) * tx;
            const double dense = (top + (bottom - top) * ty) * 255;
            // Clouds where the field is dense; dark sea and land below them.
            const int cloud = qBound(0, int((dense - 118) * 3.2), 255);
            const int ground = 30 + int(dense) / 16;
            out[x] =
                qRgb(ground + cloud * (255 - ground) / 255, ground + cloud * (255 - ground) / 255,
                     ground + 25 + cloud * (230 - ground) / 255);
        }
    }

    QPainter painter(&picture);
    painter.setPen(QColor(220, 200, 60, 120));
    for (int x = 0; x < size.width(); x += 100)
        painter.drawLine(x, 0, x, size.height());
    for (int y = 0; y < size.height(); y += 100)
        painter.drawLine(0, y, size.width(), y);

    QFont font = painter.font();
    font.setPixelSize(28);
    painter.setFont(font);
    const QRect label(16, 16, 420, 44);
    painter.fillRect(label, QColor(0, 0, 0, 160));
    painter.setPen(Qt::yellow);
    painter.drawText(label, Qt::AlignCenter, utcLabel(name));
    return picture;
}

QByteArray cloudJpeg(const QString &name, QSize size, bool progressive, int quality)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(quality);
    writer.setProgressiveScanWrite(progressive);
    if (!writer.write(cloudPicture(name, size)))
        qFatal("cannot encode the sample picture: %s", qPrintable(writer.errorString()));
    return bytes;
}

QByteArray checkerboardJpeg(QSize size)
{
    QImage board(size, QImage::Format_Grayscale8);
    for (int y = 0; y < size.height(); ++y) {
        uchar *row = board.scanLine(y);
        for (int x = 0; x < size.width(); ++x)
            row[x] = (x + y) % 2 ? 255 : 0;
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    board.save(&buffer, "JPEG", 100);
    return bytes;
}

} // namespace veltaro::sample
