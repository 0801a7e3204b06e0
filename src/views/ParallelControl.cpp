#include "views/ParallelControl.h"

#include "base/Error.h"
#include "model/CourseData.h"
#include "render/CameraControl.h"
#include "views/ParallelDisp.h"
#include "views/ToolPanel.h"

#include <array>
#include <optional>

namespace ParallelControl {

namespace {

using enum ToolPanel::Button;

constexpr const char* Tag = "ParallelControl1";
constexpr double WidthScaleStep = 0.1;
constexpr double ZoomStep = 0.01;

// The world axes (0 x, 1 y, 2 z) that run right and up on the view's screen.
struct Axes {
    int right;
    int up;
};

// None for the perspective state, which has no screen plane to move in.
std::optional<Axes> AxesOf(const CameraControl& camera) {
    switch (camera.GetState()) {
    case CameraControl::Perspective:
        return std::nullopt;
    case CameraControl::Top:
        return Axes{0, 2};
    case CameraControl::Side:
        return Axes{2, 1};
    case CameraControl::Front:
        return Axes{0, 1};
    default:
        Error::Fatal(Tag, "ありえないカメラ属性を検出");
    }
}

void MovePoint(int index, const Axes& axes, double dx, double dy) {
    std::array<double, 3> p{};
    CourseData::GetPosition(index, p[0], p[1], p[2]);
    p[axes.right] += dx;
    p[axes.up] -= dy;
    CourseData::SetPosition(index, p[0], p[1], p[2]);
}

// The handle's two screen axes become fixed; the depth axis keeps its property.
void MoveHandle(int index, const Axes& axes, double dx, double dy) {
    std::array<double, 3> h{};
    std::array<int32_t, 3> fixed{};
    CourseData::GetTangent(index, h[0], h[1], h[2], fixed[0], fixed[1], fixed[2]);
    h[axes.right] += dx;
    h[axes.up] -= dy;
    fixed[axes.right] = 1;
    fixed[axes.up] = 1;
    CourseData::SetTangent(index, h[0], h[1], h[2], fixed[0], fixed[1], fixed[2]);
}

bool DragSelection(const CameraControl& camera, int dx, int dy) {
    int32_t selected = -1;
    int32_t handleState = CourseData::HandlePoint;
    CourseData::GetHandle(selected, handleState);
    if (selected == -1) {
        return false;
    }
    const std::optional<Axes> axes = AxesOf(camera);
    if (!axes) {
        return true;
    }
    // The backward end lies against the handle vector, so it moves it the other way.
    const double sign = handleState == CourseData::HandleBackward ? -1.0 : 1.0;
    const double stepX = sign * MoveStep * dx;
    const double stepY = sign * MoveStep * dy;
    if (handleState == CourseData::HandlePoint) {
        MovePoint(selected, *axes, stepX, stepY);
    } else {
        MoveHandle(selected, *axes, stepX, stepY);
    }
    return true;
}

// The picture follows the mouse: the camera moves against it by 1 / zoom units per pixel.
void Pan(CameraControl& camera, int dx, int dy) {
    const std::optional<Axes> axes = AxesOf(camera);
    if (!axes) {
        return;
    }
    const double zoom = camera.GetZoom();
    std::array<double, 3> move{};
    move[axes->right] = -dx / zoom;
    move[axes->up] = dy / zoom;
    camera.Move(move[0], move[1], move[2]);
}

} // namespace

bool LeftRelease(const CameraControl& camera, int tool, int x, int y, bool dragged) {
    if (tool == SampleTool) {
        if (!dragged) {
            const int point = ParallelDisp::FindPoint(camera, x, y);
            if (point != -1) {
                CourseData::SetHandle(point, CourseData::HandlePoint);
            }
        }
        return true;
    }
    if (tool != EditTool || dragged) {
        return false;
    }
    const int point = ParallelDisp::FindPoint(camera, x, y);
    if (point != -1) {
        CourseData::SetHandle(point, CourseData::HandlePoint);
        return true;
    }
    const int end = ParallelDisp::FindHandle(camera, x, y);
    if (end != -1) {
        int32_t selected = -1;
        int32_t handleState = CourseData::HandlePoint;
        CourseData::GetHandle(selected, handleState);
        CourseData::SetHandle(selected, end);
        return true;
    }
    const int added = ParallelDisp::AddPointAt(camera, x, y);
    if (added != -1) {
        CourseData::SetHandle(added, CourseData::HandlePoint);
    }
    return true;
}

// A right press with the edit tool always redraws, even when it hit nothing.
bool RightPress(const CameraControl& camera, int tool, int x, int y) {
    if (tool != EditTool) {
        return false;
    }
    const int point = ParallelDisp::FindPoint(camera, x, y);
    if (point != -1) {
        CourseData::DeletePoint(point);
        CourseData::SetHandle(-1, CourseData::HandlePoint);
    } else if (ParallelDisp::FindHandle(camera, x, y) != -1) {
        int32_t selected = -1;
        int32_t handleState = CourseData::HandlePoint;
        CourseData::GetHandle(selected, handleState);
        CourseData::SetTangentFixed(selected, 0, 0, 0);
    }
    return true;
}

bool Drag(CameraControl& camera, int tool, int dx, int dy) {
    switch (tool) {
    case EditTool:
        return DragSelection(camera, dx, dy);
    case SampleTool:
        CourseData::ChangeSampleNum(dy);
        return true;
    case WidthTool:
        CourseData::ChangeWidthScale(WidthScaleStep * dy);
        return true;
    case CameraMoveTool:
        Pan(camera, dx, dy);
        return true;
    case CameraZoomTool:
        camera.SetZoom(camera.GetZoom() - ZoomStep * dy);
        return true;
    default:
        return false;
    }
}

} // namespace ParallelControl
