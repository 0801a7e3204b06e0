#include "exchange/TorcsTrack.h"

#include "model/CourseData.h"
#include "model/CourseSurface.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace TorcsTrack {

namespace {

// Ends of an open course nearer than this, in metres, meet, and TORCS closes the loop.
constexpr double MeetingDistance = 0.5;
// The main track is never narrower than this, even where the road is.
constexpr double MinimumWidth = 1.0;
// Rows nearer than this, in metres, are one place.
constexpr double ShortestChord = 1e-6;
// TORCS works in single precision and places an arc's end from its centre, so an arc of
// huge radius lands off by metres; one wider than this, in metres, is laid straight, and
// the next row's arcs make up the few millimetres it misses by.
constexpr double WidestRadius = 10000.0;

// Where TORCS is on the centre line, in its axes and metres.
struct Pose {
    double x;
    double y;
    double heading;
};

// A course row in TORCS's axes and metres.
struct Row {
    double x;
    double y;
    double z;
    double heading; // of the centre line, radians from +x towards +y
    double left;    // level distance from the centre line to the left edge
    double right;
    double bank;
};

double Wrapped(double angle) {
    return std::remainder(angle, 2.0 * std::numbers::pi);
}

// Edge 1 is on the left when it lies to the left of the heading seen from above.
Row RowOf(const CourseSection& section, double scale) {
    Vec3d edge1{};
    Vec3d edge2{};
    CalcSectionEdge(section, edge1, edge2);
    Row row{};
    row.x = section.position.x * scale;
    row.y = section.position.z * scale;
    row.z = section.position.y * scale;
    row.heading = std::atan2(section.tangent.z, section.tangent.x);
    const double across = std::cos(row.heading) * (edge1.z - section.position.z) -
                          std::sin(row.heading) * (edge1.x - section.position.x);
    const double level = std::max(std::cos(section.roll), 0.0) * scale;
    const bool firstOnLeft = across >= 0.0;
    row.left = (firstOnLeft ? section.width1 : section.width2) * level;
    row.right = (firstOnLeft ? section.width2 : section.width1) * level;
    row.bank = firstOnLeft ? section.roll : -section.roll;
    return row;
}

std::vector<Row> CourseRows(double scale) {
    std::vector<Row> rows;
    ForEachCourseRow([&](const CourseSection& section) { rows.push_back(RowOf(section, scale)); });
    return rows;
}

double MainWidth(const std::vector<Row>& rows) {
    double narrowest = rows.front().left;
    for (const Row& row : rows) {
        narrowest = std::min({narrowest, row.left, row.right});
    }
    return std::max(2.0 * narrowest, MinimumWidth);
}

// The radius of the arc over `chord` that turns by `turn`.
double Radius(double chord, double turn) {
    return chord / (2.0 * std::sin(std::abs(turn) / 2.0));
}

bool IsStraight(double chord, double turn) {
    return turn == 0.0 || Radius(chord, turn) > WidestRadius;
}

double Length(double chord, double turn) {
    return IsStraight(chord, turn) ? chord : Radius(chord, turn) * std::abs(turn);
}

// A piece of centre line with chord `chord` that turns by `turn`; its heights, banking
// and sides are the rows' at the fractions `from` and `to` of the interval between them.
Segment Piece(double chord, double turn, const Row& a, const Row& b, double from, double to,
              double halfWidth) {
    Segment s{};
    s.turn = IsStraight(chord, turn) ? Turn::Straight : turn > 0.0 ? Turn::Left : Turn::Right;
    s.length = Length(chord, turn);
    if (s.turn != Turn::Straight) {
        s.arc = std::abs(turn);
        s.radius = Radius(chord, turn);
    }
    const auto along = [](double va, double vb, double f) { return va * (1.0 - f) + vb * f; };
    s.zStart = along(a.z, b.z, from);
    s.zEnd = along(a.z, b.z, to);
    s.bankStart = along(a.bank, b.bank, from);
    s.bankEnd = along(a.bank, b.bank, to);
    s.leftStart = std::max(along(a.left, b.left, from) - halfWidth, 0.0);
    s.leftEnd = std::max(along(a.left, b.left, to) - halfWidth, 0.0);
    s.rightStart = std::max(along(a.right, b.right, from) - halfWidth, 0.0);
    s.rightEnd = std::max(along(a.right, b.right, to) - halfWidth, 0.0);
    return s;
}

// Where the segment ends, driving it from `pose`: a straight goes ahead, an arc turns
// about a centre one radius to its side.
Pose Drive(const Pose& pose, const Segment& s) {
    if (s.turn == Turn::Straight) {
        return {pose.x + s.length * std::cos(pose.heading),
                pose.y + s.length * std::sin(pose.heading), pose.heading};
    }
    const double side = s.turn == Turn::Left ? 1.0 : -1.0;
    const double heading = pose.heading + side * s.arc;
    return {pose.x + side * s.radius * (std::sin(heading) - std::sin(pose.heading)),
            pose.y - side * s.radius * (std::cos(heading) - std::cos(pose.heading)), heading};
}

// The biarc from `pose` to row b whose two arcs have equal chords: relative to the chord,
// it leaves at α and arrives at b's heading β, the arcs turn by −(3α + β)/2 and
// (α + 3β)/2 and each chord is c / (2 cos((α − β)/4)). Heights, banking and sides go from
// row a's to row b's. The pose moves to where the arcs end.
void AddInterval(Pose& pose, const Row& a, const Row& b, double halfWidth,
                 std::vector<Segment>& segments) {
    const double dx = b.x - pose.x;
    const double dy = b.y - pose.y;
    const double chord = std::hypot(dx, dy);
    if (chord < ShortestChord) {
        return;
    }
    const double direction = std::atan2(dy, dx);
    const double alpha = Wrapped(pose.heading - direction);
    const double beta = Wrapped(b.heading - direction);
    const double half = chord / (2.0 * std::cos((alpha - beta) / 4.0));
    const double turn1 = -(3.0 * alpha + beta) / 2.0;
    const double turn2 = (alpha + 3.0 * beta) / 2.0;
    // Heights, banking and sides change along the interval by length.
    const double length1 = Length(half, turn1);
    const double joint = length1 / (length1 + Length(half, turn2));
    segments.push_back(Piece(half, turn1, a, b, 0.0, joint, halfWidth));
    segments.push_back(Piece(half, turn2, a, b, joint, 1.0, halfWidth));
    pose = Drive(Drive(pose, segments.end()[-2]), segments.back());
}

} // namespace

std::optional<Track> Build(double scale, std::string& failure) {
    const std::vector<Row> rows = CourseRows(scale);
    if (rows.size() < 2) {
        failure = "the course has no road to race on";
        return std::nullopt;
    }
    const Row& first = rows.front();
    const Row& last = rows.back();
    if (std::hypot(last.x - first.x, last.y - first.y, last.z - first.z) > MeetingDistance) {
        failure = "TORCS races on loops: close the course, or bring its ends together";
        return std::nullopt;
    }
    Track track{};
    track.width = MainWidth(rows);
    Pose pose{first.x, first.y, first.heading};
    for (size_t i = 0; i + 1 < rows.size(); ++i) {
        AddInterval(pose, rows[i], rows[i + 1], track.width / 2.0, track.segments);
    }
    for (const Segment& segment : track.segments) {
        track.length += segment.length;
    }
    return track;
}

} // namespace TorcsTrack
