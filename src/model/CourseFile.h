#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// The course file (.cus): a little-endian binary dump of the course with no signature.
// A 40-byte header of course-wide state, then 124 bytes per point: six quantity blocks
// (value, tangent, property) in the order X, Y, Z, roll, first width, second width, and
// the point's sample count.
namespace CourseFile {

constexpr size_t HeaderSize = 40;
constexpr size_t PointRecordSize = 124;
constexpr int QuantityNum = 6;

struct QuantityBlock {
    double value;
    double tangent;
    int32_t property;

    bool operator==(const QuantityBlock&) const = default;
};

struct PointRecord {
    std::array<QuantityBlock, QuantityNum> quantities;
    int32_t sampleNum;

    bool operator==(const PointRecord&) const = default;
};

struct Header {
    int32_t selectedPoint;
    int32_t handleState;
    int32_t side;
    int32_t loop;
    double widthScale;
    int32_t cameraSegment;
    double cameraT;
};

struct Image {
    Header header;
    std::vector<PointRecord> points;
};

// Segments along a course of this many points: n − 1 open, n as a loop, none below two.
int32_t SegmentNum(int32_t pointNum, int32_t loop);

// The same course, whatever the editing state stored with it (selection, gripped handle,
// side, driver's camera place).
bool SameCourse(const Image& a, const Image& b);

// The largest file a course can fill; bytes past the last record are never read.
size_t MaxFileSize();

std::vector<unsigned char> Encode(const Image& image);

// Reads and checks a whole file's bytes. Refuses (nullopt) a file shorter than its
// header and records, a point count outside 0..256, a property other than automatic or
// fixed, a selection, handle state, side or camera place the course cannot hold, a
// width scale outside MinWidthScale..MaxMagnitude, a sample count outside
// 0..MaxSampleNum, a value or fixed tangent beyond MaxMagnitude, and any real number that
// is not finite.
std::optional<Image> Decode(std::span<const unsigned char> bytes);

} // namespace CourseFile
