#include "render/CameraControl.h"
#include "support/CourseTest.h"
#include "views/DevelopedCourse.h"
#include "views/DispControl.h"
#include "views/ExpandDisp.h"

#include <gtest/gtest.h>

using platform::Colour15;
using platform::Rgb15;

namespace {

constexpr Colour15 Background = Rgb15(144, 144, 144);
constexpr Colour15 Grid = Rgb15(96, 96, 96);
constexpr Colour15 Cross = Rgb15(120, 120, 120);
constexpr Colour15 Edge = Rgb15(200, 200, 200);
constexpr Colour15 Centre = Rgb15(0, 200, 0);
constexpr Colour15 Red = Rgb15(255, 0, 0);
constexpr Colour15 AutoFill = Rgb15(0, 255, 0);
constexpr Colour15 Blue = Rgb15(0, 0, 255);
constexpr Colour15 Yellow = Rgb15(255, 255, 0);
constexpr Colour15 Teal = Rgb15(0, 200, 200);

// A view 200 x 160 at zoom 1 looking at the developed origin: the world point (w, y, s)
// lies at (100 + w, 80 - s) in the top view and at (100 + s, 80 - y) in the side view.
class ExpandDispTest : public CourseTest {
protected:
    void SetUp() override {
        CourseTest::SetUp();
        DispControl::CreateDrawObjects();
        UseCamera(CameraControl::Top);
    }
    void TearDown() override {
        DispControl::DeleteDrawObjects();
        CourseTest::TearDown();
    }

    void UseCamera(int32_t state, double zoom = 1.0, double along = 0.0) {
        camera.Reset();
        camera.SetState(state);
        camera.SetScreen(200, 160);
        camera.SetZoom(zoom);
        camera.Move(0.0, 0.0, along);
    }

    Colour15 At(int x, int y) const { return camera.GetSurface()->GetSurface()->Pixel(x, y); }
    // Inside a marker, clear of a bitmap stamped with its corner on the marker's centre.
    Colour15 MarkerAt(int x, int y) const { return At(x - 1, y - 1); }

    int Count(Colour15 colour) const {
        int count = 0;
        for (int y = 0; y < 160; ++y) {
            for (int x = 0; x < 200; ++x) {
                count += At(x, y) == colour ? 1 : 0;
            }
        }
        return count;
    }

    CameraControl camera{};
};

void ExpectFound(const ExpandDisp::Found& found, int index, int side, int end) {
    EXPECT_EQ(found.index, index);
    EXPECT_EQ(found.side, side);
    EXPECT_EQ(found.end, end);
}

} // namespace

TEST_F(ExpandDispTest, TheTopViewMeasuresInSpaceAndTheSideViewAlongTheGround) {
    AddPoints({{0, 0, 0}, {0, 60, 80}});
    CourseData::SetHandle(-1, 0);
    EXPECT_NEAR(DevelopedCourse::AlongAfter(0, 0.0, DevelopedCourse::InSpace), 100.0, 1e-9);
    EXPECT_NEAR(DevelopedCourse::AlongAfter(0, 0.0, DevelopedCourse::OnGround), 80.0, 1e-9);

    UseCamera(CameraControl::Top, 1.0, 50.0);
    ExpandDisp::Draw(camera);
    EXPECT_EQ(MarkerAt(80, 130), AutoFill); // point 0, side A
    EXPECT_EQ(MarkerAt(120, 30), AutoFill); // point 1, side B at s = 100
    EXPECT_NE(MarkerAt(120, 50), AutoFill);

    UseCamera(CameraControl::Side, 1.0, 50.0);
    ExpandDisp::Draw(camera);
    EXPECT_EQ(MarkerAt(50, 80), AutoFill);  // point 0 at height 0
    EXPECT_EQ(MarkerAt(130, 20), AutoFill); // point 1 at s = 80, height 60
    EXPECT_EQ(MarkerAt(150, 20), Background);
}

