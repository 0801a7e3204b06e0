// The view windows pass the mouse on to their gestures, in client pixels and with the
// tool panel's current tool: one table of gestures per view checks what each changes, that
// the view shows the result at once, and that a gesture that changed the course is one
// step of the edit history.

#include "app/ButtonControl.h"
#include "app/DrawButton.h"
#include "app/EditHistory.h"
#include "app/ExpandWindow.h"
#include "app/ParallelWindow.h"
#include "app/PerspecButton.h"
#include "app/PerspecWindow.h"
#include "app/SpPointWindow.h"
#include "app/WinMain.h"
#include "platform/Application.h"
#include "render/PerspecCamera.h"
#include "support/CourseTest.h"
#include "support/DesignerFixture.h"
#include "views/ExpandDisp.h"
#include "views/ParallelDisp.h"
#include "views/PerspecDisp.h"
#include "views/SpPointDisp.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

using namespace ButtonControl;
using ExpandWindow::ExpandSide;
using ExpandWindow::ExpandTop;
using platform::Message;
using enum WinMain::MenuCommand;
using platform::WindowHandle;

namespace {

enum Kind { LeftClick, LeftDrag, LeftDragPastRightClick, RightClick };

// A gesture made with the tool at client pixels, the value it should change and by how much.
struct Gesture {
    int tool;
    Kind kind;
    int x0;
    int y0;
    int x1;
    int y1;
    double (*measure)();
    double change;
};

void Make(WindowHandle view, const Gesture& gesture) {
    switch (gesture.kind) {
    case LeftClick:
        Click(view, gesture.x0, gesture.y0);
        break;
    case LeftDrag:
    case LeftDragPastRightClick:
        // Through the midpoint, so that a drag of several moves is still one step; a right
        // click on nothing amid the drag does not end it.
        Send(view, Message::LeftDown, gesture.x0, gesture.y0);
        Send(view, Message::MouseMove, (gesture.x0 + gesture.x1) / 2,
             (gesture.y0 + gesture.y1) / 2);
        if (gesture.kind == LeftDragPastRightClick) {
            Send(view, Message::RightDown, 5, 5);
            Send(view, Message::RightUp, 5, 5);
        }
        Send(view, Message::MouseMove, gesture.x1, gesture.y1);
        Send(view, Message::LeftUp, gesture.x1, gesture.y1);
        break;
    case RightClick:
        Send(view, Message::RightDown, gesture.x0, gesture.y0);
        Send(view, Message::RightUp, gesture.x0, gesture.y0);
        break;
    }
}

// The course file's bytes without the editing state (selection, side, driver's camera):
// the loop, the width scale and the points.
std::vector<unsigned char> CourseContent() {
    std::vector<unsigned char> bytes = CourseData::SaveToBytes();
    bytes.erase(bytes.begin() + 24, bytes.begin() + 36);
    bytes.erase(bytes.begin(), bytes.begin() + 12);
    return bytes;
}

class ViewWindowTest : public DesignerTest {
protected:
    // Makes each gesture in turn; the view shows the course after each. What the test
    // set up directly is committed first, so that one undo after a gesture that changed
    // the course gives back the course byte for byte as it was, and one redo as it became.
    void Perform(WindowHandle view, bool (*shows)(), const std::vector<Gesture>& gestures) {
        for (const Gesture& gesture : gestures) {
            PressPanelButton(gesture.tool);
            EditHistory::Commit();
            const std::vector<unsigned char> course = CourseData::SaveToBytes();
            const std::vector<unsigned char> content = CourseContent();
            const double before = gesture.measure();
            Make(view, gesture);
            const std::string trace = std::to_string(gesture.tool) + " at " +
                                      std::to_string(gesture.x0) + "," + std::to_string(gesture.y0);
            EXPECT_NEAR(gesture.measure() - before, gesture.change, 1e-9) << trace;
            EXPECT_TRUE(shows()) << trace;
            if (CourseContent() != content) {
                const std::vector<unsigned char> changed = CourseData::SaveToBytes();
                Command(UndoCommand);
                EXPECT_EQ(CourseData::SaveToBytes(), course) << trace;
                Command(RedoCommand);
                EXPECT_EQ(CourseData::SaveToBytes(), changed) << trace;
            }
        }
    }
};

double PointCount() {
    return CourseData::GetPointNum();
}

// Where the camera stands along x and z together, in the view's pixels: each view here
// pans along only one of them.
double PannedPixels(const CameraControl& camera) {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    double zoom = 0.0;
    camera.GetCamera(x, y, z, zoom);
    return (x + z) * zoom;
}

bool ShowsTop() {
    return ShowsView(ParallelWindow::GetWindow(0), ParallelWindow::GetCamera(0),
                     [](CameraControl& camera) { ParallelDisp::Draw(camera, 1); });
}

template <int View> bool ShowsExpand() {
    return ShowsView(ExpandWindow::GetWindow(View), ExpandWindow::GetCamera(View),
                     [](CameraControl& camera) { ExpandDisp::Draw(camera); });
}

// The dial of the course now at the least zoom, with the grip.
template <int Grip> bool ShowsDial() {
    CameraControl camera;
    camera.Reset();
    camera.SetState(CameraControl::Front);
    camera.SetZoom(0.01);
    return ShowsView(SpPointWindow::GetWindow(0), camera,
                     [](CameraControl& c) { SpPointDisp::Draw(c, Grip); });
}

constexpr int Bar = 22;

// Where the perspective camera stands along the course: segment plus fraction.
double PerspectiveCameraPlace() {
    int32_t segment = -1;
    double t = -1.0;
    CourseData::GetCameraPosition(segment, t);
    return segment + t;
}

int PerspectiveSurfaceWidth() {
    int width = 0;
    int height = 0;
    PerspecWindow::GetCamera().GetScreenSize(width, height);
    return width;
}

// Whether the perspective window shows below its button bar what the display renders in
// the mode for the course as it is now.
bool ShowsPerspective(int mode) {
    platform::ProcessPendingEvents();
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
    return ShowsPicture(PerspecWindow::GetWindow(), *expected.GetSurface()->GetSurface(), Bar);
}

void PressBarButton(int identifier) {
    Click(PerspecButton::GetButton(identifier), 0, 0);
}

} // namespace

