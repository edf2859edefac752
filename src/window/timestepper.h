#pragma once

#include <QObject>

#include "query/moment.h"

#include <optional>

namespace veltaro {

class DisplayCommand;
class DisplayView;
class PicturesAhead;

// Stepping through time: an hour or a day later or earlier (Ctrl+arrows). A step moves the four
// lists to the new moment and runs the display command for it, which may show a kept copy. It
// does nothing while a list has nothing picked or the lists hold a date that does not exist,
// and at the ends of the lists' range.
class TimeStepper : public QObject
{
    Q_OBJECT

public:
    // `view` holds the lists: it reads their texts as the display command does and moves them.
    TimeStepper(QObject *parent, DisplayView &view, DisplayCommand &display);

    void step(int hours);

    // The moment the lists show, when they show one.
    std::optional<Moment> picked() const;
    // Moves the lists by `hours` without showing anything; false at the ends of their range.
    bool moveLists(int hours);
    void showInLists(const Moment &moment);
    // Where the neighbours of a step are made ready: the next step the same way, and back.
    void setPicturesAhead(PicturesAhead *ahead) { m_ahead = ahead; }

signals:
    // The user stepped through time (playback stops).
    void stepped();

private:
    DisplayView &m_view;
    DisplayCommand &m_display;
    PicturesAhead *m_ahead = nullptr;
};

} // namespace veltaro
