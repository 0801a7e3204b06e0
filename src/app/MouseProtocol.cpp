#include "app/MouseProtocol.h"

namespace {

// Wide enough never to hold the pointer back on any screen.
constexpr platform::Rect DragArea{-10000, -10000, 10000, 10000};

} // namespace

void MouseProtocol::LeftDown(platform::WindowHandle window, int x, int y) {
    if (buttonState == RightButton) {
        buttonState = BothButtons;
    } else {
        platform::SetCapture(window);
        buttonState = LeftButton;
    }
    previousX = x;
    previousY = y;
}

void MouseProtocol::RightDown(platform::WindowHandle window, int x, int y) {
    if (buttonState == LeftButton) {
        buttonState = BothButtons;
    } else {
        platform::SetCapture(window);
        buttonState = RightButton;
    }
    previousX = x;
    previousY = y;
}

std::optional<MouseProtocol::Drag> MouseProtocol::Move(int x, int y) {
    if (buttonState == NoButton) {
        return std::nullopt;
    }
    if (!cursorHidden) {
        HidePointer();
    }
    const Drag drag{x, y, previousX, previousY};
    previousX = x;
    previousY = y;
    if (buttonState != LeftButton) {
        return std::nullopt;
    }
    return drag;
}

bool MouseProtocol::LeftUp() {
    if (buttonState == BothButtons) {
        buttonState = RightButton;
    } else {
        platform::ReleaseCapture();
        buttonState = NoButton;
    }
    return cursorHidden;
}

void MouseProtocol::RightUp() {
    if (buttonState == BothButtons) {
        buttonState = LeftButton;
    } else {
        platform::ReleaseCapture();
        buttonState = NoButton;
    }
}

void MouseProtocol::FinishRelease() {
    if (!cursorHidden) {
        return;
    }
    platform::SetCursorPos(savedCursor.x, savedCursor.y);
    platform::ShowCursor(true);
    platform::ClipCursor(nullptr);
    cursorHidden = false;
}

// The display count may start above zero; hiding repeats until the pointer is gone.
void MouseProtocol::HidePointer() {
    savedCursor = platform::GetCursorPos();
    while (platform::ShowCursor(false) >= 0) {
    }
    platform::ClipCursor(&DragArea);
    cursorHidden = true;
}
