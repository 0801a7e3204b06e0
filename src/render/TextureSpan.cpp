#include "render/TextureSpan.h"

#include <emmintrin.h>

namespace TextureSpan {

std::int32_t Truncate(float f) {
    return _mm_cvtt_ss2si(_mm_set_ss(f));
}

namespace {

// Table entries for four fixed-point depths: values in one register, displacements in
// another.
void LoadSegments(const Segment* table, __m128i e, __m128& value, __m128& displacement) {
    alignas(16) std::int32_t index[4];
    _mm_store_si128(reinterpret_cast<__m128i*>(index), _mm_srai_epi32(e, 16));
    __m128 lo = _mm_setzero_ps();
    __m128 hi = _mm_setzero_ps();
    lo = _mm_loadl_pi(lo, reinterpret_cast<const __m64*>(table + index[0]));
    lo = _mm_loadh_pi(lo, reinterpret_cast<const __m64*>(table + index[1]));
    hi = _mm_loadl_pi(hi, reinterpret_cast<const __m64*>(table + index[2]));
    hi = _mm_loadh_pi(hi, reinterpret_cast<const __m64*>(table + index[3]));
    value = _mm_shuffle_ps(lo, hi, _MM_SHUFFLE(2, 0, 2, 0));
    displacement = _mm_shuffle_ps(lo, hi, _MM_SHUFFLE(3, 1, 3, 1));
}

} // namespace

void Fill(const Run& run, const TextureView& texture, const Segment* table) {
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
        alignas(16) std::int32_t index[4];
        _mm_store_si128(reinterpret_cast<__m128i*>(index),
                        _mm_add_epi32(tu, _mm_sll_epi32(tv, shift)));
        out[k] = texture.texels[index[0]];
        out[k + 1] = texture.texels[index[1]];
        out[k + 2] = texture.texels[index[2]];
        out[k + 3] = texture.texels[index[3]];
        e = _mm_add_epi32(e, eStep);
    }
    std::int32_t es = _mm_cvtsi128_si32(e);
    for (; k < n; ++k) {
        out[k] = Texel(texture, run, w * Reciprocal(table, es));
        w += run.dw;
        es += run.de;
    }
}

} // namespace TextureSpan
