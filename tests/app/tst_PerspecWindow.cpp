#include "app/ButtonControl.h"
#include "app/DrawButton.h"
#include "app/MessageWindow.h"
#include "app/PerspecButton.h"
#include "app/PerspecWindow.h"
#include "app/WinMain.h"
#include "model/CourseData.h"
#include "platform/Application.h"
#include "platform/Text.h"
#include "platform/Windows.h"
#include "render/PerspecCamera.h"
#include "support/DesignerFixture.h"
#include "support/ErrorLogCheck.h"
#include "views/PerspecDisp.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

using namespace platform;

namespace {

constexpr int Bar = 22;

// The designer with "Texture.bmp" in its start directory, in the height layout, on a
// straight road of three points along z whose camera sits at its start.
class PerspecWindowTest : public DesignerTest {
protected:
    void BeforeStart() override {
        std::filesystem::copy_file(VELMORA_SOURCE_DIR "/resources/Texture.bmp",
                                   dir.Path() / "Texture.bmp");
    }
    void SetUp() override {
        DesignerTest::SetUp();
        WindowPlacement placement;
        placement.normalPosition = {0, 0, 800, 600};
        SetWindowPlacement(WinMain::GetMainWindow(), placement);
        for (int z : {0, 300, 600}) {
            CourseData::AddPoint(0, 0, z);
        }
        PressPanelButton(ButtonControl::HeightLayoutButton);
        ProcessPendingEvents();
        view = PerspecWindow::GetWindow();
    }

    void Send(Message message, int x, int y) {
        MessageArgs args;
        args.x = x;
        args.y = y;
        SendMessage(view, message, args);
    }
    static void PressBarButton(int identifier) {
        SendMessage(PerspecButton::GetButton(identifier), Message::LeftDown);
        SendMessage(PerspecButton::GetButton(identifier), Message::LeftUp);
    }
    static double CameraPlace() {
        int32_t segment = -1;
        double t = -1.0;
        CourseData::GetCameraPosition(segment, t);
        return segment + t;
    }
    static int SurfaceWidth() {
        int width = 0;
        int height = 0;
        PerspecWindow::GetCamera().GetScreenSize(width, height);
        return width;
    }
    // Whether the window shows, below the bar, the top rows of what the display renders
    // for the course as it is now, and that picture holds some road.
    bool ShowsCurrentView(int mode) {
        ProcessPendingEvents();
        const Surface* shown = GetWindowSurface(view);
        int width = 0;
        int height = 0;
        PerspecWindow::GetCamera().GetScreenSize(width, height);
        if (shown == nullptr || width == 0) {
            return false;
        }
        PerspecCamera expected{};
        expected.Reset();
        expected.SetLens(2.0F, 2.0F, 4.0F, 4.0F, 500.0F);
        expected.SetScreen(width, height);
        PerspecDisp::Render(expected, mode);
        const Surface& picture = *expected.GetSurface()->GetSurface();
        bool same = true;
        bool road = false;
        for (int y = Bar; y < shown->Height(); ++y) {
            for (int x = 0; x < shown->Width(); ++x) {
                same = same && shown->Pixel(x, y) == picture.Pixel(x, y - Bar);
                road = road || shown->Pixel(x, y) != shown->Pixel(0, Bar);
            }
        }
        return same && road;
    }

    WindowHandle view = 0;
};

// The same designer without the texture file.
class PerspecWindowWithoutTextureTest : public PerspecWindowTest {
protected:
    void BeforeStart() override {}
};

} // namespace

TEST_F(PerspecWindowTest, TheHeightWidthAndRollLayoutsShowTheLiveView) {
    for (int layout : {ButtonControl::HeightLayoutButton, ButtonControl::WidthLayoutButton,
                       ButtonControl::RollLayoutButton}) {
        PressPanelButton(layout);
        ASSERT_TRUE(IsWindowVisible(view)) << layout;
        EXPECT_TRUE(ShowsCurrentView(PerspecDisp::Wireframe)) << layout;
    }
    CourseData::SetPosition(1, 120, 0, 300);
    WinMain::RefreshShownViews();
    EXPECT_TRUE(ShowsCurrentView(PerspecDisp::Wireframe));

    // Edits made while no layout shows the view are there when it comes back.
    PressPanelButton(ButtonControl::ShapeLayoutButton);
    EXPECT_FALSE(IsWindowVisible(view));
    CourseData::SetPosition(1, -120, 0, 300);
    WinMain::RefreshShownViews();
    PressPanelButton(ButtonControl::RollLayoutButton);
    EXPECT_TRUE(ShowsCurrentView(PerspecDisp::Wireframe));
}

// 200 pixels of upward drag make one segment; only the left button alone drives it.
TEST_F(PerspecWindowTest, ADragMovesTheCameraPositionByAFiveThousandthPerPixel) {
    Send(Message::LeftDown, 50, 150);
    Send(Message::MouseMove, 50, 50);
    EXPECT_DOUBLE_EQ(CameraPlace(), 0.5);
    EXPECT_TRUE(ShowsCurrentView(PerspecDisp::Wireframe)); // the view followed
    Send(Message::MouseMove, 50, 70);
    Send(Message::LeftUp, 50, 70);
    EXPECT_DOUBLE_EQ(CameraPlace(), 0.4);

    Send(Message::RightDown, 50, 100);
    Send(Message::LeftDown, 50, 100); // both held
    Send(Message::MouseMove, 50, 0);
    Send(Message::LeftUp, 50, 0); // the right still held: the pointer is back, no drag
    EXPECT_EQ(ShowCursor(false), -1);
    ShowCursor(true);
    Send(Message::MouseMove, 50, -100);
    Send(Message::RightUp, 50, -100);
    EXPECT_DOUBLE_EQ(CameraPlace(), 0.4);
}

