#include "app/commandline.h"

#include "animation/animationencoder.h"
#include "window/commandtable.h"
#include "window/language.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QRegularExpression>
#include "app/version.h"

#include <QCommandLineParser>
#include <QTextStream>

#include <algorithm>
#include <cstdio>

namespace veltaro {

namespace {

// The options every Qt program takes (QGuiApplication's, QApplication's and the X11 platform's),
// each with whether a value follows. The application takes them out of the arguments itself;
// here they only need to be let through.
struct QtOption
{
    const char *name;
    bool takesValue;
};
constexpr QtOption kQtOptions[] = {
    {"platform", true},      {"platformpluginpath", true}, {"platformtheme", true},
    {"plugin", true},        {"qwindowgeometry", true},    {"qwindowicon", true},
    {"qwindowtitle", true},  {"qmljsdebugger", true},      {"session", true},
    {"style", true},         {"stylesheet", true},         {"display", true},
    {"geometry", true},      {"name", true},               {"title", true},
    {"visual", true},        {"ncols", true},              {"cmap", false},
    {"reverse", false},      {"widgetcount", false},       {"nograb", false},
    {"dograb", false},       {"sync", false},
};

QString usageLine(const QString &program)
{
    return QCoreApplication::translate("CommandLine", "用法：%1 [时刻 [--loop 小时数] [--fps 幅数]] [Qt 的选项，如 -platform 名称]\n"
                          "      %1 --export 文件 --moment 时刻 [--hours 24] [--every 1] [--fps 4]\n"
                          "         [--size original|half|像素] [--format webp|gif|mp4|jpg] [--enhance 名称]\n"
                          "         [--quality 80] [--lossless] [--back-and-forth] [--smooth 2|3|4] [--no-label]\n"
                          "      [--lang en|zh_CN]\n"
                          "      %1 --help | --version\n").arg(program);
}

} // namespace

QString helpText(const QString &program)
{
    return usageLine(program) +
           QCoreApplication::translate("CommandLine", "\n"
               "Veltaro 显示所选时刻（北京时间）的气象卫星云图：选好年、月、日、时，按“显示”。\n"
               "\n"
               "选项：\n"
               "  时刻           以此时刻（北京时间）启动并显示，写作 2008-07-18T10 或“2008-07-18 10”，\n"
               "                 在 2006-01-01 00:00 到 2009-12-31 23:00 之间\n"
               "  --loop N       启动后循环播放到该时刻为止的 N 小时（6、12、24 或 48）；\n"
               "                 --fps N 每秒 N 幅（1 到 10）\n"
               "  --export 文件  不开窗口，把到 --moment 为止的 --hours 小时（默认 24）导出为动画：\n"
               "                 --every 1|2|3 每隔几小时一幅；--format webp|gif|mp4|jpg（默认按文件后缀，\n"
               "                 jpg 为一个文件夹，存下载时的原样图像，如 2008-07-18_1000.jpg，已有的不再下载）；\n"
               "                 --size original|half|最长边像素；--enhance 增强表名；--quality 0-100；\n"
               "                 --lossless；--back-and-forth 往返；--no-label 不写时刻；\n"
               "                 --smooth 2|3|4 平滑：相邻两小时之间用光流插出 1 到 3 帧，标为“插值”。\n"
               "                 退出状态：0 全部帧都在，3 跳过了缺的或损坏的小时（会列出），1 失败\n"
               "  --lang en|zh_CN  界面语言：英文或中文（默认随桌面的语言；没有指定语言时为中文）\n"
               "  -h, --help     显示本说明后退出\n"
               "  -v, --version  显示版本后退出\n"
               "  Qt 程序通用的选项（-platform、-style、-display 等）照常有效。\n"
               "\n"
               "窗口下方的面板显示所显示图像的时刻，并有播放、循环、速度、缩放、增强和时间轴。\n"
               "\n"
               "命令和按键（也在图像的右键菜单、面板和 F1 帮助窗口里）：\n") +
           commandListText() +
           QStringLiteral("  ") + mouseHint() +
           QCoreApplication::translate("CommandLine", "\n"
               "\n"
               "环境变量：\n"
               "  http_proxy, HTTP_PROXY  经此代理服务器下载图像（如 http://127.0.0.1:8080）\n"
               "  no_proxy, NO_PROXY      不经代理的主机名、域名后缀，或 *\n"
               "\n"
               "文件：\n"
               "  temp.jpg  最近一次下载的内容：程序所在文件夹可写时放在那里，否则（包括安装后的\n"
               "            程序）放在用户的缓存文件夹（~/.cache/Veltaro/）。\n"
               "  ~/.cache/Veltaro/pictures/  下载过的图像，最多 256 MB；按时间前后切换时直接使用，\n"
               "            按“显示”时仍向服务器确认。\n"
               "  ~/.local/share/Veltaro/enhancements/*.table  自己的增强表（灰度范围对应颜色，\n"
               "            按灰度而非定标温度；见 man veltaro）。\n"
               "  ~/.config/Veltaro/Veltaro.conf  所选的增强，下次启动时沿用。\n"
               "\n"
               "退出状态：0 正常结束；1 无法打开显示或窗口无法建立，或导出失败；2 命令行有误；\n"
               "          3 导出时跳过了一些小时（服务器上没有，或图像损坏）。\n");
}

namespace {

// The arguments as the user wrote them for the options the parser did not know.
QStringList asWritten(const QStringList &arguments, const QStringList &unknownNames)
{
    QStringList written;
    for (const QString &argument : arguments.mid(1)) {
        QString name = argument;
        while (name.startsWith(QLatin1Char('-')))
            name.remove(0, 1);
        name = name.section(QLatin1Char('='), 0, 0);
        if (argument.startsWith(QLatin1Char('-')) && unknownNames.contains(name) &&
            !written.contains(argument))
            written << argument;
    }
    return written.isEmpty() ? unknownNames : written;
}

} // namespace

std::optional<Moment> momentFromText(const QString &text, QString *whyNot)
{
    static const QRegularExpression form(
        QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2})[T ](\\d{1,2})(?::00)?$"));
    const auto match = form.match(text.trimmed());
    if (!match.hasMatch()) {
        *whyNot = QCoreApplication::translate("CommandLine", "时刻“%1”的写法不对，应为 2008-07-18T10 或“2008-07-18 10”（北京时间）").arg(text);
        return std::nullopt;
    }
    const int year = match.captured(1).toInt();
    const int month = match.captured(2).toInt();
    const int day = match.captured(3).toInt();
    const int hour = match.captured(4).toInt();
    const auto two = [](int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')).toStdString(); };
    const std::optional<Moment> moment =
        year >= 2006 && year <= 2009 && hour <= 23
            ? momentOf({std::to_string(year % 10), two(month), two(day), two(hour)})
            : std::nullopt;
    if (!moment)
        *whyNot = QCoreApplication::translate("CommandLine", "时刻 %1 不存在，或不在 2006-01-01 00:00 到 2009-12-31 23:00 之间（北京时间）").arg(text);
    return moment;
}

QString askedLanguage(const QStringList &arguments)
{
    QString asked;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (argument == QLatin1String("--lang") || argument == QLatin1String("-lang"))
            asked = arguments.value(i + 1);
        else if (argument.startsWith(QLatin1String("--lang=")))
            asked = argument.mid(7);
    }
    return languagesSpoken().contains(asked) ? asked : QString();
}

