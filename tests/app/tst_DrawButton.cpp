#include "app/DrawButton.h"
#include "platform/Application.h"
#include "support/DesignerFixture.h"

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

    WindowHandle parent = 0;
    WindowHandle button = 0;
};

} // namespace

// The right and bottom edges count as inside; left of the button is outside, as an
// unsigned number. Leaving while pressed tells the release before the leave.
TEST_F(DrawButtonTest, PassingOverAndPressingTellEnterPressReleaseLeave) {
    SendMessage(button, Message::SetCursor);
    Send(button, Message::MouseMove, 91, 22);
    EXPECT_EQ(GetCapture(), button);
    Send(button, Message::LeftDown, 5, 5);
    Send(button, Message::MouseMove, -1, 5);
    EXPECT_EQ(codes, (std::vector<int>{DrawButton::Entered, DrawButton::Pressed,
                                       DrawButton::Released, DrawButton::Left}));
    EXPECT_EQ(GetCapture(), 0u);
}
