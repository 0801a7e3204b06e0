#include "base/VectorMath.h"

#include <gtest/gtest.h>

namespace {

// The elementary right-handed rotation about one axis (0 x, 1 y, 2 z).
Mat3d Elementary(int axis, double a) {
    Mat3d m{};
    SetIdentity(m);
    const int i = (axis + 1) % 3;
    const int j = (axis + 2) % 3;
    m.m[i][i] = m.m[j][j] = std::cos(a);
    m.m[i][j] = -std::sin(a);
    m.m[j][i] = std::sin(a);
    return m;
}

// The closed form equals the product Rz · Rx · Ry, and the products may write into
// their own operands.
TEST(VectorMath, RotationIsRzRxRy) {
    const double rx = 0.3;
    const double ry = -1.1;
    const double rz = 2.5;
    Mat3d closed{};
    SetRotation(closed, rx, ry, rz);
    Mat3 product{};
    Mat3 factor{};
    SetIdentity(product);
    for (const auto& [axis, angle] : {std::pair{2, rz}, {0, rx}, {1, ry}}) {
        const Mat3d e = Elementary(axis, angle);
        for (int i = 0; i < 9; ++i) {
            factor.m[i / 3][i % 3] = static_cast<float>(e.m[i / 3][i % 3]);
        }
        MulMat(product, product, factor);
    }
    for (int i = 0; i < 9; ++i) {
        EXPECT_NEAR(closed.m[i / 3][i % 3], product.m[i / 3][i % 3], 1e-6) << i;
    }
    Vec3d v{0.0, 1.0, 0.0};
    SetRotation(closed, 1.5707963267948966, 0.0, 0.0);
    MulVec(v, closed, v); // tilted 90° about x, world y becomes the depth axis
    EXPECT_NEAR(v.x, 0.0, 1e-15);
    EXPECT_NEAR(v.y, 0.0, 1e-15);
    EXPECT_DOUBLE_EQ(v.z, 1.0);
}

// One reciprocal and products, as the pipeline's results depend on it.
TEST(VectorMath, DivideMultipliesByTheReciprocal) {
    Vec3 v{1.0F, 3.0F, 10.0F};
    Divide(v, v, 3.0F);
    EXPECT_EQ(v.z, 10.0F * (1.0F / 3.0F));
    EXPECT_NE(v.z, 10.0F / 3.0F);
}

} // namespace
