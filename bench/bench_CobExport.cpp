// The .cob export of a 256-point loop at 100 samples per segment (about 26,000 rows),
// by the product's streaming writer and, for comparison, by the plain fprintf writer
// the tests check it against.

#include "BenchCourse.h"
#include "model/CobExport.h"
#include "model/CourseData.h"
#include "model/CourseSurface.h"
#include "support/ReferenceCobWriter.h"

#include <benchmark/benchmark.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

namespace {

constexpr int ExportSampleNum = 100;

// Both writers hand their text to the C library or a sink in 64 KiB blocks, so the
// comparison is between the ways they format, not between buffer sizes.
constexpr size_t BlockSize = 64 * 1024;

class CountingSink : public CobTextSink {
public:
    void Write(std::string_view chunk) override { bytes += chunk.size(); }
    size_t bytes = 0;
};

class StringSink : public CobTextSink {
public:
    void Write(std::string_view chunk) override { text.append(chunk); }
    std::string text;
};

// /dev/null opened for the fprintf writer, with the same block size as the product.
class NullFile {
public:
    NullFile() : file(std::fopen("/dev/null", "wb")) {
        if (file != nullptr) {
            std::setvbuf(file, nullptr, _IOFBF, BlockSize);
        }
    }
    ~NullFile() {
        if (file != nullptr) {
            std::fclose(file);
        }
    }
    NullFile(const NullFile&) = delete;
    NullFile& operator=(const NullFile&) = delete;

    bool Usable(benchmark::State& state) const {
        if (file == nullptr) {
            state.SkipWithError("cannot open /dev/null");
        }
        return file != nullptr;
    }

    std::FILE* file;
};

// The fprintf writer's whole text, for comparing with the product's.
std::string ReferenceText() {
    char* data = nullptr;
    size_t size = 0;
    std::FILE* memory = open_memstream(&data, &size);
    if (memory == nullptr) {
        return {};
    }
    WriteReferenceCob(memory);
    std::fclose(memory);
    std::string text(data, size);
    std::free(data);
    return text;
}

// Builds the export course and makes sure both writers give the same bytes, so that
// their rates measure the same work. Returns the .cob size, 0 when they differ.
size_t PrepareExport(benchmark::State& state) {
    BuildBenchCourse(BenchPointNum, ExportSampleNum);
    // The course is the same every time, so one comparison serves every run.
    static const size_t agreedSize = [] {
        StringSink product;
        WriteCob(product);
        return product.text == ReferenceText() ? product.text.size() : 0;
    }();
    if (agreedSize == 0) {
        state.SkipWithError("the two writers give different .cob text");
    }
    return agreedSize;
}

void BM_CobWriteStream(benchmark::State& state) {
    const size_t size = PrepareExport(state);
    if (size == 0) {
        return;
    }
    for (auto _ : state) {
        CountingSink sink;
        WriteCob(sink);
        benchmark::DoNotOptimize(sink.bytes);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(size));
    state.SetLabel("WriteCob into a counting sink");
}
BENCHMARK(BM_CobWriteStream)->Unit(benchmark::kMillisecond);

void BM_CobWriteFprintf(benchmark::State& state) {
    const size_t size = PrepareExport(state);
    NullFile out;
    if (size == 0 || !out.Usable(state)) {
        return;
    }
    for (auto _ : state) {
        WriteReferenceCob(out.file);
        std::fflush(out.file);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(size));
    state.SetLabel("fprintf writer into /dev/null");
}
BENCHMARK(BM_CobWriteFprintf)->Unit(benchmark::kMillisecond);

// This thread's processor time in seconds: unlike the wall clock it leaves out the
// time a busy virtual machine's processor is taken away, which is most of the noise.
double ThreadSeconds() {
    timespec now{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// The two writers in turn within each iteration, so that both see the same machine
// load; the counters give each one's rate in MB/s (10^6 bytes) of processor time and
// their ratio. The time shown is both writers' processor time together.
void BM_CobWritersPaired(benchmark::State& state) {
    const size_t size = PrepareExport(state);
    NullFile out;
    if (size == 0 || !out.Usable(state)) {
        return;
    }
    double streamSeconds = 0.0;
    double fprintfSeconds = 0.0;
    bool streamFirst = true;
    for (auto _ : state) {
        const auto stream = [&] {
            const double start = ThreadSeconds();
            CountingSink sink;
            WriteCob(sink);
            benchmark::DoNotOptimize(sink.bytes);
            streamSeconds += ThreadSeconds() - start;
        };
        const auto reference = [&] {
            const double start = ThreadSeconds();
            WriteReferenceCob(out.file);
            std::fflush(out.file);
            fprintfSeconds += ThreadSeconds() - start;
        };
        const double before = streamSeconds + fprintfSeconds;
        // Alternating the order keeps either writer from always running on warm caches.
        if (streamFirst) {
            stream();
            reference();
        } else {
            reference();
            stream();
        }
        streamFirst = !streamFirst;
        state.SetIterationTime(streamSeconds + fprintfSeconds - before);
    }
    const double megabytes = static_cast<double>(state.iterations()) * size / 1e6;
    if (streamSeconds > 0.0 && fprintfSeconds > 0.0) {
        state.counters["stream_MB/s"] = megabytes / streamSeconds;
        state.counters["fprintf_MB/s"] = megabytes / fprintfSeconds;
        state.counters["ratio"] = fprintfSeconds / streamSeconds;
    }
    state.SetLabel("ratio = stream rate / fprintf rate");
}
BENCHMARK(BM_CobWritersPaired)->UseManualTime()->Unit(benchmark::kMillisecond);

// What both writers share: walking the course rows and working out their edge points,
// with no text at all. Its rate is the ceiling any writer could reach.
void BM_CobGeometryOnly(benchmark::State& state) {
    const size_t size = PrepareExport(state);
    if (size == 0) {
        return;
    }
    for (auto _ : state) {
        ForEachCourseRow([](const CourseSection& section) {
            Vec3d edge1{};
            Vec3d edge2{};
            CalcSectionEdge(section, edge1, edge2);
            benchmark::DoNotOptimize(edge1);
            benchmark::DoNotOptimize(edge2);
        });
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(size));
    state.SetLabel("course rows and edges, no text");
}
BENCHMARK(BM_CobGeometryOnly)->Unit(benchmark::kMillisecond);

// The whole export to a file: temporary file, write, fsync and rename.
void BM_CobExportFile(benchmark::State& state) {
    const size_t size = PrepareExport(state);
    if (size == 0) {
        return;
    }
    const std::string path = BenchFile("course.cob");
    for (auto _ : state) {
        if (ExportCob(path.c_str()) != 0) {
            state.SkipWithError("ExportCob failed");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(size));
    state.SetLabel("ExportCob to a file, fsync included");
}
BENCHMARK(BM_CobExportFile)->Unit(benchmark::kMillisecond);

} // namespace
