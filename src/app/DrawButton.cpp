#include "app/DrawButton.h"

#include "app/MessageWindow.h"
#include "base/Error.h"
#include "platform/BitmapResource.h"
#include "platform/HWNDDataBase.h"

#include <cstring>
#include <new>

namespace DrawButton {

namespace {

constexpr const char* Tag = "DrawButton1";

// One button's state, copied out of the table and back as a plain record.
struct ButtonRecord {
    int32_t level;
    platform::Surface* bitmap;
    int32_t commandId;
    platform::WindowHandle parent;
    int32_t levelCount;
    char* helpText;
};

bool initialised = false;
HWNDDataBase buttons;
bool leftHeld = false;
bool rightHeld = false;

void Require(const char* message) {
    if (!initialised) {
        Error::Fatal(Tag, message);
    }
}

ButtonRecord Record(platform::WindowHandle button) {
    ButtonRecord record{};
    buttons.Get(&record, sizeof record, button);
    return record;
}

void Store(const ButtonRecord& record, platform::WindowHandle button) {
    buttons.Set(&record, sizeof record, button);
}

void ReleaseRecord(ButtonRecord& record) {
    delete record.bitmap;
    delete[] record.helpText;
    record.bitmap = nullptr;
    record.helpText = nullptr;
}

void Notify(platform::WindowHandle button, Notification code) {
    Require("初期化されていないのにメッセージを送ろうとした");
    const ButtonRecord record = Record(button);
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
    const ButtonRecord record = Record(button);
    if (record.bitmap != nullptr) {
        const platform::Rect client = platform::GetClientRect(button);
        platform::DrawContext strip;
        strip.SelectSurface(record.bitmap);
        target.BitBlt(0, 0, client.right, client.bottom, strip, record.level * client.right, 0,
                      platform::RasterOp::SourceCopy);
    }
    platform::EndPaint(button);
}

void ShowHelp(platform::WindowHandle button) {
    Require("初期化されていないのにメッセージを侮ｦしようとした");
    const ButtonRecord record = Record(button);
    if (record.helpText != nullptr) {
        const platform::Rect rect = platform::GetWindowRect(button);
        MessageWindow::Show(button, record.helpText, rect.right + 10, rect.bottom + 10);
    }
}

void HideHelp(platform::WindowHandle button) {
    Require("初期化されていないのにメッセージを非侮ｦしようとした");
    if (Record(button).helpText != nullptr) {
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
    const ButtonRecord record{0, nullptr, -1, platform::GetParent(button), -1, nullptr};
    buttons.Add(&record, sizeof record, button);
}

void OnDestroy(platform::WindowHandle button) {
    if (!initialised) {
        return;
    }
    ButtonRecord record = Record(button);
    ReleaseRecord(record);
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
    buttons.Init(sizeof(ButtonRecord));
    if (!platform::RegisterWindowClass({ClassName, Procedure, platform::Rgb15(128, 128, 128)})) {
        Error::Fatal(Tag, "ウィンドウの登録に失敗");
    }
    initialised = true;
}

void End() {
    Require("初期化されていないのにデストラクトしようとした");
    for (int i = 0; i < buttons.GetCount(); ++i) {
        ButtonRecord record{};
        buttons.GetAt(&record, sizeof record, i);
        ReleaseRecord(record);
    }
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
    ButtonRecord record = Record(button);
    delete record.bitmap;
    record.bitmap = platform::LoadBitmapResource(resourceName).release();
    record.levelCount = levelCount;
    record.commandId = commandId;
    Store(record, button);
    Redraw(button);
}

void SetHelpText(platform::WindowHandle button, const char* text) {
    Require("初期化されていないのにビットマップを設定しようとした");
    ButtonRecord record = Record(button);
    const std::size_t size = std::strlen(text) + 1;
    char* copy = new (std::nothrow) char[size];
    if (copy == nullptr) {
        Error::Fatal(Tag, "メッセージの文字列の獲得に失敗");
    }
    std::memcpy(copy, text, size);
    delete[] record.helpText;
    record.helpText = copy;
    Store(record, button);
}

void SetLevel(platform::WindowHandle button, int level) {
    Require("初期化されていないのにビットマップを設定しようとした");
    ButtonRecord record = Record(button);
    if (level < 0 || level >= record.levelCount) {
        Error::Fatal(Tag, "設定された段回数をこえてボタンの状態を設定しようとした");
    }
    record.level = level;
    Store(record, button);
    Redraw(button);
}

void SetLevelById(int commandId, int level) {
    Require("初期化されていないのにビットマップを設定しようとした");
    for (int i = 0; i < buttons.GetCount(); ++i) {
        ButtonRecord record{};
        const platform::WindowHandle button = buttons.GetAt(&record, sizeof record, i);
        if (record.commandId == commandId) {
            SetLevel(button, level);
            return;
        }
    }
    Error::Fatal(Tag, "登録されていないリメ[スIDでアクセスしようとした");
}

int GetLevel(platform::WindowHandle button) {
    return Record(button).level;
}

} // namespace DrawButton
