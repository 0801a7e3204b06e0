// velmora-xhelper: what the end-to-end tests need of the X server beyond xdotool.
//   close WINDOW          asks the window (an id) to close as a window manager would
//                         (WM_DELETE_WINDOW); xdotool can only destroy or kill it
//   shot OUT.png X Y W H  saves that rectangle of the screen

#include <QImage>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

int Close(Display* display, Window window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
    return 0;
}

// Reads pixels through XGetPixel so any depth of the server (16 or 24 bits) works.
int Shot(Display* display, const char* file, int left, int top, int width, int height) {
    const Window root = DefaultRootWindow(display);
    XWindowAttributes attributes;
    XGetWindowAttributes(display, root, &attributes);
    XImage* image = XGetImage(display, root, left, top, static_cast<unsigned>(width),
                              static_cast<unsigned>(height), AllPlanes, ZPixmap);
    if (image == nullptr) {
        return 1;
    }
    QImage out(width, height, QImage::Format_RGB32);
    const Visual* visual = attributes.visual;
    auto channel = [](unsigned long pixel, unsigned long mask) {
        const int shift = __builtin_ctzl(mask);
        const unsigned long max = mask >> shift;
        return static_cast<int>(((pixel & mask) >> shift) * 255 / max);
    };
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);
            out.setPixel(x, y,
                         qRgb(channel(pixel, visual->red_mask), channel(pixel, visual->green_mask),
                              channel(pixel, visual->blue_mask)));
        }
    }
    XDestroyImage(image);
    return out.save(file, "PNG") ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: velmora-xhelper close WINDOW | shot OUT.png X Y W H\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "velmora-xhelper: cannot open the display\n");
        return 1;
    }
    int status = 2;
    if (std::strcmp(argv[1], "close") == 0) {
        status = Close(display, std::strtoul(argv[2], nullptr, 0));
    } else if (std::strcmp(argv[1], "shot") == 0 && argc == 7) {
        status = Shot(display, argv[2], std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]),
                      std::atoi(argv[6]));
    }
    XCloseDisplay(display);
    return status;
}
