#include "window/panelbinding.h"

#include "retrieval/displaycommand.h"
#include "retrieval/picturesahead.h"
#include "widgets/framestrip.h"
#include "window/actiontable.h"
#include "window/instrumentpanel.h"
#include "window/picturekeeper.h"
#include "window/player.h"
#include "window/timestepper.h"

#include <QAction>
#include <QComboBox>

#include <algorithm>

namespace veltaro {

PanelBinding::PanelBinding(InstrumentPanel &panel, ActionTable &actions, Player &player,
                           TimeStepper &stepper, DisplayCommand &display,
                           const PicturesAhead &ahead, const PictureKeeper &keeper, QObject *parent)
    : QObject(parent), m_panel(panel), m_actions(actions), m_player(player), m_stepper(stepper),
      m_display(display), m_ahead(ahead), m_keeper(keeper)
{
    QAction *backAndForth = m_actions.action(Command::BackAndForth);
    backAndForth->setCheckable(true);
    connect(backAndForth, &QAction::toggled, &m_player, &Player::setBackAndForth);
    connect(&m_panel, &InstrumentPanel::spanChosen, &m_player, &Player::setLoopHours);
    connect(&m_panel, &InstrumentPanel::restChosen, &m_player, &Player::setRestMs);
    connect(&m_player, &Player::skippedHour, this, &PanelBinding::frameSkipped);
    connect(&m_player, &Player::changed, this, &PanelBinding::playerChanged);
    connect(m_panel.strip(), &FrameStrip::chosen, this, [this](int index) {
        if (index < 0 || index >= int(m_stripHours.size()))
            return;
        // The hour chosen on the strip is shown as a step shows it; the strip stays put.
        const Moment chosen = m_stripHours[size_t(index)];
        m_player.stop();
        if (m_panel.strip()->mark(index) == FrameStrip::Mark::Missing) {
            // Known to be missing: the lists name the picture still shown, and the reason says
            // why nothing else changes.
            if (const auto shown = momentOf(m_keeper.shownMoment()))
                m_stepper.showInLists(*shown);
            emit said(tr("服务器上没有北京时间 %1 的图像")
                          .arg(QString::fromStdString(momentText(chosen))));
            return;
        }
        m_chosenOnStrip = chosen;
        m_stepper.showInLists(chosen);
        m_display.run(DisplayCommand::Kind::Step);
    });
    // An hour chosen on the strip that could not be shown: the lists go back to the picture
    // still shown, so that lists, label and picture agree; the hour is marked missing.
    connect(&m_display, &DisplayCommand::finished, this, [this](const DisplayCommand::Outcome &outcome) {
        const auto chosen = std::exchange(m_chosenOnStrip, std::nullopt);
        if (!chosen || outcome.shown || outcome.kind != DisplayCommand::Kind::Step ||
            momentOf(outcome.picked) != chosen)
            return;
        if (!outcome.unreachable && !outcome.cancelled)
            markMissing(*chosen);
        if (const auto shown = momentOf(m_keeper.shownMoment()))
            m_stepper.showInLists(*shown);
    });
    // What the background fetches do shows on the strip: an hour on its way, ready, or back
    // to not fetched when nothing whole came (a missing hour is marked when it is played).
    const auto follow = [this](FrameStrip::Mark mark) {
        return [this, mark](const QString &address) {
            for (size_t i = 0; i < m_stripHours.size(); ++i)
                if (QString::fromStdString(imageAddressOf(m_stripHours[i])) == address &&
                    m_panel.strip()->mark(int(i)) != FrameStrip::Mark::Missing)
                    m_panel.strip()->setMark(int(i), mark);
        };
    };
    connect(&m_ahead, &PicturesAhead::fetching, this, follow(FrameStrip::Mark::Fetching));
    connect(&m_ahead, &PicturesAhead::arrived, this, follow(FrameStrip::Mark::Ready));
    connect(&m_ahead, &PicturesAhead::notArrived, this, follow(FrameStrip::Mark::Unknown));
    playerChanged();
}

void PanelBinding::playerChanged()
{
    m_panel.showSpeed(m_player.speed());
    // What plays, in words: the loop kept with its hours, or playing on.
    const std::vector<Moment> loop = m_player.loop();
    QString playing;
    if (!loop.empty()) {
        playing = tr("循环 %1 – %2，%n 小时", nullptr, int(loop.size()))
                      .arg(QString::fromStdString(momentText(loop.front())).mid(5),
                           QString::fromStdString(momentText(loop.back())).mid(5));
        if (!m_player.isLooping())
            playing += tr("（已暂停）");
    } else if (m_player.isPlaying()) {
        playing = tr("正在播放");
    }
    m_panel.showPlaying(playing);
    m_panel.spanList()->setCurrentIndex(m_panel.spanList()->findData(m_player.loopHours()));
    m_actions.action(Command::BackAndForth)->setChecked(m_player.backAndForth());
    refreshStrip();
}

void PanelBinding::refreshStrip()
{
    // The span being played or looped; while nothing loops, the hours a loop would play, kept
    // while the picture shown lies among them so that choosing on the strip does not move it.
    std::vector<Moment> hours = m_player.span();
    const auto shown = momentOf(m_keeper.shownMoment());
    const bool stays = !m_player.isPlaying() && shown && !m_stripHours.empty() &&
                       std::find(m_stripHours.begin(), m_stripHours.end(), *shown) != m_stripHours.end() &&
                       m_stripHours.size() == size_t(m_player.loopHours());
    if (!stays && hours != m_stripHours) {
        m_stripHours = hours;
        QStringList names;
        for (const Moment &moment : hours)
            names << QString::fromStdString(momentText(moment)).mid(5); // "07-18 10:00"
        m_panel.strip()->setHours(names);
        for (size_t i = 0; i < hours.size(); ++i)
            if (m_ahead.isKept(hours[i]))
                m_panel.strip()->setMark(int(i), FrameStrip::Mark::Ready);
    }
    int current = -1;
    for (size_t i = 0; shown && i < m_stripHours.size(); ++i)
        if (m_stripHours[i] == *shown)
            current = int(i);
    m_panel.strip()->setCurrent(current);
}

void PanelBinding::pictureShown(const PictureSource &source)
{
    m_missingSinceShown.clear();
    // From the longest form to the shortest: "北京时间 2008-07-18 10:00 · UTC 02:00",
    // "07-18 10:00 · UTC 02:00", "07-18 10:00 · UTC 02".
    const QString beijing = QString::fromStdString(pickedText(source.beijing));
    const QString utcHour = QString::fromStdString(source.request.hour);
    m_shownForms = {tr("北京时间 %1 · UTC %2:00").arg(beijing, utcHour),
                    QStringLiteral("%1 · UTC %2:00").arg(beijing.mid(5), utcHour),
                    QStringLiteral("%1 · UTC %2").arg(beijing.mid(5), utcHour)};
    m_panel.showMoment(m_shownForms);
    refreshStrip();
    if (const auto moment = momentOf(source.beijing))
        markReady(*moment);
}

void PanelBinding::madeFrameShown(const QString &moment, double fraction)
{
    // The label names the frame made, and says so; the strip marks it between its hours.
    m_panel.showMoment({moment, moment.mid(tr("北京时间 2008-").size())});
    m_panel.strip()->setBetween(m_panel.strip()->current(), fraction);
}

void PanelBinding::markReady(const Moment &moment)
{
    for (size_t i = 0; i < m_stripHours.size(); ++i)
        if (m_stripHours[i] == moment)
            m_panel.strip()->setMark(int(i), FrameStrip::Mark::Ready);
}

void PanelBinding::frameSkipped(const Moment &moment)
{
    // The picture before stays, and the label says so: it never names the hour it lacks, and
    // names every hour missing since, in Beijing time.
    const QString hour = QStringLiteral("%1:00").arg(moment.hour, 2, 10, QLatin1Char('0'));
    if (!m_missingSinceShown.contains(hour))
        m_missingSinceShown << hour;
    markMissing(moment);
    if (m_shownForms.isEmpty())
        return; // nothing shown yet: the status line names the hour
    // Said whole while there is room; the shorter forms keep the hours, then only the moment.
    const QString hours = m_missingSinceShown.join(tr("、"));
    m_panel.showMoment({m_shownForms[0] + tr(" · 北京时间 %1 无图像").arg(hours),
                        m_shownForms[1] + tr(" · %1 无图像").arg(hours), m_shownForms[1],
                        m_shownForms[2]});
}

void PanelBinding::markMissing(const Moment &moment)
{
    for (size_t i = 0; i < m_stripHours.size(); ++i)
        if (m_stripHours[i] == moment)
            m_panel.strip()->setMark(int(i), FrameStrip::Mark::Missing);
}

} // namespace veltaro
