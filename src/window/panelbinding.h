#pragma once

#include "query/moment.h"
#include "retrieval/displayview.h"

#include <QObject>
#include <QStringList>

#include <optional>

#include <vector>

namespace veltaro {

class ActionTable;
class DisplayCommand;
class InstrumentPanel;
class PictureKeeper;
class PicturesAhead;
class Player;
class TimeStepper;

// Keeps the instrument panel saying what the player and the picture are: the moment shown and
// the hour missing, the speed, the span and back and forth, and the frame strip with its hours
// (kept, missing, shown); and carries the panel's choices back (a span, a rest, an hour on the
// strip). The panel itself only shows and asks.
class PanelBinding : public QObject
{
    Q_OBJECT

public:
    PanelBinding(InstrumentPanel &panel, ActionTable &actions, Player &player,
                 TimeStepper &stepper, DisplayCommand &display, const PicturesAhead &ahead,
                 const PictureKeeper &keeper, QObject *parent);

    // The display command showed the picture of `source`.
    void pictureShown(const PictureSource &source);
    // A frame made between two hours: "北京时间 2008-07-18 08:30 · 插值".
    void madeFrameShown(const QString &moment, double fraction);
    // The hours the frame strip shows.
    const std::vector<Moment> &stripHours() const { return m_stripHours; }

signals:
    // What the panel refused to do, and why, for the status line.
    void said(const QString &reason);

private:
    void markMissing(const Moment &moment);
    void playerChanged();
    void frameSkipped(const Moment &moment);
    void refreshStrip();
    void markReady(const Moment &moment);

    InstrumentPanel &m_panel;
    ActionTable &m_actions;
    Player &m_player;
    TimeStepper &m_stepper;
    DisplayCommand &m_display;
    const PicturesAhead &m_ahead;
    const PictureKeeper &m_keeper;
    std::vector<Moment> m_stripHours;
    QStringList m_shownForms; // what the panel says of the picture shown, longest first
    QStringList m_missingSinceShown; // "05:00", the hours skipped since the picture shown
    std::optional<Moment> m_chosenOnStrip;
};

} // namespace veltaro
