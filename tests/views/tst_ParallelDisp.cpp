#include "support/ViewFixture.h"
#include "views/ExpandDisp.h"
#include "views/ParallelDisp.h"

#include <tuple>

using ParallelDispTest = ViewTest;

// A top view 200 x 150 at zoom 1 centred on the origin: the world point (x, 0, z) lies at
// (100 + x, 75 - z). The mouse hits what lies within a 5 x 5 square about it. Points 2 and 3
// overlap; point 1 is selected, its handle ends 30 units ahead and behind it along z.
TEST_F(ParallelDispTest, HitTestsFindTheFirstPointThenTheSelectedPointsHandleEnds) {
    AddPoints({{-60, 0, 0}, {0, 0, 0}, {60, 0, 0}, {62, 0, 0}});
    CourseData::SetTangent(1, 0, 0, 100, 1, 1, 1);
    CourseData::SetHandle(1, CourseData::HandlePoint);
    const CameraControl camera = MakeViewCamera(CameraControl::Top, 200, 150);
    // The mouse, and the point and handle end found there; at (161, 75) and (164, 75) both
    // points 2 and 3 lie under it.
    const int ahead = CourseData::HandleForward;
    const int behind = CourseData::HandleBackward;
    const std::tuple<int, int, int, int> rows[] = {
        {40, 75, 0, -1},  {102, 73, 1, -1},     {98, 77, 1, -1},       {103, 75, -1, -1},
        {97, 75, -1, -1}, {100, 72, -1, -1},    {100, 78, -1, -1},     {161, 75, 2, -1},
        {164, 75, 3, -1}, {100, 45, -1, ahead}, {101, 104, -1, behind}};
    for (const auto& [x, y, point, handle] : rows) {
        EXPECT_EQ(ParallelDisp::FindPoint(camera, x, y), point) << x << ", " << y;
        EXPECT_EQ(ParallelDisp::FindHandle(camera, x, y), handle) << x << ", " << y;
    }
    CourseData::SetHandle(-1, CourseData::HandlePoint);
    EXPECT_EQ(ParallelDisp::FindHandle(camera, 100, 45), -1);

    // A lone point's handle is not shown, so it cannot be gripped either.
    CourseData::NewCourse();
    CourseData::AddPoint(0, 0, 0);
    CourseData::SetTangent(0, 0, 0, 100, 1, 1, 1);
    EXPECT_EQ(ParallelDisp::FindHandle(camera, 100, 45), -1);
}

// A window of no area has no surface; its parallel and expanded views then draw nothing.
TEST_F(ParallelDispTest, ViewsWithoutASurfaceDrawNothing) {
    AddPoints({{0, 0, 0}, {0, 0, 100}});
    for (const int32_t state : {CameraControl::Top, CameraControl::Side, CameraControl::Front}) {
        CameraControl camera = MakeViewCamera(state, 0, 0);
        ParallelDisp::Draw(camera, 1);
        if (state != CameraControl::Front) {
            ExpandDisp::Draw(camera);
        }
        EXPECT_EQ(camera.GetSurface(), nullptr) << state;
    }
}
