#pragma once

#include "app/MouseProtocol.h"
#include "platform/Windows.h"

// The message table of a view window: what the window does for each message, with the
// mouse protocol run around the mouse handlers the same way for every view. A handler
// left null does nothing.
struct ViewMessageTable {
    void (*create)(platform::WindowHandle window) = nullptr;
    void (*destroy)(platform::WindowHandle window) = nullptr;
    void (*size)(platform::WindowHandle window, int width, int height) = nullptr;
    void (*paint)(platform::WindowHandle window) = nullptr;
    void (*leftPress)(platform::WindowHandle window, int x, int y) = nullptr;
    void (*rightPress)(platform::WindowHandle window, int x, int y) = nullptr;
    // A move while only the left button is held.
    void (*drag)(platform::WindowHandle window, const MouseProtocol::Drag& drag) = nullptr;
    // dragged: whether the release ends a drag rather than a click.
    void (*leftRelease)(platform::WindowHandle window, int x, int y, bool dragged) = nullptr;
    // After the release that ends a double click.
    void (*doubleClick)(platform::WindowHandle window, int x, int y) = nullptr;
};

// Runs the table's handler for the message; anything else goes to the default procedure.
std::intptr_t DispatchViewMessage(const ViewMessageTable& table, MouseProtocol& mouse,
                                  platform::WindowHandle window, platform::Message message,
                                  const platform::MessageArgs& args);
