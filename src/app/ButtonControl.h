#pragma once

#include "platform/Windows.h"

// The tool panel at the left of the main window: fifteen bitmap buttons in three groups.
// It keeps the current tool, the current view button and the loop state, shows them
// through the buttons' levels and tells the main window when the loop or the view
// changes.
namespace ButtonControl {

// Tool and view button identifiers.
enum ButtonId {
    EditTool = 100,
    SampleTool = 101,
    WidthTool = 102,
    LoopButton = 103,
    CameraMoveTool = 104,
    CameraZoomTool = 105,
    TopViewButton = 107,
    SideViewButton = 108,
    FrontViewButton = 109,
    ExpandTopButton = 111,
    ExpandSideButton = 112,
    ShapeLayoutButton = 113,
    HeightLayoutButton = 114,
    WidthLayoutButton = 115,
    RollLayoutButton = 116,
};

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
