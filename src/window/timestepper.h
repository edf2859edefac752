#pragma once

#include <QObject>

#include "query/moment.h"

#include <array>
#include <optional>

class QComboBox;
class QWidget;

namespace veltaro {

class DisplayCommand;
class DisplayView;
class PicturesAhead;

// Stepping through time from the keyboard: Ctrl+Right and Ctrl+Left show the hour after and
// before, Ctrl+Up and Ctrl+Down the same hour a day later and earlier. A step moves the four
// lists to the new moment and runs the display command as a press of "显示" does. It does
// nothing while a command runs, while a list has nothing picked or the lists hold a date that
// does not exist, and at the ends of the lists' range.
class TimeStepper : public QObject
{
    Q_OBJECT

public:
    // `view` reads the lists' texts as the display command does; `lists` are moved.
    TimeStepper(QWidget *window, const DisplayView &view, std::array<QComboBox *, 4> lists,
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

// The shortcuts, for tooltips and help.
inline constexpr const char16_t *kStepHint =
    u"Ctrl+←/→：前一小时/后一小时；Ctrl+↑/↓：后一天/前一天";
inline constexpr const char16_t *kViewHint =
    u"Ctrl+滚轮、Ctrl++/Ctrl+-：缩放；Ctrl+0：适应窗口；Ctrl+1：100 %；拖动、滚轮、方向键、"
    u"PageUp/PageDown：移动图像；F11：全屏";

} // namespace veltaro
