#include "app/ButtonControl.h"
#include "app/DrawButton.h"
#include "app/ExpandWindow.h"
#include "app/MessageWindow.h"
#include "app/ParallelWindow.h"
#include "app/PerspecButton.h"
#include "app/PerspecWindow.h"
#include "app/SpPointWindow.h"
#include "app/WinMain.h"
#include "support/DesignerFixture.h"
#include "support/ErrorLogCheck.h"

#include <filesystem>

using platform::Message;

namespace {

platform::WindowHandle Main() {
    return WinMain::GetMainWindow();
}

platform::WindowHandle PanelButton() {
    return ButtonControl::GetButton(ButtonControl::EditTool);
}

// A message to a panel button once the button module has ended.
template <Message M> void SendAfterTheEnd() {
    DrawButton::End();
    Send(PanelButton(), M);
}

// The statement, in a started designer when it needs one.
void Attempt(bool started, void (*statement)()) {
    if (started) {
        (void)WinMain::StartUp(nullptr);
    }
    statement();
}

} // namespace

// Every report the window layer makes: its one line in the error log, and the end.
TEST(AppReports, EachMisuseIsReportedAndEndsTheProgram) {
    const CurrentDir inDir(DeathTestDirectory());
    // Start-up reads the texture; without it the error log would hold that report as well.
    std::filesystem::copy_file(VELMORA_SOURCE_DIR "/resources/Texture.bmp", "Texture.bmp",
                               std::filesystem::copy_options::overwrite_existing);
    const struct {
        bool started;
        void (*statement)();
        const char* tag;
        const char* message;
    } rows[] = {
        {false, [] { ParallelWindow::GetWindow(3); }, "ParallelWindow1", "ありえないフラグを検出"},
        {true, [] { ParallelWindow::Create(Main()); }, "ParallelWindow1", "ウィンドウの登録に失敗"},
        {false, [] { ExpandWindow::GetWindow(2); }, "ExpandWindow1", "ありえないフラグを検出"},
        {true, [] { ExpandWindow::Create(Main()); }, "ExpandWindow1", "ウィンドウの登録に失敗"},
        {false, [] { SpPointWindow::GetWindow(-1); }, "SpPointWindow1", "ありえないフラグを検出"},
        {false, [] { SpPointWindow::SetVisible(2); }, "SpPointWindow1",
         "ありえない設定フラグを検出"},
        {true, [] { PerspecWindow::Create(Main()); }, "PerspecWindow1",
         "ウィンドウを２度作ろうとした"},
        {true, [] { PerspecButton::Create(PerspecWindow::GetWindow()); }, "PerspecButton1",
         "ウィンドウの登録に失敗"},
        {true, [] { ButtonControl::Create(Main()); }, "ButtonControl1", "ウィンドウの登録に失敗"},
        {false, [] { MessageWindow::Show(0, "text", 0, 0); }, "MessageWindow1",
         "初期化されていないのにメッセージを侮ｦしようとした"},
        {false, [] { MessageWindow::End(); }, "MessageWindow1",
         "初期化されていないのにデストラクトしようとした"},
        {false,
         [] {
             platform::RegisterWindowClass({"MessageWindow1", platform::DefWindowProc, 0});
             MessageWindow::Init();
         },
         "MessageWindow1", "ウィンドウの登録に失敗"},
        {false,
         [] {
             platform::RegisterWindowClass({DrawButton::ClassName, platform::DefWindowProc, 0});
             DrawButton::Init();
         },
         "DrawButton1", "ウィンドウの登録に失敗"},
        {false, [] { DrawButton::End(); }, "DrawButton1",
         "初期化されていないのにデストラクトしようとした"},
        {false, [] { DrawButton::SetLevelById(ButtonControl::EditTool, 0); }, "DrawButton1",
         "初期化されていないのにビットマップを設定しようとした"},
        {true, [] { DrawButton::SetLevel(PanelButton(), 3); }, "DrawButton1",
         "設定された段回数をこえてボタンの状態を設定しようとした"},
        {true, [] { DrawButton::SetLevelById(7, 0); }, "DrawButton1",
         "登録されていないリメ[スIDでアクセスしようとした"},
        {true, SendAfterTheEnd<Message::LeftDown>, "DrawButton1",
         "初期化されていないのにウィンドウを破棄しようとした"},
        {true, SendAfterTheEnd<Message::RightDown>, "DrawButton1",
         "初期化されていないのにメッセージを侮ｦしようとした"},
        {true, SendAfterTheEnd<Message::RightUp>, "DrawButton1",
         "初期化されていないのにメッセージを非侮ｦしようとした"},
        {true, SendAfterTheEnd<Message::SetCursor>, "DrawButton1",
         "初期化されていないのにメッセージを送ろうとした"},
    };
    for (const auto& row : rows) {
        EXPECT_REPORT(Attempt(row.started, row.statement), row.tag, row.message);
    }
}
