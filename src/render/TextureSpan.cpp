#include "render/TextureSpan.h"

#include <algorithm>
#include <emmintrin.h>

namespace TextureSpan {

std::int32_t Truncate(float f) {
    return _mm_cvtt_ss2si(_mm_set_ss(f));
}

namespace {

// The four 32-bit lanes as signed indices, moved out two at a time: two 64-bit moves cost
// fewer instructions than four single-lane extractions. The upper half comes down by an
// integer shuffle; an unpack would compile to a float move that merges into its target and
// made the fill twice as slow.
struct Indices {
    std::int64_t lane[4];
};

Indices Extract(__m128i x) {
    const auto low = static_cast<std::int64_t>(_mm_cvtsi128_si64(x));
    const auto high =
        static_cast<std::int64_t>(_mm_cvtsi128_si64(_mm_shuffle_epi32(x, _MM_SHUFFLE(3, 2, 3, 2))));
    return {
        {static_cast<std::int32_t>(low), low >> 32, static_cast<std::int32_t>(high), high >> 32}};
}

// Table entries for four fixed-point depths: values in one register, displacements in
// another.
void LoadSegments(const Segment* table, __m128i e, __m128& value, __m128& displacement) {
    const Indices index = Extract(_mm_srai_epi32(e, 16));
    __m128 lo = _mm_setzero_ps();
    __m128 hi = _mm_setzero_ps();
    lo = _mm_loadl_pi(lo, reinterpret_cast<const __m64*>(table + index.lane[0]));
    lo = _mm_loadh_pi(lo, reinterpret_cast<const __m64*>(table + index.lane[1]));
    hi = _mm_loadl_pi(hi, reinterpret_cast<const __m64*>(table + index.lane[2]));
    hi = _mm_loadh_pi(hi, reinterpret_cast<const __m64*>(table + index.lane[3]));
    value = _mm_shuffle_ps(lo, hi, _MM_SHUFFLE(2, 0, 2, 0));
    displacement = _mm_shuffle_ps(lo, hi, _MM_SHUFFLE(3, 1, 3, 1));
}

// One run, four neighbouring pixels per step; w stays one serial sum.
void FillRun(const Run& run, const TextureView& texture, const Segment* table) {
    std::uint16_t* out = run.pixels;
    const int n = run.count;
    const __m128 scaleU = _mm_set1_ps(static_cast<float>(texture.Width() - 1));
    const __m128 scaleV = _mm_set1_ps(static_cast<float>(texture.Height() - 1));
    const __m128 u0 = _mm_set1_ps(run.uv.u);
    const __m128 v0 = _mm_set1_ps(run.uv.v);
    const __m128 du = _mm_set1_ps(run.duv.u);
    const __m128 dv = _mm_set1_ps(run.duv.v);
    const __m128i maskU = _mm_set1_epi32(texture.Width() - 1);
    const __m128i maskV = _mm_set1_epi32(texture.Height() - 1);
    const __m128i shift = _mm_cvtsi32_si128(texture.log2Width);
    const __m128i fractionMask = _mm_set1_epi32(0xFFFF);
    const __m128i eStep = _mm_set1_epi32(4 * run.de);
    __m128i e = _mm_setr_epi32(run.e, run.e + run.de, run.e + 2 * run.de, run.e + 3 * run.de);
    float w = run.w;
    int k = 0;
    for (; k + 4 <= n; k += 4) {
        // w is summed pixel by pixel exactly as the plain loop sums it.
        const float w1 = w + run.dw;
        const float w2 = w1 + run.dw;
        const float w3 = w2 + run.dw;
        const __m128 wk = _mm_setr_ps(w, w1, w2, w3);
        w = w3 + run.dw;

        __m128 value;
        __m128 displacement;
        LoadSegments(table, e, value, displacement);
        const __m128 fraction = _mm_cvtepi32_ps(_mm_and_si128(e, fractionMask));
        const __m128 t = _mm_mul_ps(wk, _mm_sub_ps(value, _mm_mul_ps(fraction, displacement)));
        const __m128 u = _mm_add_ps(u0, _mm_mul_ps(t, du));
        const __m128 v = _mm_add_ps(v0, _mm_mul_ps(t, dv));
        const __m128i tu = _mm_and_si128(_mm_cvttps_epi32(_mm_mul_ps(scaleU, u)), maskU);
        const __m128i tv = _mm_and_si128(_mm_cvttps_epi32(_mm_mul_ps(scaleV, v)), maskV);
        const Indices index = Extract(_mm_add_epi32(tu, _mm_sll_epi32(tv, shift)));
        out[k] = texture.texels[index.lane[0]];
        out[k + 1] = texture.texels[index.lane[1]];
        out[k + 2] = texture.texels[index.lane[2]];
        out[k + 3] = texture.texels[index.lane[3]];
        e = _mm_add_epi32(e, eStep);
    }
    std::int32_t es = _mm_cvtsi128_si32(e);
    for (; k < n; ++k) {
        out[k] = Texel(texture, run, w * Reciprocal(table, es));
        w += run.dw;
        es += run.de;
    }
}

// Four runs side by side, one per lane. Within a line w is a serial chain of float additions
// that cannot be split without changing its rounding, so lines are interleaved instead: each
// lane keeps its own exact sum and the four chains' latencies overlap.
class Lanes {
public:
    Lanes(const TextureView& texture, const Segment* table) : texture_(texture), table_(table) {}

