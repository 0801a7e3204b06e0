#pragma once

#include "platform/Windows.h"

#include <optional>

// What a press, a move and a release mean in a view window: the one place that decides
// what is a drag and what is a click. Each view window class keeps one, shared by its
// windows. The mouse is captured when the first button goes down and released when the
// last comes up; the first move of a drag hides the pointer, which reappears where the
// drag started after the release. A release after no such move is a click.
class MouseProtocol {
public:
    enum ButtonState { NoButton = 0, LeftButton = 1, RightButton = 2, BothButtons = 3 };

    struct Drag {
        int x, y;                 // where the mouse is now
        int previousX, previousY; // where it was at the previous press or move
    };

    void LeftDown(platform::WindowHandle window, int x, int y);
    void RightDown(platform::WindowHandle window, int x, int y);
    // Any move while a button is held hides the pointer on the first one; the drag is
    // returned only while the left button alone is held.
    std::optional<Drag> Move(int x, int y);
    // True when the pointer was hidden, that is when the release ends a drag. Call
    // FinishRelease once the release has been handled.
    bool LeftUp();
    void RightUp();
    void FinishRelease();

    int GetButtonState() const { return buttonState; }

private:
    void HidePointer();

    int buttonState = NoButton;
    bool cursorHidden = false;
    platform::Point savedCursor;
    int previousX = 0;
    int previousY = 0;
};
