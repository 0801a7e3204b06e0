#include "app/ParallelWindow.h"

#include "app/ButtonControl.h"
#include "app/CameraView.h"
#include "app/MouseProtocol.h"
#include "app/ViewMessages.h"
#include "app/WinMain.h"
#include "base/Error.h"
#include "platform/HWNDDataBase.h"
#include "views/ParallelControl.h"
#include "views/ParallelDisp.h"
#include "views/ViewLayout.h"

#include <array>

namespace ParallelWindow {

namespace {

constexpr const char* Tag = "ParallelWindow1";
constexpr const char* ClassName = "ParallelWindow_parallelwnd1";
constexpr int ViewNum = 3;
constexpr int InitialSize = 100;
constexpr std::array<int32_t, ViewNum> States{CameraControl::Top, CameraControl::Side,
                                              CameraControl::Front};

// One view's state, copied out of the table and back as a plain record.
struct ViewRecord {
    CameraControl camera;
    int32_t showCamera;
};

bool initialised = false;
HWNDDataBase records;
MouseProtocol mouse;
std::array<platform::WindowHandle, ViewNum> windows{};

ViewRecord Record(platform::WindowHandle window) {
    ViewRecord record{};
    records.Get(&record, sizeof record, window);
    return record;
}

void Store(const ViewRecord& record, platform::WindowHandle window) {
    records.Set(&record, sizeof record, window);
}

void OnCreate(platform::WindowHandle window) {
    ViewRecord record{};
    record.camera.Reset();
    record.showCamera = 0;
    records.Add(&record, sizeof record, window);
}

void OnDestroy(platform::WindowHandle window) {
    if (!initialised) {
        return;
    }
    ViewRecord record = Record(window);
    record.showCamera = 0;
    record.camera.ReleaseScreen();
    records.Remove(window);
}

void OnSize(platform::WindowHandle window, int width, int height) {
    ViewRecord record = Record(window);
    record.camera.SetScreen(width, height);
    Store(record, window);
    platform::InvalidateWindow(window);
}

void OnPaint(platform::WindowHandle window) {
    const ViewRecord record = Record(window);
    ParallelDisp::Draw(record.camera, record.showCamera);
    CameraView::Present(window, record.camera);
}

void RefreshIf(bool changed) {
    if (changed) {
        WinMain::RefreshShownViews();
    }
}

void OnRightPress(platform::WindowHandle window, int x, int y) {
    const ViewRecord record = Record(window);
    RefreshIf(ParallelControl::RightPress(record.camera, ButtonControl::GetCurrentTool(), x, y));
}

// Panning and zooming change the camera, so the record goes back before the redraw.
void OnDrag(platform::WindowHandle window, const MouseProtocol::Drag& drag) {
    ViewRecord record = Record(window);
    const bool changed = ParallelControl::Drag(record.camera, ButtonControl::GetCurrentTool(),
                                               drag.x - drag.previousX, drag.y - drag.previousY);
    Store(record, window);
    RefreshIf(changed);
}

void OnLeftRelease(platform::WindowHandle window, int x, int y, bool dragged) {
    const ViewRecord record = Record(window);
    const bool changed =
        ParallelControl::LeftRelease(record.camera, ButtonControl::GetCurrentTool(), x, y, dragged);
    RefreshIf(changed);
}

constexpr ViewMessageTable Messages{
    .create = OnCreate,
    .destroy = OnDestroy,
    .size = OnSize,
    .paint = OnPaint,
    .rightPress = OnRightPress,
    .drag = OnDrag,
    .leftRelease = OnLeftRelease,
};

std::intptr_t Procedure(platform::WindowHandle window, platform::Message message,
                        const platform::MessageArgs& args) {
    return DispatchViewMessage(Messages, mouse, window, message, args);
}

// What the layout calls for view number View; the layout shows the camera's place.
template <int View> ViewOps LayoutOps() {
    return {[](int x, int y, int w, int h) { Place(View, x, y, w, h); }, [] { Show(View, 1); },
            [] { Hide(View); }, [] { Redraw(View); }};
}

} // namespace

void Create(platform::WindowHandle parent) {
    records.Init(sizeof(ViewRecord));
    if (!platform::RegisterWindowClass({ClassName, Procedure, platform::Rgb15(128, 128, 128)})) {
        Error::Fatal(Tag, "ウィンドウの登録に失敗");
    }
    initialised = true;
    for (int view = 0; view < ViewNum; ++view) {
        const platform::WindowHandle window = platform::CreateWindow(
            ClassName, "", platform::ChildWindow | platform::VisibleStyle | platform::BorderStyle,
            0, 0, InitialSize, InitialSize, parent);
        windows[view] = window;
        ViewRecord record = Record(window);
        record.camera.SetState(States[view]);
        const platform::Rect client = platform::GetClientRect(window);
        record.camera.SetScreen(client.right, client.bottom);
        Store(record, window);
    }
    ViewLayout::RegisterView(TopView, LayoutOps<0>());
    ViewLayout::RegisterView(SideView, LayoutOps<1>());
    ViewLayout::RegisterView(FrontView, LayoutOps<2>());
}

void End() {
    for (int i = 0; i < records.GetCount(); ++i) {
        ViewRecord record{};
        records.GetAt(&record, sizeof record, i);
        record.camera.ReleaseScreen();
    }
    records.Release();
    platform::UnregisterWindowClass(ClassName);
    windows = {};
    mouse = MouseProtocol{};
    initialised = false;
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
    ViewRecord record = Record(window);
    CameraView::RescaleZoom(window, record.camera, width);
    Store(record, window);
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
    ViewRecord record = Record(window);
    record.showCamera = showCamera != 0 ? 1 : 0;
    Store(record, window);
    platform::ShowWindow(window, true);
    platform::InvalidateWindow(window);
}

void Hide(int view) {
    platform::ShowWindow(GetWindow(view), false);
}

CameraControl GetCamera(int view) {
    return Record(GetWindow(view)).camera;
}

} // namespace ParallelWindow
