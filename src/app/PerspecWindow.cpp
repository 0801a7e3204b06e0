#include "app/PerspecWindow.h"

#include "app/MouseProtocol.h"
#include "app/PerspecButton.h"
#include "app/ViewMessages.h"
#include "app/WinMain.h"
#include "base/Error.h"
#include "model/CourseData.h"
#include "platform/HWNDDataBase.h"
#include "views/PerspecDisp.h"
#include "views/ViewLayout.h"

namespace PerspecWindow {

namespace {

constexpr const char* Tag = "PerspecWindow1";
constexpr const char* ClassName = "PerspecWindow_parallelwnd1";
constexpr int InitialSize = 100;
// Course parameter per pixel of vertical drag: 200 pixels make one whole segment.
constexpr double DragStep = 0.005;

bool initialised = false;
HWNDDataBase records; // one PerspecCamera per window
platform::WindowHandle window = 0;
MouseProtocol mouse;

PerspecCamera Record(platform::WindowHandle view) {
    PerspecCamera camera{};
    records.Get(&camera, sizeof camera, view);
    return camera;
}

void Store(const PerspecCamera& camera, platform::WindowHandle view) {
    records.Set(&camera, sizeof camera, view);
}

// The surface is a whole number of 32-bit words wide.
int RoundUpToFour(int width) {
    return width % 4 == 0 ? width : width + 4 - width % 4;
}

void OnCreate(platform::WindowHandle view) {
    window = view;
    PerspecCamera camera{};
    camera.Reset();
    records.Add(&camera, sizeof camera, view);
}

void OnDestroy(platform::WindowHandle view) {
    PerspecCamera camera = Record(view);
    camera.ReleaseScreen();
    records.Remove(view);
    PerspecButton::Destroy();
    if (view == window) {
        window = 0;
    }
}

void OnSize(platform::WindowHandle view, int width, int height) {
    PerspecCamera camera = Record(view);
    camera.SetScreen(RoundUpToFour(width), height);
    Store(camera, view);
    Redraw();
}

// The surface shows below the bar; its bottom rows fall outside the client area.
void OnPaint(platform::WindowHandle view) {
    const platform::Rect client = platform::GetClientRect(view);
    const PerspecCamera camera = Record(view);
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

// Messages for a window that outlived End find no table and get the default handling.
std::intptr_t Procedure(platform::WindowHandle view, platform::Message message,
                        const platform::MessageArgs& args) {
    if (!initialised) {
        return platform::DefWindowProc(view, message, args);
    }
    return DispatchViewMessage(Messages, mouse, view, message, args);
}

} // namespace

// The second window is refused before the class is registered again, which would fail
// silently and hide the misuse.
void Create(platform::WindowHandle parent) {
    if (window != 0) {
        Error::Fatal(Tag, "ウィンドウを２度作ろうとした");
    }
    records.Init(sizeof(PerspecCamera));
    if (!platform::RegisterWindowClass({ClassName, Procedure, platform::Rgb15(128, 128, 128)})) {
        return;
    }
    initialised = true;
    mouse = MouseProtocol{};
    const platform::WindowHandle view = platform::CreateWindow(
        ClassName, "", platform::ChildWindow | platform::VisibleStyle | platform::BorderStyle, 0, 0,
        InitialSize, InitialSize, parent);
    PerspecCamera camera = Record(view);
    camera.SetLens(2.0F, 2.0F, 4.0F, 4.0F, 500.0F);
    camera.SetScreen(InitialSize, InitialSize);
    Store(camera, view);
    PerspecDisp::RegisterTexture();
    PerspecButton::Create(view);
    ViewLayout::RegisterView(PerspectiveView, {Move, Show, Hide, Redraw});
}

void End() {
    if (!initialised) {
        return;
    }
    platform::DestroyWindow(window);
    PerspecDisp::ReleaseTexture();
    records.Release();
    platform::UnregisterWindowClass(ClassName);
    window = 0;
    mouse = MouseProtocol{};
    initialised = false;
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
    PerspecCamera camera = Record(window);
    const bool textured = PerspecButton::GetMode() == PerspecButton::TextureButton;
    PerspecDisp::Render(camera, textured ? PerspecDisp::Textured : PerspecDisp::Wireframe);
    Store(camera, window);
    platform::InvalidateWindow(window);
    platform::UpdateWindow(window);
}

PerspecCamera GetCamera() {
    return Record(window);
}

} // namespace PerspecWindow
