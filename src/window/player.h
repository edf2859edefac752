#pragma once

#include "query/looplimits.h"
#include "query/moment.h"
#include "retrieval/displaycommand.h"

#include <QObject>
#include <QStringList>
#include <QTimer>

#include <optional>

namespace veltaro {

class DisplayView;
class PicturesAhead;
class Smoother;
class TimeStepper;

// Watching the clouds move. play() shows hour after hour from the picked moment, moving the four
// lists to each frame once it is shown (never ahead of the picture); playLoop() plays the hours that end at the picked moment (24 unless
// set) over and over, forward or back and forth, resting on the last frame if asked. A loop
// keeps its hours until the user picks another moment or span (forgetLoop(), another span):
// stopped and started again, stepped through while paused or chosen on the frame strip, it is
// the same loop, and starting it again goes on from the frame shown. The speed
// is 1 to 10 pictures a second. Each frame is shown as a step shows it (a kept picture without
// the network), and the next frame waits for the one being shown. An hour the archive does not
// have is skipped and named in the status line's reason; the status line says "无法找到" when no
// picture at all could be shown, and when the network cannot be reached, which stops playing.
// Playing stops at the end of the lists' range, at stop(), and whenever the window says so (a
// press of "显示", a list changed by the user, a step, Esc).
class Player : public QObject
{
    Q_OBJECT

public:
    static constexpr int kSlowest = loop::kSlowest;
    static constexpr int kFastest = loop::kFastest;
    static constexpr int kDefaultSpeed = loop::kDefaultSpeed;
    static constexpr int kDefaultLoopHours = loop::kDefaultSpan;
    static constexpr int kLongestRestMs = loop::kLongestRestMs;
    // How many frames are made ready ahead of the one shown.
    static constexpr int kFramesAhead = 6;

    Player(QObject *parent, TimeStepper &stepper, DisplayCommand &display, DisplayView &view);

    bool isPlaying() const { return m_timer.isActive(); }
    bool isLooping() const { return isPlaying() && m_looping; }
    int speed() const { return m_speed; }
    int loopHours() const { return m_loopHours; }
    bool backAndForth() const { return m_backAndForth; }
    int restMs() const { return m_restMs; }
    QStringList skipped() const { return m_skipped; }
    // The hours being played or looped, in order: the loop (kept while paused); while playing
    // on, the span of that many hours the frame shown lies in; otherwise the hours a loop would
    // play now.
    std::vector<Moment> span() const;
    // The hours of the loop kept (playing or paused); empty when there is none.
    std::vector<Moment> loop() const;
    // A moment or a span picked anew: the next loop ends at the picked moment.
    void forgetLoop();

    void play();
    void playLoop();
    void togglePlay();
    void stop();
    void faster();
    void slower();
    void setSpeed(int picturesPerSecond);
    void setLoopHours(int hours);
    void setBackAndForth(bool on);
    // How long the last frame of a loop stays before the loop begins again.
    void setRestMs(int ms);

    void setPicturesAhead(PicturesAhead *ahead) { m_ahead = ahead; }
    // Frames made between the hours, shown on the ticks between real frames while it is on.
    void setSmoother(Smoother *smoother) { m_smoother = smoother; }

    // Stops playing and the frame being fetched: the lists go back to the picture still shown.
    void cancelFrame();

signals:
    // Playing started or stopped, or the speed, the span or the way of looping changed.
    void changed();
    // An hour of the span could not be shown.
    void skippedHour(const veltaro::Moment &moment);
    // A real frame was shown while smoothing: the frames between it and `next` may be made.
    // `next`, the real frame after it, when the frames between may be made; the pair from
    // `aheadFrom` to `aheadTo` is made ahead.
    void smoothFrom(const veltaro::Moment &shown, const std::optional<veltaro::Moment> &next,
                    const std::optional<veltaro::Moment> &aheadFrom,
                    const std::optional<veltaro::Moment> &aheadTo);

private:
    void start(const Moment &first);
    void loopEndingAt(const Moment &end);
    void nextFrame();
    void showFrame();
    void frameEnded(const DisplayCommand::Outcome &outcome);
    void applySpeed();
    std::optional<Moment> after(const Moment &moment);
    // The loop's ends while it plays; nothing while playing on.
    std::optional<Moment> loopStart() const { return m_looping ? m_loopStart : std::nullopt; }
    std::optional<Moment> loopEnd() const { return m_looping ? m_loopEnd : std::nullopt; }
    void wantAhead();

    TimeStepper &m_stepper;
    DisplayCommand &m_display;
    DisplayView &m_view;
    QTimer m_timer;
    int m_speed = kDefaultSpeed;
    int m_loopHours = kDefaultLoopHours;
    bool m_backAndForth = false;
    int m_restMs = 0;
    std::optional<Moment> m_shownLast; // the moment of the last picture shown, by any run
    // The loop kept, from its first hour to its last; m_looping while it plays.
    std::optional<Moment> m_loopStart;
    std::optional<Moment> m_loopEnd;
    bool m_looping = false;
    std::optional<Moment> m_spanStart; // while playing on
    std::optional<Moment> m_frameAt; // the frame being shown or last tried, while playing
    std::optional<Moment> m_listsAtFrame; // what the lists named when that frame was asked for
    int m_direction = 1;
    bool m_resting = false;
    bool m_shownAny = false;
    QStringList m_skipped;
    PicturesAhead *m_ahead = nullptr;
    Smoother *m_smoother = nullptr;
    int m_madeStep = 0; // the made frame the next tick shows; 0 for a real one
    int m_madeTotal = 0; // steps between the real frame shown and the next
    std::vector<Moment> m_jumpOver; // missing hours the made frames fill
};

// What Esc does before it leaves full screen: cancels a running download, and stops the
// playing it belongs to; else stops playing. False when nothing ran.
bool stopWhatRuns(DisplayCommand &display, Player &player);

} // namespace veltaro
