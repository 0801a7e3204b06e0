#include "app/ButtonControl.h"
#include "app/DrawButton.h"
#include "app/MessageWindow.h"
#include "model/CourseData.h"
#include "platform/Text.h"
#include "platform/Windows.h"
#include "support/DesignerFixture.h"

#include <algorithm>

using namespace ButtonControl;

namespace {

constexpr int AllButtons[] = {
    EditTool,         SampleTool,        WidthTool,          LoopButton,        CameraMoveTool,
    CameraZoomTool,   TopViewButton,     SideViewButton,     FrontViewButton,   ExpandTopButton,
    ExpandSideButton, ShapeLayoutButton, HeightLayoutButton, WidthLayoutButton, RollLayoutButton};

} // namespace

using ToolPanelTest = DesignerTest;

TEST_F(ToolPanelTest, StartsWithEditToolAndShapeLayoutSelected) {
    for (int id : AllButtons) {
        const bool selected = id == EditTool || id == ShapeLayoutButton;
        EXPECT_EQ(Level(id), selected ? 1 : 0) << id;
    }
    EXPECT_EQ(GetCurrentTool(), EditTool);
    EXPECT_EQ(GetCurrentView(), ShapeLayoutButton);
    EXPECT_EQ(GetPanelWidth(), 91);
    const platform::Rect panel = platform::GetClientRect(GetPanel());
    EXPECT_EQ(panel.right, 91);
    EXPECT_EQ(panel.bottom, 316);
    const platform::Rect roll = platform::GetClientRect(GetButton(RollLayoutButton));
    EXPECT_EQ(roll.right, 91);
    EXPECT_EQ(roll.bottom, 22);
}

TEST_F(ToolPanelTest, ButtonsShowTheFrameOfTheirLevel) {
    const platform::WindowHandle button = GetButton(SampleTool);
    platform::UpdateWindow(button);
    const platform::Surface* normal = platform::GetWindowSurface(button);
    ASSERT_NE(normal, nullptr);
    const platform::Surface normalCopy = *normal;
    DrawButton::SetLevel(button, 2);
    const platform::Surface* highlighted = platform::GetWindowSurface(button);
    ASSERT_NE(highlighted, nullptr);
    bool differs = false;
    for (int y = 0; y < 22 && !differs; ++y) {
        for (int x = 0; x < 91 && !differs; ++x) {
            differs = normalCopy.Pixel(x, y) != highlighted->Pixel(x, y);
        }
    }
    EXPECT_TRUE(differs);
}

TEST_F(ToolPanelTest, HoverHighlightsOtherButtonsWithOneClickEach) {
    HoverPanelButton(SampleTool);
    EXPECT_EQ(Level(SampleTool), 2);
    EXPECT_EQ(platform::GetCapture(), GetButton(SampleTool));
    LeavePanelButton(SampleTool);
    EXPECT_EQ(Level(SampleTool), 0);
    EXPECT_EQ(platform::GetCapture(), 0u);
    ASSERT_EQ(sounds.size(), 1u);
    EXPECT_EQ(sounds[0], "SetButton.wav");

    HoverPanelButton(EditTool);
    LeavePanelButton(EditTool);
    EXPECT_EQ(Level(EditTool), 1);
    HoverPanelButton(SideViewButton);
    EXPECT_EQ(Level(SideViewButton), 2);
    EXPECT_EQ(sounds.size(), 2u);
}

TEST_F(ToolPanelTest, PressingAToolSelectsItAndPressingItAgainKeepsIt) {
    PressPanelButton(CameraZoomTool);
    EXPECT_EQ(GetCurrentTool(), CameraZoomTool);
    EXPECT_EQ(Level(CameraZoomTool), 1);
    EXPECT_EQ(Level(EditTool), 0);
    PressPanelButton(CameraZoomTool);
    EXPECT_EQ(Level(CameraZoomTool), 1);
    EXPECT_EQ(GetCurrentView(), ShapeLayoutButton);
}

