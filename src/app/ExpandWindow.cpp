#include "app/ExpandWindow.h"

#include "app/CameraView.h"
#include "app/InspectorWindow.h"
#include "app/ViewWindow.h"
#include "base/Error.h"
#include "views/CourseOverlay.h"
#include "views/ExpandControl.h"
#include "views/ExpandDisp.h"
#include "views/ViewFit.h"
#include "views/ViewLayout.h"

#include <array>
#include <cstdint>
#include <optional>

namespace ExpandWindow {

namespace {

constexpr const char* Tag = "ExpandWindow1";

constexpr int CreateSize = 100;

struct ViewRecord {
    CameraControl camera;
};

ViewWindow::Class<ViewRecord> views;
std::array<platform::WindowHandle, 2> windows{};

void OnCreate(platform::WindowHandle window) {
    views.Add(window);
}

void OnDestroy(platform::WindowHandle window) {
    views.Remove(window);
    for (platform::WindowHandle& known : windows) {
        if (known == window) {
            known = 0;
        }
    }
}

void OnSize(platform::WindowHandle window, int width, int height) {
    views.Of(window).camera.SetScreen(width, height);
    platform::InvalidateWindow(window);
}

void OnPaint(platform::WindowHandle window) {
    CameraControl& camera = views.Of(window).camera;
    ExpandDisp::Draw(camera);
    if (window == windows[ExpandTop]) {
        CourseOverlay::DrawDevelopedFolds(camera, InspectorWindow::Current().warnings);
    }
    CameraView::Present(window, camera);
}

using Gestures = ViewWindow::EditGestures<views, ExpandControl::RightPress, ExpandControl::Drag,
                                          ExpandControl::LeftRelease>;

constexpr ViewMessageTable Messages{
    .create = OnCreate,
    .destroy = OnDestroy,
    .size = OnSize,
    .paint = OnPaint,
    .rightPress = Gestures::OnRightPress,
    .drag = Gestures::OnDrag,
    .leftRelease = Gestures::OnLeftRelease,
    .doubleClick = ViewWindow::OnDoubleClick,
};

std::intptr_t Procedure(platform::WindowHandle window, platform::Message message,
                        const platform::MessageArgs& args) {
    return views.Dispatch(Messages, window, message, args);
}

template <int view> void JoinLayout(ViewId id) {
    ViewLayout::RegisterView(id, {[](int x, int y, int w, int h) { Place(view, x, y, w, h); },
                                  [] { Show(view); }, [] { Hide(view); }, [] { Redraw(view); }});
}

// The expanded top view measures the course in space, the side view in the ground plane.
DevelopedCourse::Measure MeasureOf(int view) {
    return view == ExpandTop ? DevelopedCourse::InSpace : DevelopedCourse::OnGround;
}

} // namespace

void Create(platform::WindowHandle parent) {
    if (!views.Register(ClassName, platform::Rgb15(128, 128, 128), Procedure)) {
        Error::Fatal(Tag, "ウィンドウの登録に失敗");
    }
    windows[ExpandTop] = views.CreateView(parent, CreateSize, CameraControl::Top);
    windows[ExpandSide] = views.CreateView(parent, CreateSize, CameraControl::Side);
    JoinLayout<ExpandTop>(ExpandTopView);
    JoinLayout<ExpandSide>(ExpandSideView);
}

void End() {
    for (const platform::WindowHandle window : windows) {
        platform::DestroyWindow(window);
    }
    views.End();
    windows = {};
}

platform::WindowHandle GetWindow(int view) {
    if (view != ExpandTop && view != ExpandSide) {
        Error::Fatal(Tag, "ありえないフラグを検出");
    }
    return windows[view];
}

// The zoom follows the client width, which is the new outer width less the frame. A width
// of zero or less on either side keeps the zoom: no ratio with it is a zoom.
void Place(int view, int x, int y, int width, int height) {
    const platform::WindowHandle window = GetWindow(view);
    CameraView::RescaleZoom(window, views.Of(window).camera, width);
    platform::MoveWindow(window, x, y, width, height);
}

void GetClientSize(int view, int& width, int& height) {
    const platform::Rect client = platform::GetClientRect(GetWindow(view));
    width = client.right;
    height = client.bottom;
}

void Redraw(int view) {
    platform::InvalidateWindow(GetWindow(view));
}

void Show(int view) {
    platform::ShowWindow(GetWindow(view), true);
}

void Hide(int view) {
    platform::ShowWindow(GetWindow(view), false);
}

void FitCourse() {
    for (const int view : {ExpandTop, ExpandSide}) {
        const std::optional<Box> box = ViewFit::DevelopedBox(MeasureOf(view));
        if (box) {
            ViewFit::FitBox(views.Of(GetWindow(view)).camera, *box);
        }
    }
}

void FramePoint(int index) {
    for (const int view : {ExpandTop, ExpandSide}) {
        ViewFit::CentreOn(views.Of(GetWindow(view)).camera,
                          ViewFit::DevelopedPlace(index, MeasureOf(view)));
    }
}

const CameraControl& GetCamera(int view) {
    return views.Of(GetWindow(view)).camera;
}

} // namespace ExpandWindow
