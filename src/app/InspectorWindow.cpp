#include "app/InspectorWindow.h"

#include "app/WinMain.h"
#include "base/Error.h"
#include "model/CourseData.h"
#include "platform/Text.h"
#include "views/InspectorText.h"

#include <memory>
#include <vector>

namespace InspectorWindow {

namespace {

constexpr const char* Tag = "InspectorWindow1";
constexpr int Margin = 4;
constexpr int FontHeight = 11;
constexpr platform::Colour15 Ink = platform::Rgb15(0, 0, 0);
constexpr platform::Colour15 WarningInk = platform::Rgb15(160, 0, 160);

platform::WindowHandle panel = 0;
std::unique_ptr<platform::Font> font;
CourseAnalysis::Analysis analysis;
std::vector<InspectorText::Line> lines;

int LinePitch() {
    return font->Height() + font->ExternalLeading();
}

void Paint(platform::WindowHandle window) {
    platform::DrawContext& context = platform::BeginPaint(window);
    int y = Margin;
    for (const InspectorText::Line& line : lines) {
        font->DrawText(context, Margin, y, line.text, line.warning >= 0 ? WarningInk : Ink);
        y += LinePitch();
    }
    platform::EndPaint(window);
}

// Copies the warning first: centring the views checks the course again, which replaces
// the list it came from.
void ShowWarning(int index) {
    const CourseAnalysis::Warning warning = analysis.warnings[static_cast<size_t>(index)];
    CourseData::SetHandle(warning.place.segment, CourseData::HandlePoint);
    WinMain::FrameSelectedPoint();
    platform::SetStatusText(
        WinMain::GetMainWindow(),
        CourseAnalysis::Message(warning, CourseAnalysis::Language::Japanese).c_str());
}

void OnLeftDown(int y) {
    const int line = LineAt(y);
    if (line >= 0 && lines[static_cast<size_t>(line)].warning >= 0) {
        ShowWarning(lines[static_cast<size_t>(line)].warning);
    }
}

std::intptr_t Procedure(platform::WindowHandle window, platform::Message message,
                        const platform::MessageArgs& args) {
    switch (message) {
    case platform::Message::Paint:
        Paint(window);
        return 0;
    case platform::Message::LeftDown:
        OnLeftDown(args.y);
        return 0;
    default:
        return platform::DefWindowProc(window, message, args);
    }
}

} // namespace

void Create(platform::WindowHandle parent) {
    font = std::make_unique<platform::Font>(FontHeight, "ＭＳ　ゴシック");
    if (!platform::RegisterWindowClass({ClassName, Procedure, platform::Rgb15(192, 192, 192)})) {
        Error::Fatal(Tag, "ウィンドウの登録に失敗");
    }
    panel = platform::CreateWindow(ClassName, "", platform::ChildWindow | platform::VisibleStyle, 0,
                                   0, 0, 0, parent);
}

void End() {
    platform::DestroyWindow(panel);
    platform::UnregisterWindowClass(ClassName);
    panel = 0;
    font.reset();
    analysis = {};
    lines.clear();
}

platform::WindowHandle GetWindow() {
    return panel;
}

void Place(int x, int y, int width, int height) {
    platform::MoveWindow(panel, x, y, width, height);
}

void Update() {
    analysis = CourseAnalysis::Analyse();
    lines = InspectorText::Lines(analysis);
    if (panel != 0) {
        platform::InvalidateWindow(panel);
    }
}

const CourseAnalysis::Analysis& Current() {
    return analysis;
}

int LineAt(int y) {
    if (font == nullptr || y < Margin) {
        return -1;
    }
    const int line = (y - Margin) / LinePitch();
    return line < static_cast<int>(lines.size()) ? line : -1;
}

} // namespace InspectorWindow
