#include "xsession.h"

#include <QElapsedTimer>
#include <QThread>

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>
#include <X11/keysym.h>
#include <poll.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <stdexcept>

namespace {

double nowMs()
{
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

// A quiet screen: nothing drawn for this long.
constexpr int kSettleMs = 150;

} // namespace

XSession::XSession(QSize size)
{
    // Xvfb picks a free display and writes its number on standard output; no reset when the
    // last client leaves.
    m_xvfb.start(QStringLiteral("Xvfb"),
                 {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                  QStringLiteral("0"),
                  QStringLiteral("%1x%2x24").arg(size.width()).arg(size.height()),
                  QStringLiteral("-nolisten"), QStringLiteral("tcp"), QStringLiteral("-noreset")});
    if (!m_xvfb.waitForStarted())
        throw std::runtime_error("Xvfb did not start (apt install xvfb)");
    QElapsedTimer clock;
    clock.start();
    while (!m_xvfb.canReadLine() && clock.elapsed() < 20000)
        m_xvfb.waitForReadyRead(100);
    m_name = QStringLiteral(":") + QString::fromLatin1(m_xvfb.readLine()).trimmed();
    m_display = XOpenDisplay(m_name.toLocal8Bit().constData());
    int damageError = 0;
    int major = 0, minor = 0, event = 0, error = 0;
    if (!m_display || !XDamageQueryExtension(m_display, &m_damageEvent, &damageError) ||
        !XTestQueryExtension(m_display, &event, &error, &major, &minor))
        throw std::runtime_error("no X server with DAMAGE and XTEST");
}

XSession::~XSession()
{
    if (m_display)
        XCloseDisplay(m_display);
    m_xvfb.terminate();
    m_xvfb.waitForFinished(5000);
}

Window XSession::windowOf(qint64 pid, int timeoutMs)
{
    const Atom pidAtom = XInternAtom(m_display, "_NET_WM_PID", False);
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < timeoutMs) {
        Window root = 0, parent = 0;
        Window *children = nullptr;
        unsigned count = 0;
        XQueryTree(m_display, DefaultRootWindow(m_display), &root, &parent, &children, &count);
        Window found = 0;
        for (unsigned i = 0; i < count && !found; ++i) {
            Atom type = 0;
            int format = 0;
            unsigned long items = 0, after = 0;
            unsigned char *data = nullptr;
            XWindowAttributes attributes;
            if (XGetWindowProperty(m_display, children[i], pidAtom, 0, 1, False, XA_CARDINAL,
                                   &type, &format, &items, &after, &data) == Success &&
                data && items == 1 && *reinterpret_cast<long *>(data) == pid &&
                XGetWindowAttributes(m_display, children[i], &attributes) &&
                attributes.map_state == IsViewable)
                found = children[i];
            if (data)
                XFree(data);
        }
        if (children)
            XFree(children);
        if (found)
            return found;
        QThread::msleep(20);
    }
    return 0;
}

unsigned long XSession::watchDrawing(Window window)
{
    // Reports from here on only: what was queued before is dropped.
    const Damage damage = XDamageCreate(m_display, window, XDamageReportRawRectangles);
    XSync(m_display, False);
    XEvent event;
    while (XPending(m_display))
        XNextEvent(m_display, &event);
    return damage;
}

bool XSession::nextEvent(XEvent *event, int timeoutMs)
{
    if (XPending(m_display) == 0) {
        pollfd descriptor{ConnectionNumber(m_display), POLLIN, 0};
        if (poll(&descriptor, 1, timeoutMs) <= 0)
            return false;
    }
    XNextEvent(m_display, event);
    return true;
}

void XSession::focusAndSettle(Window window)
{
    const Damage damage = XDamageCreate(m_display, window, XDamageReportRawRectangles);
    XRaiseWindow(m_display, window);
    XSetInputFocus(m_display, window, RevertToParent, CurrentTime);
    XSync(m_display, False);
    XEvent event;
    while (nextEvent(&event, kSettleMs)) {
    }
    XDamageDestroy(m_display, damage);
    XSync(m_display, False);
    while (XPending(m_display))
        XNextEvent(m_display, &event);
}

void XSession::key(unsigned long keysym, bool shift, bool control)
{
    const unsigned shiftCode = XKeysymToKeycode(m_display, XK_Shift_L);
    const unsigned controlCode = XKeysymToKeycode(m_display, XK_Control_L);
    const unsigned code = XKeysymToKeycode(m_display, keysym);
    if (shift)
        XTestFakeKeyEvent(m_display, shiftCode, True, CurrentTime);
    if (control)
        XTestFakeKeyEvent(m_display, controlCode, True, CurrentTime);
    XTestFakeKeyEvent(m_display, code, True, CurrentTime);
    XTestFakeKeyEvent(m_display, code, False, CurrentTime);
    if (control)
        XTestFakeKeyEvent(m_display, controlCode, False, CurrentTime);
    if (shift)
        XTestFakeKeyEvent(m_display, shiftCode, False, CurrentTime);
    XFlush(m_display);
}

void XSession::type(const QString &text)
{
    for (const QChar c : text)
        key(XStringToKeysym(QString(c).toLatin1().constData()));
}

double XSession::pressAndWaitForDrawing(Window window, const QRect &area, int timeoutMs)
{
    return keyAndWaitForDrawing(window, area, XK_Return, false, timeoutMs);
}

