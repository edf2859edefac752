#include "cloudpicture.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>
#include <QRandomGenerator>
#include <QRegularExpression>

namespace veltaro::sample {

namespace {

// A grid of random grey values, scaled up smoothly: one octave of value noise.
QImage noiseOctave(QRandomGenerator &random, QSize grid, QSize size)
{
    QImage small(grid, QImage::Format_Grayscale8);
    for (int y = 0; y < grid.height(); ++y) {
        uchar *line = small.scanLine(y);
        for (int x = 0; x < grid.width(); ++x)
            line[x] = static_cast<uchar>(random.bounded(256));
    }
    return small.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

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
    QRandomGenerator random(seedFor(name));
    const QImage coarse = noiseOctave(random, {8, 6}, size);
    const QImage medium = noiseOctave(random, {32, 25}, size);
    const QImage fine = noiseOctave(random, {128, 100}, size);

    QImage picture(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        const uchar *c = coarse.constScanLine(y);
        const uchar *m = medium.constScanLine(y);
        const uchar *f = fine.constScanLine(y);
        auto *out = reinterpret_cast<QRgb *>(picture.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            // Clouds where the noise is dense; dark sea and land below them.
            const int density = (c[x] * 4 + m[x] * 2 + f[x]) / 7;
            const int cloud = qBound(0, (density - 110) * 3, 255);
            const int ground = 30 + m[x] / 8;
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
