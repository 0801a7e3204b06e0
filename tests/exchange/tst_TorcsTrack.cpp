#include "exchange/TorcsTrack.h"
#include "exchange/TorcsTrackFile.h"
#include "model/CourseSurface.h"
#include "support/CourseTest.h"
#include "support/TempDir.h"

#include <cmath>
#include <numbers>

namespace {

using TorcsTrack::Segment;
using TorcsTrack::Turn;
using TorcsTrackTest = CourseTest;

constexpr double Scale = 0.3;

// Where TORCS puts a segment's end, driving from (x, y) in `heading`: a straight goes
// ahead; an arc turns about a centre one radius to the left or right.
struct Pose {
    double x;
    double y;
    double heading;
};

Pose Drive(Pose p, const Segment& s) {
    if (s.turn == Turn::Straight) {
        return {p.x + s.length * std::cos(p.heading), p.y + s.length * std::sin(p.heading),
                p.heading};
    }
    const double side = s.turn == Turn::Left ? 1.0 : -1.0;
    const double cx = p.x - side * s.radius * std::sin(p.heading);
    const double cy = p.y + side * s.radius * std::cos(p.heading);
    const double heading = p.heading + side * s.arc;
    return {cx + side * s.radius * std::sin(heading), cy - side * s.radius * std::cos(heading),
            heading};
}

// The course rows' centres and headings in TORCS's axes (x, z of the course) and metres.
std::vector<Pose> RowPoses() {
    std::vector<Pose> poses;
    ForEachCourseRow([&](const CourseSection& s) {
        poses.push_back(
            {s.position.x * Scale, s.position.z * Scale, std::atan2(s.tangent.z, s.tangent.x)});
    });
    return poses;
}

void AddCircle(int n, double radius, double roll) {
    for (int i = 0; i < n; ++i) {
        const double a = 2.0 * std::numbers::pi * i / n;
        const int index = CourseData::AddPoint(radius * std::cos(a), 0.0, radius * std::sin(a));
        CourseData::SetRoll(index, roll);
    }
    CourseData::SetLoop(1);
}

std::optional<TorcsTrack::Track> Build() {
    std::string failure;
    std::optional<TorcsTrack::Track> track = TorcsTrack::Build(Scale, failure);
    EXPECT_TRUE(track) << failure;
    return track;
}

// Driving the segments from the first row reaches every row in its heading, two segments a
// row, and goes once round: a closed course closes, and its length is the segments'. An
// arc of huge radius, which TORCS's single precision would misplace, is laid straight and
// misses its row by millimetres at most.
TEST_F(TorcsTrackTest, SegmentsDriveThroughEveryRowInItsHeading) {
    AddCircle(7, 500.0, 0.0);
    CourseData::SetPosition(3, -200.0, 30.0, 350.0); // a dent, so the arcs differ
    const std::vector<Pose> rows = RowPoses();
    const std::optional<TorcsTrack::Track> track = Build();
    ASSERT_TRUE(track);
    ASSERT_EQ(track->segments.size(), 2 * (rows.size() - 1));
    Pose at = rows.front();
    double length = 0.0;
    for (size_t i = 0; i < track->segments.size(); ++i) {
        const Segment& s = track->segments[i];
        at = Drive(at, s);
        length += s.length;
        ASSERT_TRUE(s.turn == Turn::Straight || s.radius <= 10000.0) << i;
        if (i % 2 == 1) {
            const Pose& row = rows[i / 2 + 1];
            ASSERT_NEAR(at.x, row.x, 0.005) << i;
            ASSERT_NEAR(at.y, row.y, 0.005) << i;
            ASSERT_NEAR(std::remainder(at.heading - row.heading, 2 * std::numbers::pi), 0.0, 0.001)
                << i;
        }
    }
    EXPECT_NEAR(at.heading - rows.front().heading, 2 * std::numbers::pi, 0.001);
    EXPECT_NEAR(track->length, length, 1e-9);
}

// The course is counter-clockwise seen from above, so every bend turns left; an inward
// bank lowers the inner, left edge, which TORCS calls a negative bank.
TEST_F(TorcsTrackTest, InwardBankStaysInwardAndWidthsSplitIntoMainTrackAndSides) {
    AddCircle(16, 500.0, 0.2);
    for (int i = 0; i < 16; ++i) {
        CourseData::SetWidth(i, 20.0, 30.0);
    }
    Vec3d edge1{};
    Vec3d edge2{};
    CalcSectionEdge(GetPointSection(0), edge1, edge2);
    const bool firstInside = std::hypot(edge1.x, edge1.z) < std::hypot(edge2.x, edge2.z);
    const double inner = firstInside ? edge1.y : edge2.y;
    const double outer = firstInside ? edge2.y : edge1.y;
    ASSERT_GT(outer, inner) << "a positive roll of this course banks it inwards";

    const std::optional<TorcsTrack::Track> track = Build();
    ASSERT_TRUE(track);
    const double innerHalf = (firstInside ? 20.0 : 30.0) * std::cos(0.2) * Scale;
    const double outerHalf = (firstInside ? 30.0 : 20.0) * std::cos(0.2) * Scale;
    EXPECT_NEAR(track->width, 2 * std::min(innerHalf, outerHalf), 1e-9);
    for (const Segment& s : track->segments) {
        ASSERT_EQ(s.turn, Turn::Left);
        ASSERT_NEAR(s.bankStart, -0.2, 1e-12);
        ASSERT_NEAR(s.bankEnd, -0.2, 1e-12);
        ASSERT_NEAR(s.leftStart, innerHalf - track->width / 2, 1e-9);
        ASSERT_NEAR(s.rightEnd, outerHalf - track->width / 2, 1e-9);
    }
}

// Heights carry over as metres, along the segments by length.
TEST_F(TorcsTrackTest, HeightsFollowTheCourse) {
    AddCircle(8, 400.0, 0.0);
    CourseData::SetPosition(4, -400.0, 100.0, 0.0);
    const std::optional<TorcsTrack::Track> track = Build();
    ASSERT_TRUE(track);
    double highest = 0.0;
    for (size_t i = 0; i < track->segments.size(); ++i) {
        const Segment& s = track->segments[i];
        if (i > 0) {
            ASSERT_DOUBLE_EQ(s.zStart, track->segments[i - 1].zEnd) << i;
        }
        highest = std::max(highest, s.zEnd);
    }
    EXPECT_DOUBLE_EQ(highest, 100.0 * Scale);
    EXPECT_DOUBLE_EQ(track->segments.back().zEnd, 0.0);
}

// TORCS races on loops: an open course is one only when its ends meet.
TEST_F(TorcsTrackTest, OpenCourseIsATrackOnlyWhenItsEndsMeet) {
    std::string failure;
    EXPECT_FALSE(TorcsTrack::Build(Scale, failure));
    CourseData::AddPoint(0, 0, 0);
    CourseData::AddPoint(300, 0, 0);
    CourseData::AddPoint(300, 0, 300);
    EXPECT_FALSE(TorcsTrack::Build(Scale, failure));
    EXPECT_NE(failure.find("loops"), std::string::npos) << failure;
    CourseData::AddPoint(0, 0, 1); // 0.3 m from the start
    EXPECT_TRUE(TorcsTrack::Build(Scale, failure)) << failure;
}

TEST_F(TorcsTrackTest, TrackFileIsNamedAfterItsFolder) {
    AddCircle(8, 400.0, 0.0);
    TempDir dir;
    std::string failure;
    ASSERT_EQ(TorcsTrackFile::Write(dir.File("tracks/my & track/"), Scale, failure), 0) << failure;
    const std::string text = ReadText(dir.File("tracks/my & track/my & track.xml"));
    EXPECT_NE(text.find("<params name=\"my &amp; track\""), std::string::npos);
    EXPECT_NE(text.find("val=\"my &amp; track.ac\""), std::string::npos);
    EXPECT_EQ(TorcsTrackFile::Write(dir.File(".."), Scale, failure), 1);
}

} // namespace
