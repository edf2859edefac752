// Start-up: from creating the window to its first paint with the lists filled, against a bare
// Qt window with the same number of widgets, in the same places, with the same texts.
#include "barewindow.h"
#include "benchsupport.h"
#include "window/formmain.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>
#include <vector>

int main(int argc, char *argv[])
{
    useOffscreenWithoutDisplay();
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 21;
    QTemporaryDir dir;

    // The bare window copies the laid-out window's places and texts, so both paint alike.
    std::vector<WidgetShape> shapes;
    QSize size;
    {
        veltaro::Formmain model(veltaro::twips::screenSize(), dir.path());
        model.Form_Load();
        shapes = shapesOf(&model);
        size = model.size();
    }

    // Whole start-up, and the part up to show() (building and laying out) on its own.
    std::vector<double> ours, oursBuilt, bare, bareBuilt;
    for (int i = -2; i < rounds; ++i) { // two rounds to warm up fonts and styles
        QElapsedTimer clock;
        clock.start();
        {
            veltaro::Formmain window(veltaro::twips::screenSize(), dir.path());
            window.Form_Load();
            const double built = clock.nsecsElapsed() / 1e6;
            showAndWaitForPaint(&window);
            if (i >= 0) {
                ours.push_back(clock.nsecsElapsed() / 1e6);
                oursBuilt.push_back(built);
            }
        }
        QCoreApplication::processEvents();
        clock.restart();
        {
            const auto window = makeBareWindow(shapes, size);
            const double built = clock.nsecsElapsed() / 1e6;
            showAndWaitForPaint(window.get());
            if (i >= 0) {
                bare.push_back(clock.nsecsElapsed() / 1e6);
                bareBuilt.push_back(built);
            }
        }
        QCoreApplication::processEvents();
    }
    std::printf("start-up  Veltaro %.2f ms (built in %.2f), bare window %.2f ms (built in %.2f), "
                "ratio %.2f (medians of %d)\n",
                median(ours), median(oursBuilt), median(bare), median(bareBuilt),
                median(ours) / median(bare), rounds);
    return 0;
}
