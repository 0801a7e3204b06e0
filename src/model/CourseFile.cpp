#include "model/CourseFile.h"

#include "model/CourseData.h"
#include "model/UnitSpline.h"

#include <bit>
#include <cmath>

namespace CourseFile {
namespace {

class ByteWriter {
public:
    explicit ByteWriter(size_t size) { bytes.reserve(size); }

    void Int(int32_t v) { Unsigned(static_cast<uint32_t>(v), 4); }
    void Real(double v) { Unsigned(std::bit_cast<uint64_t>(v), 8); }
    std::vector<unsigned char> Take() { return std::move(bytes); }

private:
    void Unsigned(uint64_t v, int size) {
        for (int i = 0; i < size; ++i) {
            bytes.push_back(static_cast<unsigned char>(v >> (8 * i)));
        }
    }

    std::vector<unsigned char> bytes;
};

// Reads fields in order; every read past the end fails the whole file.
class ByteReader {
public:
    explicit ByteReader(std::span<const unsigned char> bytes) : bytes(bytes) {}

    bool Int(int32_t& v) {
        uint64_t u = 0;
        if (!Unsigned(u, 4)) {
            return false;
        }
        v = static_cast<int32_t>(static_cast<uint32_t>(u));
        return true;
    }

    bool Real(double& v) {
        uint64_t u = 0;
        if (!Unsigned(u, 8)) {
            return false;
        }
        v = std::bit_cast<double>(u);
        return true;
    }

    size_t Left() const { return bytes.size() - offset; }

private:
    bool Unsigned(uint64_t& v, int size) {
        if (Left() < static_cast<size_t>(size)) {
            return false;
        }
        for (int i = 0; i < size; ++i) {
            v |= static_cast<uint64_t>(bytes[offset + i]) << (8 * i);
        }
        offset += size;
        return true;
    }

    std::span<const unsigned char> bytes;
    size_t offset = 0;
};

bool ReadHeader(ByteReader& in, Header& h, int32_t& pointNum) {
    return in.Int(h.selectedPoint) && in.Int(h.handleState) && in.Int(h.side) && in.Int(h.loop) &&
           in.Real(h.widthScale) && in.Int(h.cameraSegment) && in.Real(h.cameraT) &&
           in.Int(pointNum);
}

bool ReadPoint(ByteReader& in, PointRecord& p) {
    for (QuantityBlock& q : p.quantities) {
        if (!(in.Real(q.value) && in.Real(q.tangent) && in.Int(q.property))) {
            return false;
        }
    }
    return in.Int(p.sampleNum);
}

bool IsWithin(double value, double limit) {
    return std::abs(value) <= limit;
}

// Automatic tangents are recomputed on loading, so they need only be numbers.
bool IsValidQuantity(const QuantityBlock& q) {
    switch (q.property) {
    case UnitSpline::PointAuto:
        return IsWithin(q.value, CourseData::MaxMagnitude) && std::isfinite(q.tangent);
    case UnitSpline::PointFixed:
        return IsWithin(q.value, CourseData::MaxMagnitude) &&
               IsWithin(q.tangent, CourseData::MaxMagnitude);
    default:
        return false;
    }
}

bool IsValidPoint(const PointRecord& p) {
    for (const QuantityBlock& q : p.quantities) {
        if (!IsValidQuantity(q)) {
            return false;
        }
    }
    return p.sampleNum >= 0 && p.sampleNum <= CourseData::MaxSampleNum;
}

// A course of fewer than two points has no segment, so only "no camera" fits it.
bool IsValidHeader(const Header& h, int32_t pointNum) {
    const int32_t segments = SegmentNum(pointNum, h.loop);
    return h.selectedPoint >= -1 && h.selectedPoint < pointNum && h.handleState >= 0 &&
           h.handleState <= 2 && (h.side == 0 || h.side == 1) &&
           h.widthScale >= CourseData::MinWidthScale && h.widthScale <= CourseData::MaxMagnitude &&
           h.cameraSegment >= -1 && h.cameraSegment < segments && h.cameraT >= 0.0 &&
           h.cameraT <= 1.0;
}

} // namespace

int32_t SegmentNum(int32_t pointNum, int32_t loop) {
    if (pointNum < 2) {
        return 0;
    }
    return loop != 0 ? pointNum : pointNum - 1;
}

bool SameCourse(const Image& a, const Image& b) {
    return a.header.loop == b.header.loop && a.header.widthScale == b.header.widthScale &&
           a.points == b.points;
}

size_t MaxFileSize() {
    return HeaderSize + PointRecordSize * CourseData::MaxPoints;
}

std::vector<unsigned char> Encode(const Image& image) {
    ByteWriter out(HeaderSize + PointRecordSize * image.points.size());
    const Header& h = image.header;
    out.Int(h.selectedPoint);
    out.Int(h.handleState);
    out.Int(h.side);
    out.Int(h.loop);
    out.Real(h.widthScale);
    out.Int(h.cameraSegment);
    out.Real(h.cameraT);
    out.Int(static_cast<int32_t>(image.points.size()));
    for (const PointRecord& p : image.points) {
        for (const QuantityBlock& q : p.quantities) {
            out.Real(q.value);
            out.Real(q.tangent);
            out.Int(q.property);
        }
        out.Int(p.sampleNum);
    }
    return out.Take();
}

std::optional<Image> Decode(std::span<const unsigned char> bytes) {
    ByteReader in(bytes);
    Image image{};
    int32_t pointNum = 0;
    if (!ReadHeader(in, image.header, pointNum) || pointNum < 0 ||
        pointNum > CourseData::MaxPoints || in.Left() < PointRecordSize * pointNum ||
        !IsValidHeader(image.header, pointNum)) {
        return std::nullopt;
    }
    image.points.resize(static_cast<size_t>(pointNum));
    for (PointRecord& p : image.points) {
        if (!ReadPoint(in, p) || !IsValidPoint(p)) {
            return std::nullopt;
        }
    }
    return image;
}

} // namespace CourseFile
