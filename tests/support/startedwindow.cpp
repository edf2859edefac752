#include "startedwindow.h"
#include "waituntil.h"

#include <QAccessible>

#include "retrieval/displaycommand.h"
#include "widgets/picturebox.h"
#include "widgets/scrollbar.h"

#include <QComboBox>
#include <QLabel>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>

using namespace veltaro;

namespace {

// A window with no folder of its own keeps its settings where the user's would be: in the tests
// that is Qt's test location, emptied first, so that no test reads what another left and none
// touches the user's own.
const QString &withSettingsOfItsOwn(const QString &stagingFolder)
{
    if (stagingFolder.isEmpty()) {
        QStandardPaths::setTestModeEnabled(true);
        QSettings(QStringLiteral("Veltaro"), QStringLiteral("Veltaro")).clear();
    }
    return stagingFolder;
}

} // namespace

StartedWindow::StartedWindow(const QString &stagingFolder, TwipsSize screen)
    : Formmain(screen, withSettingsOfItsOwn(stagingFolder))
{
    Form_Load();
}

bool StartedWindow::showActive()
{
    showStarted();
    return QTest::qWaitForWindowActive(this);
}

bool StartedWindow::press(int timeoutMs)
{
    Command1_Click();
    return settled(timeoutMs);
}

bool StartedWindow::settled(int timeoutMs)
{
    return waitUntil([this] { return !displayCommand().isRunning(); }, timeoutMs);
}

void StartedWindow::pick(const QString &year, const QString &month, const QString &day,
                         const QString &hour)
{
    const QString texts[] = {year, month, day, hour};
    for (int i = 0; i < 4; ++i)
        list(i + 1)->setCurrentIndex(list(i + 1)->findText(texts[i]));
}

PictureBox *StartedWindow::picture1() const
{
    return qobject_cast<PictureBox *>(control("Picture1"));
}

PictureBox *StartedWindow::picture2() const
{
    return qobject_cast<PictureBox *>(control("Picture2"));
}

ScrollBar *StartedWindow::bar(const char *name) const
{
    return qobject_cast<ScrollBar *>(control(name));
}

QComboBox *StartedWindow::list(int number) const
{
    return qobject_cast<QComboBox *>(
        control(qPrintable(QStringLiteral("Combo%1").arg(number))));
}

QString StartedWindow::status() const
{
    return qobject_cast<QLabel *>(control("Label5"))->text();
}

QString StartedWindow::reason() const
{
    return qobject_cast<QLabel *>(control("Label5"))->toolTip();
}

void StartedWindow::setStatus(const QString &text, const QString &reason)
{
    statuses << text;
    Formmain::setStatus(text, reason);
    QAccessibleInterface *line = QAccessible::queryAccessibleInterface(control("Label5"));
    heard << line->text(QAccessible::Name) + " | " + line->text(QAccessible::Description);
}

void StartedWindow::showProgress(const QString &text)
{
    Formmain::showProgress(text);
    const QWidget *label = control("Label5");
    progress.append({text, label->toolTip(), label->accessibleDescription()});
}
