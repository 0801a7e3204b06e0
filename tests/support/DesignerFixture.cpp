#include "support/DesignerFixture.h"

#include "app/ButtonControl.h"
#include "app/DrawButton.h"
#include "app/WinMain.h"
#include "platform/Application.h"
#include "platform/Desktop.h"

#include <cstdlib>
#include <cstring>

void DesignerTest::SetUp() {
    inDir.emplace(dir.Path());
    platform::SetMessageBoxResponder(
        [this](std::string_view text, std::string_view title, platform::MessageBoxButtons) {
            boxes.push_back({std::string(text), std::string(title)});
            if (boxAnswers.empty()) {
                return static_cast<int>(platform::AnswerOk);
            }
            const int answer = boxAnswers.front();
            boxAnswers.erase(boxAnswers.begin());
            return answer;
        });
    platform::SetFileDialogResponder([this](const platform::FileDialogRequest& request) {
        dialogs.push_back(request);
        if (fileAnswers.empty()) {
            return std::optional<std::string>();
        }
        std::optional<std::string> answer = fileAnswers.front();
        fileAnswers.erase(fileAnswers.begin());
        return answer;
    });
    platform::SetDesktopObserver([this](const char* what, const std::string& path) {
        (std::strcmp(what, "sound") == 0 ? sounds : helps).push_back(path);
    });
    BeforeStart();
    ASSERT_TRUE(WinMain::StartUp(StartFile()));
    started = true;
    platform::ProcessPendingEvents();
}

void DesignerTest::TearDown() {
    if (started) {
        if (platform::IsWindow(WinMain::GetMainWindow())) {
            boxAnswers = {platform::AnswerNo};
            platform::DestroyWindow(WinMain::GetMainWindow());
        }
        WinMain::ShutDown();
    }
    platform::ProcessPendingEvents();
    platform::SetMessageBoxResponder({});
    platform::SetFileDialogResponder({});
    platform::SetDesktopObserver({});
    inDir.reset();
}

bool DesignerTest::CloseMainWindow() {
    platform::SendMessage(WinMain::GetMainWindow(), platform::Message::Close);
    platform::ProcessPendingEvents();
    return !platform::IsWindow(WinMain::GetMainWindow());
}

void DesignerTest::Command(int identifier) {
    platform::MessageArgs args;
    args.code = static_cast<uint32_t>(identifier);
    platform::SendMessage(WinMain::GetMainWindow(), platform::Message::Command, args);
}

void DesignerTest::PressPanelButton(int identifier) {
    const platform::WindowHandle button = ButtonControl::GetButton(identifier);
    platform::MessageArgs inside;
    inside.x = 5;
    inside.y = 5;
    platform::SendMessage(button, platform::Message::LeftDown, inside);
    platform::SendMessage(button, platform::Message::LeftUp, inside);
}

void DesignerTest::HoverPanelButton(int identifier) {
    platform::SendMessage(ButtonControl::GetButton(identifier), platform::Message::SetCursor);
}

void DesignerTest::LeavePanelButton(int identifier) {
    platform::MessageArgs outside;
    outside.x = -1;
    outside.y = 5;
    platform::SendMessage(ButtonControl::GetButton(identifier), platform::Message::MouseMove,
                          outside);
}

int DesignerTest::Level(int identifier) {
    return DrawButton::GetLevel(ButtonControl::GetButton(identifier));
}

std::filesystem::path DeathTestDirectory() {
    static std::optional<TempDir> made;
    if (std::getenv("VELMORA_DEATH_TEST_DIR") == nullptr) {
        made.emplace();
        setenv("VELMORA_DEATH_TEST_DIR", made->Path().c_str(), 1);
    }
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::filesystem::path own = std::filesystem::path(std::getenv("VELMORA_DEATH_TEST_DIR")) /
                                      (std::string(test->test_suite_name()) + "." + test->name());
    std::filesystem::create_directories(own);
    return own;
}
