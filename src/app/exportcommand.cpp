#include "app/exportcommand.h"

#include "files/stagingfile.h"
#include "network/transfer.h"
#include "retrieval/keptpictures.h"
#include "window/enhancer.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

#include <cstdio>
#include <unistd.h>

namespace veltaro {

std::optional<Enhancement> enhancementNamed(const QString &name, QString *whyNot)
{
    const QString wanted = name.trimmed();
    if (wanted.isEmpty())
        return Enhancement();
    if (std::optional<Enhancement> builtIn = Enhancer::builtIn(wanted))
        return builtIn;
    QStringList problems;
    QStringList known = Enhancer::builtInIds();
    for (const auto &table : loadEnhancementTables(Enhancer::folders(), &problems)) {
        if (table->id == wanted || table->name == wanted)
            return Enhancement::table(table);
        known << table->id;
    }
    if (const QString problem = Enhancer::problemWith(problems, wanted); !problem.isEmpty()) {
        *whyNot = QCoreApplication::translate("CommandLine", "增强“%1”无法使用：%2").arg(wanted, problem);
        return std::nullopt;
    }
    *whyNot = QCoreApplication::translate("CommandLine", "没有名为“%1”的增强；可用的有 %2")
                  .arg(wanted, known.join(QCoreApplication::translate("CommandLine", "、")));
    return std::nullopt;
}

int runExport(const ExportCommand &command)
{
    QTextStream err(stderr);
    QString whyNot;
    const std::optional<Enhancement> enhancement = enhancementNamed(command.enhance, &whyNot);
    if (!enhancement) {
        err << "Veltaro：" << whyNot << '\n';
        return 2;
    }
    ExportRequest request;
    request.hours = hoursEndingAt(command.moment, command.hours, command.every);
    request.jpegFolder = command.format == QStringLiteral("jpg");
    request.animation.format = animationFormatNamed(command.format).value_or(AnimationFormat::WebP);
    request.animation.lossless = command.lossless;
    request.animation.quality = command.quality;
    request.plan.picturesPerSecond = command.fps;
    request.plan.smoothSteps = command.smooth;
    request.plan.backAndForth = command.backAndForth;
    request.plan.longestSide = command.size;
    request.plan.label = command.label;
    request.enhancement = *enhancement;
    request.path = QDir::current().absoluteFilePath(command.path);

    // The same transfer, limits and kept copies as the window's.
    Transfer transfer;
    keepPicturesUnder(transfer, StagingFile::cacheFolder());
    LoopExport job(transfer, request);
    const bool terminal = ::isatty(::fileno(stderr)) != 0;
    QString lastLine;
    QObject::connect(&job, &LoopExport::progressed, &job, [&](int fetched, int encoded, int total) {
        // How many frames the file will hold is known once every picture is in: the bar counts
        // the pictures fetched for its first half, the frames encoded for its second.
        const QString line = progressText(fetched, job.passedOver(), encoded, total, job.toFolder());
        if (line == lastLine)
            return;
        lastLine = line;
        if (terminal) {
            constexpr int kWidth = 30;
            const int frames = request.plan.backAndForth ? std::max(total, 2 * total - 2) : total;
            const int done = total > 0 ? std::min(kWidth, kWidth * (fetched + encoded) / (total + frames)) : 0;
            err << "\r[" << QString(done, QLatin1Char('#')) << QString(kWidth - done, QLatin1Char('.'))
                << "] " << line << "   ";
        } else {
            err << line << '\n';
        }
        err.flush();
    });
    // The application's own event loop runs the export and ends with its status.
    QObject::connect(&job, &LoopExport::finished, &job, [&](const ExportResult &result) {
        if (terminal)
            err << '\n';
        if (!result.written) {
            err << QCoreApplication::translate("CommandLine", "Veltaro：导出失败：") << result.reason << '\n';
            QCoreApplication::exit(1);
            return;
        }
        err << writtenText(result) << '\n';
        for (const QString &line : passedOverLines(result))
            err << line << '\n';
        err.flush();
        QCoreApplication::exit(result.missing.isEmpty() && result.skipped.isEmpty() ? 0 : 3);
    });
    job.start();
    return QCoreApplication::exec();
}

} // namespace veltaro
