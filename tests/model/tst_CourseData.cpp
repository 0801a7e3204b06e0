#include "model/CourseData.h"
#include "model/UnitSpline.h"
#include "support/CourseTest.h"
#include "support/ErrorLogCheck.h"

#include <functional>
#include <limits>

namespace {

using namespace CourseData;

int32_t Selected() {
    int32_t index = 0;
    int32_t state = 0;
    GetHandle(index, state);
    return index;
}

int32_t CameraSegment() {
    int32_t segment = -1;
    double t = 0.0;
    GetCameraPosition(segment, t);
    return segment;
}

double CameraT() {
    int32_t segment = -1;
    double t = -1.0;
    GetCameraPosition(segment, t);
    return t;
}

// Puts the camera on a given place by walking it from segment 0, t 0.
void PlaceCamera(int32_t segment, double t) {
    MoveCameraPosition(-1e9 * (IsLoop() == 0)); // back to the start of an open course
    int32_t s = 0;
    double now = 0.0;
    GetCameraPosition(s, now);
    MoveCameraPosition(segment - s + t - now);
}

void AddLine(int n) {
    for (int i = 0; i < n; ++i) {
        AddPoint(100.0 * i, 0.0, 0.0);
    }
}

using CourseDataTest = CourseTest;

TEST_F(CourseDataTest, StartsEmpty) {
    EXPECT_EQ(GetPointNum(), 0);
    EXPECT_EQ(GetSegmentNum(), 0);
    EXPECT_EQ(IsLoop(), 0);
    EXPECT_EQ(GetWidthScale(), 1.0);
    EXPECT_EQ(Selected(), -1);
    EXPECT_EQ(IsChanged(), 0);
    int32_t segment = 77;
    double t = 0.5;
    EXPECT_EQ(GetCameraPosition(segment, t), 1);
    EXPECT_EQ(segment, 77); // outputs untouched
    EXPECT_EQ(t, 0.5);
}

TEST_F(CourseDataTest, FirstTwoPointsAppendAndPlaceTheCamera) {
    EXPECT_EQ(AddPoint(1.0, 2.0, 3.0), 0);
    EXPECT_EQ(Selected(), 0);
    EXPECT_EQ(CameraSegment(), -1);
    SetHandle(-1, HandlePoint);
    EXPECT_EQ(AddPoint(4.0, 5.0, 6.0), 1);
    EXPECT_EQ(Selected(), 1);
    EXPECT_EQ(CameraSegment(), 0);
    EXPECT_EQ(CameraT(), 0.0);
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    GetPosition(1, x, y, z);
    EXPECT_EQ(x, 4.0);
    EXPECT_EQ(y, 5.0);
    EXPECT_EQ(z, 6.0);
    double w1 = 0.0;
    double w2 = 0.0;
    GetWidth(0, w1, w2);
    EXPECT_EQ(w1, DefaultWidth);
    EXPECT_EQ(w2, DefaultWidth);
    double roll = 1.0;
    EXPECT_EQ(GetRoll(1, roll), UnitSpline::PointAuto);
    EXPECT_EQ(roll, 0.0);
    EXPECT_EQ(GetSampleNum(0), DefaultSampleNum);
    EXPECT_EQ(IsChanged(), 1);
}

TEST_F(CourseDataTest, LaterPointsGoAfterTheSelection) {
    AddLine(5);
    SetHandle(-1, HandlePoint);
    EXPECT_EQ(AddPoint(0, 0, 0), -1);
    EXPECT_EQ(GetPointNum(), 5);

    SetHandle(2, HandleForward);
    MoveCameraPosition(3.5);
    ASSERT_EQ(CameraSegment(), 3);
    EXPECT_EQ(AddPoint(250.0, 0.0, 0.0), 3);
    EXPECT_EQ(Selected(), 3);
    EXPECT_EQ(CameraSegment(), 3);
    int32_t index = 0;
    int32_t state = 0;
    GetHandle(index, state);
    EXPECT_EQ(state, HandleForward); // the gripped part is not reset
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    GetPosition(4, x, y, z);
    EXPECT_EQ(x, 300.0);
}

TEST_F(CourseDataTest, RefusesPointsBeyondTheLimitWithoutChange) {
    AddLine(MaxPoints);
    const std::vector<unsigned char> before = SaveToBytes();
    Save("full.cus");
    EXPECT_EQ(AddPoint(1.0, 1.0, 1.0), -1);
    EXPECT_EQ(GetPointNum(), MaxPoints);
    EXPECT_EQ(IsChanged(), 0);
    EXPECT_EQ(SaveToBytes(), before);
}

struct DeleteCase {
    int points;
    bool loop;
    int32_t camera;
    int index;
    int32_t expected;
};

TEST_F(CourseDataTest, DeletionKeepsTheCameraOnTheCourse) {
    const DeleteCase cases[] = {
        {2, false, 0, 1, -1}, // fewer than two points left
        {3, false, 1, 2, 0},  // open, last point under the camera's segment
        {3, true, 0, 1, 0},   // three to two keeps a camera
        {5, false, 0, 0, 0},  // open, first point: stays on the first segment
        {5, true, 0, 0, 3},   // loop, first point: the camera moves to the closing segment
        {5, false, 3, 4, 2},  {5, true, 4, 4, 3},  // loop, closing segment follows its point
        {5, true, 4, 2, 3},   {5, false, 1, 3, 1}, // after the camera: unchanged
        {5, false, 2, 2, 1},
    };
    for (const DeleteCase& c : cases) {
        NewCourse();
        AddLine(c.points);
        SetLoop(c.loop ? 1 : 0);
        PlaceCamera(c.camera, 0.5);
        ASSERT_EQ(CameraSegment(), c.camera);
        DeletePoint(c.index);
        EXPECT_EQ(CameraSegment(), c.expected) << c.points << (c.loop ? " loop" : " open")
                                               << " camera " << c.camera << " delete " << c.index;
        EXPECT_LT(CameraSegment(), std::max(GetSegmentNum(), 0));
    }
}

TEST_F(CourseDataTest, DeletionMovesTheSelection) {
    AddLine(5);
    SetHandle(3, HandleBackward);
    DeletePoint(1);
    EXPECT_EQ(Selected(), 2);
    DeletePoint(4 - 1);
    EXPECT_EQ(Selected(), 2);
    DeletePoint(2);
    EXPECT_EQ(Selected(), -1);
}

TEST_F(CourseDataTest, LoopAddsTheClosingSegment) {
    AddLine(4);
    EXPECT_EQ(GetSegmentNum(), 3);
    SetLoop(5);
    EXPECT_EQ(IsLoop(), 1);
    EXPECT_EQ(GetSegmentNum(), 4);
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    GetCoursePosition(3, 1.0, x, y, z);
    EXPECT_NEAR(x, 0.0, 1e-12);
    PlaceCamera(3, 0.5);
    SetLoop(0);
    EXPECT_EQ(CameraSegment(), 0); // off the closing segment that no longer exists
    EXPECT_EQ(GetSegmentNum(), 3);
}

// A loop of one point counts no segment: nothing to evaluate along it.
TEST_F(CourseDataTest, SinglePointLoopHasNoSegments) {
    AddPoint(0, 0, 0);
    SetLoop(1);
    EXPECT_EQ(GetSegmentNum(), 0);
}

TEST_F(CourseDataTest, WidthsAreStoredDividedByTheScale) {
    AddLine(2);
    ChangeWidthScale(-5.0);
    EXPECT_EQ(GetWidthScale(), MinWidthScale);
    double w1 = 0.0;
    double w2 = 0.0;
    GetWidth(0, w1, w2);
    EXPECT_DOUBLE_EQ(w1, 0.2);
    EXPECT_DOUBLE_EQ(w2, 0.2);

    ChangeWidthScale(1.99); // 2.0
    SetWidth(1, 30.0, 10.0);
    GetWidth(1, w1, w2);
    EXPECT_DOUBLE_EQ(w1, 30.0);
    ChangeWidthScale(-1.0); // 1.0: stored widths stay, reads follow the scale
    GetWidth(1, w1, w2);
    EXPECT_DOUBLE_EQ(w1, 15.0);
    EXPECT_DOUBLE_EQ(w2, 5.0);
    GetCourseWidth(0, 1.0, w1, w2);
    EXPECT_DOUBLE_EQ(w1, 15.0);

    SetWidthTangent(1, 3.0, -2.0, 1, 0);
    double t1 = 0.0;
    double t2 = 0.0;
    int32_t f1 = 0;
    int32_t f2 = 1;
    ChangeWidthScale(3.0);
    GetWidthTangent(1, t1, t2, f1, f2);
    EXPECT_NEAR(t1, 3.0, 1e-14); // tangents are never scaled
    EXPECT_EQ(f1, 1);
    EXPECT_EQ(f2, 0);

    const double scale = GetWidthScale();
    ChangeWidthScale(std::numeric_limits<double>::quiet_NaN());
    ChangeWidthScale(std::numeric_limits<double>::infinity());
    EXPECT_EQ(GetWidthScale(), scale);
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
    AddPoints({{0, 0, 0}, {100, 0, 0}, {200, 50, 100}});
    SetTangent(1, 10.0, 20.0, 30.0, 1, 0, 1);
    double tx = 0.0;
    double ty = 0.0;
    double tz = 0.0;
    int32_t fx = 0;
    int32_t fy = 0;
    int32_t fz = 0;
    GetTangent(1, tx, ty, tz, fx, fy, fz);
    EXPECT_NEAR(tx, 10.0, 1e-12);
    EXPECT_NEAR(tz, 30.0, 1e-12);
    EXPECT_NE(ty, 20.0); // automatic: recomputed
    EXPECT_EQ(fx, 1);
    EXPECT_EQ(fy, 0);
    EXPECT_EQ(fz, 1);

    SetPosition(1, 110.0, 5.0, 0.0); // moving keeps the handle
    GetTangent(1, tx, ty, tz, fx, fy, fz);
    EXPECT_NEAR(tx, 10.0, 1e-12);
    EXPECT_EQ(fx, 1);

    SetTangentFixed(1, 0, 1, 0); // fixes y at its computed value, frees x and z
    const double fixedY = ty;
    GetTangentFixed(1, fx, fy, fz);
    EXPECT_EQ(fx, 0);
    EXPECT_EQ(fy, 1);
    EXPECT_EQ(fz, 0);
    GetTangent(1, tx, ty, tz, fx, fy, fz);
    EXPECT_NEAR(ty, fixedY, 1e-12);
    EXPECT_NE(tx, 10.0);

    double dx = 0.0;
    double dy = 0.0;
    double dz = 0.0;
    GetCourseTangent(1, 0.0, dx, dy, dz);
    EXPECT_NEAR(dy, fixedY, 1e-12);
}

TEST_F(CourseDataTest, RollAndItsTangent) {
    AddLine(3);
    SetRoll(1, 0.5);
    double roll = 0.0;
    EXPECT_EQ(GetRoll(1, roll), UnitSpline::PointAuto);
    EXPECT_EQ(roll, 0.5);
    GetCourseRoll(0, 1.0, roll);
    EXPECT_NEAR(roll, 0.5, 1e-15);
    SetRollTangent(1, 0.25, 1);
    double tangent = 0.0;
    EXPECT_EQ(GetRollTangent(1, tangent), 1);
    EXPECT_NEAR(tangent, 0.25, 1e-15);
    SetRollTangent(1, 0.25, 0);
    EXPECT_EQ(GetRollTangent(1, tangent), 0);
    EXPECT_NEAR(tangent, 0.0, 1e-15); // symmetric neighbours: the automatic tangent is flat
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
        ASSERT_EQ(IsChanged(), 0);
        edit();
        EXPECT_EQ(IsChanged(), 1);
    }
    Save("course.cus");
    SetHandle(1, HandleBackward);
    SetSide(1);
    MoveCameraPosition(0.5);
    EXPECT_EQ(IsChanged(), 0);
    EXPECT_EQ(GetSide(), 1);
    NewCourse();
    EXPECT_EQ(IsChanged(), 0);
    EXPECT_EQ(GetPointNum(), 0);
    EXPECT_EQ(GetSide(), 0);
}

