#include "window/windowcommands.h"

#include "retrieval/displaycommand.h"
#include "widgets/picturebox.h"
#include "widgets/viewport.h"
#include "window/actiontable.h"
#include "window/adjustdialog.h"
#include "window/enhancer.h"
#include "window/exportcontroller.h"
#include "window/helpwindow.h"
#include "window/picturekeeper.h"
#include "window/player.h"
#include "window/shownpicture.h"
#include "window/statusline.h"
#include "window/timestepper.h"

#include <QAction>
#include <QComboBox>

namespace veltaro {

namespace {

constexpr int kHoursADay = 24;

} // namespace

WindowCommands::WindowCommands(Parts parts, QObject *parent)
    : QObject(parent), m_parts(std::move(parts))
{
    connectActions();
    makeMenusAndHints();
}

void WindowCommands::connectActions()
{
    Parts &p = m_parts;
    const auto on = [this](Command command, auto slot) {
        connect(m_parts.actions.action(command), &QAction::triggered, this, slot);
    };
    on(Command::Show, [this] { m_parts.show(); });
    on(Command::Exit, [this] { m_parts.exit(); });
    on(Command::HourLater, [&p] { p.stepper.step(1); });
    on(Command::HourEarlier, [&p] { p.stepper.step(-1); });
    on(Command::DayLater, [&p] { p.stepper.step(kHoursADay); });
    on(Command::DayEarlier, [&p] { p.stepper.step(-kHoursADay); });
    on(Command::Play, [&p] { p.player.togglePlay(); });
    on(Command::Loop, [&p] { p.player.playLoop(); });
    on(Command::Faster, [&p] { p.player.faster(); });
    on(Command::Slower, [&p] { p.player.slower(); });
    on(Command::ZoomIn, [&p] { p.viewport.zoomIn(); });
    on(Command::ZoomOut, [&p] { p.viewport.zoomOut(); });
    on(Command::Fit, [&p] { p.viewport.fitToViewport(); });
    on(Command::ActualSize, [&p] { p.viewport.showActualSize(); });
    on(Command::FullScreen, [this] { setFullScreen(!m_parts.window->isFullScreen()); });
    on(Command::Escape, [this] { escape(); });
    on(Command::Copy, [&p] { p.keeper.copy(); });
    on(Command::Save, [&p] { p.keeper.saveAs(); });
    on(Command::SaveSeen, [&p] { p.keeper.saveSeen(); });
    on(Command::NextEnhancement, [&p] { p.enhancer.step(1); });
    on(Command::PreviousEnhancement, [&p] { p.enhancer.step(-1); });
    on(Command::Adjust, [this] { showAdjustments(); });
    on(Command::Export, [&p] { p.exporter.open(); });
    on(Command::Reason, [this] { explainStatus(); });
    on(Command::Help, [this] { showHelp(); });
    for (const Command command : {Command::Copy, Command::Save, Command::SaveSeen})
        p.actions.action(command)->setEnabled(false); // nothing is shown yet
    connect(&p.player, &Player::changed, this, &WindowCommands::playerChanged);
    playerChanged();
}

void WindowCommands::makeMenusAndHints()
{
    ActionTable &actions = m_parts.actions;
    // The picture's context menu.
    auto *separator = new QAction(this);
    separator->setSeparator(true);
    for (PictureBox *box : m_parts.boxes) {
        box->addActions({actions.action(Command::Copy), actions.action(Command::Save),
                         actions.action(Command::SaveSeen)});
        box->addAction(separator);
        box->addActions({actions.action(Command::NextEnhancement),
                         actions.action(Command::PreviousEnhancement), actions.action(Command::Adjust)});
        box->addActions({actions.action(Command::Play), actions.action(Command::Loop),
                         actions.action(Command::Faster), actions.action(Command::Slower),
                         actions.action(Command::Export), actions.action(Command::Compare),
                         actions.action(Command::CompareMoment)});
    }
    const QString stepHint = hintFor({Command::HourEarlier, Command::HourLater, Command::DayLater,
                                      Command::DayEarlier});
    for (QComboBox *list : m_parts.lists)
        list->setToolTip(stepHint);
    m_parts.boxes[0]->setToolTip(stepHint + QLatin1Char('\n') +
                                 hintFor({Command::ZoomIn, Command::ZoomOut, Command::Fit,
                                          Command::ActualSize, Command::FullScreen}) +
                                 QLatin1Char('\n') + mouseHint());
}

void WindowCommands::playerChanged()
{
    const Player &player = m_parts.player;
    m_parts.actions.action(Command::Play)->setText(player.isPlaying() ? tr("暂停")
                                                                      : tr("播放"));
    // Whether a loop plays is seen on its button, and heard as its state.
    QAction *loop = m_parts.actions.action(Command::Loop);
    loop->setCheckable(true);
    loop->setChecked(player.isLooping());
    m_parts.actions.action(Command::Faster)->setEnabled(player.speed() < Player::kFastest);
    m_parts.actions.action(Command::Slower)->setEnabled(player.speed() > Player::kSlowest);
}

void WindowCommands::setFullScreen(bool on)
{
    if (on)
        m_parts.window->showFullScreen();
    else
        m_parts.window->showMaximized();
}

void WindowCommands::escape()
{
    if (!stopWhatRuns(m_parts.display, m_parts.player) && m_parts.window->isFullScreen())
        setFullScreen(false);
}

void WindowCommands::showHelp()
{
    if (!m_help)
        m_help = new HelpWindow(m_parts.actions.actions(), m_parts.window);
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
}

void WindowCommands::showAdjustments()
{
    if (!m_adjust)
        m_adjust = new AdjustDialog(m_parts.enhancer, m_parts.window);
    m_adjust->show();
    m_adjust->raise();
    m_adjust->activateWindow();
}

void WindowCommands::explainStatus()
{
    // The value under the pointer too, for whoever cannot see the panel; a screen reader finds
    // it in the picture's description as well.
    const QString readout = m_parts.shown.readout();
    if (!readout.isEmpty())
        m_parts.boxes[1]->setAccessibleDescription(m_parts.keeper.description() +
                                                   tr(" · 指针处：") + readout);
    m_parts.status.explain(readout);
}

} // namespace veltaro