    // Puts the run in the lane; false when it has no pixels.
    bool Load(int lane, const Run& run) {
        if (run.count <= 0) {
            return false;
        }
        out_[lane] = run.pixels;
        left_[lane] = run.count;
        w_[lane] = run.w;
        dw_[lane] = run.dw;
        e_[lane] = run.e;
        de_[lane] = run.de;
        u0_[lane] = run.uv.u;
        du_[lane] = run.duv.u;
        v0_[lane] = run.uv.v;
        dv_[lane] = run.duv.v;
        return true;
    }

    // What is left of the lane's run.
    Run Rest(int lane) const {
        return {out_[lane],
                left_[lane],
                w_[lane],
                dw_[lane],
                e_[lane],
                de_[lane],
                {u0_[lane], v0_[lane]},
                {du_[lane], dv_[lane]}};
    }

    bool Done(int lane) const { return left_[lane] == 0; }

    // Advances all four lanes until the shortest one is done.
    void Step();

private:
    const TextureView& texture_;
    const Segment* table_;
    std::uint16_t* out_[4] = {};
    int left_[4] = {};
    alignas(16) float w_[4] = {};
    alignas(16) float dw_[4] = {};
    alignas(16) std::int32_t e_[4] = {};
    alignas(16) std::int32_t de_[4] = {};
    alignas(16) float u0_[4] = {};
    alignas(16) float du_[4] = {};
    alignas(16) float v0_[4] = {};
    alignas(16) float dv_[4] = {};
};

void Lanes::Step() {
    const int n = std::min(std::min(left_[0], left_[1]), std::min(left_[2], left_[3]));
    const __m128 scaleU = _mm_set1_ps(static_cast<float>(texture_.Width() - 1));
    const __m128 scaleV = _mm_set1_ps(static_cast<float>(texture_.Height() - 1));
    const __m128 u0 = _mm_load_ps(u0_);
    const __m128 v0 = _mm_load_ps(v0_);
    const __m128 du = _mm_load_ps(du_);
    const __m128 dv = _mm_load_ps(dv_);
    const __m128 dw = _mm_load_ps(dw_);
    const __m128i de = _mm_load_si128(reinterpret_cast<const __m128i*>(de_));
    const __m128i maskU = _mm_set1_epi32(texture_.Width() - 1);
    const __m128i maskV = _mm_set1_epi32(texture_.Height() - 1);
    const __m128i shift = _mm_cvtsi32_si128(texture_.log2Width);
    const __m128i fractionMask = _mm_set1_epi32(0xFFFF);
    const std::uint16_t* texels = texture_.texels;
    std::uint16_t* out0 = out_[0];
    std::uint16_t* out1 = out_[1];
    std::uint16_t* out2 = out_[2];
    std::uint16_t* out3 = out_[3];
    __m128 w = _mm_load_ps(w_);
    __m128i e = _mm_load_si128(reinterpret_cast<const __m128i*>(e_));
    for (int k = 0; k < n; ++k) {
        __m128 value;
        __m128 displacement;
        LoadSegments(table_, e, value, displacement);
        const __m128 fraction = _mm_cvtepi32_ps(_mm_and_si128(e, fractionMask));
        const __m128 t = _mm_mul_ps(w, _mm_sub_ps(value, _mm_mul_ps(fraction, displacement)));
        const __m128 u = _mm_add_ps(u0, _mm_mul_ps(t, du));
        const __m128 v = _mm_add_ps(v0, _mm_mul_ps(t, dv));
        const __m128i tu = _mm_and_si128(_mm_cvttps_epi32(_mm_mul_ps(scaleU, u)), maskU);
        const __m128i tv = _mm_and_si128(_mm_cvttps_epi32(_mm_mul_ps(scaleV, v)), maskV);
        const Indices index = Extract(_mm_add_epi32(tu, _mm_sll_epi32(tv, shift)));
        out0[k] = texels[index.lane[0]];
        out1[k] = texels[index.lane[1]];
        out2[k] = texels[index.lane[2]];
        out3[k] = texels[index.lane[3]];
        w = _mm_add_ps(w, dw);
        e = _mm_add_epi32(e, de);
    }
    _mm_store_ps(w_, w);
    _mm_store_si128(reinterpret_cast<__m128i*>(e_), e);
    for (int lane = 0; lane < 4; ++lane) {
        out_[lane] += n;
        left_[lane] -= n;
    }
}

} // namespace

void Fill(std::span<const Run> runs, const TextureView& texture, const Segment* table) {
    Lanes lanes(texture, table);
    std::size_t next = 0;
    // Hands the lane the next run with pixels; false when none is left.
    const auto refill = [&](int lane) {
        while (next < runs.size()) {
            if (lanes.Load(lane, runs[next++])) {
                return true;
            }
        }
        return false;
    };
    bool full = true;
    for (int lane = 0; lane < 4; ++lane) {
        full = refill(lane) && full;
    }
    while (full) {
        lanes.Step();
        for (int lane = 0; lane < 4; ++lane) {
            if (lanes.Done(lane) && !refill(lane)) {
                full = false;
            }
        }
    }
    // Too few runs left to keep four lanes busy: finish each on its own.
    for (int lane = 0; lane < 4; ++lane) {
        FillRun(lanes.Rest(lane), texture, table);
    }
}

} // namespace TextureSpan
