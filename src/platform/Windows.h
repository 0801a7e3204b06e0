#pragma once

#include "platform/DrawContext.h"

#include <cstdint>

// The window system as the designer's modules see it: registered window classes whose
// procedures receive messages, child, popup and top-level windows, painting into a
// 16-bit window surface, mouse capture and pointer control. The declarations hold no
// toolkit types; the implementation behind them is the only code that talks to Qt.
namespace platform {

// 0 is no window; every window gets a new number that is never reused during a run.
using WindowHandle = std::uint32_t;

enum class Message {
    Create,    // args.param: the creation parameter
    Destroy,   // sent to a window before its children
    Size,      // args.x, args.y: the new client width and height
    Paint,     // answer with BeginPaint / EndPaint
    SetCursor, // the pointer moves over a window that does not hold the mouse
    MouseMove, // args.x, args.y: client position (outside the client area while captured)
    LeftDown,
    LeftUp,
    RightDown,
    RightUp,
    Command, // args.code: identifier in the low 16 bits, notification in the high 16
    Close,   // the user asks to close a top-level window
    Timer,   // args.code: the identifier given to SetTimer
    // After the LeftUp that ends a double click, so that the press and release of its
    // second click have run their course first; args.x, args.y as for LeftUp.
    LeftDoubleClick,
};

// Buttons held during a mouse message.
enum MouseKeys : unsigned { LeftKey = 1, RightKey = 2 };

struct MessageArgs {
    int x = 0;
    int y = 0;
    unsigned keys = 0;
    std::uint32_t code = 0;
    std::uintptr_t param = 0; // Command: the sending window; Create: the creation parameter
};

using WindowProc = std::intptr_t (*)(WindowHandle window, Message message, const MessageArgs& args);

struct WindowClass {
    const char* name;
    WindowProc procedure;
    Colour15 background; // what painting starts from
};

enum WindowStyle : unsigned {
    ChildWindow = 1,  // placed in its parent's client area
    PopupWindow = 2,  // a top-level window without a caption, owned by the parent
    MainWindow = 4,   // the top-level window with caption, menu bar and sizing border
    VisibleStyle = 8, // shown at once
    BorderStyle = 16, // a 1-pixel frame around the client area
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

struct Point {
    int x = 0;
    int y = 0;
};

// False when the name is already registered.
bool RegisterWindowClass(const WindowClass& windowClass);
bool UnregisterWindowClass(const char* name);

// Sends Create before returning; 0 when the class is unknown. Position and size are
// the window's outer rectangle in parent client pixels (screen pixels without parent).
WindowHandle CreateWindow(const char* className, const char* title, unsigned style, int x, int y,
                          int width, int height, WindowHandle parent,
                          std::uintptr_t creationParam = 0);
// Sends Destroy to the window, then to its children, and removes them.
void DestroyWindow(WindowHandle window);
bool IsWindow(WindowHandle window);

std::intptr_t SendMessage(WindowHandle window, Message message, const MessageArgs& args = {});
// What a procedure returns for messages it does not handle itself: Close destroys the
// window; the rest do nothing.
std::intptr_t DefWindowProc(WindowHandle window, Message message, const MessageArgs& args);

void MoveWindow(WindowHandle window, int x, int y, int width, int height);
void ShowWindow(WindowHandle window, bool show);
bool IsWindowVisible(WindowHandle window);
WindowHandle GetParent(WindowHandle window);
// Client area at (0, 0); window rectangle in screen pixels.
Rect GetClientRect(WindowHandle window);
Rect GetWindowRect(WindowHandle window);
Point ClientToScreen(WindowHandle window, Point point);

// Marks the window for painting; UpdateWindow paints it at once when so marked.
void InvalidateWindow(WindowHandle window);
void UpdateWindow(WindowHandle window);
// The window's own surface, cleared to its class background, client-sized.
DrawContext& BeginPaint(WindowHandle window);
void EndPaint(WindowHandle window);
// What the window showed after its last paint; nullptr before the first or at zero size.
const Surface* GetWindowSurface(WindowHandle window);

// Mouse messages go to the capturing window, wherever the pointer is.
void SetCapture(WindowHandle window);
void ReleaseCapture();
WindowHandle GetCapture();

// Hides the pointer while the display count is below zero; returns the new count.
int ShowCursor(bool show);
void SetCursorPos(int x, int y);
Point GetCursorPos();
// Keeps the pointer inside the screen rectangle; nullptr frees it.
void ClipCursor(const Rect* area);

struct MenuItem {
    int identifier;
    const char* text;
    // Key sequences in the toolkit's portable text form ("Ctrl+Z"), several separated by
    // "; "; the menu shows the first. They work whichever of the program's windows has
    // the focus, unless a modal dialog is up.
    const char* shortcut = nullptr;
};
struct MenuPopup {
    const char* text;
    const MenuItem* items;
    int itemCount;
};
// A menu command sends Command with the item's identifier to the window.
void SetMenu(WindowHandle window, const MenuPopup* popups, int popupCount);
// Sends Timer with the identifier to the window once, after the delay; while that timer
// waits, setting it again changes nothing, so a stream of changes is served at most the
// delay after the first of them.
void SetTimer(WindowHandle window, int identifier, int milliseconds);

// The main window's status line, under its client area, shows the text.
void SetStatusText(WindowHandle window, const char* text);
// Greys out a menu item or brings it back.
void EnableMenuItem(WindowHandle window, int identifier, bool enable);
// Shows a check mark beside the item, or none.
void CheckMenuItem(WindowHandle window, int identifier, bool check);
// A shortcut that sends Command with the identifier to the window, like a menu item that
// is not shown; unlike one, it works only while the window itself is active, so that keys
// such as Return, Escape and Delete still reach an open dialog.
void AddShortcut(WindowHandle window, int identifier, const char* shortcut);
void SetWindowIcon(WindowHandle window, const char* bitmapResource);
const char* GetWindowTitle(WindowHandle window);

enum ShowCommand { ShowNormal = 1, ShowMinimized = 2, ShowMaximized = 3 };
struct WindowPlacement {
    int length = 44;
    int flags = 0;
    int showCmd = ShowNormal;
    Point minPosition;
    Point maxPosition;
    Rect normalPosition; // the restored window rectangle, screen pixels
};
WindowPlacement GetWindowPlacement(WindowHandle window);
// Places the window and shows it in the placement's show state.
void SetWindowPlacement(WindowHandle window, const WindowPlacement& placement);

} // namespace platform
