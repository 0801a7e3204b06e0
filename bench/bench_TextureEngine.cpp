// Benchmarks of the perspective pipeline's inner parts: the texture span engine's fill
// rate on large on-screen quads (items are pixels, so items_per_second is the fill rate),
// and the clipper's cost per polygon.

#include "platform/Surface.h"
#include "render/Clipping.h"
#include "render/PerspecTextureEngine.h"

#include <benchmark/benchmark.h>
#include <cstdint>
#include <span>
#include <vector>

namespace {

struct Quad {
    Vec3 p[4];
    Vec2 uv[4];
};

// A road-like quad seen at a slant: near edge at the bottom, far edge at the top.
Quad LargeQuad(int width, int height, float nearZ, float farZ) {
    const float w = static_cast<float>(width - 1);
    const float h = static_cast<float>(height - 1);
    return {{{0, 0, farZ}, {w, 0, farZ}, {w, h, nearZ}, {0, h, nearZ}},
            {{0, 0}, {1, 0}, {1, 1}, {0, 1}}};
}

// The plain per-pixel loop, for comparison with the engine's own.
void PlainFill(std::span<const TextureSpan::Run> runs, const TextureView& texture,
               const TextureSpan::Segment* table) {
    for (const TextureSpan::Run& run : runs) {
        float w = run.w;
        std::int32_t e = run.e;
        for (int k = 0; k < run.count; ++k) {
            run.pixels[k] = TextureSpan::Texel(texture, run, w * TextureSpan::Reciprocal(table, e));
            w += run.dw;
            e += run.de;
        }
    }
}

void FillRate(benchmark::State& state, TextureSpan::FillFunction fill) {
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    std::vector<std::uint16_t> texels(256 * 256);
    for (std::size_t i = 0; i < texels.size(); ++i) {
        texels[i] = static_cast<std::uint16_t>((i * 2654435761U) >> 17);
    }
    const TextureView texture{texels.data(), 8, 8};
    platform::Surface surface(width, height);
    const Quad quad = LargeQuad(width, height, 0.05F, 0.9F);
    PerspecTextureEngine::Initialize();
    for (auto _ : state) {
        PerspecTextureEngine::DrawPolygon(surface, quad.p, quad.uv, 4, texture, fill);
        benchmark::DoNotOptimize(surface.Bits());
        benchmark::ClobberMemory();
    }
    PerspecTextureEngine::Release();
    state.SetItemsProcessed(state.iterations() * width * height);
}
void BM_DrawPolygonFill(benchmark::State& state) {
    FillRate(state, TextureSpan::Fill);
}
void BM_DrawPolygonFillPlainLoop(benchmark::State& state) {
    FillRate(state, PlainFill);
}
BENCHMARK(BM_DrawPolygonFill)->Args({640, 480})->Args({1920, 1080});
BENCHMARK(BM_DrawPolygonFillPlainLoop)->Args({1920, 1080});

void BM_ClippingPerPolygon(benchmark::State& state) {
    // A quad that crosses the near plane and, once projected, three screen edges.
    const Quad camera = {{{-30, 2, 2}, {-30, 2, 60}, {30, 2, 60}, {30, 2, 2}},
                         {{0, 0}, {0, 1}, {1, 1}, {1, 0}}};
    for (auto _ : state) {
        Vec3 p[Clipping::BufferSize];
        Vec2 uv[Clipping::BufferSize];
        for (int i = 0; i < 4; ++i) {
            p[i] = camera.p[i];
            uv[i] = camera.uv[i];
        }
        benchmark::DoNotOptimize(p);
        int n = Clipping::ClipDepth(p, uv, 4, Clipping::BufferSize, 4, 500);
        for (int i = 0; i < n; ++i) {
            p[i] = {320 + 320 * p[i].x / p[i].z, 240 - 240 * p[i].y / p[i].z, p[i].z / 500};
        }
        n = Clipping::ClipScreen(p, uv, n, Clipping::BufferSize, 640, 480);
        benchmark::DoNotOptimize(n);
        benchmark::DoNotOptimize(p);
    }
}
BENCHMARK(BM_ClippingPerPolygon);

} // namespace
