#include "platform/Windows.h"

#include "platform/BitmapResource.h"
#include "platform/Presentation.h"
#include "platform/qt/HostWidget.h"
#include "platform/qt/WindowRegistry.h"

#include <QAction>
#include <QCursor>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <algorithm>
#include <map>
#include <vector>

namespace platform {

namespace {

std::vector<WindowClass> classes;
std::map<WindowHandle, std::unique_ptr<WindowEntry>> windows;
WindowHandle lastHandle = 0;
WindowHandle captureWindow = 0;
int cursorCount = 0;
bool clipping = false;
Rect clipArea;

const WindowClass* FindClass(const char* name) {
    for (const WindowClass& windowClass : classes) {
        if (std::string_view(windowClass.name) == name) {
            return &windowClass;
        }
    }
    return nullptr;
}

QWidget* OuterWidget(WindowHandle window) {
    const WindowEntry* entry = FindWindowEntry(window);
    return entry != nullptr ? entry->outer.data() : nullptr;
}

// Children are created in a parent's client widget, popups over its top-level window.
QWidget* ParentWidget(WindowHandle parent, unsigned style) {
    const WindowEntry* entry = FindWindowEntry(parent);
    if (entry == nullptr || entry->host == nullptr) {
        return nullptr;
    }
    if ((style & PopupWindow) != 0) {
        return entry->host->window();
    }
    return entry->host;
}

// Whatever resizes it later, a top-level window stays within the desktop's size.
void LimitToDesktop(QWidget& window) {
    if (const QScreen* primary = QGuiApplication::primaryScreen()) {
        window.setMaximumSize(primary->availableVirtualSize());
    }
}

void BuildWidgets(WindowEntry& entry, const char* title, int x, int y, int width, int height) {
    const bool bordered = (entry.style & BorderStyle) != 0;
    QWidget* parent = ParentWidget(entry.parent, entry.style);
    if ((entry.style & MainWindow) != 0) {
        auto* frame = new MainFrame(entry.handle);
        entry.host = new HostWidget(entry.handle, bordered, frame);
        frame->setCentralWidget(entry.host);
        frame->setWindowTitle(QString::fromUtf8(title));
        LimitToDesktop(*frame);
        entry.outer = frame;
    } else if ((entry.style & PopupWindow) != 0) {
        entry.host =
            new HostWidget(entry.handle, bordered, parent, Qt::ToolTip | Qt::FramelessWindowHint);
        entry.outer = entry.host;
    } else {
        entry.host = new HostWidget(entry.handle, bordered, parent);
        entry.outer = entry.host;
    }
    if (width > 0 && height > 0) {
        entry.outer->setGeometry(x, y, width, height);
    }
}

void CollectFamily(WindowHandle window, std::vector<WindowHandle>& family) {
    family.push_back(window);
    for (const auto& [handle, entry] : windows) {
        if (entry->parent == window) {
            CollectFamily(handle, family);
        }
    }
}

QRect ToQRect(const Rect& rect) {
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

// The screen that shows most of the rectangle; the primary one when none shows any of it.
const QScreen* ShowingScreen(const QRect& rect) {
    const QScreen* best = QGuiApplication::primaryScreen();
    long long bestArea = 0;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect common = screen->availableGeometry().intersected(rect);
        const long long area = static_cast<long long>(common.width()) * common.height();
        if (area > bestArea) {
            best = screen;
            bestArea = area;
        }
    }
    return best;
}

// A stored placement is fitted to the available area of the screen that shows it: never
// larger than that area (a window's surfaces grow with it), and moved inside it where it
// sticks out, so a placement off every screen comes onto the primary one.
QRect FittedToScreen(QRect rect) {
    const QScreen* screen = ShowingScreen(rect);
    if (screen == nullptr) {
        return rect;
    }
    const QRect area = screen->availableGeometry();
    rect.setSize(rect.size().boundedTo(area.size()));
    rect.moveLeft(std::clamp(rect.left(), area.left(), area.right() + 1 - rect.width()));
    rect.moveTop(std::clamp(rect.top(), area.top(), area.bottom() + 1 - rect.height()));
    return rect;
}

// Makes the action send Command with the identifier to the window, on its shortcuts too.
void SetCommand(QAction* action, WindowHandle window, int identifier, const char* shortcut) {
    action->setObjectName(QString::number(identifier));
    if (shortcut != nullptr) {
        action->setShortcuts(QKeySequence::listFromString(QString::fromUtf8(shortcut)));
        action->setShortcutContext(Qt::ApplicationShortcut);
    }
    QObject::connect(action, &QAction::triggered, [window, identifier] {
        MessageArgs args;
        args.code = static_cast<std::uint32_t>(identifier);
        SendMessage(window, Message::Command, args);
    });
}

QAction* FindCommand(WindowHandle window, int identifier) {
    QWidget* outer = OuterWidget(window);
    if (outer == nullptr) {
        return nullptr;
    }
    return outer->findChild<QAction*>(QString::number(identifier));
}

} // namespace

WindowEntry* FindWindowEntry(WindowHandle window) {
    const auto found = windows.find(window);
    return found != windows.end() ? found->second.get() : nullptr;
}

void KeepCursorInClip() {
    if (!clipping) {
        return;
    }
    const QPoint position = QCursor::pos();
    const int x =
        std::clamp(position.x(), clipArea.left, std::max(clipArea.left, clipArea.right - 1));
    const int y =
        std::clamp(position.y(), clipArea.top, std::max(clipArea.top, clipArea.bottom - 1));
    if (x != position.x() || y != position.y()) {
        QCursor::setPos(x, y);
    }
}

bool RegisterWindowClass(const WindowClass& windowClass) {
    if (FindClass(windowClass.name) != nullptr) {
        return false;
    }
    classes.push_back(windowClass);
    return true;
}

bool UnregisterWindowClass(const char* name) {
    const auto found = std::find_if(classes.begin(), classes.end(), [name](const WindowClass& c) {
        return std::string_view(c.name) == name;
    });
    if (found == classes.end()) {
        return false;
    }
    classes.erase(found);
    return true;
}

WindowHandle CreateWindow(const char* className, const char* title, unsigned style, int x, int y,
                          int width, int height, WindowHandle parent,
                          std::uintptr_t creationParam) {
    const WindowClass* windowClass = FindClass(className);
    if (windowClass == nullptr) {
        return 0;
    }
    auto entry = std::make_unique<WindowEntry>();
    entry->handle = ++lastHandle;
    entry->procedure = windowClass->procedure;
    entry->background = windowClass->background;
    entry->style = style;
    entry->parent = parent;
    BuildWidgets(*entry, title, x, y, width, height);
    const WindowHandle handle = entry->handle;
    windows.emplace(handle, std::move(entry));

    MessageArgs args;
    args.param = creationParam;
    SendMessage(handle, Message::Create, args);
    if ((style & VisibleStyle) != 0 && IsWindow(handle)) {
        ShowWindow(handle, true);
    }
    return handle;
}

void DestroyWindow(WindowHandle window) {
    if (!IsWindow(window)) {
        return;
    }
    std::vector<WindowHandle> family;
    CollectFamily(window, family);
    for (WindowHandle member : family) {
        if (captureWindow == member) {
            ReleaseCapture();
        }
        SendMessage(member, Message::Destroy);
    }
    for (WindowHandle member : family) {
        const auto found = windows.find(member);
        if (found == windows.end()) {
            continue;
        }
        WindowEntry& entry = *found->second;
        if (entry.host != nullptr) {
            entry.host->Detach();
        }
        if (auto* frame = dynamic_cast<MainFrame*>(entry.outer.data())) {
            frame->Detach();
        }
        // The widget may be inside one of its own event handlers: delete it afterwards.
        if (entry.outer != nullptr && member == window) {
            entry.outer->hide();
            entry.outer->deleteLater();
        }
        windows.erase(found);
    }
}

bool IsWindow(WindowHandle window) {
    return FindWindowEntry(window) != nullptr;
}

std::intptr_t SendMessage(WindowHandle window, Message message, const MessageArgs& args) {
    const WindowEntry* entry = FindWindowEntry(window);
    if (entry == nullptr) {
        return 0;
    }
    return entry->procedure(window, message, args);
}

std::intptr_t DefWindowProc(WindowHandle window, Message message, const MessageArgs& /*args*/) {
    if (message == Message::Close) {
        DestroyWindow(window);
    } else if (message == Message::Paint) {
        BeginPaint(window);
        EndPaint(window);
    }
    return 0;
}

void MoveWindow(WindowHandle window, int x, int y, int width, int height) {
    if (QWidget* outer = OuterWidget(window)) {
        outer->setGeometry(x, y, std::max(width, 0), std::max(height, 0));
    }
}

void ShowWindow(WindowHandle window, bool show) {
    if (QWidget* outer = OuterWidget(window)) {
        outer->setVisible(show);
    }
}

bool IsWindowVisible(WindowHandle window) {
    const QWidget* outer = OuterWidget(window);
    return outer != nullptr && outer->isVisible();
}

WindowHandle GetParent(WindowHandle window) {
    const WindowEntry* entry = FindWindowEntry(window);
    return entry != nullptr ? entry->parent : 0;
}

Rect GetClientRect(WindowHandle window) {
    const WindowEntry* entry = FindWindowEntry(window);
    if (entry == nullptr || entry->host == nullptr) {
        return {};
    }
    const int border = entry->host->Border();
    return {0, 0, std::max(entry->host->width() - 2 * border, 0),
            std::max(entry->host->height() - 2 * border, 0)};
}

Rect GetWindowRect(WindowHandle window) {
    const QWidget* outer = OuterWidget(window);
    if (outer == nullptr) {
        return {};
    }
    const QPoint origin =
        outer->isWindow() ? outer->frameGeometry().topLeft() : outer->mapToGlobal(QPoint(0, 0));
    const QSize size = outer->isWindow() ? outer->frameGeometry().size() : outer->size();
    return {origin.x(), origin.y(), origin.x() + size.width(), origin.y() + size.height()};
}

Point ClientToScreen(WindowHandle window, Point point) {
    const WindowEntry* entry = FindWindowEntry(window);
    if (entry == nullptr || entry->host == nullptr) {
        return point;
    }
    const int border = entry->host->Border();
    const QPoint global = entry->host->mapToGlobal(QPoint(point.x + border, point.y + border));
    return {global.x(), global.y()};
}

void InvalidateWindow(WindowHandle window) {
    const WindowEntry* entry = FindWindowEntry(window);
    if (entry != nullptr && entry->host != nullptr) {
        entry->host->update();
    }
}

void UpdateWindow(WindowHandle window) {
    const WindowEntry* entry = FindWindowEntry(window);
    if (entry != nullptr && entry->host != nullptr && entry->host->isVisible()) {
        entry->host->repaint();
    }
}

DrawContext& BeginPaint(WindowHandle window) {
    static DrawContext nowhere;
    WindowEntry* entry = FindWindowEntry(window);
    if (entry == nullptr) {
        return nowhere;
    }
    const Rect client = GetClientRect(window);
    const bool sized = entry->surface != nullptr && entry->surface->Width() == client.right &&
                       entry->surface->Height() == client.bottom;
    if (!sized) {
        entry->surface = client.right > 0 && client.bottom > 0
                             ? std::make_unique<Surface>(client.right, client.bottom)
                             : nullptr;
        entry->context.SelectSurface(entry->surface.get());
    }
    const Brush background{entry->background};
    const Brush* previous = entry->context.SelectBrush(&background);
    entry->context.PatBlt(0, 0, client.right, client.bottom);
    entry->context.SelectBrush(previous);
    return entry->context;
}

void EndPaint(WindowHandle window) {
    WindowEntry* entry = FindWindowEntry(window);
    if (entry == nullptr || entry->host == nullptr) {
        return;
    }
    if (entry->surface == nullptr) {
        entry->host->Present(QImage());
        return;
    }
    QImage image(entry->surface->Width(), entry->surface->Height(), QImage::Format_RGB32);
    ConvertToRgb888(*entry->surface, reinterpret_cast<std::uint32_t*>(image.bits()),
                    static_cast<int>(image.bytesPerLine() / 4));
    entry->host->Present(image);
}

const Surface* GetWindowSurface(WindowHandle window) {
    const WindowEntry* entry = FindWindowEntry(window);
    return entry != nullptr ? entry->surface.get() : nullptr;
}

void SetCapture(WindowHandle window) {
    const WindowEntry* entry = FindWindowEntry(window);
    if (entry == nullptr || entry->host == nullptr) {
        return;
    }
    if (captureWindow != window) {
        ReleaseCapture();
    }
    captureWindow = window;
    if (entry->host->isVisible()) {
        entry->host->grabMouse();
    }
}

void ReleaseCapture() {
    const WindowEntry* entry = FindWindowEntry(captureWindow);
    if (entry != nullptr && entry->host != nullptr) {
        entry->host->releaseMouse();
    }
    captureWindow = 0;
}

WindowHandle GetCapture() {
    return captureWindow;
}

int ShowCursor(bool show) {
    cursorCount += show ? 1 : -1;
    if (!show && cursorCount == -1) {
        QGuiApplication::setOverrideCursor(QCursor(Qt::BlankCursor));
    } else if (show && cursorCount == 0) {
        QGuiApplication::restoreOverrideCursor();
    }
    return cursorCount;
}

void SetCursorPos(int x, int y) {
    QCursor::setPos(x, y);
}

Point GetCursorPos() {
    const QPoint position = QCursor::pos();
    return {position.x(), position.y()};
}

void ClipCursor(const Rect* area) {
    clipping = area != nullptr;
    if (clipping) {
        clipArea = *area;
        KeepCursorInClip();
    }
}

void SetMenu(WindowHandle window, const MenuPopup* popups, int popupCount) {
    auto* frame = dynamic_cast<MainFrame*>(OuterWidget(window));
    if (frame == nullptr) {
        return;
    }
    for (int p = 0; p < popupCount; ++p) {
        QMenu* menu = frame->menuBar()->addMenu(QString::fromUtf8(popups[p].text));
        for (int i = 0; i < popups[p].itemCount; ++i) {
            const MenuItem& item = popups[p].items[i];
            QAction* action = menu->addAction(QString::fromUtf8(item.text));
            SetCommand(action, window, item.identifier, item.shortcut);
        }
    }
}

// Each identifier has one single-shot timer, a child of the window made on first use: it
// is waiting exactly while it is active, and it goes with the window.
void SetTimer(WindowHandle window, int identifier, int milliseconds) {
    QWidget* outer = OuterWidget(window);
    if (outer == nullptr) {
        return;
    }
    const QString name = "timer " + QString::number(identifier);
    auto* timer = outer->findChild<QTimer*>(name, Qt::FindDirectChildrenOnly);
    if (timer == nullptr) {
        timer = new QTimer(outer);
        timer->setObjectName(name);
        timer->setSingleShot(true);
        QObject::connect(timer, &QTimer::timeout, [window, identifier] {
            MessageArgs args;
            args.code = static_cast<std::uint32_t>(identifier);
            SendMessage(window, Message::Timer, args);
        });
    }
    if (!timer->isActive()) {
        timer->start(milliseconds);
    }
}

void SetStatusText(WindowHandle window, const char* text) {
    auto* frame = dynamic_cast<MainFrame*>(OuterWidget(window));
    if (frame == nullptr) {
        return;
    }
    auto* label = frame->statusBar()->findChild<QLabel*>();
    if (label == nullptr) {
        label = new QLabel(frame->statusBar());
        frame->statusBar()->addWidget(label);
    }
    label->setText(QString::fromUtf8(text));
}

void EnableMenuItem(WindowHandle window, int identifier, bool enable) {
    if (QAction* action = FindCommand(window, identifier)) {
        action->setEnabled(enable);
    }
}

void CheckMenuItem(WindowHandle window, int identifier, bool check) {
    if (QAction* action = FindCommand(window, identifier)) {
        action->setCheckable(true);
        action->setChecked(check);
    }
}

void AddShortcut(WindowHandle window, int identifier, const char* shortcut) {
    QWidget* frame = OuterWidget(window);
    if (frame == nullptr) {
        return;
    }
    auto* action = new QAction(frame);
    SetCommand(action, window, identifier, shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
    frame->addAction(action);
}

void SetWindowIcon(WindowHandle window, const char* bitmapResource) {
    QWidget* outer = OuterWidget(window);
    const std::span<const std::uint8_t> bytes = ResourceBytes(bitmapResource);
    if (outer == nullptr || bytes.empty()) {
        return;
    }
    const QImage icon = QImage::fromData(bytes.data(), static_cast<int>(bytes.size()), "BMP");
    outer->setWindowIcon(QIcon(QPixmap::fromImage(icon)));
}

const char* GetWindowTitle(WindowHandle window) {
    static std::string title;
    const QWidget* outer = OuterWidget(window);
    title = outer != nullptr ? outer->windowTitle().toStdString() : std::string();
    return title.c_str();
}

WindowPlacement GetWindowPlacement(WindowHandle window) {
    WindowPlacement placement;
    const QWidget* outer = OuterWidget(window);
    if (outer == nullptr) {
        return placement;
    }
    if (outer->isMinimized()) {
        placement.showCmd = ShowMinimized;
    } else if (outer->isMaximized()) {
        placement.showCmd = ShowMaximized;
    }
    const QRect normal =
        outer->isMaximized() || outer->isMinimized() ? outer->normalGeometry() : outer->geometry();
    placement.normalPosition = {normal.left(), normal.top(), normal.left() + normal.width(),
                                normal.top() + normal.height()};
    return placement;
}

void SetWindowPlacement(WindowHandle window, const WindowPlacement& placement) {
    QWidget* outer = OuterWidget(window);
    if (outer == nullptr) {
        return;
    }
    outer->setGeometry(FittedToScreen(ToQRect(placement.normalPosition)));
    if (placement.showCmd == ShowMaximized) {
        outer->showMaximized();
    } else if (placement.showCmd == ShowMinimized) {
        outer->showMinimized();
    } else {
        outer->showNormal();
    }
}

} // namespace platform