TEST_F(ExpandDispTest, ALoopShowsPointZeroAtBothEnds) {
    AddPoints({{0, 0, 0}, {0, 0, 100}, {100, 0, 100}});
    const double open = DevelopedCourse::AlongAfter(0, 0.0, DevelopedCourse::OnGround);
    CourseData::SetLoop(1);
    CourseData::SetHandle(-1, 0);
    double length = 0.0;
    for (int segment = 0; segment < 3; ++segment) {
        length = DevelopedCourse::AlongAfter(segment, length, DevelopedCourse::OnGround);
    }
    EXPECT_GT(length, open);
    const double zoom = 0.4;
    UseCamera(CameraControl::Side, zoom, length / 2);
    ExpandDisp::Draw(camera);
    const int start = 100 + static_cast<int>(-length / 2 * zoom);
    const int end = 100 + static_cast<int>(length / 2 * zoom);
    EXPECT_EQ(MarkerAt(start, 80), AutoFill);
    EXPECT_EQ(MarkerAt(end, 80), AutoFill);

    // The top view ends on point 0's edges too; they take point 0's tangent property.
    CourseData::SetWidthTangent(0, 0.0, 0.0, 1, 0);
    double spatial = 0.0;
    for (int segment = 0; segment < 3; ++segment) {
        spatial = DevelopedCourse::AlongAfter(segment, spatial, DevelopedCourse::InSpace);
    }
    UseCamera(CameraControl::Top, zoom, spatial / 2);
    ExpandDisp::Draw(camera);
    const int first = 80 - static_cast<int>(-spatial / 2 * zoom);
    const int last = 80 - static_cast<int>(spatial / 2 * zoom);
    EXPECT_EQ(MarkerAt(100 - 8, first), Blue);
    EXPECT_EQ(MarkerAt(100 - 8, last), Blue);
    EXPECT_EQ(MarkerAt(100 + 8, last), AutoFill);
}

TEST_F(ExpandDispTest, TheStripShowsItsEdgesCentreAndCrossLines) {
    AddPoints({{0, 0, 0}, {0, 0, 110}});
    CourseData::SetWidth(0, 20.0, 30.0);
    CourseData::SetWidth(1, 20.0, 30.0);
    CourseData::SetHandle(-1, 0);
    UseCamera(CameraControl::Top, 1.0, 55.0);
    ExpandDisp::Draw(camera);
    // Point 0 at y = 135, point 1 at y = 25; eleven steps, a cross line at each and at
    // the start.
    EXPECT_EQ(At(80, 130), Edge);
    EXPECT_EQ(At(130, 130), Edge);
    EXPECT_EQ(At(100, 130), Centre);
    EXPECT_EQ(At(90, 130), Background);
    EXPECT_EQ(At(75, 130), Background);
    EXPECT_EQ(At(135, 130), Background);
    for (int x : {90, 120}) {
        int crossings = 0;
        for (int y = 0; y < 160; ++y) {
            crossings += At(x, y) == Cross ? 1 : 0;
        }
        EXPECT_EQ(crossings, 12) << x;
    }

    CourseData::SetHandle(0, 0);
    ExpandDisp::Draw(camera);
    EXPECT_EQ(At(100, 130), Red);
}

TEST_F(ExpandDispTest, WidthHandleEndsLie40UnitsAlongAndMoveSidewaysWithTheHandle) {
    AddPoints({{0, 0, 0}, {0, 0, 400}});
    CourseData::SetWidthTangent(0, 5.0, 10.0, 1, 1);
    CourseData::SetHandle(0, CourseData::HandleForward);
    CourseData::SetSide(1);
    ExpandDisp::Draw(camera);
    // Side B: ends at (20 + 10, +40) and (20 - 10, -40).
    EXPECT_EQ(MarkerAt(130, 40), Yellow);
    EXPECT_EQ(MarkerAt(110, 120), Yellow);
    EXPECT_EQ(At(115, 100), Yellow); // on the handle line
    EXPECT_EQ(MarkerAt(120, 80), Red);
    EXPECT_EQ(MarkerAt(80, 80), Blue);

    CourseData::SetSide(0);
    ExpandDisp::Draw(camera);
    // Side A mirrored: (-20 - 5, +40) and (-20 + 5, -40).
    EXPECT_EQ(MarkerAt(75, 40), Yellow);
    EXPECT_EQ(MarkerAt(85, 120), Yellow);
    EXPECT_EQ(MarkerAt(130, 40), Background);
    EXPECT_EQ(MarkerAt(80, 80), Red);
    EXPECT_EQ(MarkerAt(120, 80), Blue);
}

