#pragma once

// The program's only window. It builds its controls from the design table, lays them out for
// the screen in Form_Load and forwards the controls' events: the display command to
// retrieval/, panning to the Viewport, and the exit command here.

#include "widgets/twips.h"
#include "query/moment.h"
#include "window/startoptions.h"
#include "retrieval/displayview.h"

#include <QHash>
#include <QImage>
#include <QPointF>
#include <QWidget>

#include <memory>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;

namespace veltaro {

class ActionTable;
class Comparer;
class LanguageMenu;
class Smoother;
class Enhancer;
class ExportController;
class HelpWindow;
class InstrumentPanel;
class DesignedControls;
class DisplayCommand;
class Failure;
class PanelBinding;
class PictureKeeper;
class PlayerSettings;
class ShownPicture;
class StatusLine;
class WindowCommands;
class PicturesAhead;
class Player;
class TimeStepper;
class PictureBox;
class ScrollBar;
class StagingFile;
class Transfer;
class Viewport;

class Formmain : public QWidget, public DisplayView
{
    Q_OBJECT

public:
    // `screen` is the screen's size in twips; the layout follows it. The staging file lies in
    // `stagingFolder`, by default the executable's folder or, where the program may not write
    // there, the user's cache folder (StagingFile::folderFor).
    explicit Formmain(TwipsSize screen = twips::screenSize(), const QString &stagingFolder = {},
                      QWidget *parent = nullptr);
    ~Formmain() override;

    void Form_Load();
    // Shows the window maximized, centred on the screen, with the focus on the viewport.
    void showStarted();

    // A moment given on the command line: shown, or its loop played.
    void startWith(const StartOptions &start);

    void Command1_Click();
    void Command2_Click();

    // The window's outer size in twips, as last written.
    float outerWidth() const { return m_outerWidth; }
    float outerHeight() const { return m_outerHeight; }
    void setOuterWidth(float width);
    void setOuterHeight(float height);

    // A control by its design name ("Combo4", "Picture2"...).
    QWidget *control(const char *name) const;

    Viewport *viewport() const { return m_viewport; }
    PictureKeeper &pictureKeeper() const { return *m_keeper; }
    Player &player() const { return *m_player; }
    Comparer &comparer() const { return *m_comparer; }
    Smoother &smoother() const { return *m_smoother; }
    DisplayCommand &displayCommand() const { return *m_display; }
    ActionTable &actions() const { return *m_actions; }
    // The help window F1 opens; null until it first is.
    HelpWindow *helpWindow() const;
    PicturesAhead &picturesAhead() const { return *m_ahead; }
    // The download control Inet1.
    Transfer &transfer() const { return *m_inet1; }
    const StagingFile &stagingFile() const { return *m_staging; }

    // What the display command sees of the window.
    QueryTime queryTime() const override;
    void pickInLists(const QueryTime &texts) override;
    void setStatus(const QString &text, const QString &reason) override;
    void showProgress(const QString &text) override;
    QImage showPicture(QImage picture, QImage seen, const PictureSource &source) override;
    // "像素 (812, 440) · 灰度 201" for the pointer over the picture; empty elsewhere.
    QString readout() const;
    ShownPicture &shownPicture() const { return *m_shown; }
    Enhancer &enhancer() const { return *m_enhancer; }
    void updateScrollRanges() override;

    InstrumentPanel &panel() const { return *m_panel; }
    ExportController &exporter() const { return *m_exporter; }
    LanguageMenu &languageMenu() const { return *m_languages; }
    // Whether every control lies inside the window (the note along the top aside).
    bool everythingInside() const;

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void createControls();
    void fillLists();
    void applyOuterSize();
    void exitProgram();
    void createActions();
    void createPanel();
    // Form_Load's rules for a window of `width` × `height` twips.
    // As designed: the viewport four fifths of the height, less only where the rows under it
    // would pass the bottom; all of it: the viewport down to the rows under it.
    enum class Room { AsDesigned, AllOfIt };
    void layOut(float width, float height, Room room);
    void placePanel();
    int panelWidth() const;
    bool momentBesideExit() const;
    // From the bottom of "退出" to the panel's bottom with its margin, at `width`, in pixels.
    int panelHeightUnderRow(int width) const;
    void holdEveryControl();
    void createSmoothing();
    // Lays the window out for its size and state (maximized, full screen, resized).
    void fitToWindow();
    void enhancementChanged();
    void endWithFailure(const Failure &failure);

    TwipsSize m_screen;
    float m_outerWidth = 0;
    float m_outerHeight = 0;
    std::unique_ptr<DesignedControls> m_controls;

    QPushButton *m_command1 = nullptr;
    QPushButton *m_command2 = nullptr;
    QComboBox *m_combo1 = nullptr;
    QComboBox *m_combo2 = nullptr;
    QComboBox *m_combo3 = nullptr;
    QComboBox *m_combo4 = nullptr;
    PictureBox *m_picture1 = nullptr;
    PictureBox *m_picture2 = nullptr;
    ScrollBar *m_hScroll1 = nullptr;
    ScrollBar *m_vScroll1 = nullptr;
    QLabel *m_label5 = nullptr;
    Viewport *m_viewport = nullptr;
    PictureKeeper *m_keeper = nullptr;
    TimeStepper *m_stepper = nullptr;
    Player *m_player = nullptr;
    ActionTable *m_actions = nullptr;
    InstrumentPanel *m_panel = nullptr;
    PanelBinding *m_panelBinding = nullptr;
    Enhancer *m_enhancer = nullptr;
    StatusLine *m_status = nullptr;
    WindowCommands *m_commands = nullptr;
    LanguageMenu *m_languages = nullptr;
    ExportController *m_exporter = nullptr;
    PlayerSettings *m_remembered = nullptr;
    ShownPicture *m_shown = nullptr;
    bool m_loaded = false;
    TwipsSize m_laidOutFor{0, 0};
    Comparer *m_comparer = nullptr;
    Smoother *m_smoother = nullptr;
    Room m_room = Room::AsDesigned;
    QSize m_smallestWhole; // the smallest window that holds every control whole
    PicturesAhead *m_ahead = nullptr;
    Transfer *m_inet1 = nullptr;
    std::unique_ptr<StagingFile> m_staging;
    std::unique_ptr<DisplayCommand> m_display;
};

} // namespace veltaro