TEST_F(ViewWindowTest, TheTopViewAddsEditsAndDeletesPointsAndMovesItsCamera) {
    PlaceMainWindow(700, 500);
    ShowLayout(TopViewButton);
    const WindowHandle top = ParallelWindow::GetWindow(0);
    Perform(top, ShowsTop, {{EditTool, LeftClick, 60, 40, 60, 40, PointCount, 1.0}});
    Vec3d world{};
    ParallelWindow::GetCamera(0).ScreenToWorld(60, 40, world);
    EXPECT_DOUBLE_EQ(PositionOf(0).x, world.x);
    EXPECT_DOUBLE_EQ(PositionOf(0).z, world.z);

    CourseData::NewCourse();
    AddPoints({{0, 0, 0}, {400, 0, 300}});
    CourseData::SetHandle(0, CourseData::HandlePoint);
    Perform(top, ShowsTop,
            {
                // x and z apart: by 0.8 * 15 and 0.8 * 5.
                {EditTool, LeftDrag, 300, 200, 315, 195,
                 [] { return PositionOf(0).x + 10 * PositionOf(0).z; }, 0.8 * 15 + 10 * 0.8 * 5},
                {EditTool, LeftDragPastRightClick, 300, 200, 315, 195, PointCount, 0.0},
                {SampleTool, LeftDrag, 300, 200, 300, 203,
                 [] { return double(CourseData::GetSampleNum(0)); }, 3.0},
                {WidthTool, LeftDrag, 300, 200, 300, 205, CourseData::GetWidthScale, 0.5},
                // The picture follows the mouse.
                {CameraMoveTool, LeftDrag, 300, 200, 310, 200,
                 [] { return PannedPixels(ParallelWindow::GetCamera(0)); }, -10.0},
                {CameraZoomTool, LeftDrag, 300, 200, 300, 190,
                 [] { return ParallelWindow::GetCamera(0).GetZoom(); }, 0.1},
            });
    Vec3d point{};
    ParallelWindow::GetCamera(0).WorldToScreen(PositionOf(0), point);
    const int x = static_cast<int>(point.x);
    const int y = static_cast<int>(point.y);
    Perform(top, ShowsTop, {{EditTool, RightClick, x, y, x, y, PointCount, -1.0}});

    // Only here are the side and front views told apart.
    EXPECT_EQ(ParallelWindow::GetCamera(1).GetState(), CameraControl::Side);
    EXPECT_EQ(ParallelWindow::GetCamera(2).GetState(), CameraControl::Front);
}

