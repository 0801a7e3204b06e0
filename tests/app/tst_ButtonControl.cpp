#include "app/ButtonControl.h"
#include "app/DrawButton.h"
#include "app/MessageWindow.h"
#include "app/PerspecButton.h"
#include "model/CourseData.h"
#include "platform/BitmapResource.h"
#include "platform/Text.h"
#include "support/DesignerFixture.h"

#include <algorithm>

using namespace ButtonControl;

namespace {

constexpr int AllButtons[] = {
    EditTool,         SampleTool,        WidthTool,          LoopButton,        CameraMoveTool,
    CameraZoomTool,   TopViewButton,     SideViewButton,     FrontViewButton,   ExpandTopButton,
    ExpandSideButton, ShapeLayoutButton, HeightLayoutButton, WidthLayoutButton, RollLayoutButton};

void HoverPanelButton(int identifier) {
    platform::SendMessage(GetButton(identifier), platform::Message::SetCursor);
}

void LeavePanelButton(int identifier) {
    Send(GetButton(identifier), platform::Message::MouseMove, -1, 5);
}

int Level(int identifier) {
    return DrawButton::GetLevel(GetButton(identifier));
}

} // namespace

using ToolPanelTest = DesignerTest;

TEST_F(ToolPanelTest, StartsWithEditAndShapeChosenAndEachButtonInPlaceShowingItsLevel) {
    for (int id : AllButtons) {
        EXPECT_EQ(Level(id), id == EditTool || id == ShapeLayoutButton ? 1 : 0) << id;
    }
    EXPECT_EQ(GetCurrentTool(), EditTool);
    EXPECT_EQ(GetCurrentView(), ShapeLayoutButton);
    EXPECT_EQ(GetPanelWidth(), 91);
    const platform::Rect panel = platform::GetClientRect(GetPanel());
    EXPECT_EQ(panel.right, 91);
    EXPECT_EQ(panel.bottom, 316);

    // Each button's top left in the panel, and its width.
    const platform::Point origin = platform::ClientToScreen(GetPanel(), {0, 0});
    std::string places;
    for (int id : AllButtons) {
        const platform::Rect rect = platform::GetWindowRect(GetButton(id));
        places += std::to_string(rect.left - origin.x) + "," + std::to_string(rect.top - origin.y) +
                  "+" + std::to_string(rect.right - rect.left) + " ";
    }
    EXPECT_EQ(places, "0,0+91 0,22+91 0,44+91 0,66+91 0,98+91 0,120+91 0,152+45 45,152+45 "
                      "0,174+45 0,196+45 45,196+45 0,228+91 0,250+91 0,272+91 0,294+91 ");

    // A button shows the frame of its level out of its strip of three.
    const std::unique_ptr<platform::Surface> strip =
        platform::LoadBitmapResource("SAMPLEBUTTON_BMP");
    ASSERT_NE(strip, nullptr);
    const platform::WindowHandle button = GetButton(SampleTool);
    for (int level : {2, 1, 0}) {
        DrawButton::SetLevel(button, level);
        const platform::Surface* shown = platform::GetWindowSurface(button);
        ASSERT_NE(shown, nullptr);
        ASSERT_EQ(shown->Width(), 91);
        bool same = shown->Height() == 22;
        for (int y = 0; y < 22 && same; ++y) {
            for (int x = 0; x < 91 && same; ++x) {
                same = shown->Pixel(x, y) == strip->Pixel(91 * level + x, y);
            }
        }
        EXPECT_TRUE(same) << level;
    }
}

