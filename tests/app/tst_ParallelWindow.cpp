#include "app/ButtonControl.h"
#include "app/ParallelWindow.h"
#include "platform/Application.h"
#include "support/CourseTest.h"
#include "support/DesignerFixture.h"
#include "views/ParallelDisp.h"

#include <QTest>

using namespace ButtonControl;
using platform::Message;

namespace {

// The designer with the top view filling the area right of the tool panel.
class ParallelWindowTest : public DesignerTest {
protected:
    void SetUp() override {
        DesignerTest::SetUp();
        PlaceMainWindow(700, 500);
        ShowLayout(TopViewButton);
        top = ParallelWindow::GetWindow(0);
    }

    // The layout shows the views with the perspective camera's place.
    bool ShowsCourse() const {
        return ShowsView(top, ParallelWindow::GetCamera(0),
                         [](CameraControl& camera) { ParallelDisp::Draw(camera, 1); });
    }

    platform::WindowHandle top = 0;
};

double CameraXInPixels() {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    double zoom = 0.0;
    ParallelWindow::GetCamera(0).GetCamera(x, y, z, zoom);
    return x * zoom;
}

} // namespace

TEST_F(ParallelWindowTest, AClickAddsAPointUnderTheMouse) {
    QTest::mouseClick(HostOf(top), Qt::LeftButton, {}, QPoint(61, 41)); // inside the frame
    platform::ProcessPendingEvents();
    ASSERT_EQ(CourseData::GetPointNum(), 1);
    Vec3d world{};
    ParallelWindow::GetCamera(0).ScreenToWorld(60, 40, world);
    EXPECT_DOUBLE_EQ(PositionOf(0).x, world.x);
    EXPECT_DOUBLE_EQ(PositionOf(0).z, world.z);
    EXPECT_TRUE(ShowsCourse());
}

// A drag reaches the course or the camera through the panel's current tool, and the views
// show the result at once.
TEST_F(ParallelWindowTest, DragsActWithThePanelsToolAndRedraw) {
    AddPoints({{0, 0, 0}, {400, 0, 300}});
    CourseData::SetHandle(0, CourseData::HandlePoint);
    const struct {
        int tool;
        int dx, dy;
        double (*measure)();
        double change;
    } rows[] = {
        {EditTool, 15, -5, [] { return PositionOf(0).x; }, 0.8 * 15},
        {EditTool, 15, -5, [] { return PositionOf(0).z; }, 0.8 * 5},
        {SampleTool, 0, 3, [] { return double(CourseData::GetSampleNum(0)); }, 3.0},
        {WidthTool, 0, 5, [] { return CourseData::GetWidthScale(); }, 0.5},
        {CameraMoveTool, 10, 0, CameraXInPixels, -10.0}, // the picture follows the mouse
        {CameraZoomTool, 0, -10, [] { return ParallelWindow::GetCamera(0).GetZoom(); }, 0.1},
    };
    for (const auto& row : rows) {
        PressPanelButton(row.tool);
        const double before = row.measure();
        Drag(top, 300, 200, 300 + row.dx, 200 + row.dy);
        EXPECT_NEAR(row.measure() - before, row.change, 1e-9) << row.tool;
        EXPECT_TRUE(ShowsCourse()) << row.tool;
    }

    PressPanelButton(EditTool);
    Vec3d point{};
    ParallelWindow::GetCamera(0).WorldToScreen(PositionOf(0), point);
    Send(top, Message::RightDown, static_cast<int>(point.x), static_cast<int>(point.y));
    Send(top, Message::RightUp, static_cast<int>(point.x), static_cast<int>(point.y));
    EXPECT_EQ(CourseData::GetPointNum(), 1);
    EXPECT_TRUE(ShowsCourse());
}

// The drags prove the top view; the side and front views are told apart only here.
TEST_F(ParallelWindowTest, TheOtherViewsLookFromTheSideAndFromTheFront) {
    EXPECT_EQ(ParallelWindow::GetCamera(1).GetState(), CameraControl::Side);
    EXPECT_EQ(ParallelWindow::GetCamera(2).GetState(), CameraControl::Front);
}
