#include "app/PerspecButton.h"

#include "app/DrawButton.h"
#include "app/WinMain.h"
#include "base/Error.h"

#include <array>

namespace PerspecButton {

namespace {

constexpr const char* Tag = "PerspecButton1";
constexpr int BarHeight = 22;
constexpr int ButtonSize = 22;
constexpr int LevelCount = 2;
constexpr platform::Colour15 LightGrey = platform::Rgb15(192, 192, 192);

struct ButtonSpec {
    int identifier;
    const char* bitmap;
    const char* help;
};

constexpr std::array<ButtonSpec, 2> Buttons{{
    {WireframeButton, "WIREBUTTON_BMP", "[Function]\n  ワイヤーフレームで描写"},
    {TextureButton, "TEXTUREBUTTON_BMP", "[Function]\n  パースペクティブテクスチャーで描写"},
}};

platform::WindowHandle bar = 0;
std::array<platform::WindowHandle, Buttons.size()> buttons{};
int current = WireframeButton;

// Only a press (notification 0) of one of the two buttons chooses; pressing the current
// one again still redraws.
void OnCommand(std::uint32_t code) {
    const int identifier = static_cast<int>(code & 0xFFFFu);
    const unsigned notification = code >> 16;
    if ((identifier != WireframeButton && identifier != TextureButton) ||
        notification != DrawButton::Pressed) {
        return;
    }
    DrawButton::SetLevelById(current, 0);
    current = identifier;
    DrawButton::SetLevelById(current, 1);
    WinMain::RefreshShownViews();
}

std::intptr_t Procedure(platform::WindowHandle window, platform::Message message,
                        const platform::MessageArgs& args) {
    using platform::Message;
    switch (message) {
    case Message::Paint: {
        const platform::Rect client = platform::GetClientRect(window);
        const platform::Brush grey{LightGrey};
        platform::DrawContext& target = platform::BeginPaint(window);
        const platform::Brush* previous = target.SelectBrush(&grey);
        target.PatBlt(0, 0, client.right, client.bottom);
        target.SelectBrush(previous);
        platform::EndPaint(window);
        return 0;
    }
    case Message::Size:
        return 0;
    case Message::Command:
        OnCommand(args.code);
        return 0;
    default:
        return platform::DefWindowProc(window, message, args);
    }
}

} // namespace

void Create(platform::WindowHandle parent) {
    if (!platform::RegisterWindowClass({ClassName, Procedure, LightGrey})) {
        Error::Fatal(Tag, "ウィンドウの登録に失敗");
    }
    current = WireframeButton;
    bar =
        platform::CreateWindow(ClassName, "", platform::ChildWindow | platform::VisibleStyle, 0, 0,
                               ButtonSize * static_cast<int>(Buttons.size()), BarHeight, parent);
    for (std::size_t i = 0; i < Buttons.size(); ++i) {
        const ButtonSpec& spec = Buttons[i];
        buttons[i] = platform::CreateWindow(
            DrawButton::ClassName, "", platform::ChildWindow | platform::VisibleStyle,
            ButtonSize * static_cast<int>(i), 0, ButtonSize, ButtonSize, bar);
        DrawButton::SetBitmap(buttons[i], spec.bitmap, LevelCount, spec.identifier);
        DrawButton::SetHelpText(buttons[i], spec.help);
    }
    UpdateButtons();
}

void Destroy() {
    for (platform::WindowHandle& button : buttons) {
        platform::DestroyWindow(button);
        button = 0;
    }
    platform::DestroyWindow(bar);
    bar = 0;
    platform::UnregisterWindowClass(ClassName);
}

void UpdateButtons() {
    DrawButton::SetLevelById(WireframeButton, current == WireframeButton ? 1 : 0);
    DrawButton::SetLevelById(TextureButton, current == TextureButton ? 1 : 0);
}

int GetMode() {
    return current;
}

int GetBarHeight() {
    return BarHeight;
}

void Move(int x, int y, int width, int height) {
    platform::MoveWindow(bar, x, y, width, height);
    platform::InvalidateWindow(bar);
}

platform::WindowHandle GetBar() {
    return bar;
}

platform::WindowHandle GetButton(int identifier) {
    for (std::size_t i = 0; i < Buttons.size(); ++i) {
        if (Buttons[i].identifier == identifier) {
            return buttons[i];
        }
    }
    return 0;
}

} // namespace PerspecButton
