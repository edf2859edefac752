#include "window/formmain.h"

#include "failure.h"
#include "said.h"
#include "widgets/picturebox.h"
#include "widgets/scrollbar.h"
#include "widgets/twips.h"
#include "widgets/viewport.h"
#include "window/designtable.h"
#include "window/instrumentpanel.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include <algorithm>
#include <cstring>

// Where the window's controls go at each size: the design's rules for the screen at start, and
// for any other size the same rules with the picture taking the room the rows under it leave.

namespace veltaro {

namespace {

// Single-precision sums of the layout, written as the window's load handler computes them.
float plus(double value, double offset)
{
    return static_cast<float>(value + offset);
}

const ControlDesign &designOf(const char *name)
{
    for (const ControlDesign &control : designTable())
        if (std::strcmp(control.name, name) == 0)
            return control;
    throw ControlFailure(said("DesignedControls", "控件缺失：") + name);
}

// The bottom row lies 610 twips under the viewport (as the load handler places it); from the
// viewport's bottom to the bottom of "退出", and where "退出" ends on the right.
double rowsBelowViewport()
{
    return 610 + double(designOf("Command2").height);
}

float bottomRowRight()
{
    return designOf("Command2").left + designOf("Command2").width;
}
// However small the window, this much of the picture stays in view.
constexpr double kShortestViewport = 1500;

} // namespace

void Formmain::layOut(float width, float height, Room room)
{
    m_laidOutFor = {width, height};
    m_picture1->setTopTwips(200);
    m_picture1->setLeftTwips(300);
    m_picture1->setWidthTwips(plus(width, -600));
    // H / 5 × 4 is computed in double, dividing first; every result is handed on as float. The
    // viewport ends there unless the rows under it would then pass the window's bottom, or the
    // window gives the picture all the room the rows leave.
    const double below = rowsBelowViewport() + twips::fromPixels(panelHeightUnderRow(panelWidth()));
    const double designed = static_cast<double>(height) / 5 * 4;
    const double tight = static_cast<double>(height) - below;
    // A window smaller than the smallest that holds everything (a tiny or much magnified
    // screen) keeps the design's places, and the panel gives way.
    const bool holdsAll = twips::toPixels(width) >= m_smallestWhole.width() &&
                          twips::toPixels(height) >= m_smallestWhole.height();
    const double viewportBottom = room == Room::AllOfIt || (designed > tight && holdsAll)
                                      ? std::max(tight, kShortestViewport)
                                      : designed;
    const auto fourFifths = [viewportBottom] { return viewportBottom; };
    m_picture1->setHeightTwips(plus(fourFifths(), 0));

    if (!m_loaded || !m_picture2->hasPicture()) {
        // The image box is as large as the viewport until it has a picture; then it is the
        // picture's and the bars' to size and place.
        m_picture2->setLeftTwips(0);
        m_picture2->setTopTwips(0);
        m_picture2->setWidthTwips(m_picture1->widthTwips());
        m_picture2->setHeightTwips(m_picture1->heightTwips());
    }

    twips::setTop(m_hScroll1, plus(fourFifths(), 200));
    twips::setLeft(m_hScroll1, 300);
    twips::setWidth(m_hScroll1, m_picture1->widthTwips());

    twips::setTop(m_vScroll1, 200);
    twips::setLeft(m_vScroll1, plus(width, -300));
    twips::setHeight(m_vScroll1, m_picture1->heightTwips());

    for (const char *name : {"Combo1", "Combo2", "Combo3", "Combo4", "Label1", "Label2", "Label3",
                             "Label4", "Command1", "Command2", "Label5"})
        twips::setTop(control(name), plus(fourFifths(), 610));
    twips::setTop(control("Label6"), plus(fourFifths(), 650));
    twips::setTop(control("Label9"), 0);
    placePanel();
}

int Formmain::panelWidth() const
{
    const int right = std::min(m_picture1->geometry().right(), width() - m_command2->height() / 2);
    return std::max(0, right - m_picture1->geometry().left() + 1);
}

bool Formmain::momentBesideExit() const
{
    // Right of "退出" while even its shortest form fits there; else on a line of its own.
    const QRect exit = m_command2->geometry();
    const int right = m_picture1->geometry().left() + panelWidth() - 1;
    return right - (exit.right() + 1 + twips::toPixels(240)) + 1 >=
           m_panel->infoRow()->minimumSizeHint().width();
}

int Formmain::panelHeightUnderRow(int width) const
{
    const int gap = twips::toPixels(90);
    QWidget *transport = m_panel->transportRow();
    int height = gap + transport->heightForWidth(width) + m_command2->height() / 2;
    if (!momentBesideExit())
        height += m_panel->infoRow()->sizeHint().height() + gap;
    return height;
}

void Formmain::placePanel()
{
    // Right of "退出" on the bottom row (or under it on a narrow window): the moment shown.
    // Below, as wide as the viewport: the transport, the zoom and the frame strip, in as many
    // lines as the width asks. Both end where the window's inside does, wherever the viewport
    // reaches.
    const QRect exit = m_command2->geometry();
    const int left = m_picture1->geometry().left();
    const int width = panelWidth();
    const int gap = twips::toPixels(90);
    QWidget *info = m_panel->infoRow();
    int top = exit.bottom() + 1 + gap;
    if (momentBesideExit()) {
        const int infoLeft = exit.right() + 1 + twips::toPixels(240);
        info->setGeometry(infoLeft, exit.top(), left + width - infoLeft,
                          std::max(exit.height(), info->sizeHint().height()));
    } else {
        info->setGeometry(left, top, width, info->sizeHint().height());
        top += info->height() + gap;
    }
    QWidget *transport = m_panel->transportRow();
    transport->setGeometry(left, top, width, transport->heightForWidth(width));
}

void Formmain::holdEveryControl()
{
    // The narrowest window holds the bottom row as designed with its margins, and the shortest
    // one a little of the picture, the rows under it and the panel wrapped to that width.
    const int width = twips::toPixels(bottomRowRight() + 300);
    const int panel = width - 2 * twips::toPixels(300);
    int height = twips::toPixels(200 + kShortestViewport + rowsBelowViewport()) +
                 m_panel->transportRow()->heightForWidth(panel) + m_panel->infoRow()->sizeHint().height() +
                 3 * twips::toPixels(90) + m_command2->height() / 2;
    m_smallestWhole = QSize(width, height);
    // Never more than the screen has room for.
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        setMinimumSize(m_smallestWhole.boundedTo(screen->availableSize()));
}

bool Formmain::everythingInside() const
{
    const QRect inside = rect();
    for (const QWidget *child : findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        if (child->isVisibleTo(this) && !child->isWindow() && child->objectName() != QLatin1String("Label9") &&
            !inside.contains(child->geometry()))
            return false;
    return true;
}

void Formmain::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_loaded)
        fitToWindow();
}

