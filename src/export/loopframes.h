#pragma once

#include "query/looplimits.h"
#include "query/moment.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <vector>

namespace veltaro {

// How a loop's pictures become frames: their order and how long each shows, their size, and the
// moment written on each.
struct FramePlan
{
    int picturesPerSecond = loop::kDefaultSpeed;
    bool backAndForth = false;  // 1 2 3 2 1 2 3 ... instead of 1 2 3 1 2 3
    int restMs = 0;             // added to the last picture's time
    // The size: 0 the original, -2 half of it, otherwise the longest side in pixels; by default
    // a size that a messenger or a page shows whole.
    int longestSide = 1024;
    bool label = true;
    // Smooth: each hour cut into this many steps, the frames between two consecutive hours of
    // the way forward made by optical flow and labelled "插值"; 1 for none.
    int smoothSteps = 1;
    // Across a gap of at most so many hours (missing hours, every 2 or 3 hours); over a longer
    // one the loop jumps.
    int smoothGapHours = loop::kDefaultSmoothGapHours;
};

struct TimedFrame
{
    int picture; // index into the pictures
    int durationMs;
};

// How long each frame shows, before the rest added to the last of the way forward.
int frameDurationMs(const FramePlan &plan);

// The frames for `count` pictures.
std::vector<TimedFrame> frameOrder(int count, const FramePlan &plan);

// The size a picture of `size` is encoded at.
QSize frameSize(QSize size, const FramePlan &plan);

// The picture at the frame size (smoothly scaled), as RGB32.
QImage scaledFrame(const QImage &picture, const FramePlan &plan);

// "北京时间 2008-07-18 08:30 · 插值": a frame made `step` of `steps` an hour from `from` (before
// it when negative), as the window and the exported frames name it.
QString madeMomentText(const Moment &from, int step, int steps);

// Writes `text` (the moment, "北京时间 2008-07-18 10:00") at the bottom left, white with a black
// outline, so that it reads on white cloud and on black space alike. Needs a QGuiApplication
// (its fonts).
void burnMoment(QImage &frame, const QString &text);

} // namespace veltaro