// On a straight course of two points 100 apart along z, point 0 selected.
TEST_F(ViewWindowTest, TheExpandedViewsEditSelectAndFreeHandlesAndPanAlongTheCourse) {
    PlaceMainWindow(700, 500);
    AddPoints({{0, 0, 0}, {0, 0, 100}});
    CourseData::SetHandle(0, CourseData::HandlePoint);
    CourseData::SetTangent(0, 0.0, 40.0, 100.0, 1, 1, 1);
    ShowLayout(HeightLayoutButton);
    const DevelopedCourse::Pixel ahead = DevelopedCourse::Project(
        ExpandWindow::GetCamera(ExpandSide), DevelopedCourse::HeightHandle(0, 0.0).ahead);
    Perform(ExpandWindow::GetWindow(ExpandSide), ShowsExpand<ExpandSide>,
            {
                // A right press on the height handle frees its y tangent.
                {EditTool, RightClick, ahead.x, ahead.y, ahead.x, ahead.y,
                 [] { return double(FixedFlagsOf(0)[1]); }, -1.0},
                // Up raises the point; panning follows the mouse along the course only.
                {EditTool, LeftDrag, 300, 100, 305, 85, [] { return PositionOf(0).y; }, 12.0},
                {CameraMoveTool, LeftDrag, 300, 100, 310, 107,
                 [] { return PannedPixels(ExpandWindow::GetCamera(ExpandSide)); }, -10.0},
            });

    ShowLayout(WidthLayoutButton);
    const WindowHandle top = ExpandWindow::GetWindow(ExpandTop);
    Perform(top, ShowsExpand<ExpandTop>,
            {
                // Right narrows side A, the selected one.
                {EditTool, LeftDrag, 300, 100, 310, 105, [] { return WidthsOf(0)[0]; }, -8.0},
                {CameraMoveTool, LeftDrag, 300, 100, 307, 110,
                 [] { return PannedPixels(ExpandWindow::GetCamera(ExpandTop)); }, 10.0},
            });
    const DevelopedCourse::Pixel sideB =
        ExpandDisp::DevelopPoint(ExpandWindow::GetCamera(ExpandTop), PositionOf(0), 20.0, 20.0, 0.0)
            .sideB;
    const auto selection = [] {
        int32_t index = 0;
        int32_t state = 0;
        CourseData::GetHandle(index, state);
        return 10.0 * index + state + 100.0 * CourseData::GetSide();
    };
    // A click selects side B; one in empty space keeps the selection.
    Perform(top, ShowsExpand<ExpandTop>,
            {
                {EditTool, LeftClick, sideB.x, sideB.y, sideB.x, sideB.y, selection, 100.0},
                {EditTool, LeftClick, 5, 5, 5, 5, selection, 0.0},
            });
    EXPECT_EQ(CourseData::GetPointNum(), 2);
}