TEST_F(PerspecWindowTest, TheButtonBarChoosesWireframeOrTexture) {
    const Rect bar = GetWindowRect(PerspecButton::GetBar());
    EXPECT_EQ(bar.bottom - bar.top, Bar);
    EXPECT_EQ(bar.right - bar.left, GetWindowRect(view).right - GetWindowRect(view).left);
    const WindowHandle wire = PerspecButton::GetButton(PerspecButton::WireframeButton);
    const WindowHandle texture = PerspecButton::GetButton(PerspecButton::TextureButton);
    EXPECT_EQ(PerspecButton::GetMode(), PerspecButton::WireframeButton);
    EXPECT_EQ(DrawButton::GetLevel(wire), 1);
    EXPECT_EQ(DrawButton::GetLevel(texture), 0);

    PressBarButton(PerspecButton::TextureButton);
    EXPECT_EQ(PerspecButton::GetMode(), PerspecButton::TextureButton);
    EXPECT_EQ(DrawButton::GetLevel(wire), 0);
    EXPECT_EQ(DrawButton::GetLevel(texture), 1);
    EXPECT_TRUE(ShowsCurrentView(PerspecDisp::Textured));
    EXPECT_FALSE(ShowsCurrentView(PerspecDisp::Wireframe));

    // The current button again stays pressed, and the views are drawn anew.
    const_cast<Surface*>(GetWindowSurface(view))->SetPixel(1, Bar + 1, Rgb15(255, 0, 255));
    PressBarButton(PerspecButton::TextureButton);
    EXPECT_EQ(DrawButton::GetLevel(texture), 1);
    EXPECT_TRUE(ShowsCurrentView(PerspecDisp::Textured));

    // Only a press chooses: the release, enter and leave notifications do not.
    for (unsigned notification : {1u, 2u, 3u}) {
        MessageArgs args;
        args.code = PerspecButton::WireframeButton | (notification << 16);
        SendMessage(PerspecButton::GetBar(), Message::Command, args);
    }
    EXPECT_EQ(PerspecButton::GetMode(), PerspecButton::TextureButton);
}

// The help popup is as wide as the text's widest line.
TEST_F(PerspecWindowTest, EachButtonHasItsHelpText) {
    const Font font(12, "ＭＳ　ゴシック");
    for (const auto& [identifier, line] :
         {std::pair{PerspecButton::WireframeButton, "  ワイヤーフレームで描写"},
          std::pair{PerspecButton::TextureButton, "  パースペクティブテクスチャーで描写"}}) {
        SendMessage(PerspecButton::GetButton(identifier), Message::RightDown);
        const Rect popup = GetWindowRect(MessageWindow::GetPopup());
        EXPECT_EQ(popup.right - popup.left,
                  std::max(font.TextWidth("[Function]"), font.TextWidth(line)) + 20);
        SendMessage(PerspecButton::GetButton(identifier), Message::RightUp);
    }
}

// The frame takes a pixel on each side: outer widths 103 and 102 leave 101 and 100.
TEST_F(PerspecWindowTest, TheSurfaceWidthIsRoundedUpToAMultipleOfFour) {
    PerspecWindow::Move(400, 20, 103, 90);
    EXPECT_EQ(SurfaceWidth(), 104);
    EXPECT_TRUE(ShowsCurrentView(PerspecDisp::Wireframe));
    PerspecWindow::Move(400, 20, 102, 90);
    EXPECT_EQ(SurfaceWidth(), 100);
}

// The texture engine refuses edge tables of no lines by ending the program, so the sizes
// are tried in a child process that must live to its own exit code.
TEST_F(PerspecWindowTest, AWindowOfNoWidthOrHeightDrawsNothing) {
    PressBarButton(PerspecButton::TextureButton);
    EXPECT_EXIT(
        {
            PerspecWindow::Move(400, 20, 2, 90);
            PerspecWindow::Move(400, 20, 90, 2);
            SendMessage(view, Message::Size, MessageArgs{});
            PerspecWindow::Redraw();
            ProcessPendingEvents();
            std::filesystem::remove_all(dir.Path()); // the child's own start directory
            std::_Exit(7);
        },
        ::testing::ExitedWithCode(7), "");
    PerspecWindow::Move(400, 20, 103, 90);
    EXPECT_TRUE(ShowsCurrentView(PerspecDisp::Textured));
}

TEST_F(PerspecWindowWithoutTextureTest, TheTextureButtonStillDrawsTheRoad) {
    EXPECT_NE(ReadErrorLog().find("BMPFile1"), std::string::npos);
    PressBarButton(PerspecButton::TextureButton);
    EXPECT_TRUE(ShowsCurrentView(PerspecDisp::Textured));
    EXPECT_FALSE(ShowsCurrentView(PerspecDisp::Wireframe));
}

TEST_F(PerspecWindowTest, MisuseIsReported) {
    const CurrentDir inDir(DeathTestDirectory());
    EXPECT_REPORT(PerspecWindow::Create(WinMain::GetMainWindow()), "PerspecWindow1",
                  "ウィンドウを２度作ろうとした");
    EXPECT_REPORT(PerspecButton::Create(view), "PerspecButton1", "ウィンドウの登録に失敗");
}
