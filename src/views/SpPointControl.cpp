#include "views/SpPointControl.h"

#include "model/CourseData.h"
#include "render/CameraControl.h"
#include "views/SpPointDisp.h"
#include "views/ToolPanel.h"

#include <cstdint>

namespace SpPointControl {

namespace {

using enum ToolPanel::Button;

constexpr double RollPerPixel = 0.01;  // radians
constexpr double SlopePerPixel = 0.01; // roll slope
constexpr double ZoomPerPixel = 0.01;

// Moving down turns the point clockwise on the screen; moving up lengthens the handle,
// whose slope becomes fixed.
bool DragRoll(int grip, int dy) {
    int32_t index = -1;
    int32_t state = 0;
    CourseData::GetHandle(index, state);
    if (index < 0) {
        return false;
    }
    if (grip == SpPointDisp::GripHandle) {
        double slope = 0.0;
        CourseData::GetRollTangent(index, slope);
        CourseData::SetRollTangent(index, slope - SlopePerPixel * dy, 1);
    } else {
        double roll = 0.0;
        CourseData::GetRoll(index, roll);
        CourseData::SetRoll(index, roll + RollPerPixel * dy);
    }
    return true;
}

} // namespace

bool LeftPress(const CameraControl& camera, int tool, int x, int y, int& grip) {
    if (tool != EditTool) {
        return false;
    }
    if (const int hit = SpPointDisp::HitDial(camera, x, y); hit != 0) {
        grip = hit;
    }
    return true;
}

bool Drag(CameraControl& camera, int tool, int grip, int dy) {
    switch (tool) {
    case EditTool:
        return DragRoll(grip, dy);
    case CameraZoomTool:
        camera.SetZoom(camera.GetZoom() - ZoomPerPixel * dy);
        return true;
    default:
        return false;
    }
}

} // namespace SpPointControl
