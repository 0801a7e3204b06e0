#pragma once

#include "base/VectorMath.h"

#include <cstdint>
#include <span>

// A texture whose width and height are powers of two: 15-bit texels, rows from the top row
// down, no padding between rows. The picture bank hands out the pixels and both exponents.
struct TextureView {
    const std::uint16_t* texels = nullptr;
    int log2Width = 0;
    int log2Height = 0;

    int Width() const { return 1 << log2Width; }
    int Height() const { return 1 << log2Height; }
};

namespace TextureSpan {

// One entry of the reciprocal table: 1 / z for z = index / 4096, and the drop to the next
// entry divided by 65536, kept side by side so one load fetches both.
struct Segment {
    float value;
    float displacement;
};

// Depth in fixed point: 2^28 * z; the top bits index the table, the low 16 bits are the
// fraction between two entries.
constexpr float FixedOne = 268435456.0F;

// One scan line's pixels, ready to write: pixel k gets the texel at the perspective-correct
// fraction t = w_k * (1 / depth_k), where w and the fixed-point depth E advance by one
// addition per pixel (w_0 = w, w_k = w_{k-1} + dw; E_k = E_{k-1} + dE).
struct Run {
    std::uint16_t* pixels; // first pixel written
    int count;             // pixels written; 0 or less writes none
    float w, dw;
    std::int32_t e, de;
    Vec2 uv;  // texture coordinate at the left end
    Vec2 duv; // right end minus left end
};

// 1 / z from the table: value[E >> 16] - (E & 0xFFFF) * displacement[E >> 16].
inline float Reciprocal(const Segment* table, std::int32_t e) {
    const Segment& s = table[e >> 16];
    return s.value - static_cast<float>(e & 0xFFFF) * s.displacement;
}

// Converts toward zero like the processor's truncating conversion: values outside the
// 32-bit range (and NaN) give INT32_MIN rather than undefined behaviour.
std::int32_t Truncate(float f);

// The texel for fraction t. Out-of-range coordinates wrap instead of reading past the texture.
inline std::uint16_t Texel(const TextureView& texture, const Run& run, float t) {
    const float u = run.uv.u + t * run.duv.u;
    const float v = run.uv.v + t * run.duv.v;
    const std::int32_t tu = Truncate(static_cast<float>(texture.Width() - 1) * u);
    const std::int32_t tv = Truncate(static_cast<float>(texture.Height() - 1) * v);
    return texture.texels[(tu & (texture.Width() - 1)) +
                          ((tv & (texture.Height() - 1)) << texture.log2Width)];
}

// Writes the runs, several pixels per step; every pixel equals what the plain per-pixel
// loop gives, since each pixel goes through the same float operations in the same order.
// Runs must not overlap.
void Fill(std::span<const Run> runs, const TextureView& texture, const Segment* table);

using FillFunction = void (*)(std::span<const Run>, const TextureView&, const Segment*);

} // namespace TextureSpan
