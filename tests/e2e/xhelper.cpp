// velmora-xhelper: what the end-to-end tests need of the X server beyond xdotool.
//   close WINDOW          asks the window (an id) to close as a window manager would
//                         (WM_DELETE_WINDOW); xdotool can only destroy or kill it
//   shot OUT.png X Y W H  saves that rectangle of the screen
//   find R G B X Y W H    prints "x y" of the first pixel of about that colour in the
//                         rectangle, row by row from the top; fails when there is none

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

// The rectangle of the screen as RGB, read through XGetPixel so any depth of the server
// (16 or 24 bits) works.
QImage Grab(Display* display, int left, int top, int width, int height) {
    const Window root = DefaultRootWindow(display);
    XWindowAttributes attributes;
    XGetWindowAttributes(display, root, &attributes);
    XImage* image = XGetImage(display, root, left, top, static_cast<unsigned>(width),
                              static_cast<unsigned>(height), AllPlanes, ZPixmap);
    if (image == nullptr) {
        return {};
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
    return out;
}

int Shot(Display* display, const char* file, int left, int top, int width, int height) {
    const QImage image = Grab(display, left, top, width, height);
    return !image.isNull() && image.save(file, "PNG") ? 0 : 1;
}

// Within 8 of each channel, which a 16-bit screen's rounding stays inside.
int Find(Display* display, QRgb colour, int left, int top, int width, int height) {
    const QImage image = Grab(display, left, top, width, height);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (std::abs(qRed(p) - qRed(colour)) <= 8 &&
                std::abs(qGreen(p) - qGreen(colour)) <= 8 &&
                std::abs(qBlue(p) - qBlue(colour)) <= 8) {
                std::printf("%d %d\n", left + x, top + y);
                return 0;
            }
        }
    }
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(
            stderr,
            "usage: velmora-xhelper close WINDOW | shot OUT.png X Y W H | find R G B X Y W H\n");
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
    } else if (std::strcmp(argv[1], "find") == 0 && argc == 9) {
        status =
            Find(display, qRgb(std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4])),
                 std::atoi(argv[5]), std::atoi(argv[6]), std::atoi(argv[7]), std::atoi(argv[8]));
    }
    XCloseDisplay(display);
    return status;
}
