#include "export/loopframes.h"

#include <QCoreApplication>

#include <QFont>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace veltaro {

int frameDurationMs(const FramePlan &plan)
{
    return 1000 / std::clamp(plan.picturesPerSecond, loop::kSlowest, loop::kFastest);
}

std::vector<TimedFrame> frameOrder(int count, const FramePlan &plan)
{
    std::vector<TimedFrame> frames;
    const int each = frameDurationMs(plan);
    for (int i = 0; i < count; ++i)
        frames.push_back({i, each});
    if (frames.empty())
        return frames;
    frames.back().durationMs += plan.restMs;
    if (plan.backAndForth)
        for (int i = count - 2; i > 0; --i)
            frames.push_back({i, each});
    return frames;
}

QSize frameSize(QSize size, const FramePlan &plan)
{
    if (plan.longestSide == 0 || size.isEmpty())
        return size;
    if (plan.longestSide == -2)
        return QSize(std::max(1, size.width() / 2), std::max(1, size.height() / 2));
    const int longest = std::max(size.width(), size.height());
    if (longest <= plan.longestSide)
        return size;
    const double scale = double(plan.longestSide) / longest;
    return QSize(std::max(1, int(std::lround(size.width() * scale))),
                 std::max(1, int(std::lround(size.height() * scale))));
}

QImage scaledFrame(const QImage &picture, const FramePlan &plan)
{
    const QSize size = frameSize(picture.size(), plan);
    const QImage scaled = size == picture.size()
                              ? picture
                              : picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return scaled.convertToFormat(QImage::Format_RGB32);
}

QString madeMomentText(const Moment &from, int step, int steps)
{
    return QCoreApplication::translate("veltaro::LoopExport", "北京时间 %1 · 插值")
        .arg(QString::fromStdString(betweenText(from, step, steps)));
}

void burnMoment(QImage &frame, const QString &text)
{
    QPainter painter(&frame);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font = painter.font();
    font.setPixelSize(std::max(12, frame.height() / 28));
    font.setBold(true);
    const QFontMetrics metrics(font);
    const int margin = std::max(4, font.pixelSize() / 2);
    QPainterPath path;
    path.addText(margin, frame.height() - margin - metrics.descent(), font, text);
    painter.setPen(QPen(Qt::black, std::max(2.0, font.pixelSize() / 6.0), Qt::SolidLine, Qt::RoundCap,
                        Qt::RoundJoin));
    painter.drawPath(path);
    painter.fillPath(path, Qt::white);
}

} // namespace veltaro
