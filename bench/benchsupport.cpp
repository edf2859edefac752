#include "benchsupport.h"

#include "barewindow.h"
#include "widgets/twips.h"

#include "network/transfer.h"
#include "retrieval/displaycommand.h"
#include "samplearchive.h"
#include "window/formmain.h"

#include <QCoreApplication>

#include <QComboBox>
#include <QElapsedTimer>

#include <algorithm>

double timed(const std::function<void()> &work)
{
    QElapsedTimer clock;
    clock.start();
    work();
    return clock.nsecsElapsed() / 1e6;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

void useOffscreenWithoutDisplay()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

void pickMoment(veltaro::Formmain &window)
{
    const char *lists[] = {"Combo1", "Combo2", "Combo3", "Combo4"};
    const char *texts[] = {"8", "07", "18", "10"};
    for (int i = 0; i < 4; ++i) {
        auto *list = qobject_cast<QComboBox *>(window.control(lists[i]));
        list->setCurrentIndex(list->findText(QString::fromLatin1(texts[i])));
    }
}

void pressAndWait(veltaro::Formmain &window)
{
    window.Command1_Click();
    while (window.displayCommand().isRunning())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

QByteArray fetchAndWait(veltaro::Transfer &transfer, const QString &address)
{
    veltaro::TransferRequest *request = transfer.get(address);
    QByteArray body;
    bool done = false;
    QObject::connect(request, &veltaro::TransferRequest::finished, request, [&] {
        body = request->body();
        done = true;
    });
    while (!done)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return body;
}

std::unique_ptr<veltaro::Formmain> windowShowingTheMoment(const QString &folder)
{
    auto window = std::make_unique<veltaro::Formmain>(veltaro::twips::screenSize(), folder);
    window->Form_Load();
    window->showStarted();
    showAndWaitForPaint(window.get());
    pickMoment(*window);
    pressAndWait(*window);
    return window;
}

bool serveFrom(veltaro::sample::SampleArchive &archive)
{
    if (!archive.listen())
        return false;
    qputenv("http_proxy", archive.proxyAddress().toLatin1());
    qunsetenv("no_proxy");
    return true;
}
