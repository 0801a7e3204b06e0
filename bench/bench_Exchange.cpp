// The exports for engines and modelling tools of the same 256-point loop at 100 samples
// per segment as the .cob export's benchmark, each the whole way to its files (temporary
// file, write, fsync and rename), so their times compare with BM_CobExportFile's.

#include "BenchCourse.h"
#include "exchange/CourseExport.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

constexpr int ExportSampleNum = 100;

void ExportFiles(benchmark::State& state, CourseExport::Format format, const char* name) {
    BuildBenchCourse(BenchPointNum, ExportSampleNum);
    const std::string path = BenchFile(name);
    const std::string texture = VELMORA_SOURCE_DIR "/resources/Texture.bmp";
    std::string failure;
    for (auto _ : state) {
        if (CourseExport::Write(format, path, CourseExport::DefaultScale, texture, "course",
                                failure) != 0) {
            state.SkipWithError(failure.c_str());
            break;
        }
    }
}

BENCHMARK_CAPTURE(ExportFiles, Glb, CourseExport::Format::Glb, "course.glb")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ExportFiles, Gltf, CourseExport::Format::Gltf, "course.gltf")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ExportFiles, Obj, CourseExport::Format::Obj, "course.obj")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ExportFiles, Json, CourseExport::Format::Json, "course.json")
    ->Unit(benchmark::kMillisecond);

} // namespace
