#include "support/DesignerFixture.h"

#include "app/ButtonControl.h"
#include "app/WinMain.h"
#include "platform/Application.h"
#include "platform/Desktop.h"
#include "platform/qt/HostWidget.h"
#include "platform/qt/WindowRegistry.h"
#include "render/CameraControl.h"

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
    ASSERT_TRUE(WinMain::StartUp(nullptr));
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
    Click(ButtonControl::GetButton(identifier), 5, 5);
}

void DesignerTest::PlaceMainWindow(int width, int height) {
    platform::WindowPlacement placement;
    placement.normalPosition = {0, 0, width, height};
    platform::SetWindowPlacement(WinMain::GetMainWindow(), placement);
}

void DesignerTest::ShowLayout(int viewButton) {
    PressPanelButton(viewButton);
    platform::ProcessPendingEvents();
}

void Send(platform::WindowHandle window, platform::Message message, int x, int y) {
    platform::MessageArgs args;
    args.x = x;
    args.y = y;
    platform::SendMessage(window, message, args);
}

void Click(platform::WindowHandle window, int x, int y) {
    Send(window, platform::Message::LeftDown, x, y);
    Send(window, platform::Message::LeftUp, x, y);
}

void Drag(platform::WindowHandle window, int x0, int y0, int x1, int y1) {
    Send(window, platform::Message::LeftDown, x0, y0);
    Send(window, platform::Message::MouseMove, x1, y1);
    Send(window, platform::Message::LeftUp, x1, y1);
}

QWidget* MainFrame() {
    return platform::FindWindowEntry(WinMain::GetMainWindow())->host->window();
}

bool ShowsPicture(platform::WindowHandle window, const platform::Surface& picture, int top) {
    const platform::Surface* shown = platform::GetWindowSurface(window);
    if (shown == nullptr || picture.Width() < shown->Width() ||
        picture.Height() < shown->Height() - top) {
        return false;
    }
    for (int y = top; y < shown->Height(); ++y) {
        for (int x = 0; x < shown->Width(); ++x) {
            if (shown->Pixel(x, y) != picture.Pixel(x, y - top)) {
                return false;
            }
        }
    }
    return true;
}

bool ShowsView(platform::WindowHandle window, const CameraControl& like,
               void (*draw)(CameraControl&)) {
    platform::ProcessPendingEvents();
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    double zoom = 0.0;
    like.GetCamera(x, y, z, zoom);
    CameraControl camera;
    camera.Reset();
    camera.SetState(like.GetState());
    camera.Move(x, y, z);
    camera.SetZoom(zoom);
    const platform::Rect client = platform::GetClientRect(window);
    camera.SetScreen(client.right, client.bottom);
    draw(camera);
    return camera.GetSurface() != nullptr &&
           ShowsPicture(window, *camera.GetSurface()->GetSurface());
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
