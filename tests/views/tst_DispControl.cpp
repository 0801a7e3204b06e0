#include "views/DispControl.h"

#include <gtest/gtest.h>

// The mouse hits a point within a 5 x 5 square about it: 2 pixels away on either axis hits, 3
// pixels away misses.
TEST(DispControl, HitPointIsAFiveByFiveSquare) {
    const struct {
        int px, py;
        bool hit;
    } rows[] = {{10, 10, true}, {12, 8, true},   {8, 12, true}, {13, 10, false},
                {7, 10, false}, {10, 13, false}, {10, 7, false}};
    for (const auto& r : rows) {
        EXPECT_EQ(DispControl::HitPoint(r.px, r.py, 10, 10), r.hit) << r.px << ", " << r.py;
    }
}
