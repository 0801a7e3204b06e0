#include "views/InspectorText.h"

#include "base/NumberText.h"
#include "base/VectorMath.h"
#include "model/CourseData.h"

#include <cmath>

namespace InspectorText {

namespace {

using CourseAnalysis::Side;
using CourseAnalysis::Warning;
using CourseAnalysis::WarningKind;

std::string Range(const std::optional<CourseAnalysis::Range>& range) {
    return range ? DecimalText(range->min, 1) + "/" + DecimalText(range->max, 1) : "-";
}

void AddCourse(const CourseAnalysis::Measurements& m, std::vector<Line>& lines) {
    lines.push_back({"[コース]"});
    lines.push_back({"長さ " + DecimalText(m.length, 1)});
    lines.push_back({"端A " + DecimalText(m.lengthA, 1)});
    lines.push_back({"端B " + DecimalText(m.lengthB, 1)});
    lines.push_back({"高 " + Range(m.height)});
    lines.push_back({"勾配 " + DecimalText(m.maxGradient, 1) + "%"});
    lines.push_back({"最小R " + (m.minRadius ? DecimalText(*m.minRadius, 1) : std::string("-"))});
    lines.push_back({"ﾊﾞﾝｸ " + DecimalText(m.maxBank, 1) + "°"});
    lines.push_back({"幅A " + Range(m.widthA)});
    lines.push_back({"幅B " + Range(m.widthB)});
}

// The bend at a point: the start of its segment, or the end of the last one for the
// last point of an open course.
std::string RadiusAt(int point) {
    const int segments = CourseData::GetSegmentNum();
    if (segments == 0) {
        return "-";
    }
    const double curvature =
        point < segments
            ? CourseAnalysis::Curvature(CourseData::GetSegmentCurves(point), 0.0)
            : CourseAnalysis::Curvature(CourseData::GetSegmentCurves(segments - 1), 1.0);
    return curvature == 0.0 ? std::string("直線") : DecimalText(1.0 / std::abs(curvature), 1);
}

void AddPoint(int point, std::vector<Line>& lines) {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    CourseData::GetPosition(point, x, y, z);
    double widthA = 0.0;
    double widthB = 0.0;
    CourseData::GetWidth(point, widthA, widthB);
    double roll = 0.0;
    CourseData::GetRoll(point, roll);
    lines.push_back({"[点 " + std::to_string(point) + "]"});
    lines.push_back({"x " + DecimalText(x, 1)});
    lines.push_back({"y " + DecimalText(y, 1)});
    lines.push_back({"z " + DecimalText(z, 1)});
    lines.push_back({"幅A " + DecimalText(widthA, 1)});
    lines.push_back({"幅B " + DecimalText(widthB, 1)});
    lines.push_back({"ﾊﾞﾝｸ " + DecimalText(roll * DegreesPerRadian, 1) + "°"});
    lines.push_back({"ｻﾝﾌﾟﾙ " + std::to_string(CourseData::GetSampleNum(point))});
    lines.push_back({"R " + RadiusAt(point)});
}

std::string ShortName(const Warning& w) {
    const std::string segment = std::to_string(w.place.segment);
    switch (w.kind) {
    case WarningKind::EdgeFold:
        return "折返し " + segment + (w.side == Side::A ? "A" : "B");
    case WarningKind::Overlap:
        return "重なり " + segment + "-" + std::to_string(w.other);
    case WarningKind::Steep:
        return "急勾配 " + segment;
    case WarningKind::Bank:
        return "ﾊﾞﾝｸ " + segment;
    case WarningKind::ClosePoints:
        break;
    }
    return "近接 " + segment + "-" + std::to_string(w.other);
}

} // namespace

std::vector<Line> Lines(const CourseAnalysis::Analysis& analysis) {
    std::vector<Line> lines;
    AddCourse(analysis.measurements, lines);
    int32_t selected = -1;
    int32_t handleState = 0;
    CourseData::GetHandle(selected, handleState);
    if (selected >= 0 && selected < CourseData::GetPointNum()) {
        AddPoint(selected, lines);
    }
    lines.push_back({"[警告 " + std::to_string(analysis.warnings.size()) + "]"});
    for (size_t i = 0; i < analysis.warnings.size(); ++i) {
        lines.push_back({ShortName(analysis.warnings[i]), static_cast<int>(i)});
    }
    return lines;
}

} // namespace InspectorText
