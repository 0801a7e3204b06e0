#include "app/SpPointWindow.h"

#include "app/ButtonControl.h"
#include "app/MouseProtocol.h"
#include "app/ViewMessages.h"
#include "app/WinMain.h"
#include "base/Error.h"
#include "platform/HWNDDataBase.h"
#include "render/CameraControl.h"
#include "views/SpPointControl.h"
#include "views/SpPointDisp.h"
#include "views/ViewLayout.h"

namespace SpPointWindow {

namespace {

constexpr const char* Tag = "SpPointWindow1";
constexpr const char* ClassName = "SpPointWindow1_sppntwnd1";
constexpr int InitialSize = 100;

// The window's state, copied out of the table and back as a plain record.
struct ViewRecord {
    CameraControl camera;
};

bool initialised = false;
HWNDDataBase records;
platform::WindowHandle window = 0;
MouseProtocol mouse;
int grip = SpPointDisp::GripRoll;

ViewRecord Record(platform::WindowHandle view) {
    ViewRecord record{};
    records.Get(&record, sizeof record, view);
    return record;
}

void Store(const ViewRecord& record, platform::WindowHandle view) {
    records.Set(&record, sizeof record, view);
}

void Fit(platform::WindowHandle view, int width, int height) {
    ViewRecord record = Record(view);
    SpPointDisp::FitSurface(record.camera, width, height);
    Store(record, view);
}

void OnCreate(platform::WindowHandle view) {
    ViewRecord record{};
    record.camera.Reset();
    records.Add(&record, sizeof record, view);
}

void OnDestroy(platform::WindowHandle view) {
    ViewRecord record = Record(view);
    record.camera.ReleaseScreen();
    records.Remove(view);
    if (view == window) {
        window = 0;
    }
}

void OnPaint(platform::WindowHandle view) {
    const ViewRecord record = Record(view);
    SpPointDisp::Draw(record.camera, grip);
    platform::DrawContext& target = platform::BeginPaint(view);
    if (const platform::DrawContext* picture = record.camera.GetSurface()) {
        int width = 0;
        int height = 0;
        record.camera.GetScreenSize(width, height);
        target.BitBlt(0, 0, width, height, *picture, 0, 0, platform::RasterOp::SourceCopy);
    }
    platform::EndPaint(view);
}

void OnLeftPress(platform::WindowHandle view, int x, int y) {
    const ViewRecord record = Record(view);
    if (SpPointControl::LeftPress(record.camera, ButtonControl::GetCurrentTool(), x, y, grip)) {
        WinMain::RefreshShownViews();
    }
}

void OnDrag(platform::WindowHandle view, const MouseProtocol::Drag& drag) {
    ViewRecord record = Record(view);
    const bool changed = SpPointControl::Drag(record.camera, ButtonControl::GetCurrentTool(), grip,
                                              drag.y - drag.previousY);
    Store(record, view);
    if (changed) {
        WinMain::RefreshShownViews();
    }
}

void OnSize(platform::WindowHandle view, int width, int height) {
    Fit(view, width, height);
    platform::InvalidateWindow(view);
}

constexpr ViewMessageTable Messages{
    .create = OnCreate,
    .destroy = OnDestroy,
    .size = OnSize,
    .paint = OnPaint,
    .leftPress = OnLeftPress,
    .drag = OnDrag,
};

// Messages for a window that outlived Destroy find no table and get the default handling.
std::intptr_t Procedure(platform::WindowHandle view, platform::Message message,
                        const platform::MessageArgs& args) {
    if (!initialised) {
        return platform::DefWindowProc(view, message, args);
    }
    return DispatchViewMessage(Messages, mouse, view, message, args);
}

} // namespace

void Create(platform::WindowHandle parent) {
    if (!platform::RegisterWindowClass({ClassName, Procedure, platform::Rgb15(192, 192, 192)})) {
        return;
    }
    records.Init(sizeof(ViewRecord));
    initialised = true;
    mouse = MouseProtocol{};
    grip = SpPointDisp::GripRoll;
    window = platform::CreateWindow(
        ClassName, "", platform::ChildWindow | platform::VisibleStyle | platform::BorderStyle, 0, 0,
        InitialSize, InitialSize, parent);
    ViewRecord record = Record(window);
    record.camera.SetState(CameraControl::Front);
    const platform::Rect client = platform::GetClientRect(window);
    record.camera.SetScreen(client.right, client.bottom);
    Store(record, window);
    ViewLayout::RegisterView(SplinePointView,
                             {Place, [] { SetVisible(0); }, [] { SetVisible(1); }, Redraw});
}

void Destroy() {
    if (!initialised) {
        return;
    }
    for (int i = 0; i < records.GetCount(); ++i) {
        ViewRecord record{};
        records.GetAt(&record, sizeof record, i);
        record.camera.ReleaseScreen();
    }
    records.Release();
    platform::UnregisterWindowClass(ClassName);
    window = 0;
    initialised = false;
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
    Fit(window, client.right, client.bottom);
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
