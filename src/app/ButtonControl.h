#pragma once

#include "platform/Windows.h"
#include "views/ToolPanel.h"

// The tool panel at the left of the main window: fifteen bitmap buttons in three groups.
// It keeps the current tool, the current view button and the loop state, shows them
// through the buttons' levels and tells the main window when the loop or the view
// changes.
namespace ButtonControl {

// Tool and view button identifiers, as ButtonControl::EditTool and so on.
using enum ToolPanel::Button;

constexpr int ButtonCount = 15;

void Create(platform::WindowHandle mainWindow);
void Destroy();
int GetPanelWidth();
int GetCurrentTool();
int GetLoopState();
void SetLoopState(int on);
int GetCurrentView();
void GetClientSize(platform::WindowHandle window, int& width, int& height);
// The panel window and the button of an identifier, for tests and the layout.
platform::WindowHandle GetPanel();
platform::WindowHandle GetButton(int identifier);

} // namespace ButtonControl
