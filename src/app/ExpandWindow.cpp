#include "app/ExpandWindow.h"

#include "app/ButtonControl.h"
#include "app/CameraView.h"
#include "app/MouseProtocol.h"
#include "app/ViewMessages.h"
#include "app/WinMain.h"
#include "base/Error.h"
#include "platform/HWNDDataBase.h"
#include "views/ExpandControl.h"
#include "views/ExpandDisp.h"
#include "views/ViewLayout.h"

#include <array>
#include <cstdint>

namespace ExpandWindow {

namespace {

constexpr const char* Tag = "ExpandWindow1";

constexpr int CreateSize = 100;

// One window's state, copied out of the table and back as a plain record.
struct ViewRecord {
    CameraControl camera;
};

HWNDDataBase records;
MouseProtocol mouse;
std::array<platform::WindowHandle, 2> windows{};

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
    records.Add(&record, sizeof record, window);
}

void OnDestroy(platform::WindowHandle window) {
    ViewRecord record = Record(window);
    record.camera.ReleaseScreen();
    records.Remove(window);
    for (platform::WindowHandle& known : windows) {
        if (known == window) {
            known = 0;
        }
    }
}

void OnSize(platform::WindowHandle window, int width, int height) {
    ViewRecord record = Record(window);
    record.camera.SetScreen(width, height);
    Store(record, window);
    platform::InvalidateWindow(window);
}

void OnPaint(platform::WindowHandle window) {
    const ViewRecord record = Record(window);
    ExpandDisp::Draw(record.camera);
    CameraView::Present(window, record.camera);
}

void RefreshIf(bool changed) {
    if (changed) {
        WinMain::RefreshShownViews();
    }
}

void OnRightPress(platform::WindowHandle window, int x, int y) {
    const ViewRecord record = Record(window);
    RefreshIf(ExpandControl::RightPress(record.camera, ButtonControl::GetCurrentTool(), x, y));
}

void OnDrag(platform::WindowHandle window, const MouseProtocol::Drag& drag) {
    ViewRecord record = Record(window);
    const bool changed = ExpandControl::Drag(record.camera, ButtonControl::GetCurrentTool(),
                                             drag.x - drag.previousX, drag.y - drag.previousY);
    Store(record, window);
    RefreshIf(changed);
}

void OnLeftRelease(platform::WindowHandle window, int x, int y, bool dragged) {
    const ViewRecord record = Record(window);
    const bool changed =
        ExpandControl::LeftRelease(record.camera, ButtonControl::GetCurrentTool(), x, y, dragged);
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

platform::WindowHandle CreateView(platform::WindowHandle parent, int32_t state) {
    const platform::WindowHandle window = platform::CreateWindow(
        ClassName, "", platform::ChildWindow | platform::VisibleStyle | platform::BorderStyle, 0, 0,
        CreateSize, CreateSize, parent);
    ViewRecord record = Record(window);
    record.camera.SetState(state);
    const platform::Rect client = platform::GetClientRect(window);
    record.camera.SetScreen(client.right, client.bottom);
    Store(record, window);
    return window;
}

template <int view> void JoinLayout(ViewId id) {
    ViewLayout::RegisterView(id, {[](int x, int y, int w, int h) { Place(view, x, y, w, h); },
                                  [] { Show(view); }, [] { Hide(view); }, [] { Redraw(view); }});
}

} // namespace

void Create(platform::WindowHandle parent) {
    records.Init(sizeof(ViewRecord));
    if (!platform::RegisterWindowClass({ClassName, Procedure, platform::Rgb15(128, 128, 128)})) {
        Error::Fatal(Tag, "ウィンドウの登録に失敗");
    }
    windows[ExpandTop] = CreateView(parent, CameraControl::Top);
    windows[ExpandSide] = CreateView(parent, CameraControl::Side);
    JoinLayout<ExpandTop>(ExpandTopView);
    JoinLayout<ExpandSide>(ExpandSideView);
}

void End() {
    for (const platform::WindowHandle window : windows) {
        platform::DestroyWindow(window);
    }
    for (int i = 0; i < records.GetCount(); ++i) {
        ViewRecord record{};
        records.GetAt(&record, sizeof record, i);
        record.camera.ReleaseScreen();
    }
    records.Release();
    platform::UnregisterWindowClass(ClassName);
    windows = {};
    mouse = MouseProtocol{};
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

void Show(int view) {
    platform::ShowWindow(GetWindow(view), true);
}

void Hide(int view) {
    platform::ShowWindow(GetWindow(view), false);
}

CameraControl GetCamera(int view) {
    return Record(GetWindow(view)).camera;
}

} // namespace ExpandWindow