TEST_F(ExpandDispTest, TheProfileDotsEachStepAndShowsThePointsZTangentProperty) {
    AddPoints({{0, 0, 0}, {0, 0, 80}, {0, 0, 160}});
    CourseData::SetHandle(0, 0);
    CourseData::ChangeSampleNum(3 - CourseData::GetSampleNum(0)); // four steps of 20
    CourseData::SetTangent(2, 0.0, 0.0, 80.0, 0, 0, 1);           // fixed, still straight
    CourseData::SetHandle(-1, 0);
    UseCamera(CameraControl::Side, 1.0, 80.0);
    ExpandDisp::Draw(camera);
    for (int x : {40, 60, 80}) {
        EXPECT_EQ(At(x - 1, 79), Teal) << x;
        EXPECT_EQ(At(x - 5, 79), Background) << x;
    }
    EXPECT_EQ(At(30, 80), Centre);
    EXPECT_EQ(MarkerAt(20, 80), AutoFill); // point 0
    EXPECT_EQ(MarkerAt(100, 80), AutoFill);
    EXPECT_EQ(MarkerAt(180, 80), Blue); // the last point: z tangent fixed
}

TEST_F(ExpandDispTest, TheHeightHandleLiesAlongTheCourseAndShowsAtTheFarEndToo) {
    AddPoints({{0, 0, 0}, {0, 0, 100}});
    CourseData::SetTangent(0, 30.0, 100.0, 40.0, 1, 1, 1);
    CourseData::SetHandle(0, CourseData::HandleBackward);
    UseCamera(CameraControl::Side);
    ExpandDisp::Draw(camera);
    // L = 0.3 |(30, 40)| = 15 along the course, 0.3 · 100 = 30 up.
    EXPECT_EQ(MarkerAt(115, 50), Yellow);
    EXPECT_EQ(MarkerAt(85, 110), Yellow);
    EXPECT_EQ(At(93, 95), Yellow); // on the line from (85, 110) to (115, 50)
    EXPECT_EQ(MarkerAt(100, 80), Red);

    // A selected last point has its handle at the far end.
    CourseData::SetTangent(1, 0.0, 100.0, 0.0, 1, 1, 1);
    CourseData::SetHandle(1, CourseData::HandleForward);
    const double length = DevelopedCourse::AlongAfter(0, 0.0, DevelopedCourse::OnGround);
    UseCamera(CameraControl::Side, 1.0, length);
    ExpandDisp::Draw(camera);
    EXPECT_EQ(MarkerAt(100, 80), Red);
    EXPECT_EQ(MarkerAt(100, 50), Yellow);
    EXPECT_EQ(MarkerAt(100, 110), Yellow);
}

TEST_F(ExpandDispTest, AOnePointCourseShowsOnlyTheGridOrTheZeroHeightLine) {
    AddPoints({{0, 0, 0}});
    ExpandDisp::Draw(camera);
    // One vertical line at x = 0 and one horizontal line at z = 0 fall on the view.
    EXPECT_EQ(Count(Grid), 160 + 200 - 1);
    EXPECT_EQ(Count(Background), 200 * 160 - Count(Grid));
    EXPECT_EQ(At(100, 3), Grid);
    EXPECT_EQ(At(3, 80), Grid);

    UseCamera(CameraControl::Side);
    ExpandDisp::Draw(camera);
    EXPECT_EQ(Count(Grid), 200);
    EXPECT_EQ(At(0, 80), Grid);
    EXPECT_EQ(Count(Background), 200 * 160 - 200);
}

