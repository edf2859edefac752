#include "window/formmain.h"

#include "failure.h"
#include "query/hypotenuse.h"
#include "widgets/accessibility.h"
#include "widgets/picturebox.h"
#include "widgets/scrollbar.h"
#include "files/stagingfile.h"
#include "network/transfer.h"
#include "retrieval/displaycommand.h"
#include "retrieval/keptpictures.h"
#include "retrieval/picturesahead.h"
#include "window/actiontable.h"
#include "window/appicon.h"
#include "window/busycursor.h"
#include "window/designedcontrols.h"
#include "window/designtable.h"
#include "window/enhancer.h"
#include "window/exportcontroller.h"
#include "window/helpwindow.h"
#include "widgets/legendbar.h"
#include "window/instrumentpanel.h"
#include "window/panelbinding.h"
#include "window/picturekeeper.h"
#include "window/shownpicture.h"
#include "window/statusline.h"
#include "window/windowcommands.h"
#include "window/player.h"
#include "window/playersettings.h"
#include "window/timestepper.h"
#include "widgets/viewport.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QAction>

#include <algorithm>
#include <cstring>
#include <vector>

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
    throw ControlFailure(std::string("控件缺失：") + name);
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

// temp.jpg in `folder`, by default where the program keeps it.
std::unique_ptr<StagingFile> stagingFileIn(const QString &folder)
{
    if (!folder.isEmpty())
        return std::make_unique<StagingFile>(folder);
    QString whyNone;
    const QString chosen = StagingFile::folderFor(QCoreApplication::applicationDirPath(), &whyNone);
    return std::make_unique<StagingFile>(chosen, whyNone);
}

} // namespace

Formmain::Formmain(TwipsSize screen, const QString &stagingFolder, QWidget *parent)
    : QWidget(parent), m_screen(screen),
      m_staging(stagingFileIn(stagingFolder))
{
    installAccessibility();
    setWindowTitle(QString::fromUtf8(kWindowCaption));
    setWindowIcon(appIcon());
    createControls();
    // Downloaded pictures are kept in the user's cache folder (beside temp.jpg when the window
    // is given a folder of its own), so that steps back and replays need no network.
    keepPicturesUnder(*m_inet1, stagingFolder.isEmpty() ? StagingFile::cacheFolder() : stagingFolder);
    m_display = std::make_unique<DisplayCommand>(*this, *m_inet1, *m_staging);
    new BusyCursor(*m_display, this);
    // The enhancement chosen and what the panel was left at are remembered in the user's
    // settings (beside temp.jpg when the window is given a folder of its own).
    const QString settingsFile =
        stagingFolder.isEmpty() ? QString() : QDir(stagingFolder).filePath(QStringLiteral("veltaro.conf"));
    m_enhancer = new Enhancer(settingsFile, this);
    connect(m_enhancer, &Enhancer::notSaved, this,
            [this](const QString &reason) { setStatus(m_label5->text(), reason); });
    m_keeper = new PictureKeeper(this, m_picture1, m_picture2);
    m_shown = new ShownPicture(m_picture2, this);
    m_status = new StatusLine(m_label5, [this] { return m_keeper->description(); }, this);
    connect(m_shown, &ShownPicture::enhancementFailed, this,
            [this](const QString &reason) { setStatus(m_label5->text(), reason); });
    m_stepper = new TimeStepper(this, *this, *m_display);
    m_player = new Player(this, *m_stepper, *m_display, *this);
    m_ahead = new PicturesAhead(*m_inet1, this);
    m_display->setPicturesAhead(m_ahead);
    m_stepper->setPicturesAhead(m_ahead);
    m_player->setPicturesAhead(m_ahead);
    // Playing stops for anything the user does with the moment.
    connect(m_stepper, &TimeStepper::stepped, m_player, &Player::stop);
    // A list changed by hand picks another moment: the loop kept is let go with playing.
    for (QComboBox *list : {m_combo1, m_combo2, m_combo3, m_combo4})
        connect(list, &QComboBox::activated, m_player, [this] {
            m_player->stop();
            m_player->forgetLoop();
        });
    m_exporter = new ExportController(this, *m_inet1, *m_enhancer, [this] {
        return ExportController::Start{m_player->loop(), m_stepper->picked(), m_player->speed(),
                                       m_player->backAndForth(), m_player->restMs()};
    });
    createActions();
    createPanel();
    holdEveryControl();
    connect(m_viewport, &Viewport::zoomChanged, m_keeper, &PictureKeeper::zoomChanged);
    m_remembered = new PlayerSettings(settingsFile, *m_player, *m_viewport, this);
    connect(m_remembered, &PlayerSettings::notSaved, this,
            [this](const QString &reason) { setStatus(m_label5->text(), reason); });
    setOuterWidth(kDesignClientWidth);
    setOuterHeight(kDesignClientHeight);
}

