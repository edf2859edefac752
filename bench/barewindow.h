#pragma once

#include <QWidget>

#include <memory>

#include <QRect>
#include <QString>

#include <vector>

// A plain Qt window with as many widgets of the same kinds as Veltaro's window (two buttons,
// four lists, two scroll bars, two framed boxes one inside the other, seven labels), sized to
// the screen: what any program with this window costs.
std::unique_ptr<QWidget> makeBareWindow();

// The kind, place, text and scroll range of each widget of a window, to build a bare copy of
// it: the same widgets drawn in the same state, without the program's own work.
struct WidgetShape
{
    QString kind;
    QRect geometry;
    QString text;
    int parent; // index of the containing shape, or -1 for the window
    // Scroll bars: the range and steps decide how large Qt draws the thumb.
    int minimum = 0;
    int maximum = 99;
    int pageStep = 10;
};
std::vector<WidgetShape> shapesOf(const QWidget *window);

// The bare window with every widget where `shapes` puts it, showing the same texts.
std::unique_ptr<QWidget> makeBareWindow(const std::vector<WidgetShape> &shapes, QSize size);

// Shows the window and returns once it has been painted the first time.
void showAndWaitForPaint(QWidget *window);

// The process's peak resident memory so far, in KiB.
long peakResidentKiB();
// The process's resident memory now, in KiB.
long residentKiB();
