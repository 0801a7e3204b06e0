#include "app/DrawButton.h"
#include "platform/Application.h"
#include "platform/Windows.h"
#include "support/DesignerFixture.h"
#include "support/ErrorLogCheck.h"

#include <gtest/gtest.h>
#include <vector>

using namespace platform;

namespace {

// The notification codes the parent received, in order.
std::vector<int> codes;

std::intptr_t Parent(WindowHandle window, Message message, const MessageArgs& args) {
    if (message == Message::Command && (args.code & 0xFFFFu) == 42) {
        codes.push_back(static_cast<int>(args.code >> 16));
        return 0;
    }
    return DefWindowProc(window, message, args);
}

class DrawButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        codes.clear();
        DrawButton::Init();
        ASSERT_TRUE(RegisterWindowClass({"ButtonParent", Parent, 0}));
        parent = CreateWindow("ButtonParent", "", MainWindow | VisibleStyle, 0, 0, 200, 100, 0);
        button = CreateWindow(DrawButton::ClassName, "", ChildWindow | VisibleStyle, 10, 10, 91, 22,
                              parent);
        DrawButton::SetBitmap(button, "EDITBUTTON_BMP", 3, 42);
    }
    void TearDown() override {
        ReleaseCapture();
        DestroyWindow(parent);
        ProcessPendingEvents();
        UnregisterWindowClass("ButtonParent");
        DrawButton::End();
    }
    void Send(Message message, int x = 5, int y = 5) {
        MessageArgs args;
        args.x = x;
        args.y = y;
        SendMessage(button, message, args);
    }

    WindowHandle parent = 0;
    WindowHandle button = 0;
    CurrentDir inDir{DeathTestDirectory()};
};

} // namespace

TEST_F(DrawButtonTest, PassingOverTheButtonTellsEnterThenLeave) {
    Send(Message::SetCursor);
    Send(Message::MouseMove, 91, 22); // the right and bottom edges count as inside
    EXPECT_EQ(GetCapture(), button);
    Send(Message::MouseMove, 92, 5);
    EXPECT_EQ(codes, (std::vector<int>{DrawButton::Entered, DrawButton::Left}));
    EXPECT_EQ(GetCapture(), 0u);
}

TEST_F(DrawButtonTest, PressingAndDraggingOffTellsEnterPressReleaseLeave) {
    Send(Message::SetCursor);
    Send(Message::LeftDown);
    Send(Message::MouseMove, -1, 5); // left of the button: outside as an unsigned number
    EXPECT_EQ(codes, (std::vector<int>{DrawButton::Entered, DrawButton::Pressed,
                                       DrawButton::Released, DrawButton::Left}));
}

TEST_F(DrawButtonTest, LevelsBeyondTheStripAreReported) {
    DrawButton::SetLevel(button, 2);
    EXPECT_EQ(DrawButton::GetLevel(button), 2);
    EXPECT_REPORT(DrawButton::SetLevel(button, 3), "DrawButton1",
                  "設定された段回数をこえてボタンの状態を設定しようとした");
    EXPECT_REPORT(DrawButton::SetLevelById(7, 0), "DrawButton1",
                  "登録されていないリメ[スIDでアクセスしようとした");
}
