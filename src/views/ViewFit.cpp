#include "views/ViewFit.h"

#include "model/CourseData.h"
#include "render/CameraControl.h"
#include "views/DispControl.h"

#include <algorithm>

namespace ViewFit {

namespace {

void Include(std::optional<Box>& box, const Vec3d& v) {
    if (!box) {
        box = Box{v, v};
        return;
    }
    box->low = {std::min(box->low.x, v.x), std::min(box->low.y, v.y), std::min(box->low.z, v.z)};
    box->high = {std::max(box->high.x, v.x), std::max(box->high.y, v.y),
                 std::max(box->high.z, v.z)};
}

// The world extents that a parallel camera's screen x and y show.
struct ScreenExtent {
    double across;
    double up;
};

ScreenExtent ExtentOn(int32_t state, const Vec3d& size) {
    switch (state) {
    case CameraControl::Top:
        return {size.x, size.z};
    case CameraControl::Side:
        return {size.z, size.y};
    default:
        return {size.x, size.y};
    }
}

} // namespace

std::optional<Box> CourseBox() {
    std::optional<Box> box;
    ForEachCourseRow([&box](const CourseSection& section) {
        Vec3d edgeA{};
        Vec3d edgeB{};
        CalcSectionEdge(section, edgeA, edgeB);
        Include(box, section.position);
        Include(box, edgeA);
        Include(box, edgeB);
    });
    return box;
}

std::optional<Box> DevelopedBox(DevelopedCourse::Measure measure) {
    const int points = CourseData::GetPointNum();
    if (points == 0) {
        return std::nullopt;
    }
    std::optional<Box> box;
    for (int point = 0; point < points; ++point) {
        double widthA = 0.0;
        double widthB = 0.0;
        CourseData::GetWidth(point, widthA, widthB);
        Include(box, {-widthA, 0.0, 0.0});
        Include(box, {widthB, 0.0, 0.0});
    }
    ForEachCourseRow([&box](const CourseSection& section) {
        Include(box, {0.0, section.position.y, 0.0});
    });
    Include(box, {0.0, box->low.y,
                  DevelopedCourse::AlongToSegment(CourseData::GetSegmentNum(), measure)});
    return box;
}

Vec3d DevelopedPlace(int index, DevelopedCourse::Measure measure) {
    const DevelopedCourse::Station station =
        DevelopedCourse::PointStation(index, DevelopedCourse::AlongToSegment(index, measure));
    return DispControl::MakeDevelopedPoint(station.position, 0.0, station.along);
}

void FitBox(CameraControl& camera, const Box& box) {
    const Vec3d size{box.high.x - box.low.x, box.high.y - box.low.y, box.high.z - box.low.z};
    CentreOn(camera,
             {box.low.x + size.x / 2.0, box.low.y + size.y / 2.0, box.low.z + size.z / 2.0});
    int width = 0;
    int height = 0;
    camera.GetScreenSize(width, height);
    const ScreenExtent extent = ExtentOn(camera.GetState(), size);
    double zoom = 0.0;
    if (extent.across > 0.0) {
        zoom = Fill * width / extent.across;
    }
    if (extent.up > 0.0) {
        const double upZoom = Fill * height / extent.up;
        zoom = zoom > 0.0 ? std::min(zoom, upZoom) : upZoom;
    }
    if (zoom > 0.0 && std::isfinite(zoom)) {
        camera.SetZoom(zoom);
    }
}

void CentreOn(CameraControl& camera, const Vec3d& place) {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    double zoom = 0.0;
    camera.GetCamera(x, y, z, zoom);
    camera.Move(place.x - x, place.y - y, place.z - z);
}

} // namespace ViewFit
