#include "model/CourseAnalysis.h"

#include "base/NumberText.h"
#include "base/VectorMath.h"
#include "model/CourseData.h"
#include "model/CourseSurface.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace CourseAnalysis {
namespace {

constexpr int PlacesPerSegment = EvaluationsPerSegment + 1;
// A second derivative this nearly parallel to the first is rounding on a straight line.
constexpr double StraightTolerance = 1e-9;

// The course at one evaluated place.
struct Probe {
    Place place;
    Vec3d centre;
    Vec3d edgeA;
    Vec3d edgeB;
    double widthA;
    double widthB;
    double roll;
    double gradient; // percent; infinite where the line rises straight up
    // Signed, of the centre line in the ground plane: positive where it bends towards
    // edge B, zero where it runs straight or stands still.
    double curvature;
};

// Plain square roots: course values stay far below where their squares overflow.
double Distance(const Vec3d& a, const Vec3d& b) {
    const Vec3d d{a.x - b.x, a.y - b.y, a.z - b.z};
    return std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
}

double GradientOf(const Vec3d& slope) {
    const double run = std::sqrt(slope.x * slope.x + slope.z * slope.z);
    if (run > 0.0) {
        return std::abs(slope.y) / run * 100.0;
    }
    return slope.y != 0.0 ? INFINITY : 0.0;
}

Probe ProbeOf(const CourseSection& section, Place place, double curvature) {
    Probe p{place,          section.position, {},           {},
            section.width1, section.width2,   section.roll, GradientOf(section.tangent),
            curvature};
    CalcSectionEdge(section, p.edgeA, p.edgeB);
    return p;
}

// Every segment at t = 0, 1/64, …, 1; a course of one point is that point.
std::vector<Probe> ProbeCourse() {
    std::vector<Probe> probes;
    const int segments = CourseData::GetSegmentNum();
    if (segments == 0) {
        if (CourseData::GetPointNum() > 0) {
            probes.push_back(ProbeOf(GetPointSection(0), {0, 0.0}, 0.0));
        }
        return probes;
    }
    probes.reserve(static_cast<size_t>(segments) * PlacesPerSegment);
    for (int segment = 0; segment < segments; ++segment) {
        const CourseData::SegmentCurves curves = CourseData::GetSegmentCurves(segment);
        for (int j = 0; j < PlacesPerSegment; ++j) {
            const double t = static_cast<double>(j) / EvaluationsPerSegment;
            probes.push_back(ProbeOf(SectionAt(curves, t), {segment, t}, Curvature(curves, t)));
        }
    }
    return probes;
}

void Widen(std::optional<Range>& range, double value) {
    if (range) {
        range = Range{std::min(range->min, value), std::max(range->max, value)};
    } else {
        range = Range{value, value};
    }
}

Measurements Measure(const std::vector<Probe>& probes) {
    Measurements m;
    m.segmentLengths.assign(static_cast<size_t>(CourseData::GetSegmentNum()), 0.0);
    for (size_t k = 0; k < probes.size(); ++k) {
        const Probe& p = probes[k];
        if (k > 0 && p.place.t > 0.0) {
            const Probe& q = probes[k - 1];
            const double step = Distance(q.centre, p.centre);
            m.segmentLengths[static_cast<size_t>(p.place.segment)] += step;
            m.length += step;
            m.lengthA += Distance(q.edgeA, p.edgeA);
            m.lengthB += Distance(q.edgeB, p.edgeB);
        }
        Widen(m.height, p.centre.y);
        Widen(m.widthA, p.widthA);
        Widen(m.widthB, p.widthB);
        m.maxGradient = std::max(m.maxGradient, p.gradient);
        m.maxBank = std::max(m.maxBank, std::abs(p.roll) * DegreesPerRadian);
        if (p.curvature != 0.0 && (!m.minRadius || 1.0 / std::abs(p.curvature) < *m.minRadius)) {
            m.minRadius = 1.0 / std::abs(p.curvature);
            m.minRadiusAt = p.place;
        }
    }
    return m;
}

// Keeps, per segment, the place where a measure is worst.
class WorstInSegment {
public:
    explicit WorstInSegment(Warning base) : warning(base) {}
    void Offer(const Probe& p, double severity, double value, double limit) {
        if (severity > worst) {
            worst = severity;
            warning.place = p.place;
            warning.value = value;
            warning.limit = limit;
        }
    }
    void AddTo(std::vector<Warning>& warnings) const {
        if (worst > 0.0) {
            warnings.push_back(warning);
        }
    }

private:
    Warning warning;
    double worst = 0.0;
};

void WarnAboutCloseNeighbour(int segment, std::vector<Warning>& warnings) {
    const int next = (segment + 1) % CourseData::GetPointNum();
    Vec3d a{};
    Vec3d b{};
    CourseData::GetPosition(segment, a.x, a.y, a.z);
    CourseData::GetPosition(next, b.x, b.y, b.z);
    const double distance = Distance(a, b);
    if (distance < MinPointDistance) {
        warnings.push_back({WarningKind::ClosePoints,
                            {segment, 0.0},
                            Side::None,
                            distance,
                            MinPointDistance,
                            next});
    }
}

// Folds, steepness and bank: each a run of places that break a limit, reported at the
// worst of them.
void WarnAlongSegment(std::span<const Probe> probes, const Limits& limits,
                      std::vector<Warning>& warnings) {
    WorstInSegment foldA({WarningKind::EdgeFold, {}, Side::A});
    WorstInSegment foldB({WarningKind::EdgeFold, {}, Side::B});
    WorstInSegment steep({WarningKind::Steep, {}});
    WorstInSegment bank({WarningKind::Bank, {}});
    for (const Probe& p : probes) {
        const double radius = 1.0 / std::abs(p.curvature);
        const double inner = p.curvature > 0.0 ? p.widthB : p.widthA;
        if (p.curvature != 0.0 && inner >= radius) {
            (p.curvature > 0.0 ? foldB : foldA).Offer(p, inner / radius, inner, radius);
        }
        if (p.gradient > limits.maxGradient) {
            steep.Offer(p, p.gradient - limits.maxGradient, p.gradient, limits.maxGradient);
        }
        const double degrees = std::abs(p.roll) * DegreesPerRadian;
        if (degrees > limits.maxBank) {
            bank.Offer(p, degrees - limits.maxBank, degrees, limits.maxBank);
        }
    }
    for (const WorstInSegment* w : {&foldA, &foldB, &steep, &bank}) {
        w->AddTo(warnings);
    }
}

// --- Overlaps: road parts that cross in the ground plane. A part spans a few evaluation
// intervals, as a quadrilateral between its end cross-sections: fine enough to find a
// crossing, coarse enough that a long course has few parts sharing a grid cell.

constexpr int IntervalsPerPart = 4;
constexpr double MaxCellsAcross = 1 << 20;

struct Part {
    size_t probe; // the part runs from this probe to the one IntervalsPerPart later
    double lowX, lowZ, highX, highZ;
    double along;     // centre-line distance from the start to the middle of the part
    double halfWidth; // the larger of its half-widths
    double height;    // of its centre line, in the middle
};

struct Point2 {
    double x, z;
};

using Triangle = std::array<Point2, 3>;

Point2 Ground(const Vec3d& v) {
    return {v.x, v.z};
}

bool Separates(const Triangle& a, const Triangle& b, Point2 normal) {
    const auto span = [&](const Triangle& tri) {
        std::pair<double, double> s{INFINITY, -INFINITY};
        for (const Point2& p : tri) {
            const double d = p.x * normal.x + p.z * normal.z;
            s = {std::min(s.first, d), std::max(s.second, d)};
        }
        return s;
    };
    const auto [aLow, aHigh] = span(a);
    const auto [bLow, bHigh] = span(b);
    return aHigh <= bLow || bHigh <= aLow;
}

double Area2(const Triangle& t) {
    return (t[1].x - t[0].x) * (t[2].z - t[0].z) - (t[2].x - t[0].x) * (t[1].z - t[0].z);
}

// True when the triangles share area; touching along an edge or a corner is not enough.
bool TrianglesOverlap(const Triangle& a, const Triangle& b) {
    if (Area2(a) == 0.0 || Area2(b) == 0.0) {
        return false;
    }
    for (const Triangle* tri : {&a, &b}) {
        for (int i = 0; i < 3; ++i) {
            const Point2& p = (*tri)[i];
            const Point2& q = (*tri)[(i + 1) % 3];
            const Point2 normal{q.z - p.z, p.x - q.x};
            if ((normal.x != 0.0 || normal.z != 0.0) && Separates(a, b, normal)) {
                return false;
            }
        }
    }
    return true;
}

std::array<Triangle, 2> TrianglesOf(const Probe& from, const Probe& to) {
    const Point2 a0 = Ground(from.edgeA);
    const Point2 a1 = Ground(to.edgeA);
    const Point2 b0 = Ground(from.edgeB);
    const Point2 b1 = Ground(to.edgeB);
    return {Triangle{a0, a1, b1}, Triangle{a0, b1, b0}};
}

bool PartsOverlap(const std::vector<Probe>& probes, const Part& a, const Part& b) {
    const auto ta = TrianglesOf(probes[a.probe], probes[a.probe + IntervalsPerPart]);
    const auto tb = TrianglesOf(probes[b.probe], probes[b.probe + IntervalsPerPart]);
    for (const Triangle& x : ta) {
        for (const Triangle& y : tb) {
            if (TrianglesOverlap(x, y)) {
                return true;
            }
        }
    }
    return false;
}

std::vector<Part> PartsOf(const std::vector<Probe>& probes) {
    std::vector<Part> parts;
    double along = 0.0;
    for (size_t start = 0; start + 1 < probes.size(); start += PlacesPerSegment) {
        for (size_t k = start; k < start + EvaluationsPerSegment; k += IntervalsPerPart) {
            const Probe& p = probes[k];
            const Probe& q = probes[k + IntervalsPerPart];
            const double length = Distance(p.centre, q.centre);
            parts.push_back({k, std::min({p.edgeA.x, p.edgeB.x, q.edgeA.x, q.edgeB.x}),
                             std::min({p.edgeA.z, p.edgeB.z, q.edgeA.z, q.edgeB.z}),
                             std::max({p.edgeA.x, p.edgeB.x, q.edgeA.x, q.edgeB.x}),
                             std::max({p.edgeA.z, p.edgeB.z, q.edgeA.z, q.edgeB.z}),
                             along + length / 2.0,
                             std::max({std::abs(p.widthA), std::abs(p.widthB), std::abs(q.widthA),
                                       std::abs(q.widthB)}),
                             (p.centre.y + q.centre.y) / 2.0});
            along += length;
        }
    }
    return parts;
}

bool AllFinite(const std::vector<Part>& parts) {
    return std::all_of(parts.begin(), parts.end(), [](const Part& p) {
        return std::isfinite(p.lowX) && std::isfinite(p.lowZ) && std::isfinite(p.highX) &&
               std::isfinite(p.highZ) && std::isfinite(p.along) && std::isfinite(p.halfWidth) &&
               std::isfinite(p.height);
    });
}

// Parts this near along the course belong to one bend: where they cross, the road folds,
// which the edge-fold warning reports.
bool Neighbours(const Part& a, const Part& b, double courseLength, bool loop) {
    double apart = std::abs(a.along - b.along);
    if (loop) {
        apart = std::min(apart, courseLength - apart);
    }
    return apart <= std::numbers::pi * std::max(a.halfWidth, b.halfWidth) + 1e-9 * courseLength;
}

// A grid over the ground plane whose cells are a few parts wide; each part is listed in
// every cell its box touches, and a pair is tested only in the first cell both touch.
class PartGrid {
public:
    explicit PartGrid(const std::vector<Part>& parts) : parts(parts) {
        double sum = 0.0;
        double largest = 0.0;
        double farX = -INFINITY;
        double farZ = -INFINITY;
        for (const Part& p : parts) {
            const double extent = std::max(p.highX - p.lowX, p.highZ - p.lowZ);
            sum += extent;
            largest = std::max(largest, extent);
            originX = std::min(originX, p.lowX);
            originZ = std::min(originZ, p.lowZ);
            farX = std::max(farX, p.highX);
            farZ = std::max(farZ, p.highZ);
        }
        // The road is one connected strip, so it spans about as many cells as it has parts;
        // the last bound keeps cell numbers small whatever rounding does to the extents.
        cell = std::max({2.0 * sum / static_cast<double>(parts.size()), largest / 4.0,
                         std::max(farX - originX, farZ - originZ) / MaxCellsAcross});
        if (cell > 0.0) {
            List();
        }
    }

