#include "window/commandline.h"

#include "window/commandtable.h"
#include "window/version.h"

#include <QCommandLineParser>
#include <QTextStream>

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
    return QStringLiteral("用法：%1 [--help | --version] [Qt 的选项，如 -platform 名称]\n").arg(program);
}

} // namespace

QString helpText(const QString &program)
{
    return usageLine(program) +
           QStringLiteral(
               "\n"
               "Veltaro 显示所选时刻（北京时间）的气象卫星云图：选好年、月、日、时，按“显示”。\n"
               "\n"
               "选项：\n"
               "  -h, --help     显示本说明后退出\n"
               "  -v, --version  显示版本后退出\n"
               "  Qt 程序通用的选项（-platform、-style、-display 等）照常有效。\n"
               "\n"
               "窗口下方的面板显示所显示图像的时刻，并有播放、循环、速度、缩放、增强和时间轴。\n"
               "\n"
               "命令和按键（也在图像的右键菜单、面板和 F1 帮助窗口里）：\n") +
           commandListText() +
           QStringLiteral(
               "  鼠标：拖动图像移动它；滚轮上下移动，加 Shift 左右移动，加 Ctrl 缩放；\n"
               "  方向键、PageUp/PageDown、Home/End 在视区里移动图像。\n"
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
               "退出状态：0 正常结束；1 无法打开显示或窗口无法建立；2 命令行有误。\n");
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

std::optional<int> handleCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    // Qt's own options are written with one dash: -platform, -style.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption helpOption({QStringLiteral("h"), QStringLiteral("help")},
                                        QStringLiteral("help"));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("version"));
    parser.addOption(helpOption);
    parser.addOption(version);
    for (const QtOption &option : kQtOptions) {
        QCommandLineOption qtOption(QString::fromLatin1(option.name));
        if (option.takesValue)
            qtOption.setValueName(QStringLiteral("value"));
        parser.addOption(qtOption);
    }
    const QString program = arguments.isEmpty() ? QStringLiteral("Veltaro") : arguments.first();

    QTextStream out(stdout);
    QTextStream err(stderr);
    const bool parsed = parser.parse(arguments);
    if (!parsed || !parser.positionalArguments().isEmpty()) {
        const QStringList unknown = parser.unknownOptionNames();
        err << program << QStringLiteral("：")
            << (!unknown.isEmpty()
                    ? QStringLiteral("未知选项 ") + asWritten(arguments, unknown).join(QLatin1Char(' '))
                : !parser.positionalArguments().isEmpty()
                    ? QStringLiteral("多余的参数 ") +
                          parser.positionalArguments().join(QLatin1Char(' '))
                    : parser.errorText())
            << '\n'
            << usageLine(program);
        return 2;
    }
    if (parser.isSet(helpOption)) {
        out << helpText(program);
        return 0;
    }
    if (parser.isSet(version)) {
        out << "Veltaro " << kVersion << '\n';
        return 0;
    }
    return std::nullopt;
}

} // namespace veltaro
