#pragma once

#include "platform/Windows.h"

// The help popup: a framed light grey box showing a text of lines separated by line
// feeds beside a button while the right mouse button is held on it. At most one at a
// time; showing a new text replaces the old popup.
namespace MessageWindow {

void Init();
void End();
// Top-left corner at the screen position (x, y).
void Show(platform::WindowHandle owner, const char* text, int x, int y);
void Hide();
// The popup on screen, or 0.
platform::WindowHandle GetPopup();

} // namespace MessageWindow
