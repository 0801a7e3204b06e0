#include "app/ParallelWindow.h"

#include "app/CameraView.h"
#include "app/InspectorWindow.h"
#include "app/ViewWindow.h"
#include "base/Error.h"
#include "views/CourseOverlay.h"
#include "views/ParallelControl.h"
#include "views/ParallelDisp.h"
#include "views/ViewFit.h"
#include "views/ViewLayout.h"

#include <array>
#include <optional>

namespace ParallelWindow {

namespace {

constexpr const char* Tag = "ParallelWindow1";
constexpr const char* ClassName = "ParallelWindow_parallelwnd1";
constexpr int ViewNum = 3;
constexpr int InitialSize = 100;
constexpr std::array<int32_t, ViewNum> States{CameraControl::Top, CameraControl::Side,
                                              CameraControl::Front};

struct ViewRecord {
    CameraControl camera;
    int32_t showCamera;
};

ViewWindow::Class<ViewRecord> views;
std::array<platform::WindowHandle, ViewNum> windows{};
bool combShown = false;

void OnCreate(platform::WindowHandle window) {
    views.Add(window);
}

void OnDestroy(platform::WindowHandle window) {
    views.Remove(window);
}

void OnSize(platform::WindowHandle window, int width, int height) {
    views.Of(window).camera.SetScreen(width, height);
    platform::InvalidateWindow(window);
}

void OnPaint(platform::WindowHandle window) {
    ViewRecord& record = views.Of(window);
    ParallelDisp::Draw(record.camera, record.showCamera);
    if (window == windows[0]) {
        CourseOverlay::DrawWarnings(record.camera, InspectorWindow::Current().warnings);
        if (combShown) {
            CourseOverlay::DrawComb(record.camera);
        }
    }
    CameraView::Present(window, record.camera);
}

using Gestures = ViewWindow::EditGestures<views, ParallelControl::RightPress, ParallelControl::Drag,
                                          ParallelControl::LeftRelease>;

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

// What the layout calls for view number View; the layout shows the camera's place.
template <int View> ViewOps LayoutOps() {
    return {[](int x, int y, int w, int h) { Place(View, x, y, w, h); }, [] { Show(View, 1); },
            [] { Hide(View); }, [] { Redraw(View); }};
}

} // namespace

void Create(platform::WindowHandle parent) {
    if (!views.Register(ClassName, platform::Rgb15(128, 128, 128), Procedure)) {
        Error::Fatal(Tag, "ウィンドウの登録に失敗");
    }
    for (int view = 0; view < ViewNum; ++view) {
        windows[view] = views.CreateView(parent, InitialSize, States[view]);
    }
    ViewLayout::RegisterView(TopView, LayoutOps<0>());
    ViewLayout::RegisterView(SideView, LayoutOps<1>());
    ViewLayout::RegisterView(FrontView, LayoutOps<2>());
}

void End() {
    views.End();
    windows = {};
    combShown = false;
}

platform::WindowHandle GetWindow(int view) {
    if (view < 0 || view >= ViewNum) {
        Error::Fatal(Tag, "ありえないフラグを検出");
    }
    return windows[view];
}

// The zoom follows the client width, frame excluded, so that placing a view at the size it
// already has keeps its zoom. A width of zero or less on either side keeps it too: the
// ratio would be zero, infinite or NaN, and the camera would keep that for good.
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

void Show(int view, int showCamera) {
    const platform::WindowHandle window = GetWindow(view);
    views.Of(window).showCamera = showCamera != 0 ? 1 : 0;
    platform::ShowWindow(window, true);
    platform::InvalidateWindow(window);
}

void Hide(int view) {
    platform::ShowWindow(GetWindow(view), false);
}

void FitCourse() {
    const std::optional<Box> box = ViewFit::CourseBox();
    if (!box) {
        return;
    }
    for (const platform::WindowHandle window : windows) {
        ViewFit::FitBox(views.Of(window).camera, *box);
    }
}

void CentreOn(const Vec3d& place) {
    for (const platform::WindowHandle window : windows) {
        ViewFit::CentreOn(views.Of(window).camera, place);
    }
}

void ShowComb(bool show) {
    combShown = show;
    Redraw(0);
}

bool IsCombShown() {
    return combShown;
}

const CameraControl& GetCamera(int view) {
    return views.Of(GetWindow(view)).camera;
}

} // namespace ParallelWindow
