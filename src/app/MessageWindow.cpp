#include "app/MessageWindow.h"

#include "base/Error.h"
#include "platform/Text.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace MessageWindow {

namespace {

constexpr const char* Tag = "MessageWindow1";
constexpr const char* ClassName = "MessageWindow1";
constexpr int Margin = 10;

bool initialised = false;
platform::WindowHandle popup = 0;
std::optional<std::string> shownText;
std::unique_ptr<platform::Font> font;

// Lines cut at every line feed; the part after the last one is a line too, even empty.
std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t feed = text.find('\n'); feed != std::string_view::npos;
         feed = text.find('\n', start)) {
        lines.push_back(text.substr(start, feed - start));
        start = feed + 1;
    }
    lines.push_back(text.substr(start));
    return lines;
}

int LinePitch() {
    return font->Height() + font->ExternalLeading();
}

void Paint(platform::WindowHandle window) {
    platform::DrawContext& context = platform::BeginPaint(window);
    if (shownText) {
        int y = Margin;
        for (std::string_view line : Lines(*shownText)) {
            font->DrawText(context, Margin, y, line, platform::Rgb15(0, 0, 0));
            y += LinePitch();
        }
    }
    platform::EndPaint(window);
}

std::intptr_t Procedure(platform::WindowHandle window, platform::Message message,
                        const platform::MessageArgs& args) {
    if (message == platform::Message::Paint) {
        Paint(window);
        return 0;
    }
    return platform::DefWindowProc(window, message, args);
}

void RequireInitialised() {
    if (!initialised) {
        Error::Fatal(Tag, "初期化されていないのにメッセージを侮ｦしようとした");
    }
}

void DestroyPopup() {
    if (popup != 0) {
        platform::DestroyWindow(popup);
        popup = 0;
    }
}

} // namespace

void Init() {
    if (initialised) {
        return;
    }
    font = std::make_unique<platform::Font>(12, "ＭＳ　ゴシック");
    if (!platform::RegisterWindowClass({ClassName, Procedure, platform::Rgb15(230, 230, 230)})) {
        Error::Fatal(Tag, "ウィンドウの登録に失敗");
    }
    initialised = true;
}

void End() {
    if (!initialised) {
        Error::Fatal(Tag, "初期化されていないのにデストラクトしようとした");
    }
    shownText.reset();
    DestroyPopup();
    font.reset();
    platform::UnregisterWindowClass(ClassName);
    initialised = false;
}

void Show(platform::WindowHandle owner, const char* text, int x, int y) {
    RequireInitialised();
    shownText = text;
    DestroyPopup();
    popup = platform::CreateWindow(
        ClassName, "", platform::PopupWindow | platform::BorderStyle | platform::VisibleStyle, x, y,
        1, 1, owner);
    int width = 0;
    const std::vector<std::string_view> lines = Lines(*shownText);
    for (std::string_view line : lines) {
        width = std::max(width, font->TextWidth(line));
    }
    const int height = static_cast<int>(lines.size()) * LinePitch();
    platform::MoveWindow(popup, x, y, width + 2 * Margin, height + 2 * Margin);
    platform::InvalidateWindow(popup);
}

void Hide() {
    RequireInitialised();
    shownText.reset();
    DestroyPopup();
}

platform::WindowHandle GetPopup() {
    return popup;
}

} // namespace MessageWindow