void Formmain::fitToWindow()
{
    // Maximized, the window keeps the design's layout for the screen as long as that cuts
    // nothing off; restored, resized or full screen (or where the design's layout would cut a
    // control off), the same rules are applied to the window's inside.
    const TwipsSize inside{twips::fromPixels(width()), twips::fromPixels(height())};
    // A window whose inside is the screen (no window manager, or one that leaves it whole) is
    // laid out as at start.
    const bool screenSized = twips::toPixels(inside.width) == twips::toPixels(m_screen.width) &&
                             twips::toPixels(inside.height) == twips::toPixels(m_screen.height);
    // Any other size, full screen included, gives the picture all the room the rows leave.
    const bool designed = (isMaximized() && !isFullScreen()) || screenSized;
    const TwipsSize wanted = designed ? m_screen : inside;
    const Room room = designed ? Room::AsDesigned : Room::AllOfIt;
    if (wanted.width != m_laidOutFor.width || wanted.height != m_laidOutFor.height || room != m_room)
        layOut(wanted.width, wanted.height, room);
    else
        placePanel(); // the window's inside may still have changed
    m_room = room;
    if (!everythingInside() && (inside.width != m_laidOutFor.width || inside.height != m_laidOutFor.height)) {
        layOut(inside.width, inside.height, Room::AllOfIt);
        m_room = Room::AllOfIt;
    }
    try {
        m_viewport->UpdateScrollRanges();
    } catch (const Failure &failure) {
        // A picture too large for the bars at this size: said as any failure of a command is.
        setStatus(statusNotFound(), QString::fromUtf8(failure.what()));
    }
}

void Formmain::setOuterWidth(float width)
{
    m_outerWidth = width;
    applyOuterSize();
}

void Formmain::setOuterHeight(float height)
{
    m_outerHeight = height;
    applyOuterSize();
}

void Formmain::applyOuterSize()
{
    const QSize frame = frameGeometry().size() - size();
    resize(std::max(1, twips::toPixels(m_outerWidth) - frame.width()),
           std::max(1, twips::toPixels(m_outerHeight) - frame.height()));
}

} // namespace veltaro