double XSession::keyAndWaitForDrawing(Window window, const QRect &area, unsigned long keysym,
                                      bool control, int timeoutMs)
{
    const Damage damage = watchDrawing(window);
    XEvent event;

    const double start = nowMs();
    key(keysym, false, control);

    QRegion drawn;
    double elapsed = -1;
    while (nextEvent(&event, timeoutMs)) {
        if (event.type != m_damageEvent + XDamageNotify)
            continue;
        const auto &notify = reinterpret_cast<const XDamageNotifyEvent &>(event);
        drawn += QRect(notify.area.x, notify.area.y, notify.area.width, notify.area.height);
        if ((QRegion(area) - drawn).isEmpty()) {
            elapsed = nowMs() - start;
            break;
        }
    }
    XDamageDestroy(m_display, damage);
    XSync(m_display, False);
    return elapsed;
}

XSession::Playback XSession::recordFrames(Window window, const QRect &area,
                                         unsigned long startKey, int frames, int probeAfter,
                                         unsigned long probeKey, const QRect &probeArea,
                                         int timeoutMs)
{
    const Damage damage = watchDrawing(window);
    XEvent event;

    Playback recorded;
    const double start = nowMs();
    key(startKey, false, true);
    double probeSent = -1;
    QRegion drawn;
    while (int(recorded.frames.size()) < frames && nextEvent(&event, timeoutMs)) {
        if (event.type != m_damageEvent + XDamageNotify)
            continue;
        const auto &notify = reinterpret_cast<const XDamageNotifyEvent &>(event);
        const QRect rect(notify.area.x, notify.area.y, notify.area.width, notify.area.height);
        if (probeSent >= 0 && recorded.probe < 0 && rect.intersects(probeArea))
            recorded.probe = nowMs() - probeSent;
        drawn += rect;
        if ((QRegion(area) - drawn).isEmpty()) {
            recorded.frames.push_back(nowMs() - start);
            drawn = QRegion();
            if (int(recorded.frames.size()) == probeAfter) {
                probeSent = nowMs();
                key(probeKey);
            }
        }
    }
    XDamageDestroy(m_display, damage);
    XSync(m_display, False);
    return recorded;
}

double XSession::waitForFirstDrawing(Window window, int timeoutMs)
{
    const Damage damage = XDamageCreate(m_display, window, XDamageReportRawRectangles);
    XSync(m_display, False);
    const double start = nowMs();
    XEvent event;
    double elapsed = -1;
    while (nextEvent(&event, timeoutMs)) {
        if (event.type == m_damageEvent + XDamageNotify) {
            elapsed = nowMs() - start;
            break;
        }
    }
    XDamageDestroy(m_display, damage);
    return elapsed;
}

double XSession::startAndWaitForWindowDrawn(QProcess &process, const QString &program,
                                            const QStringList &arguments, int timeoutMs)
{
    const Window root = DefaultRootWindow(m_display);
    XSelectInput(m_display, root, SubstructureNotifyMask);
    XSync(m_display, False);
    XEvent event;
    while (XPending(m_display))
        XNextEvent(m_display, &event);

    const double start = nowMs();
    process.start(program, arguments);
    Damage damage = 0;
    QRect whole;
    QRegion drawn;
    double elapsed = -1;
    while (nextEvent(&event, timeoutMs)) {
        if (event.type == MapNotify && !damage && event.xmap.event == root &&
            !event.xmap.override_redirect) {
            damage = XDamageCreate(m_display, event.xmap.window, XDamageReportRawRectangles);
            XWindowAttributes attributes;
            XGetWindowAttributes(m_display, event.xmap.window, &attributes);
            whole = QRect(0, 0, attributes.width, attributes.height);
        } else if (damage && event.type == m_damageEvent + XDamageNotify) {
            const auto &notify = reinterpret_cast<const XDamageNotifyEvent &>(event);
            drawn += QRect(notify.area.x, notify.area.y, notify.area.width, notify.area.height);
            if ((QRegion(whole) - drawn).isEmpty()) {
                elapsed = nowMs() - start;
                break;
            }
        }
    }
    if (damage)
        XDamageDestroy(m_display, damage);
    XSelectInput(m_display, root, NoEventMask);
    XSync(m_display, False);
    return elapsed;
}

QImage XSession::grab(Window window, const QRect &area)
{
    XImage *image = XGetImage(m_display, window, area.x(), area.y(), unsigned(area.width()),
                              unsigned(area.height()), AllPlanes, ZPixmap);
    if (!image)
        return {};
    const QImage copy = QImage(reinterpret_cast<const uchar *>(image->data), area.width(),
                               area.height(), image->bytes_per_line, QImage::Format_RGB32)
                            .copy();
    XDestroyImage(image);
    return copy;
}

int largestDifference(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return 256;
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto *p = reinterpret_cast<const QRgb *>(a.constScanLine(y));
        const auto *q = reinterpret_cast<const QRgb *>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            largest = std::max({largest, std::abs(qRed(p[x]) - qRed(q[x])),
                                std::abs(qGreen(p[x]) - qGreen(q[x])),
                                std::abs(qBlue(p[x]) - qBlue(q[x]))});
        }
    }
    return largest;
}
