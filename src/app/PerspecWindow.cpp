#include "app/PerspecWindow.h"

#include "app/PerspecButton.h"
#include "app/ViewWindow.h"
#include "app/WinMain.h"
#include "base/Error.h"
#include "model/CourseData.h"
#include "views/PerspecDisp.h"
#include "views/ViewLayout.h"

namespace PerspecWindow {

namespace {

constexpr const char* Tag = "PerspecWindow1";
constexpr const char* ClassName = "PerspecWindow_parallelwnd1";
constexpr int InitialSize = 100;
// Course parameter per pixel of vertical drag: 200 pixels make one whole segment.
constexpr double DragStep = 0.005;

struct ViewRecord {
    PerspecCamera camera;
};

ViewWindow::Class<ViewRecord> views;
platform::WindowHandle window = 0;

// The surface is a whole number of 32-bit words wide.
int RoundUpToFour(int width) {
    return width % 4 == 0 ? width : width + 4 - width % 4;
}

void OnCreate(platform::WindowHandle view) {
    window = view;
    views.Add(view);
}

void OnDestroy(platform::WindowHandle view) {
    views.Remove(view);
    PerspecButton::Destroy();
    if (view == window) {
        window = 0;
    }
}

void OnSize(platform::WindowHandle view, int width, int height) {
    views.Of(view).camera.SetScreen(RoundUpToFour(width), height);
    Redraw();
}

// The surface shows below the bar; its bottom rows fall outside the client area.
void OnPaint(platform::WindowHandle view) {
    const platform::Rect client = platform::GetClientRect(view);
    const PerspecCamera& camera = views.Of(view).camera;
    platform::DrawContext& target = platform::BeginPaint(view);
    if (const platform::DrawContext* picture = camera.GetSurface()) {
        target.BitBlt(0, PerspecButton::GetBarHeight(), client.right, client.bottom, *picture, 0, 0,
                      platform::RasterOp::SourceCopy);
    }
    platform::EndPaint(view);
}

void OnDrag(platform::WindowHandle /*view*/, const MouseProtocol::Drag& drag) {
    CourseData::MoveCameraPosition((drag.previousY - drag.y) * DragStep);
    WinMain::RefreshShownViews();
}

constexpr ViewMessageTable Messages{
    .create = OnCreate,
    .destroy = OnDestroy,
    .size = OnSize,
    .paint = OnPaint,
    .drag = OnDrag,
};

std::intptr_t Procedure(platform::WindowHandle view, platform::Message message,
                        const platform::MessageArgs& args) {
    return views.Dispatch(Messages, view, message, args);
}

} // namespace

// The second window is refused before the class is registered again, which would fail
// silently and hide the misuse.
void Create(platform::WindowHandle parent) {
    if (window != 0) {
        Error::Fatal(Tag, "ウィンドウを２度作ろうとした");
    }
    if (!views.Register(ClassName, platform::Rgb15(128, 128, 128), Procedure)) {
        return;
    }
    const platform::WindowHandle view = views.CreateView(parent, InitialSize);
    PerspecCamera& camera = views.Of(view).camera;
    camera.SetLens(2.0F, 2.0F, 4.0F, 4.0F, 500.0F);
    camera.SetScreen(InitialSize, InitialSize);
    PerspecDisp::RegisterTexture();
    PerspecButton::Create(view);
    ViewLayout::RegisterView(PerspectiveView, {Move, Show, Hide, Redraw});
}

void End() {
    if (!views.IsRegistered()) {
        return;
    }
    platform::DestroyWindow(window);
    PerspecDisp::ReleaseTexture();
    views.End();
    window = 0;
}

platform::WindowHandle GetWindow() {
    return window;
}

// The bar spans the window's whole width, whatever the client area's.
void Move(int x, int y, int width, int height) {
    platform::MoveWindow(window, x, y, width, height);
    PerspecButton::Move(0, 0, width, PerspecButton::GetBarHeight());
}

void GetClientSize(int& width, int& height) {
    const platform::Rect client = platform::GetClientRect(window);
    width = client.right;
    height = client.bottom;
}

// The course may have changed while the window was hidden: nothing refreshes hidden
// views, so the picture is made anew whenever the window appears.
void Show() {
    platform::ShowWindow(window, true);
    Redraw();
}

void Hide() {
    platform::ShowWindow(window, false);
}

// A window squeezed to no width or height (the main window made small) is not rendered:
// there is nothing to show, and the texture engine refuses edge tables of no lines.
void Redraw() {
    int width = 0;
    int height = 0;
    GetClientSize(width, height);
    if (width <= 0 || height <= 0) {
        return;
    }
    const bool textured = PerspecButton::GetMode() == PerspecButton::TextureButton;
    PerspecDisp::Render(views.Of(window).camera,
                        textured ? PerspecDisp::Textured : PerspecDisp::Wireframe);
    platform::InvalidateWindow(window);
    platform::UpdateWindow(window);
}

const PerspecCamera& GetCamera() {
    return views.Of(window).camera;
}

} // namespace PerspecWindow
