#include "base/VectorMath.h"

#include <gtest/gtest.h>

namespace {

Mat3d Elementary(int axis, double a) {
    const double c = std::cos(a);
    const double s = std::sin(a);
    Mat3d m{};
    SetIdentity(m);
    const int i = (axis + 1) % 3;
    const int j = (axis + 2) % 3;
    m.m[i][i] = c;
    m.m[i][j] = -s;
    m.m[j][i] = s;
    m.m[j][j] = c;
    return m;
}

Mat3d Product(const Mat3d& a, const Mat3d& b) {
    Mat3d r{};
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            r.m[i][j] = a.m[i][0] * b.m[0][j] + a.m[i][1] * b.m[1][j] + a.m[i][2] * b.m[2][j];
        }
    }
    return r;
}

TEST(VectorMath, RotationIsRzRxRyInClosedForm) {
    const double rx = 0.3;
    const double ry = -1.1;
    const double rz = 2.5;
    Mat3d closed{};
    SetRotation(closed, rx, ry, rz);
    const Mat3d expected =
        Product(Product(Elementary(2, rz), Elementary(0, rx)), Elementary(1, ry));
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            EXPECT_NEAR(closed.m[i][j], expected.m[i][j], 1e-15) << i << "," << j;
        }
    }
}

TEST(VectorMath, RotationSpecialAngles) {
    Mat3d identity{};
    SetRotation(identity, 0.0, 0.0, 0.0);
    Mat3d expected{};
    SetIdentity(expected);
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            EXPECT_EQ(identity.m[i][j], expected.m[i][j]);
        }
    }
    // Tilting 90 degrees about x makes world y the depth axis.
    Mat3 tilt{};
    SetRotation(tilt, 1.5707963267948966, 0.0, 0.0);
    EXPECT_NEAR(tilt.m[2][0], 0.0F, 1e-7F);
    EXPECT_FLOAT_EQ(tilt.m[2][1], 1.0F);
    EXPECT_NEAR(tilt.m[2][2], 0.0F, 1e-7F);
}

TEST(VectorMath, ProductsMayWriteIntoTheirOperands) {
    Mat3 a{{{1, 2, 3}, {4, 5, 6}, {7, 8, 10}}};
    Mat3 b{{{0, 1, 0}, {1, 0, 0}, {0, 0, 2}}};
    MulMat(a, a, b);
    EXPECT_EQ(a.m[0][0], 2);
    EXPECT_EQ(a.m[0][1], 1);
    EXPECT_EQ(a.m[2][2], 20);

    Vec3d v{1, 2, 3};
    Mat3d swapXY{{{0, 1, 0}, {1, 0, 0}, {0, 0, 1}}};
    MulVec(v, swapXY, v);
    EXPECT_EQ(v.x, 2);
    EXPECT_EQ(v.y, 1);
    EXPECT_EQ(v.z, 3);
}

TEST(VectorMath, DivideUsesOneReciprocal) {
    Vec3 v{1.0F, 3.0F, 10.0F};
    Divide(v, v, 3.0F);
    const float inv = 1.0F / 3.0F;
    EXPECT_EQ(v.x, 1.0F * inv);
    EXPECT_EQ(v.y, 3.0F * inv);
    EXPECT_EQ(v.z, 10.0F * inv);
    EXPECT_NE(v.z, 10.0F / 3.0F); // the product differs from the quotient in the last bit
    Vec3 zero{1.0F, -1.0F, 0.0F};
    Divide(zero, zero, 0.0F);
    EXPECT_TRUE(std::isinf(zero.x));
    EXPECT_TRUE(std::isinf(zero.y));
    EXPECT_TRUE(std::isnan(zero.z));
}

} // namespace
