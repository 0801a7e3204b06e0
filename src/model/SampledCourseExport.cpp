#include "model/SampledCourseExport.h"

#include "base/NumberText.h"
#include "model/CourseData.h"
#include "model/CourseSurface.h"
#include "model/RoadMesh.h"
#include "platform/SaveFile.h"
#include "platform/SaveFileBuffer.h"

#include <cmath>
#include <ostream>

namespace SampledCourseExport {

namespace {

std::string Field(const char* name, const std::string& value) {
    return std::string("\"") + name + "\":" + value;
}

// A course position in the exchange axes.
std::string Position(const Vec3d& p, double scale) {
    const Vec3d e = RoadMesh::Exchanged(p, scale);
    return "[" + JsonNumber(e.x) + "," + JsonNumber(e.y) + "," + JsonNumber(e.z) + "]";
}

std::string PointJson(int index, double scale) {
    const CourseSection s = GetPointSection(index);
    return "{" + Field("position", Position(s.position, scale)) + "," +
           Field("bank", JsonNumber(s.roll)) + "," + Field("widthA", JsonNumber(s.width1 * scale)) +
           "," + Field("widthB", JsonNumber(s.width2 * scale)) + "," +
           Field("samples", std::to_string(CourseData::GetSampleNum(index))) + "}";
}

std::string RowJson(int segment, double t, double distance, const CourseSection& s, double scale) {
    Vec3d edgeA{};
    Vec3d edgeB{};
    CalcSectionEdge(s, edgeA, edgeB);
    return "{" + Field("segment", std::to_string(segment)) + "," + Field("t", JsonNumber(t)) + "," +
           Field("distance", JsonNumber(distance)) + "," +
           Field("centre", Position(s.position, scale)) + "," +
           Field("edgeA", Position(edgeA, scale)) + "," + Field("edgeB", Position(edgeB, scale)) +
           "," + Field("bank", JsonNumber(s.roll)) + "," +
           Field("widthA", JsonNumber(s.width1 * scale)) + "," +
           Field("widthB", JsonNumber(s.width2 * scale)) + "}";
}

void WriteCourse(std::ostream& out, double scale) {
    out << "{" + Field("format", "\"velmora-sampled-course\"") + "," + Field("version", "1") + "," +
               Field("units", "\"metres\"") + "," + Field("scale", JsonNumber(scale)) + "," +
               Field("axes", "\"right-handed, y up: the course's (x, y, z) times scale as (x, "
                             "y, -z); bank in radians, positive lifting edge A\"") +
               "," + Field("loop", CourseData::IsLoop() != 0 ? "true" : "false") + "," +
               Field("widthScale", JsonNumber(CourseData::GetWidthScale())) + ",\"points\":[";
    for (int i = 0; i < CourseData::GetPointNum(); ++i) {
        out << (i > 0 ? "," : "") + PointJson(i, scale);
    }
    out << "],\"rows\":[";
    bool first = true;
    double distance = 0.0;
    Vec3d previous{};
    ForEachCourseRowAt([&](int segment, double t, const CourseSection& section) {
        if (!first) {
            const Vec3d& p = section.position;
            distance += std::hypot(p.x - previous.x, p.y - previous.y, p.z - previous.z) * scale;
        }
        out << (first ? "" : ",") + RowJson(segment, t, distance, section, scale);
        previous = section.position;
        first = false;
    });
    out << "]}\n";
}

} // namespace

int Write(const char* fileName, double scale, std::string& failure) {
    SaveFile file(fileName);
    if (file.Open()) {
        SaveFileBuffer buffer(file);
        std::ostream out(&buffer);
        WriteCourse(out, scale);
        out.flush();
    }
    if (!file.Commit()) {
        failure = file.Failure();
        return 1;
    }
    return 0;
}

} // namespace SampledCourseExport
