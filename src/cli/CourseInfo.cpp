#include "cli/CourseInfo.h"

#include "base/NumberText.h"
#include "cli/CourseCheck.h"
#include "model/CourseAnalysis.h"
#include "model/CourseData.h"
#include "model/CourseSurface.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

std::string Point(const Vec3d& p) {
    return "[" + JsonNumber(p.x) + "," + JsonNumber(p.y) + "," + JsonNumber(p.z) + "]";
}

struct CentreLine {
    double length = 0.0;
    std::optional<Vec3d> min;
    std::optional<Vec3d> max;
};

CentreLine MeasureCentreLine() {
    CentreLine line;
    std::optional<Vec3d> previous;
    ForEachCourseRow([&](const CourseSection& section) {
        const Vec3d& p = section.position;
        if (previous) {
            line.length += std::hypot(p.x - previous->x, p.y - previous->y, p.z - previous->z);
            line.min = Vec3d{std::min(line.min->x, p.x), std::min(line.min->y, p.y),
                             std::min(line.min->z, p.z)};
            line.max = Vec3d{std::max(line.max->x, p.x), std::max(line.max->y, p.y),
                             std::max(line.max->z, p.z)};
        } else {
            line.min = p;
            line.max = p;
        }
        previous = p;
    });
    return line;
}

} // namespace

std::string CourseInfoJson() {
    const int64_t rows = GetCourseRowNum();
    int32_t selected = 0;
    int32_t handleState = 0;
    CourseData::GetHandle(selected, handleState);
    int32_t cameraSegment = -1;
    double cameraT = 0.0;
    CourseData::GetCameraPosition(cameraSegment, cameraT);
    const CentreLine line = MeasureCentreLine();
    const std::string bounds =
        line.min ? R"({"min":)" + Point(*line.min) + R"(,"max":)" + Point(*line.max) + "}" : "null";
    return R"({"points":)" + std::to_string(CourseData::GetPointNum()) + R"(,"loop":)" +
           (CourseData::IsLoop() != 0 ? "true" : "false") + R"(,"segments":)" +
           std::to_string(CourseData::GetSegmentNum()) + R"(,"rows":)" + std::to_string(rows) +
           R"(,"faces":)" + std::to_string(rows > 0 ? rows - 1 : 0) + R"(,"width_scale":)" +
           JsonNumber(CourseData::GetWidthScale()) + R"(,"selected":)" + std::to_string(selected) +
           R"(,"handle_state":)" + std::to_string(handleState) + R"(,"side":)" +
           std::to_string(CourseData::GetSide()) + R"(,"camera":{"segment":)" +
           std::to_string(cameraSegment) + R"(,"t":)" + JsonNumber(cameraT) + "}" +
           R"(,"length":)" + JsonNumber(line.length) + R"(,"bounds":)" + bounds +
           R"(,"measurements":)" + MeasurementsJson(CourseAnalysis::Analyse().measurements) + "}";
}
