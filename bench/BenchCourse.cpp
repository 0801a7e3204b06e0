#include "BenchCourse.h"

#include "model/CourseData.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>
#include <system_error>

namespace {

struct Shape {
    double radius;      // distance from the circuit's centre
    double radiusSlope; // its derivative by the angle
};

// Three broad lobes with a smaller ripple, so the road has both long sweepers and
// tighter corners.
Shape ShapeAt(double angle) {
    const double radius =
        2500.0 + 600.0 * std::sin(3.0 * angle) + 250.0 * std::cos(5.0 * angle + 0.7);
    const double slope = 1800.0 * std::cos(3.0 * angle) - 1250.0 * std::sin(5.0 * angle + 0.7);
    return {radius, slope};
}

class ScratchDirectory {
public:
    ScratchDirectory() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "velmora-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::perror("velmora-bench: cannot create a temporary directory");
            std::exit(1);
        }
        path = pattern;
    }
    ~ScratchDirectory() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    std::filesystem::path path;
};

} // namespace

void BuildBenchCourse(int points, int samples) {
    CourseData::NewCourse();
    const double step = 2.0 * std::numbers::pi / points;
    for (int i = 0; i < points; ++i) {
        const double a = step * i;
        const Shape shape = ShapeAt(a);
        const double height = 60.0 + 45.0 * std::sin(2.0 * a) + 20.0 * std::cos(5.0 * a + 1.3);
        const int index =
            CourseData::AddPoint(shape.radius * std::cos(a), height, shape.radius * std::sin(a));
        CourseData::SetRoll(index, 0.18 * std::sin(3.0 * a + 0.4));
        CourseData::SetWidth(index, 22.0 + 6.0 * std::sin(4.0 * a),
                             22.0 + 5.0 * std::cos(3.0 * a + 0.9));
        CourseData::ChangeSampleNum(samples - CourseData::GetSampleNum(index));
    }
    CourseData::SetLoop(1);
    // A few points have their ground-plane handle set by hand: the exact tangent of the
    // curve, per segment of the course rather than per radian.
    for (int i = 0; i < points; i += 32) {
        const double a = step * i;
        const Shape shape = ShapeAt(a);
        const double tx = (shape.radiusSlope * std::cos(a) - shape.radius * std::sin(a)) * step;
        const double tz = (shape.radiusSlope * std::sin(a) + shape.radius * std::cos(a)) * step;
        CourseData::SetTangent(i, tx, 0.0, tz, 1, 0, 1);
    }
    CourseData::SetHandle(0, CourseData::HandlePoint);
    CourseData::MoveCameraPosition(0.5);
}

const std::filesystem::path& BenchDirectory() {
    static const ScratchDirectory directory;
    return directory.path;
}

std::string BenchFile(const std::string& name) {
    return (BenchDirectory() / name).string();
}
