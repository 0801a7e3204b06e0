#include "app/MouseProtocol.h"
#include "platform/Application.h"
#include "platform/Windows.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

class MouseProtocolTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(RegisterWindowClass({"ProtocolWindow", DefWindowProc, 0}));
        window = CreateWindow("ProtocolWindow", "", MainWindow | VisibleStyle, 0, 0, 100, 100, 0);
        SetCursorPos(40, 50);
    }
    void TearDown() override {
        DestroyWindow(window);
        ProcessPendingEvents();
        UnregisterWindowClass("ProtocolWindow");
    }

    MouseProtocol mouse;
    WindowHandle window = 0;
};

} // namespace

TEST_F(MouseProtocolTest, AReleaseWithoutAMoveIsAClick) {
    mouse.LeftDown(window, 5, 5);
    EXPECT_EQ(GetCapture(), window);
    EXPECT_FALSE(mouse.LeftUp());
    mouse.FinishRelease();
    EXPECT_EQ(GetCapture(), 0u);
    EXPECT_EQ(mouse.GetButtonState(), MouseProtocol::NoButton);
}

TEST_F(MouseProtocolTest, ALeftDragReportsEachStepAndPutsThePointerBack) {
    mouse.LeftDown(window, 5, 5);
    const auto first = mouse.Move(8, 3);
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(first->previousX, 5);
    EXPECT_EQ(first->previousY, 5);
    EXPECT_EQ(ShowCursor(true), 0); // hidden at -1 during the drag
    ShowCursor(false);
    const auto second = mouse.Move(9, 1);
    ASSERT_TRUE(second.has_value());
    EXPECT_EQ(second->previousX, 8);
    SetCursorPos(70, 70);
    EXPECT_TRUE(mouse.LeftUp());
    mouse.FinishRelease();
    const Point back = GetCursorPos();
    EXPECT_EQ(back.x, 40);
    EXPECT_EQ(back.y, 50);
    EXPECT_EQ(ShowCursor(false), -1); // shown again: the count is back at zero
    ShowCursor(true);
}

TEST_F(MouseProtocolTest, BothButtonsHeldDragNothingAndKeepTheCaptureUntilTheLastRelease) {
    mouse.LeftDown(window, 5, 5);
    mouse.RightDown(window, 5, 5);
    EXPECT_EQ(mouse.GetButtonState(), MouseProtocol::BothButtons);
    EXPECT_FALSE(mouse.Move(10, 10).has_value());
    EXPECT_TRUE(mouse.LeftUp());
    EXPECT_EQ(mouse.GetButtonState(), MouseProtocol::RightButton);
    EXPECT_EQ(GetCapture(), window);
    EXPECT_FALSE(mouse.Move(12, 10).has_value());
    mouse.RightUp();
    mouse.FinishRelease();
    EXPECT_EQ(mouse.GetButtonState(), MouseProtocol::NoButton);
    EXPECT_EQ(GetCapture(), 0u);
}

TEST_F(MouseProtocolTest, MovesWithoutAButtonAreIgnored) {
    EXPECT_FALSE(mouse.Move(10, 10).has_value());
    mouse.RightDown(window, 1, 1);
    EXPECT_FALSE(mouse.Move(3, 3).has_value());
    mouse.RightUp();
    mouse.FinishRelease();
    EXPECT_EQ(ShowCursor(false), -1);
    ShowCursor(true);
}
