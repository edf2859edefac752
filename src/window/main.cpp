#include "failure.h"
#include "platform/processsettings.h"
#include "window/commandline.h"
#include "window/formmain.h"

#include <QApplication>
#include <QMessageBox>

int main(int argc, char *argv[])
{
    // Options are read before the application exists, so --help works without a display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (const auto status = veltaro::handleCommandLine(arguments))
        return *status;

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Veltaro"));
    QApplication::setApplicationVersion(QStringLiteral("1.00"));
    // Matches the window to its desktop entry, veltaro.desktop.
    QGuiApplication::setDesktopFileName(QStringLiteral("veltaro"));
    veltaro::applyProcessSettings();

    // A failure while the window is built or laid out is shown, and the program stops.
    try {
        veltaro::Formmain window;
        window.Form_Load();
        window.showStarted();
        return QApplication::exec();
    } catch (const std::exception &failure) {
        QMessageBox::critical(nullptr, QStringLiteral("Veltaro"),
                              QString::fromUtf8(failure.what()));
        return 1;
    }
}
