#include "support/CourseTest.h"
#include "views/PerspecDisp.h"

#include <cstring>
#include <tuple>

namespace {

using PerspecDispTest = CourseTest;

bool SameSection(const PerspecDisp::Section& a, const PerspecDisp::Section& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

} // namespace

// The road is cut from the sample at or just before the camera, a camera on a sample starting one
// sample back, to the open end; a loop is cut round and round up to the most sections.
TEST_F(PerspecDispTest, SectionsRunFromTheSampleBeforeTheCamera) {
    AddSampledPoint(0, 0, 0, 2);
    AddSampledPoint(0, 0, 300, 2);
    AddSampledPoint(300, 0, 300, 2);
    PerspecDisp::Section all[PerspecDisp::MaxSections];
    ASSERT_EQ(PerspecDisp::CutSections(0, 0.0, all), 7); // segment 0's four samples, 1's last three
    // The camera's segment and place, and the first of all the sections cut from there.
    const std::tuple<int32_t, double, int> rows[] = {
        {0, 0.2, 0}, {0, 1.0 / 3.0, 0}, {0, 0.34, 1}, {0, 0.9, 2}, {1, 0.5, 4}};
    for (const auto& [segment, t, first] : rows) {
        PerspecDisp::Section sections[PerspecDisp::MaxSections];
        ASSERT_EQ(PerspecDisp::CutSections(segment, t, sections), 7 - first) << t;
        EXPECT_TRUE(SameSection(sections[0], all[first])) << segment << " " << t;
        EXPECT_TRUE(SameSection(sections[6 - first], all[6])) << segment << " " << t;
    }
    CourseData::SetLoop(1);
    EXPECT_EQ(PerspecDisp::CutSections(2, 0.0, all), PerspecDisp::MaxSections);
}