    // Calls visit(a, b) once for each pair of parts whose boxes share a cell, a < b.
    template <class Visit> void ForEachPair(Visit&& visit) const {
        for (size_t run = 0; run < entries.size();) {
            size_t end = run;
            while (end < entries.size() && entries[end].first == entries[run].first) {
                ++end;
            }
            for (size_t i = run; i < end; ++i) {
                for (size_t j = i + 1; j < end; ++j) {
                    VisitOnce(entries[run].first, entries[i].second, entries[j].second, visit);
                }
            }
            run = end;
        }
    }

private:
    int64_t Cell(double value, double origin) const {
        return static_cast<int64_t>(std::floor((value - origin) / cell));
    }
    static uint64_t Key(int64_t cx, int64_t cz) {
        return (static_cast<uint64_t>(cx) << 32U) | static_cast<uint64_t>(cz);
    }

    void List() {
        for (size_t i = 0; i < parts.size(); ++i) {
            const Part& p = parts[i];
            for (int64_t cx = Cell(p.lowX, originX); cx <= Cell(p.highX, originX); ++cx) {
                for (int64_t cz = Cell(p.lowZ, originZ); cz <= Cell(p.highZ, originZ); ++cz) {
                    entries.emplace_back(Key(cx, cz), i);
                }
            }
        }
        std::sort(entries.begin(), entries.end());
    }

