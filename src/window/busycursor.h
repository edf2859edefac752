#pragma once

#include <QObject>
#include <QTimer>

namespace veltaro {

class DisplayCommand;

// The busy cursor over the whole application while the display command runs, once a run has
// taken a moment: a run that ends sooner changes no cursor at all.
class BusyCursor : public QObject
{
    Q_OBJECT

public:
    static constexpr int kDelayMs = 250;

    BusyCursor(const DisplayCommand &display, QObject *parent);
    ~BusyCursor() override;

private:
    void setBusy(bool busy);

    QTimer m_delay;
    bool m_shown = false;
};

} // namespace veltaro
