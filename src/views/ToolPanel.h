#pragma once

// The tool panel's identifiers and width, shared by the panel that shows the buttons, the
// gestures that are handed the current tool and the layout that a view button chooses.
namespace ToolPanel {

enum Button {
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

// The panel's width in pixels; the views take the main window's client area right of it.
constexpr int Width = 91;
// The buttons' column height; the inspector fills the rest of the panel's column.
constexpr int Height = 316;

} // namespace ToolPanel
