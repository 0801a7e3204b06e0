#include "model/CourseSurface.h"
#include "support/CourseTest.h"
#include "views/RoadRows.h"

#include <cstring>
#include <functional>
#include <vector>

namespace {

using RoadRowsTest = CourseTest;

bool SameBits(const Vec3d& a, const Vec3d& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// The rows as drawing straight from the course gives them: the start point's own section,
// then the sections at k / steps.
void ExpectFreshRows(int segment) {
    const CourseData::SegmentCurves curves = CourseData::GetSegmentCurves(segment);
    const int steps = CourseData::GetSampleNum(segment) + 1;
    const std::span<const RoadRows::Row> rows = RoadRows::Of(segment, curves, steps);
    ASSERT_EQ(rows.size(), static_cast<size_t>(steps) + 1);
    for (int k = 0; k <= steps; ++k) {
        const CourseSection section =
            k == 0 ? GetPointSection(segment) : SectionAt(curves, static_cast<double>(k) / steps);
        Vec3d edge1{};
        Vec3d edge2{};
        CalcSectionEdge(section, edge1, edge2);
        ASSERT_TRUE(SameBits(rows[k].edge1, edge1) && SameBits(rows[k].edge2, edge2) &&
                    (k == 0 || SameBits(rows[k].centre, section.position)))
            << "segment " << segment << ", row " << k;
    }
}

void ExpectFreshRowsEverywhere() {
    for (int segment = 0; segment < CourseData::GetSegmentNum(); ++segment) {
        ExpectFreshRows(segment);
    }
}

// Rows kept from before any change of the course are never handed out after it: each
// edit below changes one thing, and every segment's rows must then be as if just computed.
TEST_F(RoadRowsTest, RowsFollowEveryChangeOfTheCourse) {
    AddRing(8, 6);
    CourseData::SetLoop(1);
    const std::vector<std::function<void()>> edits{
        [] { CourseData::SetPosition(2, 10.0, 20.0, 30.0); },
        [] { CourseData::SetTangent(5, 100.0, 0.0, -40.0, 1, 0, 1); },
        [] { CourseData::SetRoll(1, 0.4); },
        [] { CourseData::SetRollTangent(6, 0.1, 1); },
        [] { CourseData::SetWidth(3, 5.0, 40.0); },
        [] { CourseData::SetWidthTangent(0, 2.0, -3.0, 1, 1); },
        [] { CourseData::ChangeWidthScale(0.5); },
        [] {
            CourseData::SetHandle(4, CourseData::HandlePoint);
            CourseData::ChangeSampleNum(3);
        },
        [] { CourseData::ChangeSampleNum(400); }, // too many to keep
        [] { CourseData::ChangeSampleNum(-400); },
        [] { CourseData::SetLoop(0); },
        [] { CourseData::DeletePoint(0); },
    };
    ExpectFreshRowsEverywhere();
    for (size_t i = 0; i < edits.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "after edit " << i);
        edits[i]();
        ExpectFreshRowsEverywhere();
    }
}

} // namespace
