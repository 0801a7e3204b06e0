#pragma once

#include <optional>
#include <string>
#include <vector>

// The course as a TORCS track: the centre line as a chain of straights and arcs, with the
// heights, banking and side widths TORCS lays along them. TORCS places a track itself,
// starting at its origin heading along +x, so only the shape carries over; the axes are
// the .cob export's (the course's x, z and height become TORCS's x, y and z, z up), which
// keeps a left bend a left bend.
//
// Between two course rows the centre line becomes two arcs (either may be straight) that
// leave the first row in its heading and reach the second row in its heading: a biarc. A
// single arc cannot match both ends' headings and the chord unless the course is circular
// there, and TORCS cannot jump in heading, so one arc a row would drift; with two, every
// row lies where the course puts it, and a closed course closes.
namespace TorcsTrack {

// Metres per course unit: the bundled sample's road becomes 12 m wide and its lap about
// 1.5 km, the size of a real circuit for TORCS's cars.
constexpr double DefaultScale = 0.3;

enum class Turn { Straight, Left, Right };

// One TORCS segment. Heights and banking are those of the centre line at its ends; the side
// widths are the road's beyond the main track on each side, measured level.
struct Segment {
    Turn turn;
    double length; // along the centre line, metres
    double radius; // of the centre line, for an arc
    double arc;    // the heading change of an arc, radians, positive
    double zStart;
    double zEnd;
    double bankStart; // radians, positive raises the left side
    double bankEnd;
    double leftStart;
    double leftEnd;
    double rightStart;
    double rightEnd;
};

struct Track {
    double width; // of the main track, the same all round
    std::vector<Segment> segments;
    double length; // of the centre line
};

// The current course at `scale` metres a unit; nothing, with why in `failure`, when TORCS
// cannot race it: no road, or an open course whose ends do not meet.
std::optional<Track> Build(double scale, std::string& failure);

} // namespace TorcsTrack
