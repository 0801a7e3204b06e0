#pragma once

#include "model/CourseData.h"

#include <optional>
#include <string>
#include <vector>

// Measurements and warnings of the current course, for the designer's inspector and views
// and for the command-line check. The course is evaluated a fixed number of times along
// every segment, whatever its sample count, so the results describe the curves themselves.
namespace CourseAnalysis {

// Intervals each segment is cut into for evaluation.
constexpr int EvaluationsPerSegment = 64;
constexpr double DefaultMaxGradient = 15.0; // percent
constexpr double DefaultMaxBank = 30.0;     // degrees
// Consecutive points nearer than this are almost certainly a slip of the mouse.
constexpr double MinPointDistance = 1.0;
// Road parts that cross in the ground plane need this many of their larger half-widths
// between their heights to pass as a bridge.
constexpr double OverlapClearanceWidths = 2.0;

// A place on the course.
struct Place {
    int segment = -1;
    double t = 0.0;
};

struct Range {
    double min;
    double max;
};

// In course units; widths as scaled by the course's width scale.
struct Measurements {
    double length = 0.0;  // of the centre line
    double lengthA = 0.0; // of the first edge
    double lengthB = 0.0; // of the second edge
    std::vector<double> segmentLengths;
    std::optional<Range> height; // of the centre line; none without points
    double maxGradient = 0.0;    // percent, rise over ground-plane run
    // Of the centre line in the ground plane; none when the course nowhere bends.
    std::optional<double> minRadius;
    Place minRadiusAt;
    double maxBank = 0.0; // degrees
    std::optional<Range> widthA;
    std::optional<Range> widthB;
};

enum class WarningKind { EdgeFold, Overlap, Steep, Bank, ClosePoints };

// The road edge a warning concerns: the first (A) or the second (B) half-width.
enum class Side { None, A, B };

struct Warning {
    WarningKind kind;
    Place place;
    Side side = Side::None;
    // What was measured there against what it may be: half-width against radius (edge
    // fold), height difference against clearance (overlap), gradient in percent, bank in
    // degrees, distance between the points.
    double value = 0.0;
    double limit = 0.0;
    // The segment the overlapping part lies on; the point too close to this segment's first.
    int other = -1;
};

struct Limits {
    double maxGradient = DefaultMaxGradient;
    double maxBank = DefaultMaxBank;
};

struct Analysis {
    Measurements measurements;
    // In course order; at most one of a kind (and side) per segment, at its worst place,
    // and one overlap per pair of segments.
    std::vector<Warning> warnings;
};

Analysis Analyse(const Limits& limits = {});

// Of the centre line in the ground plane at t along a segment's curves, signed: positive
// where the line bends towards edge B, 0 where it runs straight or stands still.
double Curvature(const CourseData::SegmentCurves& curves, double t);

// "edge-fold", "overlap", "steep", "bank" or "close-points".
const char* KindName(WarningKind kind);

enum class Language { Japanese, English };
// One line that says what is wrong and where, in UTF-8.
std::string Message(const Warning& warning, Language language);

} // namespace CourseAnalysis