TEST_F(ExpandDispTest, FindMatchesEdgesAndTheSelectedSidesHandleEnds) {
    AddPoints({{0, 0, 0}, {0, 0, 60}});
    CourseData::SetHandle(-1, 0);
    ExpectFound(ExpandDisp::Find(camera, 80, 80), 0, ExpandDisp::SideA, ExpandDisp::NoEnd);
    ExpectFound(ExpandDisp::Find(camera, 122, 78), 0, ExpandDisp::SideB, ExpandDisp::NoEnd);
    ExpectFound(ExpandDisp::Find(camera, 123, 80), -1, ExpandDisp::NoSide, ExpandDisp::NoEnd);
    ExpectFound(ExpandDisp::Find(camera, 100, 120), -1, ExpandDisp::NoSide, ExpandDisp::NoEnd);
    // The last point of an open course is drawn but never matched.
    ExpectFound(ExpandDisp::Find(camera, 80, 20), -1, ExpandDisp::NoSide, ExpandDisp::NoEnd);
    CourseData::SetLoop(1);
    ExpectFound(ExpandDisp::Find(camera, 80, 20), 1, ExpandDisp::SideA, ExpandDisp::NoEnd);
    CourseData::SetLoop(0);

    // Handle ends only for the selected point, and only those of the selected side.
    EXPECT_EQ(ExpandDisp::Find(camera, 120, 40).index, -1);
    CourseData::SetHandle(0, 0);
    CourseData::SetSide(1);
    ExpectFound(ExpandDisp::Find(camera, 120, 40), 0, ExpandDisp::SideB, ExpandDisp::EndAhead);
    ExpectFound(ExpandDisp::Find(camera, 120, 120), 0, ExpandDisp::SideB, ExpandDisp::EndBehind);
    EXPECT_EQ(ExpandDisp::Find(camera, 80, 40).index, -1);
    CourseData::SetSide(0);
    ExpectFound(ExpandDisp::Find(camera, 80, 40), 0, ExpandDisp::SideA, ExpandDisp::EndAhead);
}

TEST_F(ExpandDispTest, FindInTheProfileTriesTheHandleBeforeThePoints) {
    AddPoints({{0, 0, 0}, {0, 10, 50}, {0, 0, 100}});
    CourseData::SetTangent(1, 0.0, 0.0, 0.0, 1, 1, 1);
    CourseData::SetHandle(-1, 0);
    UseCamera(CameraControl::Side);
    ExpectFound(ExpandDisp::Find(camera, 150, 70), 1, ExpandDisp::NoSide, ExpandDisp::NoEnd);
    ExpectFound(ExpandDisp::Find(camera, 100, 80), 0, ExpandDisp::NoSide, ExpandDisp::NoEnd);
    ExpectFound(ExpandDisp::Find(camera, 120, 80), -1, ExpandDisp::NoSide, ExpandDisp::NoEnd);
    // A zero handle puts both ends on the point: the ahead end wins.
    CourseData::SetHandle(1, 0);
    ExpectFound(ExpandDisp::Find(camera, 150, 70), 1, ExpandDisp::NoSide, ExpandDisp::EndAhead);

    CourseData::NewCourse();
    AddPoints({{0, 0, 0}});
    EXPECT_EQ(ExpandDisp::Find(camera, 100, 80).index, -1);
}

TEST_F(ExpandDispTest, AViewWithoutSurfaceDrawsNothingAndFarPointsDoNotWrap) {
    AddPoints({{0, 0, 0}, {0, 0, 100}});
    camera.SetScreen(0, 0);
    ExpandDisp::Draw(camera);
    EXPECT_EQ(camera.GetSurface(), nullptr);

    // Edges 1e10 pixels out: the cross line still runs across the whole view.
    UseCamera(CameraControl::Top, 300.0);
    CourseData::SetWidth(0, 1e7, 1e7);
    ExpandDisp::Draw(camera);
    for (int x : {0, 1, 50, 150, 199}) {
        EXPECT_EQ(At(x, 80), Cross) << x;
    }
}
