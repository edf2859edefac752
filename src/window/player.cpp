#include "window/player.h"

#include "retrieval/displaycommand.h"
#include "retrieval/displayview.h"
#include "retrieval/picturesahead.h"
#include "window/timestepper.h"

#include <QAction>
#include <QShortcut>
#include <QWidget>

#include <algorithm>

namespace veltaro {

Player::Player(QWidget *window, TimeStepper &stepper, DisplayCommand &display, DisplayView &view)
    : QObject(window), m_stepper(stepper), m_display(display), m_view(view),
      m_playAction(new QAction(QStringLiteral("播放"), this)),
      m_fasterAction(new QAction(QStringLiteral("加快播放"), this)),
      m_slowerAction(new QAction(QStringLiteral("减慢播放"), this))
{
    m_playAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    m_fasterAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_BracketRight));
    m_slowerAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_BracketLeft));
    for (QAction *action : actions()) {
        action->setShortcutContext(Qt::WindowShortcut);
        window->addAction(action);
    }
    connect(m_playAction, &QAction::triggered, this, &Player::togglePlay);
    connect(m_fasterAction, &QAction::triggered, this, &Player::faster);
    connect(m_slowerAction, &QAction::triggered, this, &Player::slower);
    auto *loop = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P), window);
    connect(loop, &QShortcut::activated, this, &Player::playLoop);
    connect(&m_timer, &QTimer::timeout, this, &Player::nextFrame);
    applySpeed();
}

QList<QAction *> Player::actions() const
{
    return {m_playAction, m_fasterAction, m_slowerAction};
}

void Player::play()
{
    if (!m_stepper.picked())
        return;
    m_loopStart.reset();
    m_loopEnd.reset();
    start();
}

void Player::playLoop()
{
    const auto end = m_stepper.picked();
    if (!end)
        return;
    // The day that ends at the picked moment, or as much of it as the lists reach.
    Moment start = *end;
    for (int hour = 1; hour < kLoopHours; ++hour) {
        if (const auto earlier = steppedBy(start, -1))
            start = *earlier;
    }
    m_loopStart = start;
    m_loopEnd = end;
    m_stepper.showInLists(start);
    this->start();
}

void Player::start()
{
    m_shownAny = false;
    m_skipped.clear();
    m_playAction->setText(QStringLiteral("暂停"));
    m_timer.start();
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
    if (m_ahead && isPlaying())
        m_ahead->want({}); // back to no pictures held ahead
    m_timer.stop();
    m_loopStart.reset();
    m_loopEnd.reset();
    m_playAction->setText(QStringLiteral("播放"));
}

void Player::faster()
{
    m_speed = std::min(kFastest, m_speed + 1);
    applySpeed();
}

void Player::slower()
{
    m_speed = std::max(kSlowest, m_speed - 1);
    applySpeed();
}

void Player::applySpeed()
{
    m_timer.setInterval(1000 / m_speed);
    m_fasterAction->setEnabled(m_speed < kFastest);
    m_slowerAction->setEnabled(m_speed > kSlowest);
}

void Player::nextFrame()
{
    // A frame still being fetched holds the next one back.
    if (m_display.isRunning())
        return;
    const auto now = m_stepper.picked();
    const auto next = now ? after(*now) : std::nullopt;
    if (!next) {
        stop(); // the end of the lists' range
        return;
    }
    m_stepper.showInLists(*next);
    showFrame();
}

std::optional<Moment> Player::after(const Moment &moment) const
{
    if (isLooping() && moment == *m_loopEnd)
        return m_loopStart;
    return steppedBy(moment, 1);
}

void Player::wantAhead()
{
    if (!m_ahead)
        return;
    std::vector<Moment> next;
    std::optional<Moment> moment = m_stepper.picked();
    for (int i = 0; i < kFramesAhead && moment; ++i) {
        moment = after(*moment);
        if (moment)
            next.push_back(*moment);
    }
    m_ahead->want(next);
}

void Player::showFrame()
{
    if (m_display.isRunning()) {
        // Playing started while a command waits for its download: the first frame replaces it.
        m_display.run(Transfer::Freshness::CacheFirst);
        return;
    }
    const auto moment = m_stepper.picked();
    QString whyNot;
    const bool shown = m_display.run(Transfer::Freshness::CacheFirst, &whyNot);
    if (!isPlaying())
        return; // stopped while the frame was fetched: what stopped it has the status line
    if (shown) {
        m_shownAny = true;
    } else if (moment) {
        const QString hour = QString::fromStdString(momentText(*moment));
        if (!m_skipped.contains(hour))
            m_skipped << hour;
    }
    if (!m_skipped.isEmpty()) {
        const QString reason = QStringLiteral("跳过了无法显示的时刻（北京时间）：") +
                               m_skipped.join(QStringLiteral("、"));
        m_view.setStatus(m_shownAny ? QString() : QString::fromUtf16(kStatusNotFound), reason);
    }
    wantAhead();
}

} // namespace veltaro
