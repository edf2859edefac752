#include "window/commandline.h"

#include <QCommandLineParser>
#include <QTextStream>

#include <cstdio>

namespace veltaro {

namespace {

constexpr const char *kVersion = "1.00";

QString usageLine(const QString &program)
{
    return QStringLiteral("用法：%1 [--help | --version]\n").arg(program);
}

QString help(const QString &program)
{
    return usageLine(program) +
           QStringLiteral(
               "\n"
               "Veltaro 显示所选时刻（北京时间）的气象卫星云图：选好年、月、日、时，按“显示”。\n"
               "\n"
               "选项：\n"
               "  -h, --help     显示本说明后退出\n"
               "  -v, --version  显示版本后退出\n"
               "\n"
               "键盘：\n"
               "  Ctrl+→ / Ctrl+←  后一小时 / 前一小时\n"
               "  Ctrl+↑ / Ctrl+↓  后一天 / 前一天\n"
               "  Ctrl+C           复制图像\n"
               "  Ctrl+S           另存为…\n"
               "  Ctrl+Q           退出\n"
               "\n"
               "环境变量：\n"
               "  http_proxy, HTTP_PROXY  经此代理服务器下载图像（如 http://127.0.0.1:8080）\n"
               "  no_proxy, NO_PROXY      不经代理的主机名、域名后缀，或 *\n"
               "\n"
               "文件：\n"
               "  temp.jpg  最近一次下载的图像：程序所在文件夹可写时放在那里，否则放在用户的缓存\n"
               "            文件夹（~/.cache/Veltaro/）。\n"
               "\n"
               "退出状态：0 正常结束；1 窗口无法建立；2 命令行有误。\n");
}

} // namespace

std::optional<int> handleCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption helpOption({QStringLiteral("h"), QStringLiteral("help")},
                                        QStringLiteral("help"));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("version"));
    parser.addOption(helpOption);
    parser.addOption(version);
    const QString program = arguments.isEmpty() ? QStringLiteral("Veltaro") : arguments.first();

    QTextStream out(stdout);
    QTextStream err(stderr);
    const bool parsed = parser.parse(arguments);
    if (!parsed || !parser.positionalArguments().isEmpty()) {
        const QStringList unknown = parser.unknownOptionNames();
        err << program << "："
            << (!unknown.isEmpty() ? "未知选项 " + unknown.join(QLatin1Char(' '))
                : !parser.positionalArguments().isEmpty()
                    ? "多余的参数 " + parser.positionalArguments().join(QLatin1Char(' '))
                    : parser.errorText())
            << '\n'
            << usageLine(program);
        return 2;
    }
    if (parser.isSet(helpOption)) {
        out << help(program);
        return 0;
    }
    if (parser.isSet(version)) {
        out << "Veltaro " << kVersion << '\n';
        return 0;
    }
    return std::nullopt;
}

} // namespace veltaro
