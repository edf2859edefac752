#include "failure.h"
#include "platform/processsettings.h"
#include "window/formmain.h"

#include <QApplication>
#include <QMessageBox>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Veltaro"));
    QApplication::setApplicationVersion(QStringLiteral("1.00"));
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
