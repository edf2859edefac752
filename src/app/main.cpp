#include "failure.h"
#include "picture/picturedecoder.h"
#include "app/commandline.h"
#include "app/exportcommand.h"
#include "window/formmain.h"
#include "window/language.h"
#include "app/version.h"

#include <QApplication>
#include <QMessageBox>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

// While the application connects to the display, Qt's messages wait here: when no display can
// be opened Qt ends the process from inside the application's constructor with a fatal message
// (and an abort), which becomes one line and the exit status the manual gives.
QtMessageHandler g_qtHandler = nullptr;
QList<std::tuple<QtMsgType, QString>> g_heldMessages;
// Said before the application exists, in the language chosen.
QString g_noDisplay;
QString g_displayUnset;
QString g_displaySet;

void holdOrEndWithoutDisplay(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type != QtFatalMsg) {
        g_heldMessages.append({type, message});
        return;
    }
    const QByteArray display = qgetenv("DISPLAY");
    const QString where = display.isEmpty() ? g_displayUnset
                                            : g_displaySet.arg(QString::fromLocal8Bit(display));
    std::fputs(g_noDisplay.arg(where).toLocal8Bit().constData(), stderr);
    std::_Exit(1);
}

// Exporting without a desktop session (a cron job, a shell over ssh) has no runtime folder;
// Qt's offscreen platform then picks one of its own and says so in English on every run. That
// one notice is not the user's business; every other message goes through.
void quietAboutTheRuntimeFolder(QtMsgType type, const QMessageLogContext &context,
                                const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR")))
        return;
    g_qtHandler(type, context, message);
}

} // namespace

int main(int argc, char *argv[])
{
    // Options are read before the window's application exists, so --help works without a
    // display, and in the language asked for or the desktop's.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const QString language = veltaro::chooseLanguage(veltaro::askedLanguage(arguments),
                                                     veltaro::rememberedLanguage(QString()));
    veltaro::CommandLine line;
    {
        QCoreApplication reading(argc, argv);
        veltaro::speak(language);
        line = veltaro::handleCommandLine(arguments);
        g_noDisplay = QCoreApplication::translate(
            "CommandLine", "Veltaro：无法打开显示%1，程序需要图形界面（X11 或 Wayland）\n");
        g_displayUnset = QCoreApplication::translate("CommandLine", "（DISPLAY 未设置）");
        g_displaySet = QCoreApplication::translate("CommandLine", "（DISPLAY=%1）");
    }
    if (line.exitNow)
        return *line.exitNow;

#ifdef SIGXFSZ
    // A write past the user's file-size limit fails with a reason instead of ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
#endif

    if (line.exported) {
        // No window, so no display: Qt's offscreen platform gives the fonts the labels need.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        g_qtHandler = qInstallMessageHandler(quietAboutTheRuntimeFolder);
        QGuiApplication app(argc, argv);
        QGuiApplication::setApplicationName(QStringLiteral("Veltaro"));
        veltaro::speak(language);
        veltaro::PictureDecoder::limitQtReaders();
        return veltaro::runExport(*line.exported);
    }

    g_qtHandler = qInstallMessageHandler(holdOrEndWithoutDisplay);
    QApplication app(argc, argv);
    qInstallMessageHandler(g_qtHandler);
    for (const auto &[type, message] : std::as_const(g_heldMessages))
        qt_message_output(type, QMessageLogContext(), message);
    g_heldMessages.clear();

    QApplication::setApplicationName(QStringLiteral("Veltaro"));
    QApplication::setApplicationVersion(QString::fromLatin1(veltaro::kVersion));
    // Matches the window to its desktop entry, veltaro.desktop.
    QGuiApplication::setDesktopFileName(QStringLiteral("veltaro"));
    veltaro::PictureDecoder::limitQtReaders();
    veltaro::speak(language);

    // A failure while the window is built or laid out is shown, and the program stops. Once the
    // window runs, every handler deals with its own failures: none reaches the event loop.
    std::unique_ptr<veltaro::Formmain> window;
    try {
        window = std::make_unique<veltaro::Formmain>();
        window->Form_Load();
        window->showStarted();
        window->startWith(line.start);
    } catch (const veltaro::Failure &failure) {
        QMessageBox::critical(nullptr, QStringLiteral("Veltaro"),
                              QString::fromUtf8(failure.what()));
        return 1;
    }
    return QApplication::exec();
}
