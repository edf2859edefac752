#include "window/timestepper.h"

#include "query/moment.h"
#include "retrieval/displaycommand.h"
#include "retrieval/displayview.h"
#include "retrieval/picturesahead.h"

namespace veltaro {

TimeStepper::TimeStepper(QObject *parent, DisplayView &view, DisplayCommand &display)
    : QObject(parent), m_view(view), m_display(display)
{
}

void TimeStepper::step(int hours)
{
    // While a command waits for its download, the step replaces the moment it fetches.
    emit stepped();
    if (!moveLists(hours))
        return;
    m_display.run(DisplayCommand::Kind::Step);
    if (const auto now = picked(); now && m_ahead) {
        std::vector<Moment> next;
        for (const int away : {hours, -hours})
            if (const auto moment = steppedBy(*now, away))
                next.push_back(*moment);
        m_ahead->want(next);
    }
}

std::optional<Moment> TimeStepper::picked() const
{
    return momentOf(m_view.queryTime());
}

bool TimeStepper::moveLists(int hours)
{
    const auto from = picked();
    const auto to = from ? steppedBy(*from, hours) : std::nullopt;
    if (!to)
        return false;
    showInLists(*to);
    return true;
}

void TimeStepper::showInLists(const Moment &moment)
{
    m_view.pickInLists(textsOf(moment));
}

} // namespace veltaro
