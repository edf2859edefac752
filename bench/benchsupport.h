#pragma once

#include <functional>
#include <memory>
#include <vector>

class QByteArray;
class QString;

namespace veltaro {
class Formmain;
class Transfer;
namespace sample {
class SampleArchive;
}
}

// How long `work` takes, in milliseconds.
double timed(const std::function<void()> &work);

// The median of a run of timings.
double median(std::vector<double> values);

// Qt's offscreen platform unless a display was chosen; call before the application is made.
void useOffscreenWithoutDisplay();

// Picks 2008, 07, 18, 10 in the window's four lists, as a person would before pressing "显示".
void pickMoment(veltaro::Formmain &window);

// Presses "显示" and waits until the display command has ended.
void pressAndWait(veltaro::Formmain &window);

// Starts `archive` and sends every download through it (http_proxy); false when it cannot listen.
bool serveFrom(veltaro::sample::SampleArchive &archive);

// The window as the program starts it (its files in `folder`), painted, showing 2008-07-18
// 10:00 pressed for.
std::unique_ptr<veltaro::Formmain> windowShowingTheMoment(const QString &folder);

// One GET through the window's transfer, waited for; empty when it failed.
QByteArray fetchAndWait(veltaro::Transfer &transfer, const QString &address);
