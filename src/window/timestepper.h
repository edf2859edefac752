#pragma once

#include <QObject>

#include "query/moment.h"

#include <array>
#include <optional>

class QComboBox;

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
    // `view` reads the lists' texts as the display command does; `lists` are moved.
    TimeStepper(QObject *parent, const DisplayView &view, std::array<QComboBox *, 4> lists,
                DisplayCommand &display);

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
    const DisplayView &m_view;
    std::array<QComboBox *, 4> m_lists;
    DisplayCommand &m_display;
    PicturesAhead *m_ahead = nullptr;
};

} // namespace veltaro
