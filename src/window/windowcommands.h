#pragma once

#include <QObject>
#include <QPointer>

#include <array>
#include <functional>

class QComboBox;
class QWidget;

namespace veltaro {

class ActionTable;
class AdjustDialog;
class DisplayCommand;
class Enhancer;
class ExportController;
class HelpWindow;
class PictureBox;
class PictureKeeper;
class Player;
class ShownPicture;
class StatusLine;
class TimeStepper;
class Viewport;

// What each command of the action table does in the window: every action is connected here to
// the part that carries it out, the picture's context menu and the controls' hints are made
// from the table, and the commands that are the window's own (full screen, Esc, the help and
// adjustment windows, Ctrl+I) are carried out here.
class WindowCommands : public QObject
{
    Q_OBJECT

public:
    struct Parts
    {
        QWidget *window;
        ActionTable &actions;
        TimeStepper &stepper;
        Player &player;
        DisplayCommand &display;
        Viewport &viewport;
        PictureKeeper &keeper;
        ShownPicture &shown;
        Enhancer &enhancer;
        ExportController &exporter;
        StatusLine &status;
        std::array<PictureBox *, 2> boxes; // the viewport and the image box
        std::array<QComboBox *, 4> lists;
        std::function<void()> show;  // "显示"
        std::function<void()> exit;  // "退出"
    };

    WindowCommands(Parts parts, QObject *parent);

    // The help window F1 opens; null until it first is.
    HelpWindow *helpWindow() const { return m_help; }

private:
    void connectActions();
    void makeMenusAndHints();
    void playerChanged();
    void setFullScreen(bool on);
    // Esc: cancels a download, else stops playing, else leaves full screen.
    void escape();
    void showHelp();
    void showAdjustments();
    void explainStatus();

    Parts m_parts;
    QPointer<HelpWindow> m_help;
    QPointer<AdjustDialog> m_adjust;
};

} // namespace veltaro