    template <class Visit> void VisitOnce(uint64_t key, size_t i, size_t j, Visit&& visit) const {
        const Part& a = parts[i];
        const Part& b = parts[j];
        if (a.highX < b.lowX || b.highX < a.lowX || a.highZ < b.lowZ || b.highZ < a.lowZ) {
            return;
        }
        const int64_t cx = Cell(std::max(a.lowX, b.lowX), originX);
        const int64_t cz = Cell(std::max(a.lowZ, b.lowZ), originZ);
        if (Key(cx, cz) == key) {
            visit(i, j);
        }
    }

    const std::vector<Part>& parts;
    double originX = INFINITY;
    double originZ = INFINITY;
    double cell = 0.0;
    std::vector<std::pair<uint64_t, size_t>> entries;
};

void WarnAboutOverlaps(const std::vector<Probe>& probes, double courseLength,
                       std::vector<Warning>& warnings) {
    const std::vector<Part> parts = PartsOf(probes);
    if (parts.empty() || !AllFinite(parts)) {
        return;
    }
    const bool loop = CourseData::IsLoop() != 0;
    const auto segmentOf = [&](const Part& part) { return probes[part.probe].place.segment; };
    // Crossings as (segment, other segment, part, other part); the first of each pair of
    // segments is reported.
    std::vector<std::array<size_t, 4>> crossings;
    PartGrid(parts).ForEachPair([&](size_t i, size_t j) {
        const Part& a = parts[i];
        const Part& b = parts[j];
        const double clearance = OverlapClearanceWidths * std::max(a.halfWidth, b.halfWidth);
        if (!Neighbours(a, b, courseLength, loop) && std::abs(a.height - b.height) < clearance &&
            PartsOverlap(probes, a, b)) {
            crossings.push_back(
                {static_cast<size_t>(segmentOf(a)), static_cast<size_t>(segmentOf(b)), i, j});
        }
    });
    std::sort(crossings.begin(), crossings.end());
    for (size_t k = 0; k < crossings.size(); ++k) {
        if (k > 0 && crossings[k][0] == crossings[k - 1][0] &&
            crossings[k][1] == crossings[k - 1][1]) {
            continue;
        }
        const Part& a = parts[crossings[k][2]];
        const Part& b = parts[crossings[k][3]];
        const Probe& p = probes[a.probe];
        warnings.push_back(
            {WarningKind::Overlap,
             {p.place.segment, p.place.t + 0.5 * IntervalsPerPart / EvaluationsPerSegment},
             Side::None,
             std::abs(a.height - b.height),
             OverlapClearanceWidths * std::max(a.halfWidth, b.halfWidth),
             segmentOf(b)});
    }
}

std::vector<Warning> Warn(const std::vector<Probe>& probes, const Measurements& m,
                          const Limits& limits) {
    std::vector<Warning> warnings;
    const int segments = CourseData::GetSegmentNum();
    for (int segment = 0; segment < segments; ++segment) {
        WarnAboutCloseNeighbour(segment, warnings);
        WarnAlongSegment(std::span(probes).subspan(static_cast<size_t>(segment) * PlacesPerSegment,
                                                   PlacesPerSegment),
                         limits, warnings);
    }
    WarnAboutOverlaps(probes, m.length, warnings);
    std::stable_sort(warnings.begin(), warnings.end(), [](const Warning& a, const Warning& b) {
        return std::pair(a.place.segment, a.place.t) < std::pair(b.place.segment, b.place.t);
    });
    return warnings;
}

const char* SideName(Side side) {
    return side == Side::A ? "A" : "B";
}

std::string Japanese(const Warning& w) {
    const std::string segment = "区間 " + std::to_string(w.place.segment) + ": ";
    const std::string value = DecimalText(w.value, 1);
    const std::string limit = DecimalText(w.limit, 1);
    switch (w.kind) {
    case WarningKind::EdgeFold:
        return segment + "内側の端 " + SideName(w.side) + " が折り返しています (半幅 " + value +
               " ≥ 曲率半径 " + limit + ")";
    case WarningKind::Overlap:
        return segment + "路面が区間 " + std::to_string(w.other) +
               " の路面と重なっています (高さの差 " + value + " < " + limit + ")";
    case WarningKind::Steep:
        return segment + "勾配 " + value + "% が上限 " + limit + "% を超えています";
    case WarningKind::Bank:
        return segment + "バンク " + value + "° が上限 " + limit + "° を超えています";
    case WarningKind::ClosePoints:
        break;
    }
    return segment + "点 " + std::to_string(w.place.segment) + " と点 " + std::to_string(w.other) +
           " が近すぎます (距離 " + DecimalText(w.value, 2) + " < " + limit + ")";
}

std::string English(const Warning& w) {
    const std::string segment = "Segment " + std::to_string(w.place.segment) + ": ";
    const std::string value = DecimalText(w.value, 1);
    const std::string limit = DecimalText(w.limit, 1);
    switch (w.kind) {
    case WarningKind::EdgeFold:
        return segment + "the inner edge " + SideName(w.side) + " folds back (half-width " + value +
               " >= radius of curvature " + limit + ")";
    case WarningKind::Overlap:
        return segment + "the road overlaps segment " + std::to_string(w.other) +
               " (height difference " + value + " < clearance " + limit + ")";
    case WarningKind::Steep:
        return segment + "gradient " + value + " % exceeds the limit of " + limit + " %";
    case WarningKind::Bank:
        return segment + "bank " + value + " degrees exceeds the limit of " + limit + " degrees";
    case WarningKind::ClosePoints:
        break;
    }
    return segment + "points " + std::to_string(w.place.segment) + " and " +
           std::to_string(w.other) + " are too close (" + DecimalText(w.value, 2) +
           " apart, under " + limit + ")";
}

} // namespace

