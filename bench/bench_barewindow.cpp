// A bare Qt window with as many widgets of the same kinds as Veltaro's, sized to the screen, as
// a program of its own: the start-up floor of bench_press.
#include "barewindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const auto window = makeBareWindow();
    window->show();
    return QApplication::exec();
}
