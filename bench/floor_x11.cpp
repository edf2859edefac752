// The floor of a press, as a program of its own on the same X server: a bare X11 window that,
// when Return is pressed in it, fetches the picture over one kept-alive loopback connection,
// decodes it with libjpeg-turbo into a reused shared-memory image and puts exactly the part a
// viewport shows, once. No toolkit, no staging file, no status line: the least any program
// showing this picture must do. d decodes the last body again without the network, space puts
// the decoded picture again: the floors of a picture kept on disk and of one decoded ahead.
//
//   bench_floor PORT WIDTH HEIGHT LEFT TOP VISIBLE_WIDTH VISIBLE_HEIGHT
#include "loopserver.h"
#include "rawdecode.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <X11/keysym.h>
#include <sys/ipc.h>
#include <sys/shm.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
    if (argc != 8) {
        std::fprintf(stderr, "usage: bench_floor PORT WIDTH HEIGHT LEFT TOP VISIBLE_W VISIBLE_H\n");
        return 2;
    }
    const auto port = static_cast<unsigned short>(std::atoi(argv[1]));
    const int width = std::atoi(argv[2]);
    const int height = std::atoi(argv[3]);
    const int left = std::atoi(argv[4]);
    const int top = std::atoi(argv[5]);
    const int visibleWidth = std::atoi(argv[6]);
    const int visibleHeight = std::atoi(argv[7]);

    Display *display = XOpenDisplay(nullptr);
    if (!display || !XShmQueryExtension(display)) {
        std::fprintf(stderr, "bench_floor: no display with MIT-SHM\n");
        return 1;
    }
    const int screen = DefaultScreen(display);
    const Window window = XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0,
                                              unsigned(DisplayWidth(display, screen)),
                                              unsigned(DisplayHeight(display, screen)), 0, 0,
                                              WhitePixel(display, screen));
    const long pid = getpid();
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_PID", False), XA_CARDINAL,
                    32, PropModeReplace, reinterpret_cast<const unsigned char *>(&pid), 1);
    XSelectInput(display, window, KeyPressMask | ExposureMask);
    XMapWindow(display, window);
    const GC gc = XCreateGC(display, window, 0, nullptr);

    // The reused picture: shared memory the server reads straight from.
    XShmSegmentInfo segment{};
    XImage *image = XShmCreateImage(display, DefaultVisual(display, screen),
                                    unsigned(DefaultDepth(display, screen)), ZPixmap, nullptr,
                                    &segment, unsigned(width), unsigned(height));
    segment.shmid = shmget(IPC_PRIVATE, size_t(image->bytes_per_line) * size_t(height),
                           IPC_CREAT | 0600);
    segment.shmaddr = image->data = static_cast<char *>(shmat(segment.shmid, nullptr, 0));
    segment.readOnly = False;
    XShmAttach(display, &segment);
    XSync(display, False);
    shmctl(segment.shmid, IPC_RMID, nullptr); // gone once both sides detach
    QImage picture(reinterpret_cast<uchar *>(image->data), width, height, image->bytes_per_line,
                   QImage::Format_RGB32);

    PlainClient client(port);
    QByteArray body;
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type != KeyPress)
            continue;
        const KeySym key = XLookupKeysym(&event.xkey, 0);
        if (key == XK_Escape)
            break;
        // Return: fetch, decode and put; d: decode the last body again and put (a picture kept in
        // memory); space: put the decoded picture again.
        if (key != XK_Return && key != XK_d && key != XK_space)
            continue;
        if (key == XK_Return)
            body = client.get();
        if (key != XK_space && !decodeInto(body, picture)) {
            std::fprintf(stderr, "bench_floor: the body is not a %d × %d JPEG\n", width, height);
            return 1;
        }
        XShmPutImage(display, window, gc, image, 0, 0, left, top, unsigned(visibleWidth),
                     unsigned(visibleHeight), False);
        XSync(display, False);
    }
    XShmDetach(display, &segment);
    XDestroyImage(image);
    shmdt(segment.shmaddr);
    XCloseDisplay(display);
    return 0;
}
