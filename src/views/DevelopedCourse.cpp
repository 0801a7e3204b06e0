#include "views/DevelopedCourse.h"

#include "model/CourseData.h"
#include "render/CameraControl.h"
#include "views/DispControl.h"

#include <cmath>
#include <cstdint>

namespace DevelopedCourse {

namespace {

constexpr double HandleReach = 40.0; // world units along the course to a width handle's ends
constexpr double HandleScale = 0.3;  // the part of the handle vector a height handle shows
// Far beyond any surface, well inside int; the drawing context clips the rest.
constexpr double PixelLimit = 1e8;

// Written as comparisons so that a NaN lands on the lower bound instead of being converted.
int ToPixel(double v) {
    return static_cast<int>(v > PixelLimit ? PixelLimit : (v >= -PixelLimit ? v : -PixelLimit));
}

} // namespace

int StepsOf(int segment) {
    return CourseData::GetSampleNum(segment) + 1;
}

double ParameterOf(int step, int steps) {
    return static_cast<double>(step) / steps;
}

Station PointStation(int point, double along) {
    Station station{};
    CourseData::GetPosition(point, station.position.x, station.position.y, station.position.z);
    station.along = along;
    return station;
}

Station NextStation(const Station& previous, int segment, int step, int steps, Measure measure) {
    Station next{};
    CourseData::GetCoursePosition(segment, ParameterOf(step, steps), next.position.x,
                                  next.position.y, next.position.z);
    const double distance = measure == InSpace
                                ? DispControl::SpaceDistance(previous.position, next.position)
                                : DispControl::PlaneDistance(previous.position, next.position);
    next.along = previous.along + distance;
    return next;
}

double AlongAfter(int segment, double along, Measure measure) {
    Station station = PointStation(segment, along);
    const int steps = StepsOf(segment);
    for (int step = 1; step <= steps; ++step) {
        station = NextStation(station, segment, step, steps, measure);
    }
    return station.along;
}

double AlongToSegment(int segment, Measure measure) {
    double along = 0.0;
    for (int before = 0; before < segment; ++before) {
        along = AlongAfter(before, along, measure);
    }
    return along;
}

HandleEnds WidthHandle(int point, int side, double along) {
    const Station station = PointStation(point, along);
    double widthA = 0.0;
    double widthB = 0.0;
    double handleA = 0.0;
    double handleB = 0.0;
    int32_t fixedA = 0;
    int32_t fixedB = 0;
    CourseData::GetWidth(point, widthA, widthB);
    CourseData::GetWidthTangent(point, handleA, handleB, fixedA, fixedB);
    // Side A lies at negative offsets, so its handle is mirrored.
    const double edge = side == 0 ? -widthA : widthB;
    const double handle = side == 0 ? -handleA : handleB;
    const Vec3d& centre = station.position;
    return {DispControl::MakeDevelopedPoint(centre, edge + handle, along + HandleReach),
            DispControl::MakeDevelopedPoint(centre, edge - handle, along - HandleReach)};
}

HandleEnds HeightHandle(int point, double along) {
    Vec3d position{};
    Vec3d handle{};
    int32_t fixedX = 0;
    int32_t fixedY = 0;
    int32_t fixedZ = 0;
    CourseData::GetPosition(point, position.x, position.y, position.z);
    CourseData::GetTangent(point, handle.x, handle.y, handle.z, fixedX, fixedY, fixedZ);
    const double reach = HandleScale * std::sqrt(handle.x * handle.x + handle.z * handle.z);
    const double rise = HandleScale * handle.y;
    return {{0.0, position.y + rise, along + reach}, {0.0, position.y - rise, along - reach}};
}

Pixel Project(const CameraControl& camera, const Vec3d& world) {
    Vec3d screen{};
    camera.WorldToScreen(world, screen);
    return {ToPixel(screen.x), ToPixel(screen.y)};
}

} // namespace DevelopedCourse
