#include "app/ButtonControl.h"
#include "app/ExpandWindow.h"
#include "platform/Application.h"
#include "support/CourseTest.h"
#include "support/DesignerFixture.h"
#include "views/ExpandDisp.h"

#include <QTest>

using namespace ButtonControl;
using ExpandWindow::ExpandSide;
using ExpandWindow::ExpandTop;
using platform::Message;

namespace {

// The designer at 700 x 500 with a straight course of two points 100 apart along z.
class ExpandWindowTest : public DesignerTest {
protected:
    void SetUp() override {
        DesignerTest::SetUp();
        PlaceMainWindow(700, 500);
        AddPoints({{0, 0, 0}, {0, 0, 100}});
    }
};

bool ShowsCourse(int view) {
    return ShowsView(ExpandWindow::GetWindow(view), ExpandWindow::GetCamera(view),
                     [](CameraControl& camera) { ExpandDisp::Draw(camera); });
}

template <int View> double CameraZInPixels() {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    double zoom = 0.0;
    ExpandWindow::GetCamera(View).GetCamera(x, y, z, zoom);
    return z * zoom;
}

std::array<int, 2> Selection() {
    int32_t index = 0;
    int32_t state = 0;
    CourseData::GetHandle(index, state);
    return {index, state};
}

} // namespace

// A drag reaches the course or the camera through the panel's current tool, and the view
// shows the result at once.
TEST_F(ExpandWindowTest, DragsActWithThePanelsToolAndRedraw) {
    CourseData::SetHandle(0, CourseData::HandlePoint);
    const struct {
        int layout, view, tool;
        int dx, dy;
        double (*measure)();
        double change;
    } rows[] = {
        // Up raises the point; right narrows side A, the selected one.
        {HeightLayoutButton, ExpandSide, EditTool, 5, -15, [] { return PositionOf(0).y; }, 12.0},
        {WidthLayoutButton, ExpandTop, EditTool, 10, 5, [] { return WidthsOf(0)[0]; }, -8.0},
        // Panning follows the mouse along the course only.
        {HeightLayoutButton, ExpandSide, CameraMoveTool, 10, 7, CameraZInPixels<ExpandSide>, -10},
        {WidthLayoutButton, ExpandTop, CameraMoveTool, 7, 10, CameraZInPixels<ExpandTop>, 10},
    };
    for (const auto& row : rows) {
        ShowLayout(row.layout);
        PressPanelButton(row.tool);
        const double before = row.measure();
        Drag(ExpandWindow::GetWindow(row.view), 300, 100, 300 + row.dx, 100 + row.dy);
        EXPECT_NEAR(row.measure() - before, row.change, 1e-9) << row.view << " " << row.tool;
        EXPECT_TRUE(ShowsCourse(row.view)) << row.view << " " << row.tool;
    }
}

TEST_F(ExpandWindowTest, AClickInTheTopViewSelectsASideAndEmptySpaceSelectsNothing) {
    ShowLayout(WidthLayoutButton);
    const platform::WindowHandle top = ExpandWindow::GetWindow(ExpandTop);
    const DevelopedCourse::Pixel sideB =
        ExpandDisp::DevelopPoint(ExpandWindow::GetCamera(ExpandTop), PositionOf(0), 20.0, 20.0, 0.0)
            .sideB;
    QTest::mouseClick(HostOf(top), Qt::LeftButton, {}, QPoint(sideB.x + 1, sideB.y + 1)); // framed
    platform::ProcessPendingEvents();
    EXPECT_EQ(Selection(), (std::array<int, 2>{0, CourseData::HandlePoint}));
    EXPECT_EQ(CourseData::GetSide(), 1);
    EXPECT_TRUE(ShowsCourse(ExpandTop));

    Click(top, 5, 5);
    EXPECT_EQ(Selection(), (std::array<int, 2>{0, CourseData::HandlePoint}));
    EXPECT_EQ(CourseData::GetPointNum(), 2);
}

TEST_F(ExpandWindowTest, ARightPressOnTheHeightHandleFreesItsYTangent) {
    ShowLayout(HeightLayoutButton);
    CourseData::SetTangent(0, 0.0, 40.0, 100.0, 1, 1, 1);
    CourseData::SetHandle(0, CourseData::HandlePoint);
    const DevelopedCourse::Pixel ahead = DevelopedCourse::Project(
        ExpandWindow::GetCamera(ExpandSide), DevelopedCourse::HeightHandle(0, 0.0).ahead);
    const platform::WindowHandle side = ExpandWindow::GetWindow(ExpandSide);
    Send(side, Message::RightDown, ahead.x, ahead.y);
    Send(side, Message::RightUp, ahead.x, ahead.y);
    EXPECT_EQ(FixedFlagsOf(0), (std::array<int32_t, 3>{1, 0, 1}));
    EXPECT_TRUE(ShowsCourse(ExpandSide));
}

// A view placed at its own size keeps its zoom however often; at no size it keeps the
// zoom and paints nothing; at half its width the zoom halves. Placing takes the outer size.
TEST_F(ExpandWindowTest, PlacingRescalesTheZoomByTheClientWidth) {
    ShowLayout(WidthLayoutButton);
    const platform::WindowHandle window = ExpandWindow::GetWindow(ExpandTop);
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
