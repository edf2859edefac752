#pragma once

// Every command of the window, written once: its name in menus and buttons, its keys and what
// it does. The window makes one QAction of each (ActionTable), used by the keys, the context
// menu and the panel alike; --help, the help window and the manual page list the same rows.
// Nothing here needs a display, so --help can print the table before the program has one.

#include <QKeySequence>
#include <QString>

#include <initializer_list>
#include <span>

namespace veltaro {

enum class Command {
    Show,
    HourLater,
    HourEarlier,
    DayLater,
    DayEarlier,
    Play,
    Loop,
    BackAndForth,
    Faster,
    Slower,
    ZoomIn,
    ZoomOut,
    Fit,
    ActualSize,
    FullScreen,
    Escape,
    NextEnhancement,
    PreviousEnhancement,
    Adjust,
    Copy,
    Save,
    SaveSeen,
    Export,
    Compare,
    CompareMoment,
    SwapCompared,
    Blink,
    Swipe,
    Fade,
    Difference,
    SideBySide,
    MoreOfB,
    MoreOfA,
    Smooth,
    Reason,
    Chinese,
    English,
    Help,
    Exit,
};

struct CommandDesign
{
    Command command;
    const char *text; // the name, said through nameOf()
    // The keys, as Qt writes them ("Ctrl+Right"), alternatives separated by "; ".
    const char *keys;
    // The platform's own keys for the same command, added to those above.
    QKeySequence::StandardKey standardKey;
    const char *help; // said through helpOf()
};

std::span<const CommandDesign> commandTable();
const CommandDesign &designOf(Command command);
// The command's name and what it does, in the user's language.
QString nameOf(const CommandDesign &design);
QString helpOf(const CommandDesign &design);

// The keys of a command as the help shows them: "Ctrl++ / Ctrl+=".
QString keysText(const CommandDesign &design);

// "Ctrl+Left：前一小时；Ctrl+Right：后一小时", for a tooltip.
QString hintFor(std::initializer_list<Command> commands);

// What the mouse and the moving keys do on the picture, in one sentence: the tooltip, the help
// window and --help say it in these words.
QString mouseHint();

// One line a command: its keys, its name and what it does, for --help.
QString commandListText();

} // namespace veltaro
