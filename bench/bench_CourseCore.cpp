// Benchmarks of the course core: spline recomputation, analysis, course-file load and save, and
// (in bench_CobExport.cpp) the .cob export. All of them work on the process's one course,
// so each benchmark builds the course it needs before its timed loop.

#include "BenchCourse.h"
#include "model/CourseAnalysis.h"
#include "model/CourseData.h"
#include "model/CourseHistory.h"
#include "model/RecoveryFile.h"
#include "model/UnitSpline.h"

#include <array>
#include <benchmark/benchmark.h>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

namespace {

// A 256-point spline with broad waves, a little fixed-seed jitter and every sixteenth
// tangent fixed: the values the solver sees on a real course, not a flat line.
void FillSpline(UnitSpline& spline, std::array<double, UnitSpline::MaxPoints>& values) {
    uint32_t seed = 12345;
    for (int i = 0; i < UnitSpline::MaxPoints; ++i) {
        seed = seed * 1664525u + 1013904223u;
        const double jitter = (static_cast<double>(seed >> 8) / (1u << 24) - 0.5) * 10.0;
        const double a = 2.0 * std::numbers::pi * i / UnitSpline::MaxPoints;
        values[i] = 100.0 * std::sin(3.0 * a) + 35.0 * std::cos(7.0 * a) + jitter;
        const bool fixed = i % 16 == 0;
        spline.AddPoint(values[i], fixed ? 2.5 : 0.0,
                        fixed ? UnitSpline::PointFixed : UnitSpline::PointAuto);
    }
}

// One SetPoint recomputes every tangent and segment. The edited point moves round the
// spline (97 is prime to 256, so every point is visited) and its value flips between
// two places on alternate rounds, so each call changes the spline.
void BM_UnitSplineSetPoint(benchmark::State& state) {
    UnitSpline spline;
    if (state.range(0) != 0) {
        spline.SetShape(UnitSpline::ShapeLoop);
    }
    std::array<double, UnitSpline::MaxPoints> values{};
    FillSpline(spline, values);
    int index = 0;
    int64_t calls = 0;
    for (auto _ : state) {
        index = (index + 97) % UnitSpline::MaxPoints;
        double value = 0.0;
        double tangent = 0.0;
        const int32_t property = spline.GetPoint(index, value, tangent);
        const double offset = (calls++ / UnitSpline::MaxPoints) % 2 == 0 ? 0.5 : 0.0;
        spline.SetPoint(values[index] + offset, tangent, property, index);
    }
    state.SetLabel(state.range(0) != 0 ? "closed, 256 points" : "open, 256 points");
}
BENCHMARK(BM_UnitSplineSetPoint)->ArgName("closed")->Arg(0)->Arg(1);

// Dragging a point of the course: three of its six splines are recomputed.
void BM_CourseSetPosition(benchmark::State& state) {
    BuildBenchCourse(BenchPointNum, CourseData::DefaultSampleNum);
    int index = 0;
    int64_t calls = 0;
    for (auto _ : state) {
        index = (index + 97) % BenchPointNum;
        double x = 0.0;
        double y = 0.0;
        double z = 0.0;
        CourseData::GetPosition(index, x, y, z);
        const double offset = (calls++ / BenchPointNum) % 2 == 0 ? 1.0 : -1.0;
        CourseData::SetPosition(index, x + offset, y, z - offset);
    }
    state.SetLabel("256-point loop");
}
BENCHMARK(BM_CourseSetPosition)->Unit(benchmark::kMicrosecond);

// Moves the course's first point along x.
void NudgeFirstPoint(double dx) {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    CourseData::GetPosition(0, x, y, z);
    CourseData::SetPosition(0, x + dx, y, z);
}

// Measuring and checking the largest course, as after every step of a drag: the analysis
// does not depend on the sample counts.
void BM_CourseAnalysis(benchmark::State& state) {
    BuildBenchCourse(BenchPointNum, 50);
    for (auto _ : state) {
        benchmark::DoNotOptimize(CourseAnalysis::Analyse());
    }
    state.SetLabel("256-point loop");
}
BENCHMARK(BM_CourseAnalysis)->Unit(benchmark::kMicrosecond);

// One edit's step in the history: the whole course is taken, compared with the current
// step and kept. The history fills up to its bound within the first iterations, so most
// steps also drop the oldest one.
void BM_CourseHistoryCommit(benchmark::State& state) {
    BuildBenchCourse(BenchPointNum, 100);
    CourseHistory history;
    history.Reset(true);
    int64_t calls = 0;
    for (auto _ : state) {
        state.PauseTiming();
        NudgeFirstPoint((calls++ % 2) == 0 ? 1.0 : -1.0);
        state.ResumeTiming();
        if (!history.Commit()) {
            state.SkipWithError("the edit was not recorded");
            break;
        }
    }
    state.SetLabel("256-point loop");
}
BENCHMARK(BM_CourseHistoryCommit)->Unit(benchmark::kMicrosecond);

// Undo puts a whole 256-point course back: one load's worth of work.
void BM_CourseHistoryUndo(benchmark::State& state) {
    BuildBenchCourse(BenchPointNum, 100);
    CourseHistory history;
    history.Reset(true);
    NudgeFirstPoint(1.0);
    (void)history.Commit();
    for (auto _ : state) {
        history.Undo();
        history.Redo();
    }
    state.SetItemsProcessed(state.iterations() * 2);
    state.SetLabel("256-point loop, undo and redo");
}
BENCHMARK(BM_CourseHistoryUndo)->Unit(benchmark::kMicrosecond);

// The recovery copy of the largest course, written as the designer writes it a moment after
// a change: replaced all at once through a flushed temporary file.
void BM_RecoveryCopyWrite(benchmark::State& state) {
    BuildBenchCourse(BenchPointNum, 100);
    RecoveryFile copy(BenchDirectory());
    for (auto _ : state) {
        if (!copy.Write("/home/user/courses/circuit.cus")) {
            state.SkipWithError("the copy was not written");
            break;
        }
    }
    state.SetLabel("256-point loop");
}
BENCHMARK(BM_RecoveryCopyWrite)->Unit(benchmark::kMicrosecond);

void BM_CourseSaveToBytes(benchmark::State& state) {
    BuildBenchCourse(BenchPointNum, 100);
    size_t size = 0;
    for (auto _ : state) {
        const std::vector<unsigned char> bytes = CourseData::SaveToBytes();
        benchmark::DoNotOptimize(bytes.data());
        size = bytes.size();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(size));
}
BENCHMARK(BM_CourseSaveToBytes)->Unit(benchmark::kMicrosecond);

// A load that really rebuilds the course, not one refused early.
bool LoadedWholeCourse() {
    return CourseData::GetPointNum() == BenchPointNum && CourseData::IsLoop() == 1;
}

// Loading replaces the whole course with the one in the bytes.
void BM_CourseLoadFromBytes(benchmark::State& state) {
    BuildBenchCourse(BenchPointNum, 100);
    const std::vector<unsigned char> bytes = CourseData::SaveToBytes();
    CourseData::NewCourse();
    if (CourseData::LoadFromBytes(bytes) != 0 || !LoadedWholeCourse()) {
        state.SkipWithError("the saved course does not load back");
        return;
    }
    for (auto _ : state) {
        if (CourseData::LoadFromBytes(bytes) != 0) {
            state.SkipWithError("LoadFromBytes refused the course");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(BM_CourseLoadFromBytes)->Unit(benchmark::kMicrosecond);

// Save replaces the file through a temporary file and fsync, so this is mostly the
// disk's flush time.
void BM_CourseSaveFile(benchmark::State& state) {
    BuildBenchCourse(BenchPointNum, 100);
    const std::string path = BenchFile("course.cus");
    for (auto _ : state) {
        if (CourseData::Save(path.c_str()) != 0) {
            state.SkipWithError("Save failed");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<int64_t>(CourseData::SaveToBytes().size()));
}
BENCHMARK(BM_CourseSaveFile)->Unit(benchmark::kMicrosecond);

void BM_CourseLoadFile(benchmark::State& state) {
    BuildBenchCourse(BenchPointNum, 100);
    const std::string path = BenchFile("course-load.cus");
    if (CourseData::Save(path.c_str()) != 0) {
        state.SkipWithError("Save failed");
        return;
    }
    CourseData::NewCourse();
    if (CourseData::Load(path.c_str()) != 0 || !LoadedWholeCourse()) {
        state.SkipWithError("the saved course does not load back");
        return;
    }
    for (auto _ : state) {
        if (CourseData::Load(path.c_str()) != 0) {
            state.SkipWithError("Load refused the course");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<int64_t>(CourseData::SaveToBytes().size()));
}
BENCHMARK(BM_CourseLoadFile)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    // The fprintf writer prints "%f" by the locale; the product's writer never looks.
    std::setlocale(LC_ALL, "C");
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::AddCustomContext("scratch_dir", BenchDirectory().string());
    CourseData::Initialize();
    benchmark::RunSpecifiedBenchmarks();
    CourseData::Destruct();
    benchmark::Shutdown();
    return 0;
}
