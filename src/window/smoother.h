#pragma once

#include "picture/enhancement.h"
#include "query/looplimits.h"
#include "query/moment.h"

#include <QImage>
#include <QObject>
#include <QStringList>

#include <optional>
#include <vector>

namespace veltaro {

class Transfer;

// Smooth playing: between two real hours of playback, N − 1 frames made by optical flow (N is
// 2, 3 or 4), so that the speed counts every frame shown, forward or back in time; across
// missing hours, by their real times, up to longestGap() hours. When a real frame has been shown, the
// next hour's picture is taken from the kept copies (the pictures fetched ahead put it there),
// and the flows and the frames between are made off the window's thread, enhanced as the
// pictures are; the pair after it is made ahead at the same time. At most kPairsHeld pairs'
// frames are held. Playing never waits for them: a frame not made in time is passed over and the
// real one stands (counted in missed()). A made frame is never staged as temp.jpg nor saved as
// downloaded; what shows it marks it "插值" (madeMomentText). A pair asked for after another drops the other.
class Smoother : public QObject
{
    Q_OBJECT

public:
    static constexpr int kFewestSteps = loop::kFewestSmoothSteps;
    static constexpr int kMostSteps = loop::kMostSmoothSteps;
    static constexpr int kPairsHeld = 3;

    explicit Smoother(Transfer &transfer, QObject *parent = nullptr);

    bool isOn() const { return m_on; }
    int steps() const { return m_steps; }
    int longestGap() const { return m_longestGap; }
    void setOn(bool on);
    void setSteps(int steps);
    // One of loop::kSmoothGaps; another is taken as the nearest below it.
    void setLongestGap(int hours);

    // A real frame was shown: its moment and picture as decoded, and `next`, the real frame to
    // show after it when the frames between the two are to be made (at most longestGap() hours
    // later or earlier); the frames from `aheadFrom` to `aheadTo` (the pair to come, also where
    // a loop turns back) are made ahead.
    void prepare(const Moment &shown, const QImage &picture, const std::optional<Moment> &next,
                 const std::optional<Moment> &aheadFrom, const std::optional<Moment> &aheadTo);
    // The frames are seen as the pictures are: those made before are dropped.
    void setEnhancement(const Enhancement &enhancement);
    // Shows made frame `step` (1 .. steps() × hours − 1) of the pair prepared; false when it was
    // not made in time (the real frame stands).
    bool show(int step);
    int missed() const { return m_missed; }
    int shown() const { return m_shown; }

signals:
    void changed();
    // A made frame to show in the picture's place: grey as made, `seen` enhanced.
    // `fraction` of an hour from the hour shown before it (negative back in time).
    void frameMade(const QImage &picture, const QImage &seen, const QString &moment, double fraction);

private:
    Transfer &m_transfer;
    bool m_on = false;
    int m_steps = kFewestSteps;
    int m_longestGap = loop::kDefaultSmoothGapHours;
    // Starts making the frames between `from` (its picture, or its kept bytes) and `to`, by
    // their real times: steps() × hours − 1 frames for `to` so many hours away.
    void make(const Moment &from, const QImage &picture, const QByteArray &fromBytes, const Moment &to);
    // Lets every frame made go: they were made otherwise than they would be now.
    void forget();

    struct Pair
    {
        Moment from;
        Moment to;
        int hours; // `to` so many hours after `from`, negative before it
        // Grey as made and seen, for steps 1 .. steps() × hours − 1; empty while being made.
        std::vector<std::pair<QImage, QImage>> frames;
    };

    quint64 m_generation = 0;
    std::optional<Moment> m_from;
    std::optional<Moment> m_to;
    std::vector<Pair> m_pairs;
    Enhancement m_enhancement;
    int m_missed = 0;
    int m_shown = 0;
};

} // namespace veltaro
