#include "model/CourseData.h"
#include "model/UnitSpline.h"
#include "support/CourseTest.h"

#include <functional>
#include <limits>
#include <tuple>

namespace {

using namespace CourseData;

// A camera walked from the start of the course to the given place.
void PlaceCamera(int32_t segment, double t) {
    const CameraPlace now = CameraOf();
    MoveCameraPosition(segment - now.segment + t - now.t);
}

void AddLine(int n) {
    for (int i = 0; i < n; ++i) {
        AddPoint(100.0 * i, 0.0, 0.0);
    }
}

using CourseDataTest = CourseTest;

TEST_F(CourseDataTest, FirstTwoPointsAppendAndPlaceTheCamera) {
    int32_t segment = 7;
    double t = 0.5;
    EXPECT_EQ(GetCameraPosition(segment, t), 1);
    EXPECT_EQ(segment * t, 3.5); // no camera yet: outputs untouched
    EXPECT_EQ(AddPoint(1.0, 2.0, 3.0), 0);
    EXPECT_EQ(CameraOf(), CameraPlace{});
    SetHandle(-1, HandlePoint); // the first two points append even with nothing selected
    EXPECT_EQ(AddPoint(4.0, 5.0, 6.0), 1);
    EXPECT_EQ(SelectedPoint(), 1);
    EXPECT_EQ(CameraOf(), (CameraPlace{0, 0.0}));
}

TEST_F(CourseDataTest, LaterPointsGoAfterTheSelection) {
    AddLine(5);
    SetHandle(-1, HandlePoint);
    EXPECT_EQ(AddPoint(0, 0, 0), -1);
    EXPECT_EQ(GetPointNum(), 5);
    SetHandle(2, HandleForward);
    PlaceCamera(3, 0.5);
    EXPECT_EQ(AddPoint(250.0, 0.0, 0.0), 3);
    EXPECT_EQ(SelectedPoint(), 3);
    EXPECT_EQ(CameraOf(), (CameraPlace{3, 0.5}));
    EXPECT_EQ(PositionOf(4).x, 300.0);
    int32_t index = 0;
    int32_t state = 0;
    GetHandle(index, state);
    EXPECT_EQ(state, HandleForward); // the gripped part is not reset
    DeletePoint(1);
    EXPECT_EQ(SelectedPoint(), 2); // a deletion before the selection shifts it
    DeletePoint(2);
    EXPECT_EQ(SelectedPoint(), -1);
}

TEST_F(CourseDataTest, RefusesPointsBeyondTheLimitWithoutChange) {
    AddLine(MaxPoints);
    ASSERT_EQ(Save("full.cus"), 0);
    const std::vector<unsigned char> before = SaveToBytes();
    EXPECT_EQ(AddPoint(1.0, 1.0, 1.0), -1);
    EXPECT_EQ(IsChanged(), 0);
    EXPECT_EQ(SaveToBytes(), before);
}

TEST_F(CourseDataTest, DeletionKeepsTheCameraOnTheCourse) {
    // Course size, loop, camera segment, deleted point, camera segment after. With fewer than two
    // points left there is no camera; deleting the first point keeps the camera on the first
    // segment of an open course and moves it onto the closing one of a loop.
    const std::tuple<int, bool, int32_t, int, int32_t> cases[] = {
        {2, false, 0, 1, -1}, {3, false, 1, 2, 0}, {3, true, 0, 1, 0}, {5, false, 0, 0, 0},
        {5, true, 0, 0, 3},   {5, false, 3, 4, 2}, {5, true, 4, 4, 3}, {5, true, 4, 2, 3},
        {5, false, 1, 3, 1},  {5, false, 2, 2, 1}};
    for (const auto& [points, loop, camera, index, expected] : cases) {
        NewCourse();
        AddLine(points);
        SetLoop(loop ? 1 : 0);
        PlaceCamera(camera, 0.5);
        DeletePoint(index);
        EXPECT_EQ(CameraOf().segment, expected)
            << points << (loop ? " loop" : " open") << ", delete " << index;
    }
}

TEST_F(CourseDataTest, LoopAddsTheClosingSegment) {
    AddLine(4);
    SetLoop(5);
    EXPECT_EQ(IsLoop(), 1);
    EXPECT_EQ(GetSegmentNum(), 4);
    double x = 1.0;
    double y = 0.0;
    double z = 0.0;
    GetCoursePosition(3, 1.0, x, y, z);
    EXPECT_NEAR(x, 0.0, 1e-12);
    PlaceCamera(3, 0.5);
    SetLoop(0);
    EXPECT_EQ(CameraOf().segment, 0); // off the segment that no longer exists
    EXPECT_EQ(GetSegmentNum(), 3);
}

TEST_F(CourseDataTest, WidthsAreStoredDividedByTheScale) {
    AddLine(2);
    ChangeWidthScale(-5.0);
    EXPECT_EQ(GetWidthScale(), MinWidthScale);
    EXPECT_NEAR(WidthsOf(0)[0], 0.2, 1e-15);
    ChangeWidthScale(1.99); // 2.0
    SetWidth(1, 30.0, 10.0);
    ChangeWidthScale(-1.0); // stored widths stay, reads follow the scale
    EXPECT_NEAR(WidthsOf(1)[1], 5.0, 1e-12);
    double w1 = 0.0;
    double w2 = 0.0;
    GetCourseWidth(0, 1.0, w1, w2);
    EXPECT_NEAR(w1, 15.0, 1e-12);

    SetWidthTangent(1, 3.0, -2.0, 1, 0);
    ChangeWidthScale(3.0);
    double t1 = 0.0;
    double t2 = 0.0;
    int32_t f1 = 0;
    int32_t f2 = 1;
    GetWidthTangent(1, t1, t2, f1, f2);
    EXPECT_NEAR(t1, 3.0, 1e-14); // tangents are never scaled
    EXPECT_EQ(f1 * 10 + f2, 10);

    const double scale = GetWidthScale();
    ChangeWidthScale(std::numeric_limits<double>::quiet_NaN());
    ChangeWidthScale(std::numeric_limits<double>::infinity());
    EXPECT_EQ(GetWidthScale(), scale);
    ChangeWidthScale(1e300);
    EXPECT_EQ(GetWidthScale(), MaxMagnitude);
}

TEST_F(CourseDataTest, SampleCountsStayWithinBounds) {
    AddLine(2);
    SetHandle(-1, HandlePoint);
    Save("clean.cus");
    ChangeSampleNum(5);
    EXPECT_EQ(IsChanged(), 0); // nothing selected: nothing happens
    SetHandle(0, HandlePoint);
    ChangeSampleNum(-20);
    EXPECT_EQ(GetSampleNum(0), 0);
    ChangeSampleNum(std::numeric_limits<int32_t>::max());
    EXPECT_EQ(GetSampleNum(0), MaxSampleNum);
    ChangeSampleNum(std::numeric_limits<int32_t>::min());
    EXPECT_EQ(GetSampleNum(0), 0);
    EXPECT_EQ(GetSampleNum(1), DefaultSampleNum);
}

TEST_F(CourseDataTest, HandlesAndTheirFixedFlags) {
    AddPoint(0, 0, 0);
    SetTangent(0, 5.0, 6.0, 7.0, 0, 0, 0); // automatic, with nothing yet to compute it from
    const Vec3d lone = HandleOf(0);
    EXPECT_TRUE(lone.x == 0.0 && lone.y == 0.0 && lone.z == 0.0);
    EXPECT_EQ(FixedFlagsOf(0), (std::array<int32_t, 3>{0, 0, 0}));
    AddPoints({{100, 0, 0}, {200, 50, 100}});
    SetTangent(1, 10.0, 20.0, 30.0, 1, 0, 1);
    EXPECT_NEAR(HandleOf(1).x, 10.0, 1e-12);
    EXPECT_NEAR(HandleOf(1).z, 30.0, 1e-12);
    EXPECT_NE(HandleOf(1).y, 20.0); // automatic: recomputed
    EXPECT_EQ(FixedFlagsOf(1), (std::array<int32_t, 3>{1, 0, 1}));

    SetPosition(1, 110.0, 5.0, 0.0); // moving keeps the handle
    EXPECT_NEAR(HandleOf(1).x, 10.0, 1e-12);

    const double computedY = HandleOf(1).y;
    SetTangentFixed(1, 0, 1, 0); // fixes y where it stands, frees x and z
    EXPECT_EQ(FixedFlagsOf(1), (std::array<int32_t, 3>{0, 1, 0}));
    EXPECT_NEAR(HandleOf(1).y, computedY, 1e-12);
    EXPECT_NE(HandleOf(1).x, 10.0);

    SetRoll(1, 0.5);
    SetRollTangent(1, 0.25, 1);
    double tangent = 0.0;
    EXPECT_EQ(GetRollTangent(1, tangent), 1);
    EXPECT_NEAR(tangent, 0.25, 1e-15);
    double roll = 0.0;
    GetCourseRoll(0, 1.0, roll);
    EXPECT_NEAR(roll, 0.5, 1e-15);
}

TEST_F(CourseDataTest, EditsMarkTheCourseChangedAndOthersDoNot) {
    AddLine(3);
    const std::function<void()> edits[] = {
        [] { SetPosition(0, 1, 2, 3); },
        [] { SetTangent(0, 1, 2, 3, 1, 1, 1); },
        [] { SetTangentFixed(0, 0, 0, 0); },
        [] { SetRoll(0, 0.1); },
        [] { SetRollTangent(0, 0.1, 1); },
        [] { SetWidth(0, 1, 2); },
        [] { SetWidthTangent(0, 1, 2, 1, 1); },
        [] { ChangeSampleNum(1); },
        [] { ChangeWidthScale(0.5); },
        [] { SetLoop(1); },
        [] { DeletePoint(2); },
        [] { AddPoint(5, 5, 5); },
    };
    for (const auto& edit : edits) {
        ASSERT_EQ(Save("course.cus"), 0);
        SetHandle(0, HandlePoint);
        edit();
        EXPECT_EQ(IsChanged(), 1);
    }
    Save("course.cus");
    SetHandle(1, HandleBackward);
    SetSide(1);
    MoveCameraPosition(0.5);
    EXPECT_EQ(IsChanged(), 0);
    NewCourse();
    EXPECT_EQ(IsChanged(), 0);
    EXPECT_EQ(GetPointNum(), 0);
    EXPECT_EQ(GetSide(), 0);
}

TEST_F(CourseDataTest, CameraWalksAlongTheCourse) {
    // An open course stops the camera at its ends (the end of a segment is still on it); a loop
    // takes it round, back onto the closing segment or whole laps on. A move that is not finite
    // leaves it where it is; a huge one ends at once, on a loop after its remainder of a lap.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const std::tuple<bool, CameraPlace, double, CameraPlace> cases[] = {
        {false, {0, 0.75}, 2.5, {2, 1.0}},  {true, {0, 0.75}, 2.5, {3, 0.25}},
        {false, {2, 0.5}, -2.75, {0, 0.0}}, {true, {0, 0.25}, -0.5, {3, 0.75}},
        {true, {1, 0.5}, 8.0, {1, 0.5}},    {true, {1, 0.5}, -4.0, {1, 0.5}},
        {false, {1, 0.5}, 0.5, {1, 1.0}},   {true, {0, 0.0}, nan, {0, 0.0}},
        {false, {1, 0.5}, inf, {1, 0.5}},   {true, {1, 0.5}, 1e300, {1, 1.0}},
        {true, {1, 0.5}, -1e300, {1, 0.0}}, {true, {1, 0.5}, 4e6 + 0.5, {1, 1.0}},
        {false, {1, 0.5}, -1e300, {0, 0.0}}};
    for (const auto& [loop, from, delta, to] : cases) {
        NewCourse();
        AddLine(4);
        SetLoop(loop ? 1 : 0);
        PlaceCamera(from.segment, from.t);
        ASSERT_EQ(CameraOf(), from);
        MoveCameraPosition(delta);
        EXPECT_EQ(CameraOf(), to) << "from " << from << " by " << delta;
    }
}

TEST_F(CourseDataTest, NewCourseAndLoadTellTheLoopState) {
    static std::vector<int32_t> told;
    told.clear();
    ConnectLoopStateHook([](int32_t loop) { told.push_back(loop); });
    AddLine(3);
    SetLoop(1);
    ASSERT_EQ(Save("loop.cus"), 0);
    NewCourse();
    ASSERT_EQ(Load("loop.cus"), 0);
    std::vector<unsigned char> bytes = SaveToBytes();
    bytes[12] = 5; // the header's loop flag: any but 0 is a loop, told as 1
    ASSERT_EQ(LoadFromBytes(bytes), 0);
    EXPECT_EQ(told, (std::vector<int32_t>{0, 0, 1, 0, 1})); // new; each load empties, then sets
}

} // namespace