Formmain::~Formmain()
{
    // Whatever holds a reference goes before what it refers to: the picture shown before its
    // box, the remembered settings before the player, the export before the transfer, the player
    // and the stepper before the display command, the command and the pictures ahead before the
    // transfer.
    delete m_shown;
    delete m_remembered;
    delete m_exporter;
    delete m_player;
    delete m_stepper;
    m_display.reset();
    delete m_ahead;
    delete m_inet1;
}

void Formmain::createControls()
{
    m_controls = std::make_unique<DesignedControls>(this);
    m_command1 = m_controls->typed<QPushButton>("Command1");
    m_command2 = m_controls->typed<QPushButton>("Command2");
    m_combo1 = m_controls->typed<QComboBox>("Combo1");
    m_combo2 = m_controls->typed<QComboBox>("Combo2");
    m_combo3 = m_controls->typed<QComboBox>("Combo3");
    m_combo4 = m_controls->typed<QComboBox>("Combo4");
    m_picture1 = m_controls->typed<PictureBox>("Picture1");
    m_picture2 = m_controls->typed<PictureBox>("Picture2");
    m_hScroll1 = m_controls->typed<ScrollBar>("HScroll1");
    m_vScroll1 = m_controls->typed<ScrollBar>("VScroll1");
    m_label5 = m_controls->typed<QLabel>("Label5");
    if (!m_controls->hasTransfer())
        throw ControlFailure("控件缺失：Inet1");
    m_inet1 = new Transfer(ProxySetting::fromEnvironment(), Transfer::kDefaultMaxBodySize, this);
    m_inet1->setObjectName(QStringLiteral("Inet1"));

    m_viewport = new Viewport(m_picture1, m_picture2, m_hScroll1, m_vScroll1, this);
    // On another screen the image box takes another size: its ranges follow. Nothing traps a
    // failure there, as for the window's other handlers: it is shown and the program ends.
    connect(m_picture2, &PictureBox::resizedToPicture, this, [this] {
        try {
            m_viewport->UpdateScrollRanges();
        } catch (const Failure &failure) {
            endWithFailure(failure);
        }
    });

    // Return and Enter press a focused button, as Space does; neither button is the default,
    // so Return in a list presses nothing.
    for (QPushButton *button : {m_command1, m_command2})
        button->setAutoDefault(true);
}

void Formmain::createActions()
{
    m_actions = new ActionTable(this);
    // The buttons are the design's own controls; what they do is their action's.
    connect(m_command1, &QPushButton::clicked, m_actions->action(Command::Show), &QAction::trigger);
    connect(m_command2, &QPushButton::clicked, m_actions->action(Command::Exit), &QAction::trigger);
    m_commands = new WindowCommands(
        {this, *m_actions, *m_stepper, *m_player, *m_display, *m_viewport, *m_keeper, *m_shown,
         *m_enhancer, *m_exporter, *m_status, {m_picture1, m_picture2},
         {m_combo1, m_combo2, m_combo3, m_combo4}, [this] { Command1_Click(); },
         [this] { Command2_Click(); }},
        this);
}

void Formmain::createPanel()
{
    m_panel = new InstrumentPanel(this, *m_actions);
    m_panelBinding = new PanelBinding(*m_panel, *m_actions, *m_player, *m_stepper, *m_display,
                                      *m_ahead, *m_keeper, this);
    connect(m_panelBinding, &PanelBinding::said, this,
            [this](const QString &reason) { setStatus(m_label5->text(), reason); });
    connect(m_viewport, &Viewport::zoomChanged, m_panel, &InstrumentPanel::showZoom);
    // A longer moment or a state shown may take another line: the window is laid out anew.
    connect(m_panel, &InstrumentPanel::resized, this, [this] {
        if (!m_loaded)
            return;
        m_laidOutFor = {0, 0}; // laid out anew, the viewport's height included
        fitToWindow();
    });
    m_panel->enhancementList()->addItems(m_enhancer->choiceNames());
    connect(m_panel, &InstrumentPanel::enhancementChosen, m_enhancer, &Enhancer::choose);
    connect(m_enhancer, &Enhancer::changed, this, &Formmain::enhancementChanged);
    enhancementChanged();
    connect(m_shown, &ShownPicture::readoutChanged, this, [this](const QString &text) {
        m_panel->readout()->setText(text);
        m_panel->readout()->setAccessibleDescription(text);
    });
    // The panel's controls take the focus after "退出", in the order they stand.
    QWidget *before = m_command2;
    for (QWidget *next : m_panel->focusChain()) {
        QWidget::setTabOrder(before, next);
        before = next;
    }
}

void Formmain::enhancementChanged()
{
    const Enhancement enhancement = m_enhancer->current();
    m_display->setEnhancement(enhancement);
    m_panel->enhancementList()->setCurrentIndex(m_enhancer->choice());
    m_panel->enhancementList()->setToolTip(m_enhancer->description());
    m_panel->legend()->setColours(enhancement.lookupFor());
    m_panel->legend()->setToolTip(m_enhancer->description());
    m_shown->setEnhancement(enhancement);
}

QString Formmain::readout() const
{
    return m_shown->readout();
}

QWidget *Formmain::control(const char *name) const
{
    return m_controls->control(name);
}

