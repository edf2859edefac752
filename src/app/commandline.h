#pragma once

#include "animation/animationencoder.h"
#include "export/loopframes.h"
#include "query/looplimits.h"
#include "query/moment.h"
#include "window/startoptions.h"

#include <QStringList>

#include <optional>

namespace veltaro {

// Exporting a loop without a window: --export FILE --moment M [--hours N] ...
struct ExportCommand
{
    QString path;
    Moment moment;
    int hours = loop::kDefaultSpan;
    int every = 1;
    int fps = loop::kDefaultSpeed;
    int size = FramePlan{}.longestSide; // 0 the original, -2 half, otherwise the longest side
    int quality = AnimationOptions{}.quality;
    QString format; // webp, gif or jpg (a folder of the downloaded files)
    QString enhance;
    bool label = true;
    bool lossless = false;
    bool backAndForth = false;
    int smooth = 1; // steps an hour is cut into; 1 for none
};

struct CommandLine
{
    std::optional<int> exitNow; // the exit status when the program must end now
    StartOptions start;
    std::optional<ExportCommand> exported;
};

// The program's options: --help and --version print and end the program before any window
// exists (and so without a display); a moment (and --loop, --fps) starts the window on it;
// --export makes a loop's file without a window; anything wrong ends it with status 2.
CommandLine handleCommandLine(const QStringList &arguments);

// The language asked for with --lang (--lang en, --lang=zh_CN), read before anything else so
// that even the refusals speak it; empty when none is asked for or it is not one the program
// speaks (handleCommandLine refuses that).
QString askedLanguage(const QStringList &arguments);

// A moment as the command line writes it, Beijing time: "2008-07-18T10" or "2008-07-18 10";
// nothing, with the reason in Chinese, when it is malformed or outside the lists' range.
std::optional<Moment> momentFromText(const QString &text, QString *whyNot);

// What --help prints.
QString helpText(const QString &program);

} // namespace veltaro
