#include "window/formmain.h"

#include "failure.h"
#include "query/hypotenuse.h"
#include "widgets/accessibility.h"
#include "widgets/picklist.h"
#include "widgets/picturebox.h"
#include "widgets/scrollbar.h"
#include "files/stagingfile.h"
#include "network/transfer.h"
#include "retrieval/displaycommand.h"
#include "retrieval/picturesahead.h"
#include "window/actiontable.h"
#include "window/appicon.h"
#include "window/designtable.h"
#include "window/adjustdialog.h"
#include "window/enhancer.h"
#include "window/exportcontroller.h"
#include "files/keptfile.h"
#include "window/helpwindow.h"
#include "widgets/legendbar.h"
#include "window/instrumentpanel.h"
#include "widgets/framestrip.h"
#include "window/panelbinding.h"
#include "window/picturekeeper.h"
#include "window/shownpicture.h"
#include "window/player.h"
#include "window/timestepper.h"
#include "widgets/viewport.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QAction>
#include <QToolTip>
#include <QMouseEvent>
#include <QTimer>

#include <algorithm>
#include <vector>

namespace veltaro {

namespace {

// The status line's description when there is nothing more to tell, and what F1 says then.
constexpr char16_t kStatusName[] = u"状态";
constexpr char16_t kNothingToExplain[] = u"没有可说明的原因";
constexpr int kHoursADay = 24;

QWidget *createControl(const ControlDesign &design, QWidget *container)
{
    const QString caption = QString::fromUtf8(design.caption);
    switch (design.kind) {
    case ControlKind::PushButton:
        return new QPushButton(caption, container);
    case ControlKind::DropDownList:
        return new PickList(container);
    case ControlKind::VerticalScrollBar:
        return new ScrollBar(Qt::Vertical, kArrowStep, kVerticalPageStep, container);
    case ControlKind::HorizontalScrollBar:
        return new ScrollBar(Qt::Horizontal, kArrowStep, kHorizontalPageStep, container);
    case ControlKind::PictureBox:
        return new PictureBox(container);
    case ControlKind::AutoSizePictureBox:
        return new PictureBox(container, true);
    case ControlKind::Label:
        return new QLabel(caption, container);
    case ControlKind::Transfer:
        return nullptr; // not a widget: the window creates its Transfer itself
    }
    return nullptr;
}

template <typename Control> Control *typed(QWidget *widget, const char *name)
{
    auto *control = qobject_cast<Control *>(widget);
    if (!control)
        throw ControlFailure(std::string("控件缺失：") + name);
    return control;
}

// Single-precision sums of the layout, written as the window's load handler computes them.
float plus(double value, double offset)
{
    return static_cast<float>(value + offset);
}

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
    const QString cacheRoot = stagingFolder.isEmpty() ? StagingFile::cacheFolder() : stagingFolder;
    if (!cacheRoot.isEmpty() && QFileInfo(cacheRoot).isDir())
        m_inet1->useDiskCache(QDir(cacheRoot).filePath(QStringLiteral("pictures")),
                              kPictureCacheBytes);
    m_display = std::make_unique<DisplayCommand>(*this, *m_inet1, *m_staging);
    // The enhancement chosen is remembered in the user's settings (beside temp.jpg when the
    // window is given a folder of its own).
    m_enhancer = new Enhancer(stagingFolder.isEmpty()
                                  ? QString()
                                  : QDir(stagingFolder).filePath(QStringLiteral("veltaro.conf")),
                              this);
    m_keeper = new PictureKeeper(this, m_picture1, m_picture2);
    m_shown = new ShownPicture(m_picture2, this);
    connect(m_shown, &ShownPicture::enhancementFailed, this,
            [this](const QString &reason) { setStatus(m_label5->text(), reason); });
    m_stepper = new TimeStepper(this, *this, {m_combo1, m_combo2, m_combo3, m_combo4}, *m_display);
    m_player = new Player(this, *m_stepper, *m_display, *this);
    m_ahead = new PicturesAhead(*m_inet1, this);
    m_display->setPicturesAhead(m_ahead);
    m_stepper->setPicturesAhead(m_ahead);
    m_player->setPicturesAhead(m_ahead);
    // Playing stops for anything the user does with the moment.
    connect(m_stepper, &TimeStepper::stepped, m_player, &Player::stop);
    for (QComboBox *list : {m_combo1, m_combo2, m_combo3, m_combo4})
        connect(list, &QComboBox::activated, m_player, &Player::stop);
    m_exporter = new ExportController(this, *m_inet1, *m_enhancer, [this] {
        return ExportController::Start{m_player->isLooping() ? m_player->span() : std::vector<Moment>(),
                                       m_stepper->picked(), m_player->speed()};
    });
    createActions();
    createPanel();
    connect(m_viewport, &Viewport::zoomChanged, m_keeper, &PictureKeeper::zoomChanged);
    setOuterWidth(kDesignClientWidth);
    setOuterHeight(kDesignClientHeight);
}

Formmain::~Formmain()
{
    // Whatever holds a reference goes before what it refers to: the player and the stepper
    // before the display command, the command and the pictures ahead before the transfer.
    delete m_player;
    delete m_stepper;
    m_display.reset();
    delete m_ahead;
    delete m_inet1;
}

void Formmain::createControls()
{
    for (const ControlDesign &design : designTable()) {
        QWidget *container = this;
        if (design.container)
            container = typed<PictureBox>(m_controls.value(QString::fromLatin1(design.container)), design.container)
                            ->innerArea();
        QWidget *widget = createControl(design, container);
        if (!widget) {
            m_inet1 =
                new Transfer(ProxySetting::fromEnvironment(), Transfer::kDefaultMaxBodySize, this);
            m_inet1->setObjectName(QString::fromLatin1(design.name));
            continue;
        }
        widget->setObjectName(QString::fromLatin1(design.name));
        m_controls.insert(widget->objectName(), widget);

        if (auto *box = qobject_cast<PictureBox *>(widget)) {
            box->setLeftTwips(design.left);
            box->setTopTwips(design.top);
            box->setWidthTwips(design.width);
            box->setHeightTwips(design.height);
        } else {
            twips::setLeft(widget, design.left);
            twips::setTop(widget, design.top);
            twips::setWidth(widget, design.width);
            // A list keeps the toolkit's own height.
            if (design.kind != ControlKind::DropDownList)
                twips::setHeight(widget, design.height);
        }
    }

    m_command1 = typed<QPushButton>(control("Command1"), "Command1");
    m_command2 = typed<QPushButton>(control("Command2"), "Command2");
    m_combo1 = typed<QComboBox>(control("Combo1"), "Combo1");
    m_combo2 = typed<QComboBox>(control("Combo2"), "Combo2");
    m_combo3 = typed<QComboBox>(control("Combo3"), "Combo3");
    m_combo4 = typed<QComboBox>(control("Combo4"), "Combo4");
    m_picture1 = typed<PictureBox>(control("Picture1"), "Picture1");
    m_picture2 = typed<PictureBox>(control("Picture2"), "Picture2");
    m_hScroll1 = typed<ScrollBar>(control("HScroll1"), "HScroll1");
    m_vScroll1 = typed<ScrollBar>(control("VScroll1"), "VScroll1");
    m_label5 = typed<QLabel>(control("Label5"), "Label5");
    if (!m_inet1)
        throw ControlFailure("控件缺失：Inet1");

    arrangeVisualOrder();
    arrangeTabOrder();
    describeForAssistiveTools();

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
    const auto on = [this](Command command, auto slot) {
        connect(m_actions->action(command), &QAction::triggered, this, slot);
    };
    // The buttons are the design's own controls; what they do is their action's.
    connect(m_command1, &QPushButton::clicked, m_actions->action(Command::Show), &QAction::trigger);
    connect(m_command2, &QPushButton::clicked, m_actions->action(Command::Exit), &QAction::trigger);
    on(Command::Show, [this] { Command1_Click(); });
    on(Command::Exit, [this] { Command2_Click(); });
    on(Command::HourLater, [this] { m_stepper->step(1); });
    on(Command::HourEarlier, [this] { m_stepper->step(-1); });
    on(Command::DayLater, [this] { m_stepper->step(kHoursADay); });
    on(Command::DayEarlier, [this] { m_stepper->step(-kHoursADay); });
    on(Command::Play, [this] { m_player->togglePlay(); });
    on(Command::Loop, [this] { m_player->playLoop(); });
    on(Command::Faster, [this] { m_player->faster(); });
    on(Command::Slower, [this] { m_player->slower(); });
    on(Command::ZoomIn, [this] { m_viewport->zoomIn(); });
    on(Command::ZoomOut, [this] { m_viewport->zoomOut(); });
    on(Command::Fit, [this] { m_viewport->fitToViewport(); });
    on(Command::ActualSize, [this] { m_viewport->showActualSize(); });
    on(Command::FullScreen, [this] { setFullScreen(!isFullScreen()); });
    on(Command::Escape, [this] { escape(); });
    on(Command::Copy, [this] { m_keeper->copy(); });
    on(Command::Save, [this] { m_keeper->saveAs(); });
    on(Command::SaveSeen, [this] { m_keeper->saveSeen(); });
    on(Command::NextEnhancement, [this] { m_enhancer->step(1); });
    on(Command::PreviousEnhancement, [this] { m_enhancer->step(-1); });
    on(Command::Adjust, [this] { showAdjustments(); });
    on(Command::Export, [this] { m_exporter->open(); });
    on(Command::Reason, [this] { showStatusDetail(); });
    on(Command::Help, [this] { showHelp(); });
    for (const Command command : {Command::Copy, Command::Save, Command::SaveSeen})
        m_actions->action(command)->setEnabled(false); // nothing is shown yet
    connect(m_player, &Player::changed, this, &Formmain::playerChanged);
    playerChanged();

    // The picture's context menu.
    auto *separator = new QAction(this);
    separator->setSeparator(true);
    for (PictureBox *box : {m_picture1, m_picture2}) {
        box->addActions({m_actions->action(Command::Copy), m_actions->action(Command::Save),
                         m_actions->action(Command::SaveSeen)});
        box->addAction(separator);
        box->addActions({m_actions->action(Command::NextEnhancement),
                         m_actions->action(Command::PreviousEnhancement),
                         m_actions->action(Command::Adjust)});
        box->addActions({m_actions->action(Command::Play), m_actions->action(Command::Loop),
                         m_actions->action(Command::Faster), m_actions->action(Command::Slower),
                         m_actions->action(Command::Export)});
    }
    const QString stepHint = hintFor({Command::HourEarlier, Command::HourLater, Command::DayLater,
                                      Command::DayEarlier});
    for (QComboBox *list : {m_combo1, m_combo2, m_combo3, m_combo4})
        list->setToolTip(stepHint);
    m_picture1->setToolTip(stepHint + QLatin1Char('\n') +
                           hintFor({Command::ZoomIn, Command::ZoomOut, Command::Fit,
                                    Command::ActualSize, Command::FullScreen}) +
                           QStringLiteral("\n拖动、滚轮、方向键、PageUp/PageDown：移动图像"));
}

void Formmain::createPanel()
{
    m_panel = new InstrumentPanel(this, *m_actions);
    m_panelBinding = new PanelBinding(*m_panel, *m_actions, *m_player, *m_stepper, *m_display,
                                      *m_ahead, *m_keeper, this);
    connect(m_viewport, &Viewport::zoomChanged, m_panel, &InstrumentPanel::showZoom);
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

void Formmain::showAdjustments()
{
    if (!m_adjust)
        m_adjust = new AdjustDialog(*m_enhancer, this);
    m_adjust->show();
    m_adjust->raise();
    m_adjust->activateWindow();
}

QString Formmain::readout() const
{
    return m_shown->readout();
}

void Formmain::showHelp()
{
    if (!m_help)
        m_help = new HelpWindow(m_actions->actions(), this);
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
}

void Formmain::playerChanged()
{
    m_actions->action(Command::Play)->setText(m_player->isPlaying() ? QStringLiteral("暂停")
                                                                    : QStringLiteral("播放"));
    m_actions->action(Command::Faster)->setEnabled(m_player->speed() < Player::kFastest);
    m_actions->action(Command::Slower)->setEnabled(m_player->speed() > Player::kSlowest);
}

void Formmain::showStatusDetail()
{
    QString detail = m_statusDetail.isEmpty() ? QString::fromUtf16(kNothingToExplain)
                                              : m_statusDetail;
    // The value under the pointer too, for whoever cannot see the panel; a screen reader finds
    // it in the picture's description as well.
    if (const QString readout = m_shown->readout(); !readout.isEmpty()) {
        detail += QStringLiteral("\n指针处：") + readout;
        m_picture2->setAccessibleDescription(m_keeper->description() + QStringLiteral(" · 指针处：") +
                                             readout);
    }
    QToolTip::showText(m_label5->mapToGlobal(QPoint(0, m_label5->height())), detail, m_label5);
}

void Formmain::setFullScreen(bool on)
{
    if (on)
        showFullScreen();
    else
        showMaximized();
}

void Formmain::escape()
{
    if (!stopWhatRuns(*m_display, *m_player) && isFullScreen())
        setFullScreen(false);
}

void Formmain::arrangeVisualOrder()
{
    // Screen readers follow the order of the window's children: top to bottom, then the bottom
    // row left to right. Raising them in that order also keeps the note beneath the viewport
    // that overlaps it.
    for (const char *name :
         {"Label9", "Picture1", "HScroll1", "VScroll1", "Label6", "Combo1", "Label1", "Combo2",
          "Label2", "Combo3", "Label3", "Combo4", "Label4", "Command1", "Label5", "Command2"})
        control(name)->raise();
}

void Formmain::describeForAssistiveTools()
{
    const auto describe = [this](const char *name, const char16_t *text) {
        control(name)->setAccessibleName(QString::fromUtf16(text));
    };
    describe("Combo1", u"年份");
    describe("Combo2", u"月份");
    describe("Combo3", u"日");
    describe("Combo4", u"小时（北京时间）");
    describe("HScroll1", u"水平滚动");
    describe("VScroll1", u"垂直滚动");
    describe("Picture1", u"卫星云图");
    describe("Picture2", u"图像");
    // The status line is heard by its text ("稍侯〉〉〉", "无法找到" or nothing), the reason or the
    // picture shown as its description.
    control("Label5")->setAccessibleDescription(QString::fromUtf16(kStatusName));
    // The labels around each list name what it holds; the year list is heard with its "200".
    for (const auto &[label, list] : {std::pair{"Label6", "Combo1"}, {"Label1", "Combo1"},
                                      {"Label2", "Combo2"}, {"Label3", "Combo3"},
                                      {"Label4", "Combo4"}})
        typed<QLabel>(control(label), label)->setBuddy(control(list));
    typed<PickList>(control("Combo1"), "Combo1")
        ->setValuePrefix(typed<QLabel>(control("Label6"), "Label6")->text());
}

void Formmain::arrangeTabOrder()
{
    std::vector<const ControlDesign *> focusable;
    for (const ControlDesign &design : designTable()) {
        QWidget *widget = m_controls.value(QString::fromLatin1(design.name));
        if (widget && widget->focusPolicy() != Qt::NoFocus)
            focusable.push_back(&design);
    }
    std::sort(focusable.begin(), focusable.end(),
              [](auto *a, auto *b) { return a->tabIndex < b->tabIndex; });
    for (size_t i = 1; i < focusable.size(); ++i)
        QWidget::setTabOrder(m_controls.value(QString::fromLatin1(focusable[i - 1]->name)),
                             m_controls.value(QString::fromLatin1(focusable[i]->name)));
}

QWidget *Formmain::control(const char *name) const
{
    return m_controls.value(QString::fromLatin1(name));
}

void Formmain::Form_Load()
{
    setOuterWidth(m_screen.width);
    setOuterHeight(m_screen.height);
    layOut(outerWidth(), outerHeight());
    m_viewport->UpdateScrollRanges();
    fillLists();
    m_loaded = true;
}

void Formmain::layOut(float width, float height)
{
    m_laidOutFor = {width, height};
    // H / 5 × 4 is computed in double, dividing first; every result is handed on as float.
    const auto fourFifths = [height] { return static_cast<double>(height) / 5 * 4; };

    m_picture1->setTopTwips(200);
    m_picture1->setLeftTwips(300);
    m_picture1->setWidthTwips(plus(width, -600));
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

void Formmain::placePanel()
{
    // Right of "退出" on the bottom row: the moment shown. Below the bottom row, as wide as the
    // viewport: the transport, the zoom and the frame strip. Both end where the window's inside
    // does, wherever the viewport reaches.
    const QRect exit = m_command2->geometry();
    const int right = std::min(m_picture1->geometry().right(), width() - exit.height() / 2);
    QWidget *info = m_panel->infoRow();
    const int infoLeft = exit.right() + 1 + twips::toPixels(240);
    info->setGeometry(infoLeft, exit.top(), std::max(0, right - infoLeft + 1),
                      std::max(exit.height(), info->sizeHint().height()));
    QWidget *transport = m_panel->transportRow();
    const int left = m_picture1->geometry().left();
    transport->setGeometry(left, exit.bottom() + 1 + twips::toPixels(90),
                           std::max(0, right - left + 1), transport->sizeHint().height());
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
    if (!m_loaded)
        return;
    // Maximized, the window keeps the design's layout for the screen as long as that cuts
    // nothing off; restored, resized or full screen (or where the design's layout would cut a
    // control off), the same rules are applied to the window's inside.
    const TwipsSize inside{twips::fromPixels(width()), twips::fromPixels(height())};
    // A window whose inside is the screen (no window manager, or one that leaves it whole) is
    // laid out as at start.
    const bool screenSized = twips::toPixels(inside.width) == twips::toPixels(m_screen.width) &&
                             twips::toPixels(inside.height) == twips::toPixels(m_screen.height);
    const TwipsSize wanted = (isMaximized() && !isFullScreen()) || screenSized ? m_screen : inside;
    if (wanted.width != m_laidOutFor.width || wanted.height != m_laidOutFor.height)
        layOut(wanted.width, wanted.height);
    else
        placePanel(); // the window's inside may still have changed
    if (!everythingInside() && (inside.width != m_laidOutFor.width || inside.height != m_laidOutFor.height))
        layOut(inside.width, inside.height);
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
    m_display->run(DisplayCommand::Kind::Press);
}

QueryTime Formmain::queryTime() const
{
    return {m_combo1->currentText().toStdString(), m_combo2->currentText().toStdString(),
            m_combo3->currentText().toStdString(), m_combo4->currentText().toStdString()};
}

void Formmain::setStatus(const QString &text, const QString &reason)
{
    // Done: what is shown is told; otherwise the reason, if any.
    setStatusDetail(text.isEmpty() && reason.isEmpty() ? m_keeper->description() : reason);
    m_label5->setToolTip(reason);
    // The text last: a screen reader that hears it change finds the detail already there.
    m_label5->setText(text);
}

void Formmain::showProgress(const QString &text)
{
    setStatusDetail(text);
    m_label5->setToolTip(text);
}

void Formmain::setStatusDetail(const QString &detail)
{
    m_statusDetail = detail;
    m_label5->setAccessibleDescription(detail.isEmpty() ? QString::fromUtf16(kStatusName)
                                                        : detail);
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
