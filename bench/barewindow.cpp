#include "barewindow.h"

#include <QFile>

#include <QComboBox>
#include <QEvent>
#include <QEventLoop>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>

#include <sys/resource.h>

std::unique_ptr<QWidget> makeBareWindow()
{
    auto window = std::make_unique<QWidget>();
    window->setWindowTitle(QStringLiteral("bare"));
    for (int i = 0; i < 2; ++i)
        new QPushButton(QStringLiteral("button"), window.get());
    for (int i = 0; i < 4; ++i)
        new QComboBox(window.get());
    new QScrollBar(Qt::Horizontal, window.get());
    new QScrollBar(Qt::Vertical, window.get());
    auto *outer = new QFrame(window.get());
    outer->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    new QFrame(outer);
    for (int i = 0; i < 7; ++i)
        new QLabel(QStringLiteral("label"), window.get());
    window->resize(QGuiApplication::primaryScreen()->size());
    return window;
}

std::vector<WidgetShape> shapesOf(const QWidget *window)
{
    std::vector<WidgetShape> shapes;
    std::vector<const QWidget *> seen;
    const auto visit = [&](auto &&self, const QWidget *parent, int parentIndex) -> void {
        for (const QObject *child : parent->children()) {
            const auto *widget = qobject_cast<const QWidget *>(child);
            if (!widget || widget->objectName().isEmpty())
                continue;
            WidgetShape shape{QString(), widget->geometry(), QString(), parentIndex};
            if (const auto *button = qobject_cast<const QPushButton *>(widget))
                shape = {QStringLiteral("button"), widget->geometry(), button->text(), parentIndex};
            else if (const auto *label = qobject_cast<const QLabel *>(widget))
                shape = {QStringLiteral("label"), widget->geometry(), label->text(), parentIndex};
            else if (qobject_cast<const QComboBox *>(widget))
                shape.kind = QStringLiteral("list");
            else if (const auto *bar = qobject_cast<const QScrollBar *>(widget)) {
                shape.kind = bar->orientation() == Qt::Horizontal ? QStringLiteral("hbar")
                                                                  : QStringLiteral("vbar");
                shape.minimum = bar->minimum();
                shape.maximum = bar->maximum();
                shape.pageStep = bar->pageStep();
            } else if (qobject_cast<const QFrame *>(widget))
                shape.kind = QStringLiteral("frame");
            else
                continue;
            shapes.push_back(shape);
            const int index = static_cast<int>(shapes.size()) - 1;
            // Boxes hold their contents in an inner area.
            for (const QObject *inner : widget->children())
                if (const auto *area = qobject_cast<const QWidget *>(inner))
                    self(self, area, index);
        }
    };
    visit(visit, window, -1);
    return shapes;
}

std::unique_ptr<QWidget> makeBareWindow(const std::vector<WidgetShape> &shapes, QSize size)
{
    auto window = std::make_unique<QWidget>();
    window->setWindowTitle(QStringLiteral("bare"));
    std::vector<QWidget *> made;
    for (const WidgetShape &shape : shapes) {
        QWidget *parent = shape.parent < 0 ? window.get() : made[static_cast<size_t>(shape.parent)];
        QWidget *widget = nullptr;
        if (shape.kind == QLatin1String("button"))
            widget = new QPushButton(shape.text, parent);
        else if (shape.kind == QLatin1String("label"))
            widget = new QLabel(shape.text, parent);
        else if (shape.kind == QLatin1String("list"))
            widget = new QComboBox(parent);
        else if (shape.kind.endsWith(QLatin1String("bar"))) {
            auto *bar = new QScrollBar(
                shape.kind == QLatin1String("hbar") ? Qt::Horizontal : Qt::Vertical, parent);
            bar->setRange(shape.minimum, shape.maximum);
            bar->setPageStep(shape.pageStep);
            widget = bar;
        } else {
            auto *frame = new QFrame(parent);
            frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            frame->setLineWidth(2);
            widget = frame;
        }
        widget->setGeometry(shape.geometry);
        made.push_back(widget);
    }
    window->resize(size);
    return window;
}

namespace {

class PaintWatcher : public QObject
{
public:
    QEventLoop loop;
    bool painted = false;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !painted) {
            painted = true;
            loop.quit();
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void showAndWaitForPaint(QWidget *window)
{
    PaintWatcher watcher;
    window->installEventFilter(&watcher);
    window->showMaximized();
    if (!watcher.painted)
        watcher.loop.exec();
    window->removeEventFilter(&watcher);
}

long peakResidentKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

long residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}
