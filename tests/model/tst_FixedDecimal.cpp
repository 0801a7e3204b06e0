#include "model/FixedDecimal.h"

#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <string>

namespace {

std::string Printf(double v) {
    char text[400];
    std::snprintf(text, sizeof text, "%f", v);
    return text;
}

std::string Fixed6(double v) {
    char text[400];
    return {text, FormatFixed6(text, text + sizeof text, v)};
}

// The export's numbers must be byte for byte what printf("%f") writes in the C locale.
TEST(FixedDecimal, MatchesPrintf) {
    constexpr double max = std::numeric_limits<double>::max();
    constexpr double tiny = std::numeric_limits<double>::denorm_min();
    const double under = std::nextafter(9e12, 0.0);
    const double edge = 8999999999999.9995;
    const double digits = 1234567.8901234565;
    // 2e13 and beyond lie past the fast path's limit, where micros overflow 64 bits.
    const double specials[] = {0.0,     -0.0, -1e-9, -4.9e-7, -5e-7, -5.000001e-7, 5e-7,  0.2,
                               -0.0625, 1e15, 1e22,  -1e300,  max,   -max,         9e12,  under,
                               -9e12,   2e13, -5e13, 8.9e13,  edge,  tiny,         digits};
    for (double v : specials) {
        EXPECT_EQ(Fixed6(v), Printf(v)) << v;
    }
    // Exact ties between two sixth decimals (n + j/128 for odd j) round to even.
    for (int n = -3; n <= 3; ++n) {
        for (int j = 1; j < 128; j += 2) {
            const double v = n + j / 128.0;
            ASSERT_EQ(Fixed6(v), Printf(v)) << v;
        }
    }
    std::mt19937_64 random(11);
    std::uniform_real_distribution<double> exponent(-12.0, 13.0);
    std::uniform_real_distribution<double> mantissa(-1.0, 1.0);
    for (int i = 0; i < 300000; ++i) {
        const double v = mantissa(random) * std::pow(10.0, exponent(random));
        ASSERT_EQ(Fixed6(v), Printf(v)) << v;
        const double nearTie = std::round(v * 1e6) / 1e6 + 5e-7;
        ASSERT_EQ(Fixed6(nearTie), Printf(nearTie)) << nearTie;
    }
}

} // namespace
