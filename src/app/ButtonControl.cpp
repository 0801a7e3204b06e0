#include "app/ButtonControl.h"

#include "app/DrawButton.h"
#include "app/WinMain.h"
#include "base/Error.h"
#include "platform/Desktop.h"

#include <array>

namespace ButtonControl {

namespace {

constexpr const char* Tag = "ButtonControl1";
constexpr const char* ClassName = "BaseWindow_buttonctrl1";
constexpr const char* ClickSound = "SetButton.wav";

enum Level { Normal = 0, Selected = 1, Highlighted = 2 };

struct ButtonSpec {
    int id;
    int x, y, width, height;
    const char* bitmap;
    const char* help;
};

// clang-format off
constexpr std::array<ButtonSpec, ButtonCount> Buttons{{
    {EditTool, 0, 0, 91, 22, "EDITBUTTON_BMP",
     "[Function]\n  コースのデザインの編集を行う\n[Operate]\n  ①左クリック\n     スプライン点の新規作成\n     スプライン点の選択     \n     ハンドルの選択\n  ②右クリック\n     スプライン点の削除\n     ハンドルをフリーにする\n  ③左ドラック\n     選択点またはハンドルを移動する"},
    {SampleTool, 0, 22, 91, 22, "SAMPLEBUTTON_BMP",
     "[Function]\n  サンプル数を変える\n[Operate]\n  ①左クリック\n     編集する点を選択する\n  ②左ドラッグ上下\n     選択しているスプラインのサンプリング数を変える"},
    {WidthTool, 0, 44, 91, 22, "WIDTHBUTTON_BMP",
     "[Function]\n  コース幅を全体に変える\n[Operate]\n  ①左ドラッグ\n     全体のコース幅を変化させる"},
    {LoopButton, 0, 66, 91, 22, "LOOPBUTTON_BMP",
     "[Function]\n  コースをループにする\n[Operate]\n  ①ボタンのON/OFF\n     ループにする/ループを解除する"},
    {CameraMoveTool, 0, 98, 91, 22, "CMRAMOVEBUTTON_BMP",
     "[Function]\n  カメラを移動させる\n[Operate]\n  ①左ドラッグ\n     カメラを移動させる"},
    {CameraZoomTool, 0, 120, 91, 22, "CMRAZOOMBUTTON_BMP",
     "[Function]\n  カメラを倍率を変える\n[Operate]\n  ①左ドラッグ上下\n     カメラの倍率を変える"},
    {TopViewButton, 0, 152, 45, 22, "TOPVIEWBUTTON_BMP", "[Function]\n  上面図ウィンドウ"},
    {SideViewButton, 45, 152, 45, 22, "SIDEVIEWBUTTON_BMP", "[Function]\n  側面図ウィンドウ"},
    {FrontViewButton, 0, 174, 45, 22, "FRONTVIEWBUTTON_BMP", "[Function]\n  正面図ウィンドウ"},
    {ExpandTopButton, 0, 196, 45, 22, "EXPANDTOPBUTTON_BMP", "[Function]\n  展開上面図ウィンドウ"},
    {ExpandSideButton, 45, 196, 45, 22, "EXPANDSIDEBUTTON_BMP", "[Function]\n  展開側面図ウィンドウ"},
    {ShapeLayoutButton, 0, 228, 91, 22, "DIVVIEWBUTTON_BMP",
     "[Function]\n  形状を編集しやすいようにウィンドウを配置する"},
    {HeightLayoutButton, 0, 250, 91, 22, "HEIGHTVIEWBUTTON_BMP",
     "[Function]\n  コースの高度を編集しやすいようにウィンドウを配置する"},
    {WidthLayoutButton, 0, 272, 91, 22, "WIDTHVIEWBUTTON_BMP",
     "[Function]\n  コースの幅を編集しやすいようにウィンドウを配置する"},
    {RollLayoutButton, 0, 294, 91, 22, "ROLLVIEWBUTTON_BMP",
     "[Function]\n  コースのロールを編集しやすいようにウィンドウを配置する"},
}};
// clang-format on

int currentTool = EditTool;
int currentView = ShapeLayoutButton;
int loopState = 0;
platform::WindowHandle panel = 0;
std::array<platform::WindowHandle, ButtonCount> buttonWindows{};

bool IsTool(int id) {
    return id == EditTool || id == SampleTool || id == WidthTool || id == CameraMoveTool ||
           id == CameraZoomTool;
}

bool IsView(int id) {
    return (id >= TopViewButton && id <= FrontViewButton) ||
           (id >= ExpandTopButton && id <= RollLayoutButton);
}

void UpdateToolLevels() {
    for (int id : {EditTool, SampleTool, WidthTool, CameraMoveTool, CameraZoomTool}) {
        DrawButton::SetLevelById(id, id == currentTool ? Selected : Normal);
    }
    DrawButton::SetLevelById(LoopButton, loopState == 1 ? Selected : Normal);
}

void UpdateViewLevels() {
    for (const ButtonSpec& spec : Buttons) {
        if (IsView(spec.id)) {
            DrawButton::SetLevelById(spec.id, spec.id == currentView ? Selected : Normal);
        }
    }
}

// Tools and views share their behaviour against their own current choice.
void OnChoiceButton(int id, int code, int& current) {
    switch (code) {
    case DrawButton::Pressed:
        DrawButton::SetLevelById(current, Normal);
        current = id;
        DrawButton::SetLevelById(id, Selected);
        WinMain::OnPanelButton(id);
        break;
    case DrawButton::Entered:
        if (id != current) {
            DrawButton::SetLevelById(id, Highlighted);
            platform::PlaySoundAsync(ClickSound);
        }
        break;
    case DrawButton::Left:
        if (id != current) {
            DrawButton::SetLevelById(id, Normal);
        }
        break;
    default:
        break;
    }
}

void OnLoopButton(int code) {
    switch (code) {
    case DrawButton::Pressed:
        loopState = loopState == 1 ? 0 : 1;
        DrawButton::SetLevelById(LoopButton, loopState == 1 ? Selected : Highlighted);
        WinMain::OnPanelButton(LoopButton);
        break;
    case DrawButton::Entered:
        DrawButton::SetLevelById(LoopButton, loopState == 1 ? Selected : Highlighted);
        break;
    case DrawButton::Left:
        DrawButton::SetLevelById(LoopButton, loopState == 1 ? Selected : Normal);
        break;
    default:
        break;
    }
}

void OnCommand(uint32_t code) {
    const int id = static_cast<int>(code & 0xFFFFu);
    const int notification = static_cast<int>(code >> 16);
    if (IsTool(id)) {
        OnChoiceButton(id, notification, currentTool);
    } else if (IsView(id)) {
        OnChoiceButton(id, notification, currentView);
    } else if (id == LoopButton) {
        OnLoopButton(notification);
    }
}

std::intptr_t Procedure(platform::WindowHandle window, platform::Message message,
                        const platform::MessageArgs& args) {
    switch (message) {
    case platform::Message::Command:
        OnCommand(args.code);
        return 0;
    case platform::Message::Destroy:
        return 0;
    default:
        return platform::DefWindowProc(window, message, args);
    }
}

} // namespace

void Create(platform::WindowHandle mainWindow) {
    currentTool = EditTool;
    currentView = ShapeLayoutButton;
    loopState = 0;
    if (!platform::RegisterWindowClass({ClassName, Procedure, platform::Rgb15(192, 192, 192)})) {
        Error::Fatal(Tag, "ウィンドウの登録に失敗");
    }
    panel = platform::CreateWindow(ClassName, "", platform::ChildWindow | platform::VisibleStyle, 0,
                                   0, ToolPanel::Width, ToolPanel::Height, mainWindow);
    for (std::size_t i = 0; i < Buttons.size(); ++i) {
        const ButtonSpec& spec = Buttons[i];
        buttonWindows[i] = platform::CreateWindow(DrawButton::ClassName, "",
                                                  platform::ChildWindow | platform::VisibleStyle,
                                                  spec.x, spec.y, spec.width, spec.height, panel);
        DrawButton::SetBitmap(buttonWindows[i], spec.bitmap, 3, spec.id);
        DrawButton::SetHelpText(buttonWindows[i], spec.help);
    }
    UpdateToolLevels();
    UpdateViewLevels();
}

void Destroy() {
    for (platform::WindowHandle& button : buttonWindows) {
        platform::DestroyWindow(button);
        button = 0;
    }
    platform::UnregisterWindowClass(ClassName);
}

int GetPanelWidth() {
    return ToolPanel::Width;
}

int GetCurrentTool() {
    return currentTool;
}

int GetLoopState() {
    return loopState == 1 ? 1 : 0;
}

void SetLoopState(int on) {
    loopState = on != 0 ? 1 : 0;
    UpdateToolLevels();
}

int GetCurrentView() {
    return currentView;
}

void GetClientSize(platform::WindowHandle window, int& width, int& height) {
    const platform::Rect client = platform::GetClientRect(window);
    width = client.right - client.left;
    height = client.bottom - client.top;
}

platform::WindowHandle GetPanel() {
    return panel;
}

platform::WindowHandle GetButton(int identifier) {
    for (std::size_t i = 0; i < Buttons.size(); ++i) {
        if (Buttons[i].id == identifier) {
            return buttonWindows[i];
        }
    }
    return 0;
}

} // namespace ButtonControl
