#pragma once

// A real X server for the end-to-end benchmark, and the user at it: Xvfb started on a free
// display, keys sent through XTest as a keyboard would, and the server's own report (XDamage)
// of what a window drew.

#include <QImage>
#include <QProcess>
#include <QRect>
#include <QRegion>
#include <QString>

#include <vector>

// Xlib's own headers define macros that clash with Qt's: only its two types are named here.
struct _XDisplay;
using Window = unsigned long;

class XSession
{
public:
    // Starts Xvfb with one screen of `size` and connects to it. Throws std::runtime_error.
    explicit XSession(QSize size);
    ~XSession();
    XSession(const XSession &) = delete;
    XSession &operator=(const XSession &) = delete;

    QString displayName() const { return m_name; }

    // The top-level window of the process `pid`, once it is mapped; 0 after `timeoutMs`.
    Window windowOf(qint64 pid, int timeoutMs = 20000);

    // Raises the window, gives it the keyboard and waits until it has drawn nothing for a
    // while, so that the next press starts from a quiet screen.
    void focusAndSettle(Window window);

    // Sends one key through XTest; `shift` and `control` hold those around it.
    void key(unsigned long keysym, bool shift = false, bool control = false);
    void type(const QString &text);

    // Presses Return and waits until the window's drawing has covered `area`; returns the
    // milliseconds from the press to the server's report of that drawing, or -1 when it does
    // not come within `timeoutMs`.
    double pressAndWaitForDrawing(Window window, const QRect &area, int timeoutMs = 20000);
    // The same for any key, with Control held when `control`.
    double keyAndWaitForDrawing(Window window, const QRect &area, unsigned long keysym,
                                bool control, int timeoutMs = 20000);

    // Sends `startKey` (with Control) and records when each of `frames` drawings covering `area`
    // is reported, in milliseconds from the key; after `probeAfter` frames it sends `probeKey`
    // and records how long until the window draws anything inside `probeArea`. Frames not
    // drawn within `timeoutMs` of the last end the recording.
    struct Playback
    {
        std::vector<double> frames;
        double probe = -1;
    };
    Playback recordFrames(Window window, const QRect &area, unsigned long startKey, int frames,
                          int probeAfter, unsigned long probeKey, const QRect &probeArea,
                          int timeoutMs = 5000);

    // Milliseconds from now until the window first draws anything at all; -1 on time-out.
    double waitForFirstDrawing(Window window, int timeoutMs = 20000);

    // Starts the program and returns the milliseconds until its window, mapped, has been drawn
    // whole; -1 on time-out. The process is left running.
    double startAndWaitForWindowDrawn(QProcess &process, const QString &program,
                                      const QStringList &arguments, int timeoutMs = 20000);

    // What the server shows of the window in `area`.
    QImage grab(Window window, const QRect &area);

private:
    bool nextEvent(union _XEvent *event, int timeoutMs);
    // A damage object on the window, the events queued so far dropped.
    unsigned long watchDrawing(Window window);

    QProcess m_xvfb;
    QString m_name;
    _XDisplay *m_display = nullptr;
    int m_damageEvent = 0;
};

// The largest difference of one colour channel between two pictures of one size; 256 when the
// sizes differ.
int largestDifference(const QImage &a, const QImage &b);
