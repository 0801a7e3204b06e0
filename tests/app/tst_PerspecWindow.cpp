#include "app/ButtonControl.h"
#include "app/DrawButton.h"
#include "app/PerspecButton.h"
#include "app/PerspecWindow.h"
#include "app/WinMain.h"
#include "model/CourseData.h"
#include "platform/Application.h"
#include "render/PerspecCamera.h"
#include "support/DesignerFixture.h"
#include "views/PerspecDisp.h"

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
        PlaceMainWindow(800, 600);
        for (int z : {0, 300, 600}) {
            CourseData::AddPoint(0, 0, z);
        }
        ShowLayout(ButtonControl::HeightLayoutButton);
        view = PerspecWindow::GetWindow();
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
    // Whether the window shows below the bar what the display renders in the mode for the
    // course as it is now.
    bool ShowsCurrentView(int mode) {
        ProcessPendingEvents();
        int width = 0;
        int height = 0;
        PerspecWindow::GetCamera().GetScreenSize(width, height);
        if (width == 0) {
            return false;
        }
        PerspecCamera expected{};
        expected.Reset();
        expected.SetLens(2.0F, 2.0F, 4.0F, 4.0F, 500.0F);
        expected.SetScreen(width, height);
        PerspecDisp::Render(expected, mode);
        return ShowsPicture(view, *expected.GetSurface()->GetSurface(), Bar);
    }

    WindowHandle view = 0;
};

} // namespace

// Nothing refreshes hidden views, so the picture is made anew when the view is shown.
TEST_F(PerspecWindowTest, EditsMadeWhileTheViewIsHiddenShowWhenItComesBack) {
    EXPECT_TRUE(ShowsCurrentView(PerspecDisp::Wireframe));
    ShowLayout(ButtonControl::ShapeLayoutButton);
    CourseData::SetPosition(1, -120, 0, 300);
    WinMain::RefreshShownViews();
    ShowLayout(ButtonControl::RollLayoutButton);
    EXPECT_TRUE(ShowsCurrentView(PerspecDisp::Wireframe));
}

// 200 pixels of upward drag make one segment.
TEST_F(PerspecWindowTest, ADragMovesTheCameraPositionByAFiveThousandthPerPixel) {
    Send(view, Message::LeftDown, 50, 150);
    Send(view, Message::MouseMove, 50, 50);
    EXPECT_DOUBLE_EQ(CameraPlace(), 0.5);
    EXPECT_TRUE(ShowsCurrentView(PerspecDisp::Wireframe)); // the view followed
    Send(view, Message::MouseMove, 50, 70);
    Send(view, Message::LeftUp, 50, 70);
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
