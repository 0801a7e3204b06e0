// Exports each course as a TORCS track, has TORCS's trackgen build it, and checks that the
// road trackgen builds is ours: every row edge of the course (scaled, in TORCS's axes,
// placed where TORCS starts a track) lies within 0.25 m of trackgen's road surface,
// trackgen's length is within 1 % of the course's centre line and its end meets its start.
// Exit status 0 when every course passes, 1 when one fails, 77 without TORCS.
// Usage: velmora-torcs-track-check COURSE.cus...

#include "exchange/TestDrive.h"
#include "exchange/TorcsTrack.h"
#include "model/CourseAnalysis.h"
#include "model/CourseSurface.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr double Scale = TorcsTrack::DefaultScale;
constexpr double MostEdgeDistance = 0.25;
constexpr double MostLengthRatio = 0.01;
constexpr double MostClosure = 0.5;
constexpr double MostClosureAngle = 0.01;
constexpr double CellSize = 4.0;

struct Point {
    double x;
    double y;
    double z;
};
using Triangle = std::array<Point, 3>;

Point Minus(const Point& a, const Point& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
double Dot(const Point& a, const Point& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
Point Along(const Point& a, const Point& d, double t) {
    return {a.x + d.x * t, a.y + d.y * t, a.z + d.z * t};
}

// The nearest point of the triangle to p, by the regions of its corners and edges.
double Distance(const Point& p, const Triangle& t) {
    const Point ab = Minus(t[1], t[0]);
    const Point ac = Minus(t[2], t[0]);
    const Point ap = Minus(p, t[0]);
    const double d1 = Dot(ab, ap);
    const double d2 = Dot(ac, ap);
    const Point bp = Minus(p, t[1]);
    const double d3 = Dot(ab, bp);
    const double d4 = Dot(ac, bp);
    const Point cp = Minus(p, t[2]);
    const double d5 = Dot(ab, cp);
    const double d6 = Dot(ac, cp);
    const double va = d3 * d6 - d5 * d4;
    const double vb = d5 * d2 - d1 * d6;
    const double vc = d1 * d4 - d3 * d2;
    Point nearest{};
    if (d1 <= 0 && d2 <= 0) {
        nearest = t[0];
    } else if (d3 >= 0 && d4 <= d3) {
        nearest = t[1];
    } else if (d6 >= 0 && d5 <= d6) {
        nearest = t[2];
    } else if (vc <= 0 && d1 >= 0 && d3 <= 0) {
        nearest = Along(t[0], ab, d1 / (d1 - d3));
    } else if (vb <= 0 && d2 >= 0 && d6 <= 0) {
        nearest = Along(t[0], ac, d2 / (d2 - d6));
    } else if (va <= 0 && d4 - d3 >= 0 && d5 - d6 >= 0) {
        nearest = Along(t[1], Minus(t[2], t[1]), (d4 - d3) / ((d4 - d3) + (d5 - d6)));
    } else {
        const double denominator = 1.0 / (va + vb + vc);
        nearest = Along(Along(t[0], ab, vb * denominator), ac, vc * denominator);
    }
    const Point gap = Minus(p, nearest);
    return std::sqrt(Dot(gap, gap));
}

// The road surfaces of trackgen's AC3D model (objects named tk…: the main track and its
// sides) in TORCS's axes: AC3D's (x, y, z) is TORCS's (x, z, −y). The first two vertices
// of the first main-track object are the start line's left and right ends.
struct Surface {
    std::vector<Triangle> triangles;
    Point startLeft{};
    Point startRight{};
};

Surface ReadSurface(const std::string& file) {
    Surface surface;
    std::ifstream in(file);
    std::string word;
    std::string name;
    std::vector<Point> vertices;
    bool startFound = false;
    while (in >> word) {
        if (word == "name") {
            in >> name;
        } else if (word == "numvert") {
            int count = 0;
            in >> count;
            vertices.resize(static_cast<size_t>(count));
            for (Point& v : vertices) {
                double up = 0.0;
                double back = 0.0;
                in >> v.x >> up >> back;
                v.y = -back;
                v.z = up;
            }
            if (!startFound && name.rfind("\"tkMn", 0) == 0 && vertices.size() >= 2) {
                surface.startLeft = vertices[0];
                surface.startRight = vertices[1];
                startFound = true;
            }
        } else if (word == "refs") {
            int count = 0;
            in >> count;
            std::vector<Point> corners;
            for (int i = 0; i < count; ++i) {
                size_t index = 0;
                double u = 0.0;
                double v = 0.0;
                in >> index >> u >> v;
                corners.push_back(vertices.at(index));
            }
            for (size_t i = 2; name.rfind("\"tk", 0) == 0 && i < corners.size(); ++i) {
                surface.triangles.push_back({corners[0], corners[i - 1], corners[i]});
            }
        }
    }
    return surface;
}

// The triangles by the ground cells they overlap, for finding those near a point.
class Grid {
public:
    explicit Grid(const std::vector<Triangle>& triangles) : triangles(triangles) {
        for (size_t i = 0; i < triangles.size(); ++i) {
            const Triangle& t = triangles[i];
            const auto [lowX, highX] = std::minmax({t[0].x, t[1].x, t[2].x});
            const auto [lowY, highY] = std::minmax({t[0].y, t[1].y, t[2].y});
            for (long cx = Cell(lowX); cx <= Cell(highX); ++cx) {
                for (long cy = Cell(lowY); cy <= Cell(highY); ++cy) {
                    cells[{cx, cy}].push_back(i);
                }
            }
        }
    }
    double Nearest(const Point& p) const {
        double nearest = INFINITY;
        for (long cx = Cell(p.x) - 1; cx <= Cell(p.x) + 1; ++cx) {
            for (long cy = Cell(p.y) - 1; cy <= Cell(p.y) + 1; ++cy) {
                const auto found = cells.find({cx, cy});
                for (size_t i : found == cells.end() ? std::vector<size_t>{} : found->second) {
                    nearest = std::min(nearest, Distance(p, triangles[i]));
                }
            }
        }
        return nearest;
    }

private:
    static long Cell(double v) { return std::lround(std::floor(v / CellSize)); }
    const std::vector<Triangle>& triangles;
    std::map<std::pair<long, long>, std::vector<size_t>> cells;
};

// The course rows' edges in TORCS's axes and metres, moved as TORCS places a track: its
// start, between the start line's ends, heading along +x.
std::vector<Point> PlacedEdges(const Surface& surface) {
    const CourseSection first = GetPointSection(0);
    const double heading = std::atan2(first.tangent.z, first.tangent.x);
    const double c = std::cos(-heading);
    const double s = std::sin(-heading);
    const Point start{(surface.startLeft.x + surface.startRight.x) / 2,
                      (surface.startLeft.y + surface.startRight.y) / 2,
                      (surface.startLeft.z + surface.startRight.z) / 2};
    const auto place = [&](const Vec3d& v) {
        const double x = (v.x - first.position.x) * Scale;
        const double y = (v.z - first.position.z) * Scale;
        return Point{start.x + c * x - s * y, start.y + s * x + c * y,
                     start.z + (v.y - first.position.y) * Scale};
    };
    std::vector<Point> edges;
    ForEachCourseRow([&](const CourseSection& section) {
        Vec3d edge1{};
        Vec3d edge2{};
        CalcSectionEdge(section, edge1, edge2);
        edges.push_back(place(edge1));
        edges.push_back(place(edge2));
    });
    return edges;
}

bool Check(const std::string& course, const TorcsInstallation::Paths& torcs) {
    if (CourseData::Load(course.c_str()) != 0) {
        (void)std::printf("%s: cannot load\n", course.c_str());
        return false;
    }
    const ScratchFolder folder("velmora-track-check-");
    std::string failure;
    if (!TorcsInstallation::PrepareData(torcs, folder.Path(), TestDrive::TrackName, Scale,
                                        failure)) {
        (void)std::printf("%s: %s\n", course.c_str(), failure.c_str());
        return false;
    }
    const std::optional<TestDrive::Track> track = TestDrive::BuildTrack(
        torcs, folder.Path(), [] { return true; }, failure);
    if (!track) {
        (void)std::printf("%s: %s\n", course.c_str(), failure.c_str());
        return false;
    }
    const Surface surface =
        ReadSurface(TorcsInstallation::TrackFolder(folder.Path(), "velmora") + "/velmora.ac");
    const Grid grid(surface.triangles);
    double farthest = 0.0;
    for (const Point& edge : PlacedEdges(surface)) {
        farthest = std::max(farthest, grid.Nearest(edge));
    }
    const double length = CourseAnalysis::Analyse().measurements.length * Scale;
    const bool passed = farthest <= MostEdgeDistance &&
                        std::abs(track->length - length) <= MostLengthRatio * length &&
                        std::max({std::abs(track->closureX), std::abs(track->closureY),
                                  std::abs(track->closureZ)}) < MostClosure &&
                        std::abs(track->closureAngle) < MostClosureAngle;
    (void)std::printf("%s: %s: %zu road triangles, edges within %.4f m, length %.2f m against "
                      "%.2f m, closure %.4f %.4f %.4f m %.6f rad\n",
                      course.c_str(), passed ? "ok" : "FAILED", surface.triangles.size(), farthest,
                      track->length, length, track->closureX, track->closureY, track->closureZ,
                      track->closureAngle);
    return passed;
}

} // namespace

int main(int argc, char** argv) {
    const std::optional<TorcsInstallation::Paths> torcs = TorcsInstallation::Find();
    if (!torcs) {
        (void)std::printf("TORCS is not installed: skipped\n");
        return 77;
    }
    CourseData::Initialize();
    bool passed = argc > 1;
    for (int i = 1; i < argc; ++i) {
        passed = Check(argv[i], *torcs) && passed;
    }
    CourseData::Destruct();
    return passed ? 0 : 1;
}
