#pragma once

#include "widgets/twips.h"
#include "window/formmain.h"

#include <QString>
#include <QStringList>

#include <array>

class QComboBox;

namespace veltaro {
class PictureBox;
class ScrollBar;
} // namespace veltaro

// The main window as start-up leaves it (built and laid out by Form_Load for a 1024 × 768
// screen unless told otherwise), with its controls by name and every status text it was given.
class StartedWindow : public veltaro::Formmain
{
public:
    static constexpr veltaro::TwipsSize kScreen{15360, 11520};

    explicit StartedWindow(const QString &stagingFolder = {},
                           veltaro::TwipsSize screen = kScreen);

    // Shows it as the program does and waits until it is the active window.
    [[nodiscard]] bool showActive();

    // Presses "显示" and waits until the display command has ended; false when it has not
    // within the time-out, which only guards against a hang.
    [[nodiscard]] bool press(int timeoutMs = 30000);
    // Waits until the display command is idle (after a step, a key, a frame).
    [[nodiscard]] bool settled(int timeoutMs = 30000);

    void pick(const QString &year, const QString &month, const QString &day, const QString &hour);

    veltaro::PictureBox *picture1() const;
    veltaro::PictureBox *picture2() const;
    veltaro::ScrollBar *bar(const char *name) const;
    QComboBox *list(int number) const; // Combo1..Combo4
    QString status() const;
    QString reason() const;

    void setStatus(const QString &text, const QString &reason) override;
    void showProgress(const QString &text) override;

    QStringList statuses;
    // After each status, what assistive technology reads of the status line: "name | description".
    QStringList heard;
    // Each progress text, with the status line's tooltip and description right after it.
    QList<std::array<QString, 3>> progress;
};