struct CameraCase {
    bool loop;
    int32_t segment;
    double t;
    double delta;
    int32_t expectedSegment;
    double expectedT;
};

TEST_F(CourseDataTest, CameraWalksAlongTheCourse) {
    const CameraCase cases[] = {
        {false, 0, 0.75, 2.5, 2, 1.0},  // stops at the end of an open course
        {true, 0, 0.75, 2.5, 3, 0.25},  // a loop goes round
        {false, 2, 0.5, -2.75, 0, 0.0}, // stops at the start
        {true, 0, 0.25, -0.5, 3, 0.75}, // wraps back to the closing segment
        {true, 1, 0.5, 0.25, 1, 0.75},  // within the segment
        {true, 1, 0.5, 8.0, 1, 0.5},    // two whole laps
        {true, 1, 0.5, -4.0, 1, 0.5},   // one whole lap back
        {false, 1, 0.5, 0.5, 1, 1.0},   // exactly at the end of a segment stays there
    };
    for (const CameraCase& c : cases) {
        NewCourse();
        AddLine(4);
        SetLoop(c.loop ? 1 : 0);
        PlaceCamera(c.segment, c.t);
        ASSERT_EQ(CameraSegment(), c.segment);
        ASSERT_EQ(CameraT(), c.t);
        MoveCameraPosition(c.delta);
        EXPECT_EQ(CameraSegment(), c.expectedSegment) << c.delta;
        EXPECT_DOUBLE_EQ(CameraT(), c.expectedT) << c.delta;
    }
}

