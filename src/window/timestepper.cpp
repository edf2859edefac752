#include "window/timestepper.h"

#include "query/moment.h"
#include "retrieval/displaycommand.h"
#include "retrieval/displayview.h"
#include "retrieval/picturesahead.h"

#include <QComboBox>

namespace veltaro {

TimeStepper::TimeStepper(QObject *parent, const DisplayView &view, std::array<QComboBox *, 4> lists,
                         DisplayCommand &display)
    : QObject(parent), m_view(view), m_lists(lists), m_display(display)
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
    const QueryTime texts = textsOf(moment);
    const std::string *items[] = {&texts.year, &texts.month, &texts.day, &texts.hour};
    for (std::size_t i = 0; i < m_lists.size(); ++i)
        m_lists[i]->setCurrentIndex(m_lists[i]->findText(QString::fromStdString(*items[i])));
}

} // namespace veltaro
