#include "support/ViewFixture.h"
#include "views/ExpandDisp.h"

#include <gtest/gtest.h>
#include <span>

namespace {

using enum ExpandDisp::SideCode;
using enum ExpandDisp::HandleEnd;

// What the course's editing state is for a row, and what Find answers at (x, y).
struct FindRow {
    int32_t selected, side, loop;
    int x, y;
    int index, sideCode, end;
};

void ExpectFindRows(const CameraControl& camera, std::span<const FindRow> rows) {
    for (const FindRow& r : rows) {
        CourseData::SetHandle(r.selected, CourseData::HandlePoint);
        CourseData::SetSide(r.side);
        CourseData::SetLoop(r.loop);
        const ExpandDisp::Found found = ExpandDisp::Find(camera, r.x, r.y);
        EXPECT_EQ(found.index, r.index) << r.x << ", " << r.y << " selected " << r.selected;
        EXPECT_EQ(found.side, r.sideCode) << r.x << ", " << r.y << " selected " << r.selected;
        EXPECT_EQ(found.end, r.end) << r.x << ", " << r.y << " selected " << r.selected;
    }
}

} // namespace

using ExpandDispTest = ViewTest;

// Views 200 x 160 at zoom 1 on the developed origin: the developed point (w, y, s) lies at
// (100 + w, 80 - s) in the top view and at (100 + s, 80 - y) in the side view. Two points 60
// apart with widths 20: point 0's edges at (80, 80) and (120, 80), point 1's at (80, 20) and
// (120, 20); the width handle's ends lie 40 ahead and behind along s. The last point of an open
// course is drawn but never matched; handle ends only of the selected point and side are.
TEST_F(ExpandDispTest, TheTopViewMatchesEdgesThenTheSelectedSidesHandleEnds) {
    AddPoints({{0, 0, 0}, {0, 0, 60}});
    const FindRow rows[] = {
        {-1, 0, 0, 80, 80, 0, SideA, NoEnd},      {-1, 0, 0, 122, 78, 0, SideB, NoEnd},
        {-1, 0, 0, 123, 80, -1, NoSide, NoEnd},   {-1, 0, 0, 100, 120, -1, NoSide, NoEnd},
        {-1, 0, 0, 80, 20, -1, NoSide, NoEnd},    {-1, 0, 1, 80, 20, 1, SideA, NoEnd},
        {-1, 1, 0, 120, 40, -1, NoSide, NoEnd},   {0, 1, 0, 120, 40, 0, SideB, EndAhead},
        {0, 1, 0, 120, 120, 0, SideB, EndBehind}, {0, 1, 0, 80, 40, -1, NoSide, NoEnd},
        {0, 0, 0, 80, 40, 0, SideA, EndAhead}};
    ExpectFindRows(MakeViewCamera(CameraControl::Top, 200, 160), rows);

    // Along a climbing course a point lies as far along as its samples lie apart in space.
    CourseData::NewCourse();
    AddPoints({{0, 0, 0}, {0, 45, 60}, {0, 45, 120}});
    const double along = DevelopedCourse::AlongAfter(0, 0.0, DevelopedCourse::InSpace);
    ASSERT_GT(along, 70.0);
    const FindRow climbing[] = {{-1, 0, 0, 80, 80 - static_cast<int>(along), 1, SideA, NoEnd}};
    ExpectFindRows(MakeViewCamera(CameraControl::Top, 200, 160), climbing);
}

// Point 1 lies 50 along the ground at height 10, at (150, 70); its handle is of no length, so
// both ends lie on the point and the end ahead wins.
TEST_F(ExpandDispTest, TheSideViewMatchesTheSelectedHeightHandleBeforeThePoints) {
    AddPoints({{0, 0, 0}, {0, 10, 50}, {0, 0, 100}});
    CourseData::SetTangent(1, 0.0, 0.0, 0.0, 1, 1, 1);
    const CameraControl side = MakeViewCamera(CameraControl::Side, 200, 160);
    const FindRow rows[] = {{-1, 1, 0, 150, 70, 1, NoSide, NoEnd},
                            {-1, 1, 0, 100, 80, 0, NoSide, NoEnd},
                            {-1, 1, 0, 120, 80, -1, NoSide, NoEnd},
                            {1, 1, 0, 150, 70, 1, NoSide, EndAhead}};
    ExpectFindRows(side, rows);
    CourseData::NewCourse();
    AddPoints({{0, 0, 0}});
    EXPECT_EQ(ExpandDisp::Find(side, 100, 80).index, -1);
}
