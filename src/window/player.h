#pragma once

#include "query/moment.h"

#include <QObject>
#include <QStringList>
#include <QTimer>

#include <optional>

class QAction;
class QWidget;

namespace veltaro {

class DisplayCommand;
class DisplayView;
class PicturesAhead;
class TimeStepper;

// Watching the clouds move. Ctrl+P plays hour after hour from the picked moment, moving the four
// lists as a step does; Shift+Ctrl+P plays the 24 hours that end at the picked moment over and
// over. Ctrl+] and Ctrl+[ play faster and slower, 1 to 10 pictures a second. Each frame is shown
// as a step shows it (a kept picture without the network). An hour that cannot be shown is
// skipped and named in the status line's tooltip; the status line says "无法找到" only when no
// picture at all could be shown. Playing stops at the end of the lists' range, at Ctrl+P, and
// whenever the window says so (a press of "显示", a list changed by the user, a step, Esc).
class Player : public QObject
{
    Q_OBJECT

public:
    static constexpr int kSlowest = 1;
    static constexpr int kFastest = 10;
    static constexpr int kDefaultSpeed = 4;
    static constexpr int kLoopHours = 24;
    // How many frames are made ready ahead of the one shown.
    static constexpr int kFramesAhead = 6;

    Player(QWidget *window, TimeStepper &stepper, DisplayCommand &display, DisplayView &view);

    bool isPlaying() const { return m_timer.isActive(); }
    bool isLooping() const { return m_loopStart.has_value(); }
    int speed() const { return m_speed; }
    QStringList skipped() const { return m_skipped; }

    void play();
    void playLoop();
    void togglePlay();
    void stop();
    void faster();
    void slower();

    void setPicturesAhead(PicturesAhead *ahead) { m_ahead = ahead; }

    // "播放" / "暂停", and the speeds, for the picture's context menu.
    QList<QAction *> actions() const;

private:
    void start();
    void nextFrame();
    void showFrame();
    void applySpeed();
    std::optional<Moment> after(const Moment &moment) const;
    void wantAhead();

    TimeStepper &m_stepper;
    DisplayCommand &m_display;
    DisplayView &m_view;
    QTimer m_timer;
    int m_speed = kDefaultSpeed;
    std::optional<Moment> m_loopStart;
    std::optional<Moment> m_loopEnd;
    bool m_shownAny = false;
    QStringList m_skipped;
    QAction *m_playAction;
    QAction *m_fasterAction;
    QAction *m_slowerAction;
    PicturesAhead *m_ahead = nullptr;
};

} // namespace veltaro
