// One whole frame of the perspective view as the window draws it: clear, cut the road ahead
// into 20 cross-sections, carry them into camera space and draw the 19 quadrilaterals far to
// near, as outlines or textured with the bundled 256 x 256 texture. Items are pixels of the
// view, so items_per_second is the view's pixel rate.

#include "model/CourseData.h"
#include "render/PerspecCamera.h"
#include "render/PerspecTextureEngine.h"
#include "render/PictureBank.h"
#include "views/DispControl.h"
#include "views/PerspecDisp.h"

#include <benchmark/benchmark.h>
#include <filesystem>

namespace {

const std::filesystem::path Sources = std::filesystem::path(__FILE__).parent_path().parent_path();

void Frame(benchmark::State& state, int mode) {
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    if (CourseData::Load((Sources / "resources/samples/circuit.cus").c_str()) != 0) {
        state.SkipWithError("the sample course does not load");
        return;
    }
    DispControl::CreateDrawObjects();
    PerspecTextureEngine::Initialize();
    PictureBank::Initialize(16);
    PerspecDisp::RegisterTexture((Sources / "resources/Texture.bmp").c_str());
    PictureBank::Decide();
    PerspecCamera camera{};
    camera.Reset();
    camera.SetLens(2.0F, 2.0F, 4.0F, 4.0F, 500.0F);
    camera.SetScreen(width, height);
    for (auto _ : state) {
        PerspecDisp::Render(camera, mode);
        benchmark::ClobberMemory();
    }
    PerspecDisp::ReleaseTexture();
    PictureBank::Release();
    PerspecTextureEngine::Release();
    DispControl::DeleteDrawObjects();
    state.SetItemsProcessed(state.iterations() * width * height);
}

void BM_PerspectiveFrameWireframe(benchmark::State& state) {
    Frame(state, PerspecDisp::Wireframe);
}
void BM_PerspectiveFrameTextured(benchmark::State& state) {
    Frame(state, PerspecDisp::Textured);
}
BENCHMARK(BM_PerspectiveFrameWireframe)
    ->Args({640, 480})
    ->Args({1920, 1080})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PerspectiveFrameTextured)
    ->Args({640, 480})
    ->Args({1920, 1080})
    ->Unit(benchmark::kMicrosecond);

} // namespace