// Huge or non-finite moves end at once and leave the camera somewhere on the course.
TEST_F(CourseDataTest, CameraSurvivesAbsurdMoves) {
    AddLine(4);
    SetLoop(1);
    MoveCameraPosition(std::numeric_limits<double>::quiet_NaN());
    MoveCameraPosition(std::numeric_limits<double>::infinity());
    EXPECT_EQ(CameraSegment(), 0);
    EXPECT_EQ(CameraT(), 0.0);
    MoveCameraPosition(1e300);
    EXPECT_GE(CameraSegment(), 0);
    EXPECT_LT(CameraSegment(), 4);
    EXPECT_GE(CameraT(), 0.0);
    EXPECT_LE(CameraT(), 1.0);
    MoveCameraPosition(-1e300);
    EXPECT_GE(CameraSegment(), 0);
    EXPECT_LE(CameraT(), 1.0);
    MoveCameraPosition(4e6 + 0.5); // exact whole laps plus half a segment
    EXPECT_GE(CameraT(), 0.0);
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
    EXPECT_EQ(told, (std::vector<int32_t>{0, 0, 1})); // new; load empties, then sets
}

TEST_F(CourseDataTest, MisuseEndsTheProgram) {
    EXPECT_REPORT(Initialize(), "CourseData1", "初期化を２度使用とした");
    EXPECT_REPORT(SetHandle(0, 3), "CourseData1", "ハンドルにありえない状態を設定");
    EXPECT_REPORT(SetHandle(0, -1), "CourseData1", "ハンドルにありえない状態を設定");
    EXPECT_REPORT(SetSide(2), "CourseData1", "ありえないサイドを検出");
    EXPECT_REPORT(GetSampleNum(0), "StraightDataBase1", "範囲外のデータにアクセスしようとした");
    EXPECT_REPORT(
        {
            Destruct();
            Destruct();
        },
        "CourseData1", "初期化していないのにデストラクトしようとした");
}

} // namespace