CommandLine handleCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    // Qt's own options are written with one dash: -platform, -style.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption helpOption({QStringLiteral("h"), QStringLiteral("help")},
                                        QStringLiteral("help"));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("version"));
    const auto valued = [](const char *name) {
        return QCommandLineOption(QString::fromLatin1(name), QString(), QStringLiteral("value"));
    };
    const QCommandLineOption loopOption = valued("loop"), fps = valued("fps"), exportTo = valued("export"),
                             moment = valued("moment"), hours = valued("hours"),
                             every = valued("every"), size = valued("size"),
                             format = valued("format"), enhance = valued("enhance"),
                             quality = valued("quality"), smooth = valued("smooth"), lang = valued("lang");
    const QCommandLineOption noLabel(QStringLiteral("no-label"));
    const QCommandLineOption lossless(QStringLiteral("lossless"));
    const QCommandLineOption backAndForth(QStringLiteral("back-and-forth"));
    parser.addOptions({helpOption, version, loopOption, fps, exportTo, moment, hours, every, size, format,
                       enhance, quality, smooth, noLabel, lossless, backAndForth, lang});
    for (const QtOption &option : kQtOptions) {
        QCommandLineOption qtOption(QString::fromLatin1(option.name));
        if (option.takesValue)
            qtOption.setValueName(QStringLiteral("value"));
        parser.addOption(qtOption);
    }
    const QString program = arguments.isEmpty() ? QStringLiteral("Veltaro") : arguments.first();

    QTextStream out(stdout);
    QTextStream err(stderr);
    CommandLine line;
    const auto refuse = [&](const QString &why) {
        err << program << QCoreApplication::translate("CommandLine", "：") << why << '\n' << usageLine(program);
        line.exitNow = 2;
        return line;
    };
    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        return refuse(!unknown.isEmpty() ? QCoreApplication::translate("CommandLine", "未知选项 ") +
                                               asWritten(arguments, unknown).join(QLatin1Char(' '))
                                         : parser.errorText());
    }
    if (parser.isSet(lang) && !languagesSpoken().contains(parser.value(lang)))
        return refuse(QCoreApplication::translate("CommandLine", "--lang 只能是 %1")
                          .arg(languagesSpoken().join(QLatin1Char('|'))));
    if (parser.isSet(helpOption)) {
        out << helpText(program);
        line.exitNow = 0;
        return line;
    }
    if (parser.isSet(version)) {
        out << "Veltaro " << kVersion << '\n';
        line.exitNow = 0;
        return line;
    }
    // A whole number within its range, or the refusal.
    const auto number = [&](const QCommandLineOption &option, int low, int high, int otherwise,
                            int *into) {
        if (!parser.isSet(option)) {
            *into = otherwise;
            return true;
        }
        bool ok = false;
        const int value = parser.value(option).toInt(&ok);
        if (!ok || value < low || value > high) {
            refuse(QCoreApplication::translate("CommandLine", "--%1 应为 %2 到 %3 之间的整数").arg(option.names().first()).arg(low).arg(high));
            return false;
        }
        *into = value;
        return true;
    };
    QString whyNot;
    if (const QStringList positional = parser.positionalArguments(); !positional.isEmpty()) {
        line.start.moment = momentFromText(positional.join(QLatin1Char(' ')), &whyNot);
        if (!line.start.moment)
            return refuse(whyNot);
    }
    if (!number(fps, loop::kSlowest, loop::kFastest, 0, &line.start.fps))
        return line;
    if (parser.isSet(loopOption)) {
        // Only the spans the panel offers, so that the panel always names the loop playing.
        bool ok = false;
        const int span = parser.value(loopOption).toInt(&ok);
        if (!ok || std::find(loop::kSpans.begin(), loop::kSpans.end(), span) == loop::kSpans.end()) {
            QStringList spans;
            for (const int each : loop::kSpans)
                spans << QString::number(each);
            return refuse(QCoreApplication::translate("CommandLine", "--loop 应为 %1 小时之一").arg(spans.join(QCoreApplication::translate("CommandLine", "、"))));
        }
        line.start.loopHours = span;
    }
    if (!parser.isSet(exportTo))
        return line;

    ExportCommand command;
    command.path = parser.value(exportTo);
    const QString when = parser.isSet(moment) ? parser.value(moment)
                                              : parser.positionalArguments().join(QLatin1Char(' '));
    if (when.isEmpty())
        return refuse(QCoreApplication::translate("CommandLine", "--export 需要 --moment 给出时刻（北京时间），如 2008-07-18T10"));
    const std::optional<Moment> end = momentFromText(when, &whyNot);
    if (!end)
        return refuse(whyNot);
    command.moment = *end;
    if (!number(hours, 1, loop::kLongestExportHours, loop::kDefaultSpan, &command.hours) ||
        !number(every, loop::kEvery.front(), loop::kEvery.back(), loop::kEvery.front(), &command.every) ||
        !number(fps, loop::kSlowest, loop::kFastest, loop::kDefaultSpeed, &command.fps) ||
        !number(quality, 0, 100, AnimationOptions{}.quality, &command.quality) ||
        !number(smooth, loop::kFewestSmoothSteps, loop::kMostSmoothSteps, 1, &command.smooth))
        return line;
    if (parser.isSet(size)) {
        const QString value = parser.value(size);
        bool ok = false;
        const int side = value.toInt(&ok);
        if (value == QStringLiteral("original"))
            command.size = 0;
        else if (value == QStringLiteral("half"))
            command.size = -2;
        else if (ok && side >= 16)
            command.size = side;
        else
            return refuse(QCoreApplication::translate("CommandLine", "--size 应为 original、half 或最长边的像素数（至少 16）"));
    }
    command.format = parser.isSet(format) ? parser.value(format).toLower()
                                          : QFileInfo(command.path).suffix().toLower();
    if (command.format == QStringLiteral("jpeg"))
        command.format = QStringLiteral("jpg");
    if (command.format.isEmpty() && !parser.isSet(format))
        command.format = QStringLiteral("jpg"); // a folder
    if (!animationFormatNamed(command.format) && command.format != QStringLiteral("jpg"))
        return refuse(QCoreApplication::translate("CommandLine", "--format 应为 webp、gif、mp4 或 jpg"));
    command.enhance = parser.value(enhance);
    command.label = !parser.isSet(noLabel);
    command.lossless = parser.isSet(lossless);
    command.backAndForth = parser.isSet(backAndForth);
    line.exported = command;
    return line;
}

} // namespace veltaro
