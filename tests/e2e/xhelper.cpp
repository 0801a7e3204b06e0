// velmora-xhelper: what the end-to-end tests need of the X server beyond xdotool.
//   wait TITLE SECONDS  waits until a window with that title is mapped; prints its id
//   close TITLE         asks the window to close as a window manager would (WM_DELETE_WINDOW)
//   shot OUT.png X Y W H  saves that rectangle of the screen

#include <QImage>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace {

// The UTF-8 title (_NET_WM_NAME), which Japanese titles need; else the Latin-1 WM_NAME.
std::string WindowTitle(Display* display, Window window) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False), 0, 1024,
                           False, XInternAtom(display, "UTF8_STRING", False), &type, &format,
                           &count, &after, &data) == Success &&
        data != nullptr && format == 8) {
        title.assign(reinterpret_cast<const char*>(data), count);
    } else {
        char* name = nullptr;
        if (XFetchName(display, window, &name) != 0 && name != nullptr) {
            title = name;
            XFree(name);
        }
    }
    if (data != nullptr) {
        XFree(data);
    }
    return title;
}

Window FindByTitle(Display* display, Window window, const std::string& title) {
    if (WindowTitle(display, window) == title) {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(display, window, &attributes) != 0 &&
            attributes.map_state == IsViewable) {
            return window;
        }
    }
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    Window found = 0;
    if (XQueryTree(display, window, &root, &parent, &children, &count) != 0) {
        for (unsigned i = 0; i < count && found == 0; ++i) {
            found = FindByTitle(display, children[i], title);
        }
        XFree(children);
    }
    return found;
}

int Wait(Display* display, const std::string& title, double seconds) {
    const auto deadline = std::chrono::steady_clock::now() +
                          std::chrono::milliseconds(static_cast<long>(seconds * 1000));
    while (std::chrono::steady_clock::now() < deadline) {
        if (const Window window = FindByTitle(display, DefaultRootWindow(display), title)) {
            std::printf("%lu\n", window);
            return 0;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    std::fprintf(stderr, "velmora-xhelper: no window \"%s\"\n", title.c_str());
    return 1;
}

int Close(Display* display, const std::string& title) {
    const Window window = FindByTitle(display, DefaultRootWindow(display), title);
    if (window == 0) {
        std::fprintf(stderr, "velmora-xhelper: no window \"%s\"\n", title.c_str());
        return 1;
    }
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
        std::fprintf(
            stderr,
            "usage: velmora-xhelper wait TITLE SECONDS | close TITLE | shot OUT.png X Y W H\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "velmora-xhelper: cannot open the display\n");
        return 1;
    }
    int status = 2;
    if (std::strcmp(argv[1], "wait") == 0 && argc == 4) {
        status = Wait(display, argv[2], std::atof(argv[3]));
    } else if (std::strcmp(argv[1], "close") == 0) {
        status = Close(display, argv[2]);
    } else if (std::strcmp(argv[1], "shot") == 0 && argc == 7) {
        status = Shot(display, argv[2], std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]),
                      std::atoi(argv[6]));
    }
    XCloseDisplay(display);
    return status;
}
