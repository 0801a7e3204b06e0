#include "app/SpPointWindow.h"

#include "app/ButtonControl.h"
#include "app/ViewWindow.h"
#include "base/Error.h"
#include "render/CameraControl.h"
#include "views/SpPointControl.h"
#include "views/SpPointDisp.h"
#include "views/ViewLayout.h"

namespace SpPointWindow {

namespace {

constexpr const char* Tag = "SpPointWindow1";
constexpr const char* ClassName = "SpPointWindow1_sppntwnd1";
constexpr int InitialSize = 100;

struct ViewRecord {
    CameraControl camera;
};

ViewWindow::Class<ViewRecord> views;
platform::WindowHandle window = 0;
int grip = SpPointDisp::GripRoll;

void OnCreate(platform::WindowHandle view) {
    views.Add(view);
}

void OnDestroy(platform::WindowHandle view) {
    views.Remove(view);
    if (view == window) {
        window = 0;
    }
}

void OnPaint(platform::WindowHandle view) {
    CameraControl& camera = views.Of(view).camera;
    SpPointDisp::Draw(camera, grip);
    platform::DrawContext& target = platform::BeginPaint(view);
    if (const platform::DrawContext* picture = camera.GetSurface()) {
        int width = 0;
        int height = 0;
        camera.GetScreenSize(width, height);
        target.BitBlt(0, 0, width, height, *picture, 0, 0, platform::RasterOp::SourceCopy);
    }
    platform::EndPaint(view);
}

void OnLeftPress(platform::WindowHandle view, int x, int y) {
    ViewWindow::RefreshIf(SpPointControl::LeftPress(views.Of(view).camera,
                                                    ButtonControl::GetCurrentTool(), x, y, grip));
}

void OnDrag(platform::WindowHandle view, const MouseProtocol::Drag& drag) {
    ViewWindow::RefreshIf(SpPointControl::Drag(
        views.Of(view).camera, ButtonControl::GetCurrentTool(), grip, drag.y - drag.previousY));
}

void OnSize(platform::WindowHandle view, int width, int height) {
    SpPointDisp::FitSurface(views.Of(view).camera, width, height);
    platform::InvalidateWindow(view);
}

constexpr ViewMessageTable Messages{
    .create = OnCreate,
    .destroy = OnDestroy,
    .size = OnSize,
    .paint = OnPaint,
    .leftPress = OnLeftPress,
    .drag = OnDrag,
    .doubleClick = ViewWindow::OnDoubleClick,
};

std::intptr_t Procedure(platform::WindowHandle view, platform::Message message,
                        const platform::MessageArgs& args) {
    return views.Dispatch(Messages, view, message, args);
}

} // namespace

void Create(platform::WindowHandle parent) {
    if (!views.Register(ClassName, platform::Rgb15(192, 192, 192), Procedure)) {
        return;
    }
    grip = SpPointDisp::GripRoll;
    window = views.CreateView(parent, InitialSize, CameraControl::Front);
    ViewLayout::RegisterView(SplinePointView,
                             {Place, [] { SetVisible(0); }, [] { SetVisible(1); }, Redraw});
}

void Destroy() {
    views.End();
    window = 0;
}

platform::WindowHandle GetWindow(int number) {
    if (number != 0) {
        Error::Report(Tag, "ありえないフラグを検出", 3);
        return 0;
    }
    return window;
}

// The size message follows the move at once for a shown window, only when it is next
// shown for a hidden one, and not at all when the size stays. Fitting here as well keeps
// exactly one rescale whichever happens, since a second fit to the same size changes nothing.
void Place(int x, int y, int width, int height) {
    platform::MoveWindow(window, x, y, width, height);
    const platform::Rect client = platform::GetClientRect(window);
    SpPointDisp::FitSurface(views.Of(window).camera, client.right, client.bottom);
}

void SetVisible(int flag) {
    if (flag != 0 && flag != 1) {
        Error::Report(Tag, "ありえない設定フラグを検出", 3);
        return;
    }
    platform::ShowWindow(window, flag == 0);
}

void Redraw() {
    platform::InvalidateWindow(window);
}

} // namespace SpPointWindow
