#include "platform/Surface.h"
#include "render/PerspecTextureEngine.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <span>
#include <vector>

namespace {

using TextureSpan::Segment;

// The plain per-pixel loop, written out as the engine's arithmetic is defined: the fast
// path must match it pixel for pixel.
void ReferenceFill(std::span<const TextureSpan::Run> runs, const TextureView& texture,
                   const Segment* table) {
    for (const TextureSpan::Run& run : runs) {
        float w = run.w;
        std::int32_t e = run.e;
        for (int k = 0; k < run.count; ++k) {
            const float reciprocal =
                table[e >> 16].value - static_cast<float>(e & 0xFFFF) * table[e >> 16].displacement;
            const float t = w * reciprocal;
            const float u = run.uv.u + t * run.duv.u;
            const float v = run.uv.v + t * run.duv.v;
            const int tu = TextureSpan::Truncate(static_cast<float>(texture.Width() - 1) * u);
            const int tv = TextureSpan::Truncate(static_cast<float>(texture.Height() - 1) * v);
            run.pixels[k] = texture.texels[(tu & (texture.Width() - 1)) +
                                           ((tv & (texture.Height() - 1)) << texture.log2Width)];
            w += run.dw;
            e += run.de;
        }
    }
}

struct Texture {
    std::vector<std::uint16_t> texels;
    TextureView view;

    Texture(int log2Width, int log2Height, std::uint32_t seed = 0) {
        texels.resize(std::size_t{1} << (log2Width + log2Height));
        std::mt19937 random(seed);
        for (std::size_t i = 0; i < texels.size(); ++i) {
            texels[i] = seed == 0 ? static_cast<std::uint16_t>(i) : random() & 0x7FFF;
        }
        view = {texels.data(), log2Width, log2Height};
    }
};

class TextureEngineTest : public ::testing::Test {
protected:
    void SetUp() override { PerspecTextureEngine::Initialize(); }
    void TearDown() override { PerspecTextureEngine::Release(); }

    static void Draw(platform::Surface& s, const std::vector<Vec3>& p, const std::vector<Vec2>& uv,
                     const Texture& t, TextureSpan::FillFunction fill = TextureSpan::Fill) {
        PerspecTextureEngine::DrawPolygon(s, p.data(), uv.data(), static_cast<int>(p.size()),
                                          t.view, fill);
    }
    static int Painted(const platform::Surface& s) {
        int n = 0;
        for (int y = 0; y < s.Height(); ++y) {
            for (int x = 0; x < s.Width(); ++x) {
                n += s.Pixel(x, y) != Background ? 1 : 0;
            }
        }
        return n;
    }
    static platform::Surface Blank(int width, int height) {
        platform::Surface s(width, height);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                s.SetPixel(x, y, Background);
            }
        }
        return s;
    }
    static constexpr std::uint16_t Background = 0xFFFF; // never a 15-bit texel
};

} // namespace

TEST_F(TextureEngineTest, DegenerateAndMisorientedPolygonsDrawNothing) {
    const Texture texture(3, 3);
    platform::Surface s = Blank(40, 30);
    // Every edge rounds to line 3.
    Draw(s, {{0, 3.2F, 1}, {30, 3.4F, 1}, {20, 2.6F, 1}}, {{0, 0}, {1, 0}, {1, 1}}, texture);
    // Listed the other way round, the right side lies left of the left side.
    Draw(s, {{2, 2, 1}, {2, 20, 1}, {20, 20, 1}, {20, 2, 1}}, {{0, 0}, {0, 1}, {1, 1}, {1, 0}},
         texture);
    Draw(s, {}, {}, texture);
    // Off the surface, at no depth, or not finite: refused rather than drawn out of bounds.
    Draw(s, {{2, 2, 1}, {45, 20, 1}, {2, 20, 1}}, {{0, 0}, {1, 1}, {1, 0}}, texture);
    Draw(s, {{2, 2, 0}, {20, 20, 1}, {2, 20, 1}}, {{0, 0}, {1, 1}, {1, 0}}, texture);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    Draw(s, {{2, 2, 1}, {20, 20, 1}, {2, nan, 1}}, {{0, 0}, {1, 1}, {1, 0}}, texture);
    EXPECT_EQ(Painted(s), 0);
    // The same triangle in drawing order does paint.
    Draw(s, {{2, 2, 1}, {20, 20, 1}, {2, 20, 1}}, {{0, 0}, {1, 1}, {1, 0}}, texture);
    EXPECT_GT(Painted(s), 100);
}

TEST_F(TextureEngineTest, FastSpansEqualThePlainLoop) {
    // Batches of lines of every short length and a few long ones, side by side with other
    // lengths and starts (and empty lines), so lines are filled together, refilled and
    // finished alone.
    std::mt19937 random(2024);
    std::uniform_real_distribution<float> unit(0.0F, 1.0F);
    std::vector<int> lengths;
    for (int n = -1; n <= 64; ++n) {
        lengths.push_back(n);
    }
    for (int n : {127, 255, 640, 1024, 1920}) {
        lengths.push_back(n);
    }
    const Segment* table = PerspecTextureEngine::Segments();
    constexpr int Stride = 1920 + 16;
    std::vector<std::uint16_t> fast(Stride * 12);
    std::vector<std::uint16_t> plain(fast.size());
    for (int round = 0; round < 400; ++round) {
        const Texture texture(1 + round % 8, 1 + (round * 3) % 8, round + 1);
        std::vector<TextureSpan::Run> runs(1 + random() % 12);
        for (std::size_t line = 0; line < runs.size(); ++line) {
            // A line as the engine sets it up, with random depths and coordinates.
            const int n = lengths[(round * 7 + line * 5 + random() % 3) % lengths.size()];
            const float zl = 1.0F / 8192.0F + unit(random);
            const float zr = 1.0F / 8192.0F + unit(random) * (1.0F - 1.0F / 8192.0F);
            const float r = n <= 1 ? 0.0F : 1.0F / static_cast<float>(n - 1);
            TextureSpan::Run& run = runs[line];
            run.pixels = fast.data() + line * Stride + random() % 8;
            run.count = n;
            run.dw = std::min(zl, 1.0F) * r;
            run.e = TextureSpan::Truncate(zr * TextureSpan::FixedOne);
            run.de = TextureSpan::Truncate(r * (std::min(zl, 1.0F) - zr) * TextureSpan::FixedOne);
            run.uv = {unit(random), unit(random)};
            run.duv = {unit(random) - run.uv.u, unit(random) - run.uv.v};
        }
        std::fill(fast.begin(), fast.end(), Background);
        std::fill(plain.begin(), plain.end(), Background);
        TextureSpan::Fill(runs, texture.view, table);
        for (TextureSpan::Run& run : runs) {
            run.pixels = plain.data() + (run.pixels - fast.data());
        }
        ReferenceFill(runs, texture.view, table);
        ASSERT_EQ(fast, plain) << "round " << round;
    }
}
