#include "render/Clipping.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

struct Poly {
    std::vector<Vec3> p;
    std::vector<Vec2> uv;

    explicit Poly(std::vector<Vec3> points) : p(std::move(points)) {
        for (const Vec3& v : p) {
            uv.push_back({v.x * 0.01F, v.y * 0.02F});
        }
        p.resize(Clipping::BufferSize);
        uv.resize(Clipping::BufferSize);
    }
};

int Depth(Poly& poly, int count, float nearZ = 4, float farZ = 500) {
    return Clipping::ClipDepth(poly.p.data(), poly.uv.data(), count, Clipping::BufferSize, nearZ,
                               farZ);
}

int Screen(Poly& poly, int count, int width = 100, int height = 80) {
    return Clipping::ClipScreen(poly.p.data(), poly.uv.data(), count, Clipping::BufferSize, width,
                                height);
}

bool Same(const Vec3& a, const Vec3& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

} // namespace

TEST(ClippingTest, DepthClipCutsAtTheNearAndFarPlanes) {
    Poly tooNear({{0, 0, 1}, {5, 0, 3.9F}, {0, 5, 2}});
    EXPECT_EQ(Depth(tooNear, 3), 0);

    // A vertex on the near plane is kept and an edge that only touches it is not cut.
    Poly touching({{0, 0, 4}, {5, 0, 10}, {0, 5, 10}});
    ASSERT_EQ(Depth(touching, 3), 3);
    EXPECT_TRUE(Same(touching.p[0], {0, 0, 4}));

    // One vertex beyond the far plane: it is replaced by two cuts at exactly z = far.
    Poly far({{0, 0, 100}, {10, 0, 900}, {0, 10, 100}});
    ASSERT_EQ(Depth(far, 3), 4);
    EXPECT_TRUE(Same(far.p[0], {0, 0, 100}));
    EXPECT_EQ(far.p[1].z, 500.0F);
    EXPECT_EQ(far.p[2].z, 500.0F);
    EXPECT_FLOAT_EQ(far.p[1].x, 5.0F); // halfway along 100 .. 900
    EXPECT_FLOAT_EQ(far.uv[1].u, 0.05F);
    EXPECT_FLOAT_EQ(far.p[2].x, 5.0F);
    EXPECT_FLOAT_EQ(far.p[2].y, 5.0F);
    EXPECT_TRUE(Same(far.p[3], {0, 10, 100}));
}

TEST(ClippingTest, ScreenClipKeepsEveryVertexWithinTheBounds) {
    // Beyond the right bound: two new vertices on x = width - 1 (not width).
    Poly right({{10, 10, 0.5F}, {150, 40, 0.5F}, {10, 70, 0.5F}});
    ASSERT_EQ(Screen(right, 3), 4);
    EXPECT_EQ(right.p[1].x, 99.0F);
    EXPECT_EQ(right.p[2].x, 99.0F);
    EXPECT_TRUE(Same(right.p[3], {10, 70, 0.5F}));

    // Larger than the screen on every side: the result is the screen's own rectangle.
    Poly all({{-50, -50, 0.5F}, {200, -50, 0.5F}, {200, 200, 0.5F}, {-50, 200, 0.5F}});
    const int n = Screen(all, 4);
    ASSERT_EQ(n, 4);
    for (int i = 0; i < n; ++i) {
        EXPECT_TRUE(all.p[i].x == 0.0F || all.p[i].x == 99.0F) << i;
        EXPECT_TRUE(all.p[i].y == 0.0F || all.p[i].y == 79.0F) << i;
    }
    Poly outside({{-10, 0, 1}, {-1, 5, 1}, {-5, 50, 1}});
    EXPECT_EQ(Screen(outside, 3), 0);
}

TEST(ClippingTest, SharedEdgesAreCutIdenticallyBothWays) {
    const Vec3 a{-7.3F, 3.1F, 0.21F};
    const Vec3 b{41.9F, 66.6F, 0.87F};
    const Vec2 ua{0.1F, 0.9F};
    const Vec2 ub{0.7F, 0.3F};
    using Fn = void (*)(const Vec3&, const Vec2&, const Vec3&, const Vec2&, float, Vec3&, Vec2&);
    for (const auto& [cut, c] : {std::pair<Fn, float>{Clipping::IntersectX, 0},
                                 {Clipping::IntersectY, 50},
                                 {Clipping::IntersectZ, 0.5F}}) {
        Vec3 p1{}, p2{};
        Vec2 uv1{}, uv2{};
        cut(a, ua, b, ub, c, p1, uv1);
        cut(b, ub, a, ua, c, p2, uv2);
        EXPECT_TRUE(Same(p1, p2));
        EXPECT_EQ(uv1.u, uv2.u);
        EXPECT_EQ(uv1.v, uv2.v);
    }
    // Two neighbouring quads sharing the edge a-b, listed in opposite directions.
    Poly first({a, b, {60, 70, 0.9F}, {0, -5, 0.2F}});
    Poly second({b, a, {-20, 10, 0.3F}, {30, 90, 0.6F}});
    const int n1 = Screen(first, 4);
    const int n2 = Screen(second, 4);
    int shared = 0;
    for (int i = 0; i < n1; ++i) {
        for (int j = 0; j < n2; ++j) {
            shared += Same(first.p[i], second.p[j]) ? 1 : 0;
        }
    }
    EXPECT_EQ(shared, 2); // both cut ends of the shared edge, bit for bit
}
