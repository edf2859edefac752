#include "window/formmain.h"

#include "failure.h"
#include "said.h"
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
#include "window/comparer.h"
#include "window/languagemenu.h"
#include "window/smoother.h"
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

#include <QMenu>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QAction>

#include <algorithm>
#include <vector>

namespace veltaro {

namespace {

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
    setWindowTitle(QCoreApplication::translate("Design", kWindowCaption));
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
                                       m_player->backAndForth(), m_player->restMs(), m_smoother->longestGap()};
    });
    createActions();
    createPanel();
    holdEveryControl();
    m_comparer = new Comparer({*m_actions, *m_panel, *m_shown, *m_player, *m_stepper, *m_display,
                               *m_inet1, *m_picture2},
                              this);
    connect(m_comparer, &Comparer::changed, m_keeper,
            [this] { m_keeper->setComparing(m_comparer->description()); });
    connect(m_comparer, &Comparer::said, this,
            [this](const QString &reason) { setStatus(m_label5->text(), reason); });
    // A composite of another size (side by side) is placed and fitted as a new picture is.
    connect(m_shown, &ShownPicture::sizeChanged, m_viewport, &Viewport::pictureReplaced);
    connect(m_enhancer, &Enhancer::changed, m_comparer,
            [this] { m_comparer->setEnhancement(m_enhancer->current()); });
    m_comparer->setEnhancement(m_enhancer->current());
    createSmoothing();
    connect(m_viewport, &Viewport::zoomChanged, m_keeper, &PictureKeeper::zoomChanged);
    m_remembered = new PlayerSettings(settingsFile, *m_player, *m_viewport, *m_smoother, this);
    // The languages, at the end of the picture's menu.
    m_languages = new LanguageMenu(*m_actions, settingsFile, this);
    for (PictureBox *box : {m_picture1, m_picture2})
        box->addAction(m_languages->menu()->menuAction());
    connect(m_languages, &LanguageMenu::said, this,
            [this](const QString &note) { setStatus(m_label5->text(), note); });
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
    delete m_comparer;
    delete m_shown;
    delete m_remembered;
    delete m_exporter;
    delete m_player;
    delete m_smoother;
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
        throw ControlFailure(said("DesignedControls", "控件缺失：") + "Inet1");
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

void Formmain::createSmoothing()
{
    m_smoother = new Smoother(*m_inet1, this);
    m_player->setSmoother(m_smoother);
    QAction *smooth = m_actions->action(Command::Smooth);
    smooth->setCheckable(true);
    connect(smooth, &QAction::toggled, m_smoother, &Smoother::setOn);
    connect(m_panel->smoothSteps(), &QComboBox::activated, m_smoother, [this](int index) {
        m_smoother->setSteps(m_panel->smoothSteps()->itemData(index).toInt());
    });
    connect(m_panel->smoothGap(), &QComboBox::activated, m_smoother, [this](int index) {
        m_smoother->setLongestGap(m_panel->smoothGap()->itemData(index).toInt());
    });
    const auto showSmoothing = [this] {
        m_actions->action(Command::Smooth)->setChecked(m_smoother->isOn());
        m_panel->showSmoothing(m_smoother->isOn(), m_smoother->steps(), m_smoother->longestGap());
    };
    connect(m_smoother, &Smoother::changed, this, showSmoothing);
    showSmoothing();
    connect(m_player, &Player::smoothFrom, m_smoother,
            [this](const Moment &shown, const std::optional<Moment> &next, const std::optional<Moment> &aheadFrom,
                   const std::optional<Moment> &aheadTo) {
                m_smoother->prepare(shown, m_shown->picture(), next, aheadFrom, aheadTo);
            });
    connect(m_enhancer, &Enhancer::changed, m_smoother,
            [this] { m_smoother->setEnhancement(m_enhancer->current()); });
    m_smoother->setEnhancement(m_enhancer->current());
    // A made frame takes the picture's place as a frame of playback does, but is never staged,
    // and everything that names it says it was made.
    connect(m_smoother, &Smoother::frameMade, this,
            [this](const QImage &picture, const QImage &seen, const QString &moment, double fraction) {
                if (m_comparer->isOn())
                    return; // comparing pairs real pictures only
                m_shown->show(picture, seen.isNull() || seen.cacheKey() == picture.cacheKey() ? QImage() : seen);
                m_shown->setReadoutNote(tr(" · 插值"));
                m_keeper->madeFrameShown(moment);
                m_panelBinding->madeFrameShown(moment, fraction);
            });
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
    m_comparer->pictureShown(momentOf(source.beijing));
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
