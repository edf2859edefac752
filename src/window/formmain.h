#pragma once

// The program's only window. It builds its controls from the design table, lays them out for
// the screen in Form_Load and forwards the controls' events: the display command to
// retrieval/, panning to the Viewport, and the exit command here.

#include "platform/twips.h"

#include <QHash>
#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;

namespace veltaro {

class PictureBox;
class ScrollBar;
class Viewport;

class Formmain : public QWidget
{
    Q_OBJECT

public:
    // `screen` is the screen's size in twips; the layout follows it.
    explicit Formmain(TwipsSize screen = twips::screenSize(), QWidget *parent = nullptr);
    ~Formmain() override;

    void Form_Load();
    // Shows the window maximized, centred on the screen, with the focus on the viewport.
    void showStarted();

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

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createControls();
    void arrangeTabOrder();
    void fillLists();
    void applyOuterSize();
    void exitProgram();

    TwipsSize m_screen;
    float m_outerWidth = 0;
    float m_outerHeight = 0;
    QHash<QString, QWidget *> m_controls;

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
    Viewport *m_viewport = nullptr;
};

} // namespace veltaro
