// Benchmarks of the parallel views: one full redraw of the top, side and front views, each
// on a quarter of a 1920 x 1080 screen as the shape layout gives them, and the hit tests
// behind every click. The drawing recomputes everything from the course, so these are the
// costs of every step of a drag.

#include "BenchCourse.h"
#include "model/CourseAnalysis.h"
#include "model/CourseData.h"
#include "model/CourseSurface.h"
#include "render/CameraControl.h"
#include "views/DispControl.h"
#include "views/ParallelDisp.h"
#include "views/SpPointDisp.h"

#include <algorithm>
#include <array>
#include <benchmark/benchmark.h>
#include <cstdint>
#include <filesystem>
#include <limits>

namespace {

constexpr int ViewWidth = 1920 / 2;
constexpr int ViewHeight = 1080 / 2;

// The sample course ships with the sources.
const std::filesystem::path SampleCourse =
    std::filesystem::path(__FILE__).parent_path().parent_path() / "resources" / "samples" /
    "circuit.cus";

struct Bounds {
    Vec3d low{std::numeric_limits<double>::max(), std::numeric_limits<double>::max(),
              std::numeric_limits<double>::max()};
    Vec3d high{std::numeric_limits<double>::lowest(), std::numeric_limits<double>::lowest(),
               std::numeric_limits<double>::lowest()};
};

Bounds CourseBounds() {
    Bounds b;
    ForEachCourseRow([&b](const CourseSection& s) {
        b.low = {std::min(b.low.x, s.position.x), std::min(b.low.y, s.position.y),
                 std::min(b.low.z, s.position.z)};
        b.high = {std::max(b.high.x, s.position.x), std::max(b.high.y, s.position.y),
                  std::max(b.high.z, s.position.z)};
    });
    return b;
}

// The shape layout's four quarters: the three parallel views with the course centred in
// each and filling nine tenths of it, and the roll dial.
class ShapeLayoutViews {
public:
    ShapeLayoutViews() {
        DispControl::CreateDrawObjects();
        const Bounds b = CourseBounds();
        const Vec3d centre{(b.low.x + b.high.x) / 2, (b.low.y + b.high.y) / 2,
                           (b.low.z + b.high.z) / 2};
        const Vec3d size{b.high.x - b.low.x, b.high.y - b.low.y, b.high.z - b.low.z};
        // Width and height of the course on each view's screen.
        const std::array<std::array<double, 2>, 3> extents{
            {{size.x, size.z}, {size.z, size.y}, {size.x, size.y}}};
        for (int view = 0; view < 3; ++view) {
            CameraControl& camera = cameras[view];
            camera.Reset();
            camera.SetState(CameraControl::Top + view);
            camera.SetScreen(ViewWidth, ViewHeight);
            camera.Move(centre.x, centre.y, centre.z);
            camera.SetZoom(0.9 * std::min(ViewWidth / std::max(extents[view][0], 1.0),
                                          ViewHeight / std::max(extents[view][1], 1.0)));
        }
        dial.Reset();
        dial.SetState(CameraControl::Front);
        dial.SetScreen(ViewWidth, ViewHeight);
    }
    ~ShapeLayoutViews() { DispControl::DeleteDrawObjects(); }
    ShapeLayoutViews(const ShapeLayoutViews&) = delete;
    ShapeLayoutViews& operator=(const ShapeLayoutViews&) = delete;

    void DrawAll() {
        for (CameraControl& camera : cameras) {
            ParallelDisp::Draw(camera, 1);
        }
        SpPointDisp::Draw(dial, SpPointDisp::GripRoll);
    }
    const CameraControl& Top() const { return cameras[0]; }

private:
    std::array<CameraControl, 3> cameras{};
    CameraControl dial{};
};

void RedrawLoop(benchmark::State& state) {
    ShapeLayoutViews views;
    for (auto _ : state) {
        views.DrawAll();
        benchmark::ClobberMemory();
    }
    state.counters["rows"] = static_cast<double>(GetCourseRowNum());
}

void BM_ShapeLayoutRedrawSample(benchmark::State& state) {
    if (CourseData::Load(SampleCourse.c_str()) != 0) {
        state.SkipWithError("the sample course does not load");
        return;
    }
    RedrawLoop(state);
}
BENCHMARK(BM_ShapeLayoutRedrawSample)->Unit(benchmark::kMillisecond);

// The largest course a drag has to keep up with: 256 points, 50 samples per segment.
void BM_ShapeLayoutRedrawLargest(benchmark::State& state) {
    BuildBenchCourse(BenchPointNum, 50);
    RedrawLoop(state);
}
BENCHMARK(BM_ShapeLayoutRedrawLargest)->Unit(benchmark::kMillisecond);

// Steps of a drag on the largest course: a point moves in all three directions, which
// changes every segment's curves, and the four views are drawn again; `afterEdit` runs
// between the two, as the designer's own work after each step.
template <class AfterEdit> void DragLoop(benchmark::State& state, AfterEdit afterEdit) {
    BuildBenchCourse(BenchPointNum, 50);
    ShapeLayoutViews views;
    int index = 0;
    int64_t calls = 0;
    for (auto _ : state) {
        index = (index + 97) % BenchPointNum;
        double x = 0.0;
        double y = 0.0;
        double z = 0.0;
        CourseData::GetPosition(index, x, y, z);
        const double offset = (calls++ / BenchPointNum) % 2 == 0 ? 1.0 : -1.0;
        CourseData::SetPosition(index, x + offset, y + offset, z - offset);
        afterEdit();
        views.DrawAll();
        benchmark::ClobberMemory();
    }
}

void BM_ShapeLayoutRedrawAfterEdit(benchmark::State& state) {
    DragLoop(state, [] {});
}
BENCHMARK(BM_ShapeLayoutRedrawAfterEdit)->Unit(benchmark::kMillisecond);

// The same with the course measured and checked again at each step, as the inspector and
// the warning marks need.
void BM_ShapeLayoutAnalyseAndRedrawAfterEdit(benchmark::State& state) {
    DragLoop(state, [] { benchmark::DoNotOptimize(CourseAnalysis::Analyse()); });
}
BENCHMARK(BM_ShapeLayoutAnalyseAndRedrawAfterEdit)->Unit(benchmark::kMillisecond);

// A click on empty ground: every point is tested and none is hit.
void BM_ParallelFindPoint(benchmark::State& state) {
    BuildBenchCourse(BenchPointNum, 50);
    const ShapeLayoutViews views;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ParallelDisp::FindPoint(views.Top(), 3, 3));
    }
}
BENCHMARK(BM_ParallelFindPoint)->Unit(benchmark::kMicrosecond);

void BM_ParallelFindHandle(benchmark::State& state) {
    BuildBenchCourse(BenchPointNum, 50);
    const ShapeLayoutViews views;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ParallelDisp::FindHandle(views.Top(), 3, 3));
    }
}
BENCHMARK(BM_ParallelFindHandle)->Unit(benchmark::kMicrosecond);

} // namespace
