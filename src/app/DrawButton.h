#pragma once

#include "platform/Windows.h"

// The system's own push button: a child window of class "DrawButton_drawbutton1" that
// shows one frame ("level") of a horizontal strip bitmap and tells its parent, with a
// Command message, of presses, releases and the pointer entering and leaving it. A right
// press shows its help text in the help popup until the release.
namespace DrawButton {

constexpr const char* ClassName = "DrawButton_drawbutton1";

// Notification codes in the high 16 bits of the Command code.
enum Notification { Pressed = 0, Released = 1, Entered = 2, Left = 3 };

void Init();
void End();
void SetBitmap(platform::WindowHandle button, const char* resourceName, int levelCount,
               int commandId);
void SetHelpText(platform::WindowHandle button, const char* text);
void SetLevel(platform::WindowHandle button, int level);
void SetLevelById(int commandId, int level);
int GetLevel(platform::WindowHandle button);

} // namespace DrawButton