Analysis Analyse(const Limits& limits) {
    const std::vector<Probe> probes = ProbeCourse();
    Analysis analysis{Measure(probes), {}};
    analysis.warnings = Warn(probes, analysis.measurements, limits);
    return analysis;
}

// κ = (x′z″ − z′x″) / (x′² + z′²)^(3/2); its sign tells the side the bend turns to.
double Curvature(const CourseData::SegmentCurves& curves, double t) {
    const double dx = curves.x.Slope(t);
    const double dz = curves.z.Slope(t);
    const double ddx = curves.x.SecondSlope(t);
    const double ddz = curves.z.SecondSlope(t);
    const double speed = std::sqrt(dx * dx + dz * dz);
    const double cross = dx * ddz - dz * ddx;
    if (speed == 0.0 ||
        std::abs(cross) <= StraightTolerance * speed * std::sqrt(ddx * ddx + ddz * ddz)) {
        return 0.0;
    }
    const double curvature = cross / (speed * speed * speed);
    return std::isfinite(curvature) ? curvature : 0.0;
}

const char* KindName(WarningKind kind) {
    switch (kind) {
    case WarningKind::EdgeFold:
        return "edge-fold";
    case WarningKind::Overlap:
        return "overlap";
    case WarningKind::Steep:
        return "steep";
    case WarningKind::Bank:
        return "bank";
    case WarningKind::ClosePoints:
        break;
    }
    return "close-points";
}

std::string Message(const Warning& warning, Language language) {
    return language == Language::Japanese ? Japanese(warning) : English(warning);
}

} // namespace CourseAnalysis