TEST_F(ToolPanelTest, LoopButtonTogglesTheCourseLoopAndMarksItChanged) {
    HoverPanelButton(LoopButton);
    EXPECT_EQ(Level(LoopButton), 2);
    PressPanelButton(LoopButton);
    EXPECT_EQ(Level(LoopButton), 1);
    EXPECT_EQ(CourseData::IsLoop(), 1);
    EXPECT_EQ(CourseData::IsChanged(), 1);
    PressPanelButton(LoopButton);
    EXPECT_EQ(Level(LoopButton), 2);
    EXPECT_EQ(CourseData::IsLoop(), 0);
    LeavePanelButton(LoopButton);
    EXPECT_EQ(Level(LoopButton), 0);
    EXPECT_TRUE(sounds.empty());
}

TEST_F(ToolPanelTest, ANewOrLoadedCourseSetsTheLoopButton) {
    CourseData::SetLoop(1);
    ASSERT_EQ(CourseData::Save(dir.File("loop.cus").c_str()), 0);
    CourseData::NewCourse();
    EXPECT_EQ(Level(LoopButton), 0);
    ASSERT_EQ(CourseData::Load(dir.File("loop.cus").c_str()), 0);
    EXPECT_EQ(Level(LoopButton), 1);
    EXPECT_EQ(GetLoopState(), 1);
}

TEST_F(ToolPanelTest, ViewButtonIsChosenOnPressEvenWhenDraggedOff) {
    const platform::WindowHandle button = GetButton(RollLayoutButton);
    HoverPanelButton(RollLayoutButton);
    platform::MessageArgs inside;
    inside.x = 3;
    inside.y = 3;
    platform::SendMessage(button, platform::Message::LeftDown, inside);
    platform::MessageArgs outside;
    outside.x = 200;
    outside.y = 3;
    platform::SendMessage(button, platform::Message::MouseMove, outside);
    EXPECT_EQ(GetCurrentView(), RollLayoutButton);
    EXPECT_EQ(Level(RollLayoutButton), 1);
    EXPECT_EQ(Level(ShapeLayoutButton), 0);
}

TEST_F(ToolPanelTest, RightPressShowsTheHelpPopupBesideTheButton) {
    const platform::WindowHandle button = GetButton(TopViewButton);
    platform::SendMessage(button, platform::Message::RightDown);
    const platform::WindowHandle popup = MessageWindow::GetPopup();
    ASSERT_NE(popup, 0u);
    const platform::Rect buttonRect = platform::GetWindowRect(button);
    const platform::Rect popupRect = platform::GetWindowRect(popup);
    EXPECT_EQ(popupRect.left, buttonRect.right + 10);
    EXPECT_EQ(popupRect.top, buttonRect.bottom + 10);

    // Two lines: "[Function]" and "  上面図ウィンドウ"; the second is the wider.
    const platform::Font font(12, "ＭＳ　ゴシック");
    const int pitch = font.Height() + font.ExternalLeading();
    EXPECT_EQ(popupRect.right - popupRect.left,
              std::max(font.TextWidth("[Function]"), font.TextWidth("  上面図ウィンドウ")) + 20);
    EXPECT_EQ(popupRect.bottom - popupRect.top, 2 * pitch + 20);

    platform::SendMessage(button, platform::Message::RightUp);
    EXPECT_EQ(MessageWindow::GetPopup(), 0u);
    EXPECT_FALSE(platform::IsWindow(popup));
}

TEST_F(ToolPanelTest, LeavingWhileRightHeldHidesTheHelp) {
    HoverPanelButton(WidthTool);
    platform::SendMessage(GetButton(WidthTool), platform::Message::RightDown);
    ASSERT_NE(MessageWindow::GetPopup(), 0u);
    LeavePanelButton(WidthTool);
    EXPECT_EQ(MessageWindow::GetPopup(), 0u);
    EXPECT_EQ(Level(WidthTool), 0);
}
