#include "views/ExpandControl.h"

#include "base/Error.h"
#include "model/CourseData.h"
#include "render/CameraControl.h"
#include "views/ExpandDisp.h"
#include "views/ToolPanel.h"

#include <cstdint>

namespace ExpandControl {

namespace {

using enum ToolPanel::Button;

constexpr const char* Tag = "ExpandControl1";
constexpr double UnitsPerPixel = 0.8; // edits move this far whatever the zoom
constexpr double ZoomPerPixel = 0.01;

void RequireExpandState(const CameraControl& camera) {
    const int32_t state = camera.GetState();
    if (state != CameraControl::Top && state != CameraControl::Side) {
        Error::Fatal(Tag, "ありえないカメラ属性を検出");
    }
}

// Side codes 2 and 3 stand for the course's sides 0 (A) and 1 (B).
int32_t SideOf(int sideCode) {
    return sideCode == ExpandDisp::SideA ? 0 : 1;
}

int32_t HandleStateOf(int end) {
    return end == ExpandDisp::EndAhead ? CourseData::HandleForward : CourseData::HandleBackward;
}

// Moving right narrows side A and widens side B: side A lies at negative offsets.
void EditWidth(int point, int32_t side, double delta) {
    double widthA = 0.0;
    double widthB = 0.0;
    CourseData::GetWidth(point, widthA, widthB);
    if (side == 0) {
        CourseData::SetWidth(point, widthA - delta, widthB);
    } else {
        CourseData::SetWidth(point, widthA, widthB + delta);
    }
}

// The edited side's width tangent becomes fixed; the other side keeps its property.
void EditWidthHandle(int point, int32_t side, double delta) {
    double handleA = 0.0;
    double handleB = 0.0;
    int32_t fixedA = 0;
    int32_t fixedB = 0;
    CourseData::GetWidthTangent(point, handleA, handleB, fixedA, fixedB);
    if (side == 0) {
        CourseData::SetWidthTangent(point, handleA - delta, handleB, 1, fixedB);
    } else {
        CourseData::SetWidthTangent(point, handleA, handleB + delta, fixedA, 1);
    }
}

void EditHeight(int point, double delta) {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    CourseData::GetPosition(point, x, y, z);
    CourseData::SetPosition(point, x, y - delta, z);
}

// The y and z tangents become fixed; x keeps its property.
void EditHeightHandle(int point, double delta) {
    double hx = 0.0;
    double hy = 0.0;
    double hz = 0.0;
    int32_t fixedX = 0;
    int32_t fixedY = 0;
    int32_t fixedZ = 0;
    CourseData::GetTangent(point, hx, hy, hz, fixedX, fixedY, fixedZ);
    CourseData::SetTangent(point, hx, hy - delta, hz, fixedX, 1, 1);
}

bool DragEdit(const CameraControl& camera, int dx, int dy) {
    RequireExpandState(camera);
    int32_t point = -1;
    int32_t handleState = 0;
    CourseData::GetHandle(point, handleState);
    if (point == -1) {
        return false;
    }
    // The backward end of a handle moves the opposite way.
    const double sign = handleState == CourseData::HandleBackward ? -1.0 : 1.0;
    const double deltaX = sign * UnitsPerPixel * dx;
    const double deltaY = sign * UnitsPerPixel * dy;
    const bool onPoint = handleState == CourseData::HandlePoint;
    const bool top = camera.GetState() == CameraControl::Top;
    if (top && onPoint) {
        EditWidth(point, CourseData::GetSide(), deltaX);
    } else if (top) {
        EditWidthHandle(point, CourseData::GetSide(), deltaX);
    } else if (onPoint) {
        EditHeight(point, deltaY);
    } else {
        EditHeightHandle(point, deltaY);
    }
    return true;
}

// The view follows the mouse along the course only: up the top view, across the side view.
void Pan(CameraControl& camera, int dx, int dy) {
    RequireExpandState(camera);
    const double zoom = camera.GetZoom();
    if (camera.GetState() == CameraControl::Top) {
        camera.Move(0.0, 0.0, dy / zoom);
    } else {
        camera.Move(0.0, 0.0, -dx / zoom);
    }
}

// A width handle frees that side's width tangent; a height handle frees the y tangent.
void FreeHandle(const CameraControl& camera, const ExpandDisp::Found& found) {
    if (camera.GetState() == CameraControl::Top) {
        double handleA = 0.0;
        double handleB = 0.0;
        int32_t fixedA = 0;
        int32_t fixedB = 0;
        CourseData::GetWidthTangent(found.index, handleA, handleB, fixedA, fixedB);
        const bool sideA = SideOf(found.side) == 0;
        CourseData::SetWidthTangent(found.index, handleA, handleB, sideA ? 0 : fixedA,
                                    sideA ? fixedB : 0);
        return;
    }
    int32_t fixedX = 0;
    int32_t fixedY = 0;
    int32_t fixedZ = 0;
    CourseData::GetTangentFixed(found.index, fixedX, fixedY, fixedZ);
    CourseData::SetTangentFixed(found.index, fixedX, 0, fixedZ);
}

} // namespace

bool LeftRelease(const CameraControl& camera, int tool, int x, int y, bool dragged) {
    if (tool != EditTool || dragged) {
        return false;
    }
    const ExpandDisp::Found found = ExpandDisp::Find(camera, x, y);
    if (found.index == -1) {
        return false;
    }
    const bool onPoint = found.end == ExpandDisp::NoEnd;
    CourseData::SetHandle(found.index,
                          onPoint ? CourseData::HandlePoint : HandleStateOf(found.end));
    if (camera.GetState() == CameraControl::Top) {
        CourseData::SetSide(SideOf(found.side));
    }
    return true;
}

bool RightPress(const CameraControl& camera, int tool, int x, int y) {
    if (tool != EditTool) {
        return false;
    }
    const ExpandDisp::Found found = ExpandDisp::Find(camera, x, y);
    if (found.end == ExpandDisp::NoEnd) {
        return false;
    }
    FreeHandle(camera, found);
    return true;
}

bool Drag(CameraControl& camera, int tool, int dx, int dy) {
    switch (tool) {
    case EditTool:
        return DragEdit(camera, dx, dy);
    case WidthTool:
        return true; // nothing changes, but every view is redrawn
    case CameraMoveTool:
        Pan(camera, dx, dy);
        return true;
    case CameraZoomTool:
        camera.SetZoom(camera.GetZoom() - ZoomPerPixel * dy);
        return true;
    default:
        return false; // sample count and loop do nothing here
    }
}

} // namespace ExpandControl
