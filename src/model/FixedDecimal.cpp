#include "model/FixedDecimal.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace {

constexpr uint64_t Million = 1000000;
// Below this, value · 10⁶ fits a 64-bit integer and the fast path is exact.
constexpr double FastLimit = 9e12;

// value · 10⁶ rounded half to even, for a finite |value| below FastLimit. The value is
// m · 2^e exactly; with e negative (always so in this range) the product m · 10⁶ is
// shifted right by −e, and the bits shifted out decide the rounding.
uint64_t ScaledMicros(double value) {
    const uint64_t bits = std::bit_cast<uint64_t>(value);
    const auto biased = static_cast<int>((bits >> 52) & 0x7FF);
    uint64_t mantissa = bits & ((uint64_t{1} << 52) - 1);
    int exponent = -1074; // subnormal
    if (biased != 0) {
        mantissa |= uint64_t{1} << 52;
        exponent = biased - 1075;
    }
    const int shift = -exponent;
    // m · 10⁶ < 2⁷³, so from a shift of 74 on the value rounds to 0.
    if (shift >= 74) {
        return 0;
    }
    const unsigned __int128 product = static_cast<unsigned __int128>(mantissa) * Million;
    auto micros = static_cast<uint64_t>(product >> shift);
    const unsigned __int128 rest = product & ((static_cast<unsigned __int128>(1) << shift) - 1);
    const unsigned __int128 half = static_cast<unsigned __int128>(1) << (shift - 1);
    if (rest > half || (rest == half && (micros & 1) != 0)) {
        ++micros;
    }
    return micros;
}

} // namespace

char* FormatFixed6(char* first, char* last, double value) {
    if (!(std::abs(value) < FastLimit)) {
        return std::to_chars(first, last, value, std::chars_format::fixed, 6).ptr;
    }
    const uint64_t micros = ScaledMicros(value);
    char* out = first;
    if (std::signbit(value)) {
        *out++ = '-';
    }
    out = std::to_chars(out, last, micros / Million).ptr;
    *out++ = '.';
    uint64_t fraction = micros % Million;
    for (int digit = 5; digit >= 0; --digit) {
        out[digit] = static_cast<char>('0' + fraction % 10);
        fraction /= 10;
    }
    return out + 6;
}
