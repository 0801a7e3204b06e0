#pragma once

#include "platform/Windows.h"

#include <QImage>
#include <QPointer>
#include <memory>
#include <string>

namespace platform {

class HostWidget;

// What the window system keeps for each window.
struct WindowEntry {
    WindowHandle handle = 0;
    WindowProc procedure = nullptr;
    Colour15 background = 0;
    unsigned style = 0;
    WindowHandle parent = 0;
    QPointer<QWidget> outer;   // the widget that is moved, shown and hidden
    QPointer<HostWidget> host; // the client area's widget
    std::unique_ptr<Surface> surface;
    DrawContext context;
};

WindowEntry* FindWindowEntry(WindowHandle window);

// Applies the pointer confinement after a move of the real pointer.
void KeepCursorInClip();

} // namespace platform
