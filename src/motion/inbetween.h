#pragma once

#include <QImage>

#include <memory>

namespace veltaro::motion {

// Two neighbouring pictures of a loop and the frames between them: the dense optical flow is
// worked out both ways (DIS, its fast preset), each picture is carried along it toward the time
// asked for, and the two are blended by their distance in time. Where the two flows disagree
// (a point carried forward does not come back to where it started), or where a point and the
// place it is carried to look unlike (clouds that hide each other, that grow or vanish), the
// frame takes a cross-fade of the two pictures there instead. The flow is worked out on grey
// levels; grey pictures (Format_Grayscale8) make grey frames, any other is carried in its
// colours and makes RGB32 frames.
// Heavy: made off the window's thread. Pictures of two sizes raise PictureFailure.
class FramePair
{
public:
    // How far apart the two flows may end, in pixels, for a point to be trusted.
    static constexpr float kLeastDisagreement = 1.0f;
    // ... or this share of how far the point moved, when that is more.
    static constexpr float kDisagreementShare = 0.25f;
    // The flow is worked out on pictures this large at most (their longer side).
    static constexpr int kFlowSide = 800;
    // How far apart, in grey levels, a point and where the flow carries it may look.
    static constexpr int kLargestMismatch = 40;

    FramePair(const QImage &first, const QImage &second);
    ~FramePair();
    FramePair(FramePair &&) noexcept;
    FramePair &operator=(FramePair &&) noexcept;

    // The frame at `t` between the first picture (0) and the second (1).
    QImage frameAt(double t) const;
    // The share of the pixels where the two flows agree, 0 to 1.
    double trustedShare() const;

private:
    struct Flows;
    std::unique_ptr<Flows> m_flows;
};

// The two pictures mixed, (1 − t) of the first and t of the second, as grey levels.
QImage crossFade(const QImage &first, const QImage &second, double t);

} // namespace veltaro::motion
