#include "app/DrawButton.h"

#include "app/MessageWindow.h"
#include "base/Error.h"
#include "platform/BitmapResource.h"
#include "platform/HWNDDataBase.h"

#include <cstring>
#include <memory>
#include <new>

namespace DrawButton {

namespace {

constexpr const char* Tag = "DrawButton1";

// One button's state; the record owns the button's bitmap strip and help text.
struct ButtonRecord {
    int32_t level = 0;
    std::unique_ptr<platform::Surface> bitmap;
    int32_t commandId = -1;
    platform::WindowHandle parent = 0;
    int32_t levelCount = -1;
    std::unique_ptr<char[]> helpText;
};

bool initialised = false;
HWNDDataBase<ButtonRecord> buttons;
bool leftHeld = false;
bool rightHeld = false;

void Require(const char* message) {
    if (!initialised) {
        Error::Fatal(Tag, message);
    }
}

void Notify(platform::WindowHandle button, Notification code) {
    Require("初期化されていないのにメッセージを送ろうとした");
    const ButtonRecord& record = buttons.At(button);
    platform::MessageArgs args;
    args.code =
        (static_cast<uint32_t>(record.commandId) & 0xFFFFu) | (static_cast<uint32_t>(code) << 16);
    args.param = button;
    platform::SendMessage(record.parent, platform::Message::Command, args);
}

void NotifyPress(platform::WindowHandle button, Notification code) {
    Require("初期化されていないのにウィンドウを破棄しようとした");
    Notify(button, code);
}

void Paint(platform::WindowHandle button) {
    Require("初期化されていないのにウィンドウを破棄しようとした");
    platform::DrawContext& target = platform::BeginPaint(button);
    const ButtonRecord& record = buttons.At(button);
    if (record.bitmap != nullptr) {
        const platform::Rect client = platform::GetClientRect(button);
        platform::DrawContext strip;
        strip.SelectSurface(record.bitmap.get());
        target.BitBlt(0, 0, client.right, client.bottom, strip, record.level * client.right, 0,
                      platform::RasterOp::SourceCopy);
    }
    platform::EndPaint(button);
}

void ShowHelp(platform::WindowHandle button) {
    Require("初期化されていないのにメッセージを侮ｦしようとした");
    const ButtonRecord& record = buttons.At(button);
    if (record.helpText != nullptr) {
        const platform::Rect rect = platform::GetWindowRect(button);
        MessageWindow::Show(button, record.helpText.get(), rect.right + 10, rect.bottom + 10);
    }
}

void HideHelp(platform::WindowHandle button) {
    Require("初期化されていないのにメッセージを非侮ｦしようとした");
    if (buttons.At(button).helpText != nullptr) {
        MessageWindow::Hide();
    }
}

// Positions are read as unsigned 16-bit numbers, so anything left of or above the
// button is outside; the right and bottom edges count as inside.
bool Inside(platform::WindowHandle button, int x, int y) {
    const platform::Rect client = platform::GetClientRect(button);
    const unsigned ux = static_cast<unsigned>(x) & 0xFFFFu;
    const unsigned uy = static_cast<unsigned>(y) & 0xFFFFu;
    return ux <= static_cast<unsigned>(client.right) && uy <= static_cast<unsigned>(client.bottom);
}

void OnMouseMove(platform::WindowHandle button, const platform::MessageArgs& args) {
    if (Inside(button, args.x, args.y)) {
        return;
    }
    if (leftHeld) {
        Notify(button, Released);
        leftHeld = false;
    } else if (rightHeld) {
        HideHelp(button);
        rightHeld = false;
    }
    Notify(button, Left);
    platform::ReleaseCapture();
}

void OnCreate(platform::WindowHandle button) {
    Require("初期化されていないのにボタンを作ろうとした");
    ButtonRecord record;
    record.parent = platform::GetParent(button);
    buttons.Add(button, std::move(record));
}

void OnDestroy(platform::WindowHandle button) {
    if (!initialised) {
        return;
    }
    buttons.Remove(button);
}

void Redraw(platform::WindowHandle button) {
    platform::InvalidateWindow(button);
    platform::UpdateWindow(button);
}

std::intptr_t Procedure(platform::WindowHandle button, platform::Message message,
                        const platform::MessageArgs& args) {
    using platform::Message;
    switch (message) {
    case Message::Create:
        OnCreate(button);
        return 0;
    case Message::Destroy:
        OnDestroy(button);
        return 0;
    case Message::Paint:
        Paint(button);
        return 0;
    case Message::SetCursor:
        Notify(button, Entered);
        platform::SetCapture(button);
        return platform::DefWindowProc(button, message, args);
    case Message::MouseMove:
        OnMouseMove(button, args);
        return 0;
    case Message::LeftDown:
        leftHeld = true;
        NotifyPress(button, Pressed);
        return 0;
    case Message::LeftUp:
        leftHeld = false;
        NotifyPress(button, Released);
        return 0;
    case Message::RightDown:
        rightHeld = true;
        ShowHelp(button);
        return 0;
    case Message::RightUp:
        rightHeld = false;
        HideHelp(button);
        return 0;
    default:
        return platform::DefWindowProc(button, message, args);
    }
}

} // namespace

void Init() {
    if (initialised) {
        return;
    }
    MessageWindow::Init();
    buttons.Init();
    if (!platform::RegisterWindowClass({ClassName, Procedure, platform::Rgb15(128, 128, 128)})) {
        Error::Fatal(Tag, "ウィンドウの登録に失敗");
    }
    initialised = true;
}

void End() {
    Require("初期化されていないのにデストラクトしようとした");
    buttons.Release();
    platform::UnregisterWindowClass(ClassName);
    MessageWindow::End();
    leftHeld = false;
    rightHeld = false;
    initialised = false;
}

void SetBitmap(platform::WindowHandle button, const char* resourceName, int levelCount,
               int commandId) {
    Require("初期化されていないのにビットマップを設定しようとした");
    ButtonRecord& record = buttons.At(button);
    record.bitmap = platform::LoadBitmapResource(resourceName);
    record.levelCount = levelCount;
    record.commandId = commandId;
    Redraw(button);
}

void SetHelpText(platform::WindowHandle button, const char* text) {
    Require("初期化されていないのにビットマップを設定しようとした");
    const std::size_t size = std::strlen(text) + 1;
    std::unique_ptr<char[]> copy(new (std::nothrow) char[size]);
    if (copy == nullptr) {
        Error::Fatal(Tag, "メッセージの文字列の獲得に失敗");
    }
    std::memcpy(copy.get(), text, size);
    buttons.At(button).helpText = std::move(copy);
}

void SetLevel(platform::WindowHandle button, int level) {
    Require("初期化されていないのにビットマップを設定しようとした");
    ButtonRecord& record = buttons.At(button);
    if (level < 0 || level >= record.levelCount) {
        Error::Fatal(Tag, "設定された段回数をこえてボタンの状態を設定しようとした");
    }
    record.level = level;
    Redraw(button);
}

void SetLevelById(int commandId, int level) {
    Require("初期化されていないのにビットマップを設定しようとした");
    for (int i = 0; i < buttons.GetCount(); ++i) {
        const platform::WindowHandle button = buttons.HandleAt(i);
        if (buttons.At(button).commandId == commandId) {
            SetLevel(button, level);
            return;
        }
    }
    Error::Fatal(Tag, "登録されていないリメ[スIDでアクセスしようとした");
}

int GetLevel(platform::WindowHandle button) {
    return buttons.At(button).level;
}

} // namespace DrawButton
