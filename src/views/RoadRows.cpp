#include "views/RoadRows.h"

#include "model/CourseSurface.h"

#include <array>
#include <bit>
#include <cstdint>
#include <vector>

namespace RoadRows {
namespace {

// Kept rows take at most 256 segments × 257 rows × 72 bytes, under 5 MB.
constexpr int MaxKeptSteps = 256;

// Curves are compared bit for bit: a NaN matches itself, and -0 and +0 differ. They are
// 25 doubles and nothing else, so every bit compared is a value's.
static_assert(sizeof(CourseData::SegmentCurves) == 25 * sizeof(double));
using CurveBits = std::array<uint64_t, sizeof(CourseData::SegmentCurves) / sizeof(uint64_t)>;

struct Kept {
    CourseData::SegmentCurves curves{};
    int steps = -1;
    std::vector<Row> rows;
};

std::vector<Kept> kept;
std::vector<Row> scratch;

bool SameBits(const CourseData::SegmentCurves& a, const CourseData::SegmentCurves& b) {
    return std::bit_cast<CurveBits>(a) == std::bit_cast<CurveBits>(b);
}

// A segment's cubics start at its start point's own value and handle.
CourseSection StartOf(const CourseData::SegmentCurves& c) {
    return {{c.x.a, c.y.a, c.z.a},
            {c.x.b, c.y.b, c.z.b},
            c.width1.a * c.widthScale,
            c.width2.a * c.widthScale,
            c.roll.a};
}

Row RowOf(const CourseSection& section) {
    Row row{section.position, {}, {}};
    CalcSectionEdge(section, row.edge1, row.edge2);
    return row;
}

void Compute(const CourseData::SegmentCurves& curves, int steps, std::vector<Row>& rows) {
    rows.resize(static_cast<size_t>(steps) + 1);
    rows[0] = RowOf(StartOf(curves));
    for (int k = 1; k <= steps; ++k) {
        rows[k] = RowOf(SectionAt(curves, static_cast<double>(k) / steps));
    }
}

} // namespace

std::span<const Row> Of(int segment, const CourseData::SegmentCurves& curves, int steps) {
    if (steps > MaxKeptSteps) {
        Compute(curves, steps, scratch);
        return scratch;
    }
    if (static_cast<size_t>(segment) >= kept.size()) {
        kept.resize(static_cast<size_t>(segment) + 1);
    }
    Kept& k = kept[segment];
    if (k.steps != steps || !SameBits(k.curves, curves)) {
        Compute(curves, steps, k.rows);
        k.curves = curves;
        k.steps = steps;
    }
    return k.rows;
}

} // namespace RoadRows
