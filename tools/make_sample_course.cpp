// Builds the bundled sample course: a closed circuit with a start straight, a banked
// hairpin, a climb to a crest, a chicane and a long sweeping return, with varied widths
// and sample counts. The course goes through the course model's own editing
// operations, so the file is exactly what the designer would save.

#include "model/CourseData.h"

#include <array>
#include <cstdio>

namespace {

struct SamplePoint {
    double x, y, z;
    double roll;   // radians, banked into the corner
    double width1; // first edge
    double width2; // second edge
    int32_t samples;
};

constexpr std::array<SamplePoint, 15> Circuit{{
    {0, 0, 0, 0.0, 24, 30, 8},          // start and finish, pit lane side wider
    {500, 5, 0, 0.0, 24, 24, 12},       // end of the straight
    {900, 20, 80, -0.12, 24, 24, 16},   // hairpin entry
    {1050, 30, 300, -0.26, 28, 28, 20}, // hairpin apex, steeply banked
    {900, 35, 520, -0.14, 26, 26, 14},  // hairpin exit
    {600, 60, 560, 0.0, 22, 22, 10},    // climbing back straight
    {350, 90, 700, 0.08, 22, 22, 12},
    {300, 110, 950, 0.18, 20, 20, 18},   // crest
    {500, 100, 1150, -0.10, 18, 18, 16}, // chicane, left
    {250, 70, 1350, 0.16, 16, 16, 16},   // chicane, right
    {-100, 40, 1300, 0.10, 20, 20, 14},
    {-350, 20, 1050, 0.20, 22, 22, 18}, // long sweeper
    {-400, 10, 600, 0.06, 22, 22, 12},
    {-300, 5, 250, 0.04, 24, 24, 10},
    {-200, 0, 50, 0.02, 24, 28, 6}, // into the last corner before the line
}};

void BuildCircuit() {
    for (const SamplePoint& p : Circuit) {
        const int index = CourseData::AddPoint(p.x, p.y, p.z);
        CourseData::SetRoll(index, p.roll);
        CourseData::SetWidth(index, p.width1, p.width2);
        CourseData::ChangeSampleNum(p.samples - CourseData::GetSampleNum(index));
    }
    CourseData::SetLoop(1);
    // A hand-shaped hairpin: the apex tangent is fixed in the ground plane.
    CourseData::SetTangent(3, 0.0, 0.0, 480.0, 1, 0, 1);
    // The bank of the sweeper eases in more slowly than the automatic tangent would.
    CourseData::SetRollTangent(11, 0.02, 1);
    CourseData::MoveCameraPosition(0.25);
    CourseData::SetHandle(3, CourseData::HandlePoint);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        (void)std::fprintf(stderr, "Usage: velmora-make-sample OUT.cus\n");
        return 2;
    }
    CourseData::Initialize();
    BuildCircuit();
    const int result = CourseData::Save(argv[1]);
    CourseData::Destruct();
    if (result != 0) {
        (void)std::fprintf(stderr, "velmora-make-sample: %s: cannot write\n", argv[1]);
        return 1;
    }
    return 0;
}