// Hovering highlights a button other than the current one, with one click each; a tool is
// chosen on the press and stays chosen when pressed again.
TEST_F(ToolPanelTest, HoverHighlightsOtherButtonsAndAPressChoosesATool) {
    HoverPanelButton(SampleTool);
    EXPECT_EQ(Level(SampleTool), 2);
    LeavePanelButton(SampleTool);
    EXPECT_EQ(Level(SampleTool), 0);
    ASSERT_EQ(sounds.size(), 1u);
    EXPECT_EQ(sounds[0], "SetButton.wav");

    HoverPanelButton(EditTool);
    LeavePanelButton(EditTool);
    EXPECT_EQ(Level(EditTool), 1);
    HoverPanelButton(SideViewButton);
    EXPECT_EQ(Level(SideViewButton), 2);
    EXPECT_EQ(sounds.size(), 2u);

    PressPanelButton(CameraZoomTool);
    PressPanelButton(CameraZoomTool);
    EXPECT_EQ(GetCurrentTool(), CameraZoomTool);
    EXPECT_EQ(Level(CameraZoomTool), 1);
    EXPECT_EQ(Level(EditTool), 0);
}

// The loop button toggles the course's loop; a new or loaded course sets the button.
TEST_F(ToolPanelTest, TheLoopButtonAndTheCoursesLoopFollowEachOther) {
    HoverPanelButton(LoopButton);
    EXPECT_EQ(Level(LoopButton), 2);
    PressPanelButton(LoopButton);
    EXPECT_EQ(Level(LoopButton), 1);
    EXPECT_EQ(CourseData::IsLoop(), 1);
    EXPECT_EQ(CourseData::IsChanged(), 1);
    ASSERT_EQ(CourseData::Save(dir.File("loop.cus").c_str()), 0);
    PressPanelButton(LoopButton);
    EXPECT_EQ(Level(LoopButton), 2);
    EXPECT_EQ(CourseData::IsLoop(), 0);
    LeavePanelButton(LoopButton);
    EXPECT_EQ(Level(LoopButton), 0);
    EXPECT_TRUE(sounds.empty());

    ASSERT_EQ(CourseData::Load(dir.File("loop.cus").c_str()), 0);
    EXPECT_EQ(Level(LoopButton), 1);
    EXPECT_EQ(GetLoopState(), 1);
    CourseData::NewCourse();
    EXPECT_EQ(Level(LoopButton), 0);
}

// While the right button is held the popup beside the button shows the help text: as
// wide as its widest line and as high as its lines, with a margin of 10 all round. The
// mouse leaving the button hides it too.
TEST_F(ToolPanelTest, ARightPressShowsTheButtonsHelpBesideIt) {
    ShowLayout(HeightLayoutButton); // the perspective view's buttons too
    const platform::Font font(12, "ＭＳ　ゴシック");
    const int pitch = font.Height() + font.ExternalLeading();
    for (const auto& [button, line] :
         {std::pair{GetButton(TopViewButton), "  上面図ウィンドウ"},
          std::pair{PerspecButton::GetButton(PerspecButton::WireframeButton),
                    "  ワイヤーフレームで描写"},
          std::pair{PerspecButton::GetButton(PerspecButton::TextureButton),
                    "  パースペクティブテクスチャーで描写"}}) {
        platform::SendMessage(button, platform::Message::RightDown);
        const platform::WindowHandle popup = MessageWindow::GetPopup();
        ASSERT_NE(popup, 0u) << line;
        const platform::Rect beside = platform::GetWindowRect(button);
        const platform::Rect rect = platform::GetWindowRect(popup);
        EXPECT_EQ(rect.left, beside.right + 10) << line;
        EXPECT_EQ(rect.top, beside.bottom + 10) << line;
        EXPECT_EQ(rect.right - rect.left,
                  std::max(font.TextWidth("[Function]"), font.TextWidth(line)) + 20)
            << line;
        EXPECT_EQ(rect.bottom - rect.top, 2 * pitch + 20) << line;
        platform::SendMessage(button, platform::Message::RightUp);
        EXPECT_EQ(MessageWindow::GetPopup(), 0u) << line;
        EXPECT_FALSE(platform::IsWindow(popup)) << line;
    }

    HoverPanelButton(WidthTool);
    platform::SendMessage(GetButton(WidthTool), platform::Message::RightDown);
    ASSERT_NE(MessageWindow::GetPopup(), 0u);
    LeavePanelButton(WidthTool);
    EXPECT_EQ(MessageWindow::GetPopup(), 0u);
    EXPECT_EQ(Level(WidthTool), 0);
}