// A view placed at its own size keeps its zoom however often; at no size it keeps the
// zoom and paints nothing; at half its width the zoom halves. Placing takes the outer size.
TEST_F(ViewWindowTest, PlacingRescalesTheZoomByTheClientWidth) {
    PlaceMainWindow(700, 500);
    ShowLayout(WidthLayoutButton);
    const WindowHandle window = ExpandWindow::GetWindow(ExpandTop);
    const auto place = [](int width, int height) {
        ExpandWindow::Place(ExpandTop, 91, 0, width, height);
    };
    const auto zoom = [] { return ExpandWindow::GetCamera(ExpandTop).GetZoom(); };
    const platform::Rect client = platform::GetClientRect(window);
    const double before = zoom();
    for (int i = 0; i < 3; ++i) {
        place(client.right + 2, client.bottom + 2); // a frame of one pixel each side
    }
    EXPECT_DOUBLE_EQ(zoom(), before);
    place(0, 0);
    EXPECT_DOUBLE_EQ(zoom(), before);
    platform::SendMessage(window, platform::Message::Paint);
    EXPECT_EQ(platform::GetWindowSurface(window), nullptr);
    place(client.right + 2, client.bottom + 2);
    EXPECT_DOUBLE_EQ(zoom(), before);
    place(client.right / 2 + 2, client.bottom + 2);
    EXPECT_DOUBLE_EQ(zoom(), before * (client.right / 2) / client.right);
}

// On three points of which point 1 has roll 0 and slope 3 and is selected. At the least
// zoom the roll point sits at the centre and the handle's end 30 pixels above a base 6
// pixels right of it; a grip holds for later drags anywhere, and only up and down count.
TEST_F(ViewWindowTest, TheDialTurnsTheRollOrChangesTheSlopeByWhatWasGripped) {
    PlaceMainWindow(800, 600);
    AddPoints({{0, 0, 0}, {100, 0, 0}, {200, 0, 0}});
    CourseData::SetRollTangent(1, 3.0, 1);
    CourseData::SetHandle(1, CourseData::HandlePoint);
    ShowLayout(RollLayoutButton);
    const WindowHandle view = SpPointWindow::GetWindow(0);
    PressPanelButton(CameraZoomTool);
    Drag(view, 5, 5, 5, 3005); // down to the camera's least zoom, 0.01
    const auto roll = [] {
        double roll = 0.0;
        CourseData::GetRoll(1, roll);
        return roll;
    };
    const auto slope = [] {
        double slope = 0.0;
        CourseData::GetRollTangent(1, slope);
        return slope;
    };
    const platform::Rect client = platform::GetClientRect(view);
    const int x = client.right / 2;
    const int y = client.bottom / 2;
    Perform(view, ShowsDial<SpPointDisp::GripHandle>,
            {
                {EditTool, LeftClick, x + 6, y - 30, x + 6, y - 30, slope, 0.0},
                {EditTool, LeftDrag, 10, 40, 60, 30, slope, 0.1},
                {EditTool, LeftDrag, 5, 5, 90, 5, slope, 0.0},
            });
    Perform(view, ShowsDial<SpPointDisp::GripRoll>,
            {
                {EditTool, LeftClick, x, y, x, y, roll, 0.0},
                {EditTool, LeftDrag, 5, 5, 5, 15, roll, 0.1},
            });
}

// The perspective tests: the texture in the start directory, the height layout on a
// straight road of three points along z whose camera sits at its start.
class PerspecWindowTest : public ViewWindowTest {
protected:
    void BeforeStart() override {
        std::filesystem::copy_file(VELMORA_SOURCE_DIR "/resources/Texture.bmp",
                                   dir.Path() / "Texture.bmp");
    }
    void SetUp() override {
        ViewWindowTest::SetUp();
        PlaceMainWindow(800, 600);
        AddPoints({{0, 0, 0}, {0, 0, 300}, {0, 0, 600}});
        ShowLayout(HeightLayoutButton);
    }
};

