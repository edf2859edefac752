#include "window/player.h"

#include "retrieval/displayview.h"
#include "retrieval/picturesahead.h"
#include "window/smoother.h"
#include "window/timestepper.h"

#include <algorithm>

namespace veltaro {

namespace {

// The moment after `moment` in a loop from `first` to `last`, turning at the ends when going
// back and forth; `direction` is +1 or -1 and turns with it.
std::optional<Moment> following(const Moment &moment, const std::optional<Moment> &first,
                                const std::optional<Moment> &last, bool backAndForth,
                                int &direction)
{
    if (!first || !last)
        return steppedBy(moment, 1);
    if (!backAndForth)
        return moment == *last ? first : steppedBy(moment, 1);
    if (direction > 0 && moment == *last)
        direction = -1;
    else if (direction < 0 && moment == *first)
        direction = 1;
    return steppedBy(moment, direction);
}

// The hours from `first` to `last`, both included; none without both.
std::vector<Moment> hoursFrom(const std::optional<Moment> &first, const std::optional<Moment> &last)
{
    std::vector<Moment> hours;
    for (std::optional<Moment> moment = first; moment && last; moment = steppedBy(*moment, 1)) {
        hours.push_back(*moment);
        if (*moment == *last)
            break;
    }
    return hours;
}

} // namespace

Player::Player(QObject *parent, TimeStepper &stepper, DisplayCommand &display, DisplayView &view)
    : QObject(parent), m_stepper(stepper), m_display(display), m_view(view)
{
    connect(&m_timer, &QTimer::timeout, this, &Player::nextFrame);
    connect(&m_display, &DisplayCommand::finished, this, &Player::frameEnded);
    applySpeed();
}

std::vector<Moment> Player::loop() const
{
    return hoursFrom(m_loopStart, m_loopEnd);
}

void Player::forgetLoop()
{
    if (!m_loopStart)
        return;
    const bool looping = isLooping();
    m_loopStart.reset();
    m_loopEnd.reset();
    if (looping)
        stop();
    emit changed();
}

std::vector<Moment> Player::span() const
{
    std::optional<Moment> first = m_loopStart;
    std::optional<Moment> last = m_loopEnd;
    if (isPlaying() && !m_looping && m_spanStart) {
        first = last = m_spanStart;
        for (int hour = 1; hour < m_loopHours && last; ++hour)
            if (const auto later = steppedBy(*last, 1))
                last = later;
    } else if (!m_loopStart) {
        // What a loop would play now: the hours that end at the picked moment.
        const auto picked = m_stepper.picked();
        return picked ? hoursEndingAt(*picked, m_loopHours) : std::vector<Moment>();
    }
    return hoursFrom(first, last);
}

void Player::play()
{
    if (!m_stepper.picked())
        return;
    m_looping = false;
    m_spanStart = m_stepper.picked();
    start(*m_spanStart);
}

void Player::playLoop()
{
    const auto picked = m_stepper.picked();
    const std::vector<Moment> kept = loop();
    if (picked && std::find(kept.begin(), kept.end(), *picked) != kept.end()) {
        // The loop kept, again from the frame shown.
        m_looping = true;
        start(*picked);
        return;
    }
    // A new loop: the hours that end at the moment the lists show now.
    if (picked)
        loopEndingAt(*picked);
}

void Player::loopEndingAt(const Moment &end)
{
    m_loopStart.reset();
    m_loopEnd.reset();
    const std::vector<Moment> hours = hoursEndingAt(end, m_loopHours);
    if (hours.empty())
        return;
    if (hours.size() == 1) {
        // The first moment of the lists has nothing before it to loop over: it is shown once.
        stop();
        m_display.run(DisplayCommand::Kind::Step);
        return;
    }
    m_loopStart = hours.front();
    m_loopEnd = hours.back();
    m_looping = true;
    start(hours.front());
}

void Player::start(const Moment &first)
{
    m_frameAt = first;
    m_madeStep = 0;
    m_jumpOver.clear();
    m_shownAny = false;
    m_resting = false;
    m_direction = 1;
    m_skipped.clear();
    m_view.setStatus(QString(), QString()); // frames are quiet: what was said before is over
    applySpeed();
    m_timer.start();
    emit changed();
    showFrame();
}

void Player::togglePlay()
{
    if (isPlaying())
        stop();
    else
        play();
}

void Player::stop()
{
    const bool wasPlaying = isPlaying();
    if (m_ahead && wasPlaying)
        m_ahead->want({}); // back to no pictures held ahead
    m_timer.stop();
    m_looping = false; // the loop's hours stay for the next start
    if (wasPlaying)
        emit changed();
}

void Player::faster()
{
    setSpeed(m_speed + 1);
}

void Player::slower()
{
    setSpeed(m_speed - 1);
}

void Player::setSpeed(int picturesPerSecond)
{
    const int speed = std::clamp(picturesPerSecond, kSlowest, kFastest);
    if (speed == m_speed)
        return;
    m_speed = speed;
    if (!m_resting)
        applySpeed();
    emit changed();
}

void Player::setLoopHours(int hours)
{
    if (hours < 2 || hours == m_loopHours)
        return;
    m_loopHours = hours;
    if (m_loopEnd) {
        // Another span starts a new loop, ending where the old one did.
        const Moment end = *m_loopEnd;
        const bool looping = isLooping();
        m_loopStart.reset();
        m_loopEnd.reset();
        if (looping) {
            loopEndingAt(end);
            return;
        }
        const std::vector<Moment> hours = hoursEndingAt(end, m_loopHours);
        if (hours.size() > 1) {
            m_loopStart = hours.front();
            m_loopEnd = hours.back();
        }
    }
    emit changed();
}

void Player::setBackAndForth(bool on)
{
    if (on == m_backAndForth)
        return;
    m_backAndForth = on;
    m_direction = 1;
    emit changed();
}

void Player::setRestMs(int ms)
{
    m_restMs = std::clamp(ms, 0, kLongestRestMs);
    emit changed();
}

void Player::applySpeed()
{
    m_timer.setInterval(1000 / m_speed);
}

void Player::nextFrame()
{
    // A frame still being fetched or prepared holds the next one back.
    if (m_display.isRunning())
        return;
    // Smoothing: the ticks between two real frames show the frames made between them.
    if (m_smoother && m_smoother->isOn() && m_madeStep > 0 && m_madeStep < m_madeTotal) {
        m_smoother->show(m_madeStep++);
        return;
    }
    m_madeStep = 0;
    // Hours known to be missing that the made frames filled: still named, not asked for again.
    if (!m_jumpOver.empty()) {
        for (const Moment &missing : m_jumpOver)
            emit skippedHour(missing);
        m_frameAt = m_jumpOver.back();
        m_jumpOver.clear();
    }
    const auto now = m_frameAt;
    if (m_resting) {
        m_resting = false;
        applySpeed();
    } else if (now && isLooping() && m_restMs > 0 && *now == *m_loopEnd && m_direction > 0) {
        m_resting = true; // the last frame stays a while
        m_timer.setInterval(m_restMs);
        return;
    }
    const auto next = now ? following(*now, loopStart(), loopEnd(), m_backAndForth, m_direction)
                          : std::nullopt;
    if (!next) {
        stop(); // the end of the lists' range
        return;
    }
    if (!isLooping() && m_spanStart) {
        // Playing on past the span: the next span begins here.
        const std::vector<Moment> hours = span();
        if (std::find(hours.begin(), hours.end(), *next) == hours.end()) {
            m_spanStart = next;
            emit changed();
        }
    }
    m_frameAt = next;
    showFrame();
}

void Player::wantAhead()
{
    if (!m_ahead)
        return;
    std::vector<Moment> next;
    std::optional<Moment> moment = m_frameAt;
    int direction = m_direction;
    for (int i = 0; i < kFramesAhead && moment; ++i) {
        moment = following(*moment, loopStart(), loopEnd(), m_backAndForth, direction);
        if (moment)
            next.push_back(*moment);
    }
    m_ahead->want(next);
}

void Player::showFrame()
{
    // The lists are moved once the frame is shown, never before.
    m_listsAtFrame = m_stepper.picked();
    m_display.run(DisplayCommand::Kind::Frame, textsOf(*m_frameAt));
}

void Player::cancelFrame()
{
    stop();
    m_display.cancel();
    if (m_shownLast)
        m_stepper.showInLists(*m_shownLast);
}

bool stopWhatRuns(DisplayCommand &display, Player &player)
{
    if (display.isDownloading()) {
        // A frame's download belongs to playing: both stop with the one press.
        if (display.kind() == DisplayCommand::Kind::Frame)
            player.cancelFrame();
        else
            display.cancel();
        return true;
    }
    if (player.isPlaying()) {
        player.stop();
        return true;
    }
    return false;
}

void Player::frameEnded(const DisplayCommand::Outcome &outcome)
{
    if (outcome.shown)
        m_shownLast = momentOf(outcome.picked);
    // A frame shown: the lists name it, unless the user has picked another moment meanwhile.
    if (outcome.shown && outcome.kind == DisplayCommand::Kind::Frame && m_shownLast &&
        m_stepper.picked() == m_listsAtFrame)
        m_stepper.showInLists(*m_shownLast);
    // Only the player's own frames count, and only while it plays: what stopped it has the
    // status line.
    if (!isPlaying() || outcome.kind != DisplayCommand::Kind::Frame || outcome.cancelled)
        return;
    if (outcome.unreachable) {
        // Without a network every hour would fail in turn: playing stops, with the one reason.
        stop();
        m_view.setStatus(statusNotFound(),
                         tr("网络不通，已停止播放：") + outcome.reason);
        return;
    }
    if (outcome.shown) {
        m_shownAny = true;
        // Frames are made between neighbouring hours, forward and back, placed by their real
        // times: across hours known to be missing (from an earlier pass) up to the longest gap,
        // the next real hour is the pair's other end.
        if (m_smoother && m_smoother->isOn() && m_shownLast && !m_resting) {
            const Moment shown = *m_shownLast;
            const auto missing = [this](const Moment &moment) {
                return m_skipped.contains(QString::fromStdString(momentText(moment)));
            };
            // `to`, `hours` after or before `from` along the way the loop goes.
            const auto along = [](const Moment &from, const std::optional<Moment> &to, int hours) {
                return to && (to == steppedBy(from, hours) || to == steppedBy(from, -hours));
            };
            int direction = m_direction;
            auto next = following(shown, loopStart(), loopEnd(), m_backAndForth, direction);
            int gap = 1;
            std::vector<Moment> passed;
            while (along(shown, next, gap) && missing(*next) && gap < m_smoother->longestGap()) {
                passed.push_back(*next);
                next = following(*next, loopStart(), loopEnd(), m_backAndForth, direction);
                ++gap;
            }
            const bool between = along(shown, next, gap) && !missing(*next);
            // The pair after it is made ahead; where the loop returns to its start after `next`,
            // the pair it starts with, which has a frame's time less to be made in.
            std::optional<Moment> aheadFrom = next;
            std::optional<Moment> aheadTo =
                next ? following(*next, loopStart(), loopEnd(), m_backAndForth, direction) : std::nullopt;
            if (aheadFrom && aheadTo && !along(*aheadFrom, aheadTo, 1)) {
                aheadFrom = aheadTo;
                aheadTo = following(*aheadFrom, loopStart(), loopEnd(), m_backAndForth, direction);
            }
            const bool ahead = aheadFrom && along(*aheadFrom, aheadTo, 1) && !missing(*aheadFrom) && !missing(*aheadTo);
            m_madeStep = between ? 1 : 0;
            m_madeTotal = between ? m_smoother->steps() * gap : 0;
            m_jumpOver = between ? passed : std::vector<Moment>();
            emit smoothFrom(shown, between ? next : std::nullopt, ahead ? aheadFrom : std::nullopt,
                            ahead ? aheadTo : std::nullopt);
        }
    } else if (const auto moment = momentOf(outcome.picked)) {
        const QString hour = QString::fromStdString(momentText(*moment));
        if (!m_skipped.contains(hour))
            m_skipped << hour;
        emit skippedHour(*moment);
    }
    if (!m_skipped.isEmpty()) {
        const QString reason = tr("跳过了无法显示的时刻（北京时间）：") +
                               m_skipped.join(tr("、"));
        m_view.setStatus(m_shownAny ? QString() : statusNotFound(), reason);
    }
    wantAhead();
}

} // namespace veltaro
