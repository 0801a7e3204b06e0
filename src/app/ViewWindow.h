#pragma once

#include "app/ButtonControl.h"
#include "app/MouseProtocol.h"
#include "app/ViewMessages.h"
#include "platform/HWNDDataBase.h"
#include "platform/Windows.h"

#include <cstdint>
#include <utility>

// What every view window class shares: the class, its windows' records by window handle
// (each record owns a camera, and so the camera's surface, until its window is destroyed),
// and the mouse protocol run around the handlers of its message table. Each window module
// keeps one of these and says only what is its own: its record, drawing and gestures.
namespace ViewWindow {

template <class Record> class Class {
public:
    // Registers the class and starts with no records; false when the class is refused.
    bool Register(const char* className, platform::Colour15 background,
                  platform::WindowProc procedure) {
        records.Init();
        mouse = MouseProtocol{};
        name = className;
        registered = platform::RegisterWindowClass({className, procedure, background});
        return registered;
    }

    // A bordered child view of the size; its creation message has made its record.
    platform::WindowHandle CreateView(platform::WindowHandle parent, int size) {
        return platform::CreateWindow(
            name, "", platform::ChildWindow | platform::VisibleStyle | platform::BorderStyle, 0, 0,
            size, size, parent);
    }

    // A view as above whose camera is in the state and sized to the view's client area.
    platform::WindowHandle CreateView(platform::WindowHandle parent, int size, int32_t state) {
        const platform::WindowHandle window = CreateView(parent, size);
        auto& camera = Of(window).camera;
        camera.SetState(state);
        const platform::Rect client = platform::GetClientRect(window);
        camera.SetScreen(client.right, client.bottom);
        return window;
    }

    Record& Of(platform::WindowHandle window) { return records.At(window); }

    // The message table's handler for the message, with the mouse protocol around it. A
    // window that outlives End gets the default handling.
    std::intptr_t Dispatch(const ViewMessageTable& table, platform::WindowHandle window,
                           platform::Message message, const platform::MessageArgs& args) {
        if (!registered) {
            return platform::DefWindowProc(window, message, args);
        }
        return DispatchViewMessage(table, mouse, window, message, args);
    }

    // For the creation and destruction messages: a record with a fresh camera, and the
    // record's end, which releases the camera's surface.
    void Add(platform::WindowHandle window) {
        Record record{};
        record.camera.Reset();
        records.Add(window, std::move(record));
    }
    void Remove(platform::WindowHandle window) { records.Remove(window); }

    // Releases every record left and the class, so that the designer can start again in
    // the same process.
    void End() {
        records.Release();
        if (registered) {
            platform::UnregisterWindowClass(name);
        }
        registered = false;
        mouse = MouseProtocol{};
    }

    bool IsRegistered() const { return registered; }

private:
    HWNDDataBase<Record> records;
    MouseProtocol mouse;
    const char* name = nullptr;
    bool registered = false;
};

// After a gesture: redraws the shown views when it changed the course or the view.
void RefreshIf(bool changed);
// A double click with the edit tool opens the selected point's form: its first click has
// selected the point under the mouse, or placed a new one there.
void OnDoubleClick(platform::WindowHandle window, int x, int y);

// The editing gestures of a view class whose Control module takes each with the view's
// camera and the tool panel's current tool, and says whether it changed anything.
template <auto& views, auto rightPress, auto drag, auto leftRelease> struct EditGestures {
    static void OnRightPress(platform::WindowHandle window, int x, int y) {
        RefreshIf(rightPress(views.Of(window).camera, ButtonControl::GetCurrentTool(), x, y));
    }
    static void OnDrag(platform::WindowHandle window, const MouseProtocol::Drag& move) {
        RefreshIf(drag(views.Of(window).camera, ButtonControl::GetCurrentTool(),
                       move.x - move.previousX, move.y - move.previousY));
    }
    static void OnLeftRelease(platform::WindowHandle window, int x, int y, bool dragged) {
        RefreshIf(
            leftRelease(views.Of(window).camera, ButtonControl::GetCurrentTool(), x, y, dragged));
    }
};

} // namespace ViewWindow