// 200 pixels of upward drag make one segment. Nothing refreshes hidden views, so the
// picture is made anew when the view is shown.
TEST_F(PerspecWindowTest, DragsMoveTheCameraAndEditsMadeWhileHiddenShowWhenTheViewComesBack) {
    Perform(PerspecWindow::GetWindow(), [] { return ShowsPerspective(PerspecDisp::Wireframe); },
            {
                {EditTool, LeftDrag, 50, 150, 50, 50, PerspectiveCameraPlace, 0.5},
                {EditTool, LeftDrag, 50, 150, 50, 170, PerspectiveCameraPlace, -0.1},
            });
    ShowLayout(ShapeLayoutButton);
    CourseData::SetPosition(1, -120, 0, 300);
    WinMain::RefreshShownViews();
    ShowLayout(RollLayoutButton);
    EXPECT_TRUE(ShowsPerspective(PerspecDisp::Wireframe));
}

TEST_F(PerspecWindowTest, TheButtonBarChoosesWireframeOrTexture) {
    const WindowHandle view = PerspecWindow::GetWindow();
    const platform::Rect bar = platform::GetWindowRect(PerspecButton::GetBar());
    EXPECT_EQ(bar.bottom - bar.top, Bar);
    EXPECT_EQ(bar.right - bar.left,
              platform::GetWindowRect(view).right - platform::GetWindowRect(view).left);
    const WindowHandle wire = PerspecButton::GetButton(PerspecButton::WireframeButton);
    const WindowHandle texture = PerspecButton::GetButton(PerspecButton::TextureButton);
    EXPECT_EQ(PerspecButton::GetMode(), PerspecButton::WireframeButton);
    EXPECT_EQ(DrawButton::GetLevel(wire), 1);
    EXPECT_EQ(DrawButton::GetLevel(texture), 0);

    PressBarButton(PerspecButton::TextureButton);
    EXPECT_EQ(PerspecButton::GetMode(), PerspecButton::TextureButton);
    EXPECT_EQ(DrawButton::GetLevel(wire), 0);
    EXPECT_EQ(DrawButton::GetLevel(texture), 1);
    EXPECT_TRUE(ShowsPerspective(PerspecDisp::Textured));

    // The current button again stays pressed, and the views are drawn anew.
    const_cast<platform::Surface*>(platform::GetWindowSurface(view))
        ->SetPixel(1, Bar + 1, platform::Rgb15(255, 0, 255));
    PressBarButton(PerspecButton::TextureButton);
    EXPECT_EQ(DrawButton::GetLevel(texture), 1);
    EXPECT_TRUE(ShowsPerspective(PerspecDisp::Textured));

    // Only a press chooses: the release, enter and leave notifications do not.
    for (unsigned notification : {1u, 2u, 3u}) {
        platform::MessageArgs args;
        args.code = PerspecButton::WireframeButton | (notification << 16);
        platform::SendMessage(PerspecButton::GetBar(), Message::Command, args);
    }
    EXPECT_EQ(PerspecButton::GetMode(), PerspecButton::TextureButton);
}

// The texture engine refuses edge tables of no lines by ending the program, so the sizes
// are tried in a child process that must live to its own exit code.
TEST_F(PerspecWindowTest, AWindowOfNoSizeDrawsNothingAndTheSurfaceWidthIsAMultipleOfFour) {
    PressBarButton(PerspecButton::TextureButton);
    EXPECT_EXIT(
        {
            PerspecWindow::Move(400, 20, 2, 90);
            PerspecWindow::Move(400, 20, 90, 2);
            platform::SendMessage(PerspecWindow::GetWindow(), Message::Size,
                                  platform::MessageArgs{});
            PerspecWindow::Redraw();
            platform::ProcessPendingEvents();
            std::filesystem::remove_all(dir.Path()); // the child's own start directory
            std::_Exit(7);
        },
        ::testing::ExitedWithCode(7), "");
    // The frame takes a pixel on each side, and the surface is as wide as the client area
    // rounded up to a multiple of four: outer widths 103 and 102 leave 101 and 100.
    PerspecWindow::Move(400, 20, 103, 90);
    EXPECT_EQ(PerspectiveSurfaceWidth(), 104);
    EXPECT_TRUE(ShowsPerspective(PerspecDisp::Textured));
    PerspecWindow::Move(400, 20, 102, 90);
    EXPECT_EQ(PerspectiveSurfaceWidth(), 100);
}