void Formmain::Form_Load()
{
    setOuterWidth(m_screen.width);
    setOuterHeight(m_screen.height);
    layOut(outerWidth(), outerHeight(), Room::AsDesigned);
    m_viewport->UpdateScrollRanges();
    fillLists();
    m_loaded = true;
}

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
        setStatus(QString::fromUtf16(kStatusNotFound), QString::fromUtf8(failure.what()));
    }
}

void Formmain::fillLists()
{
    for (const char *digit : {"6", "7", "8", "9"})
        m_combo1->addItem(QString::fromLatin1(digit));
    const auto twoDigits = [](int n) { return QString::fromStdString(Hypotenuse(ListInteger(n))); };
    for (int month = 1; month <= 12; ++month)
        m_combo2->addItem(twoDigits(month));
    for (int day = 1; day <= 31; ++day)
        m_combo3->addItem(twoDigits(day));
    // The hour list runs 01..23 and ends with 00.
    for (int hour = 1; hour <= 23; ++hour)
        m_combo4->addItem(twoDigits(hour));
    m_combo4->addItem(QStringLiteral("00"));
    for (QComboBox *list : {m_combo1, m_combo2, m_combo3, m_combo4})
        list->setCurrentIndex(-1);
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

void Formmain::showStarted()
{
    // The normal size is the screen's; place it centred, then maximize.
    const QSize screen(twips::toPixels(m_screen.width), twips::toPixels(m_screen.height));
    move((screen.width() - twips::toPixels(m_outerWidth)) / 2,
         (screen.height() - twips::toPixels(m_outerHeight)) / 2);
    showMaximized();
    m_picture1->setFocus(Qt::OtherFocusReason);
    // Tables that could not be read are said once, beside the window.
    if (const QStringList problems = m_enhancer->problems(); !problems.isEmpty()) {
        auto *box = new QMessageBox(QMessageBox::Warning, QString::fromUtf8(kWindowCaption),
                                    Enhancer::summaryOf(problems), QMessageBox::Ok, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->setModal(false);
        box->show();
    }
}

void Formmain::startWith(const StartOptions &start)
{
    if (start.fps > 0)
        m_player->setSpeed(start.fps);
    if (!start.moment)
        return;
    m_stepper->showInLists(*start.moment);
    if (start.loopHours > 0) {
        m_player->setLoopHours(start.loopHours);
        m_player->playLoop();
    } else {
        Command1_Click();
    }
}

void Formmain::Command1_Click()
{
    m_player->stop();
    m_player->forgetLoop(); // the moment pressed for starts the next loop
    m_display->run(DisplayCommand::Kind::Press);
}

QueryTime Formmain::queryTime() const
{
    return {m_combo1->currentText().toStdString(), m_combo2->currentText().toStdString(),
            m_combo3->currentText().toStdString(), m_combo4->currentText().toStdString()};
}

void Formmain::pickInLists(const QueryTime &texts)
{
    const std::pair<QComboBox *, const std::string *> lists[] = {
        {m_combo1, &texts.year}, {m_combo2, &texts.month}, {m_combo3, &texts.day}, {m_combo4, &texts.hour}};
    for (const auto &[list, text] : lists)
        list->setCurrentIndex(list->findText(QString::fromStdString(*text)));
}

void Formmain::setStatus(const QString &text, const QString &reason)
{
    m_status->setStatus(text, reason);
}

void Formmain::showProgress(const QString &text)
{
    m_status->showProgress(text);
}

HelpWindow *Formmain::helpWindow() const
{
    return m_commands->helpWindow();
}

QImage Formmain::showPicture(QImage picture, QImage seen, const PictureSource &source)
{
    const QSize size = picture.size();
    const QSize sizeBefore = m_picture2->pictureSize();
    QImage before = m_shown->show(std::move(picture), std::move(seen));
    m_viewport->pictureReplaced(sizeBefore);
    m_keeper->pictureShown(source, size);
    m_panelBinding->pictureShown(source);
    for (const Command command : {Command::Copy, Command::Save, Command::SaveSeen})
        m_actions->action(command)->setEnabled(true);
    return before;
}

void Formmain::updateScrollRanges()
{
    m_viewport->UpdateScrollRanges();
}

void Formmain::Command2_Click()
{
    exitProgram();
}

void Formmain::closeEvent(QCloseEvent *event)
{
    event->accept();
    exitProgram();
}

void Formmain::endWithFailure(const Failure &failure)
{
    // Said in a window of its own; the program ends with status 1 once it is closed.
    hide();
    auto *box = new QMessageBox(QMessageBox::Critical, QString::fromUtf8(kWindowCaption),
                                QString::fromUtf8(failure.what()), QMessageBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
    connect(box, &QMessageBox::finished, qApp, [] { QCoreApplication::exit(1); });
    box->open();
}

void Formmain::exitProgram()
{
    // Leaves every event loop at once, a dialog's included. Downloads end with the transfer;
    // temp.jpg and saved files are only ever renamed into place, so nothing stays half-written.
    hide();
    QCoreApplication::exit(0);
}

} // namespace veltaro
