// libFuzzer target for loading course files. Whatever bytes arrive, the course model must
// either refuse them and keep the course it had, or take them so that what it saves is
// the file itself (but for recomputed automatic tangents) and loads back to the same
// bytes; an accepted course must stand the course check, and one of modest size must also
// export to finite .cob text and draw in every view. A broken rule traps; an internal failure, which ends the process, and
// undefined behaviour while drawing are reported by libFuzzer.

#include "model/CobExport.h"
#include "model/CourseAnalysis.h"
#include "model/CourseData.h"
#include "model/CourseFile.h"
#include "model/CourseSurface.h"
#include "model/UnitSpline.h"
#include "render/CameraControl.h"
#include "render/PerspecCamera.h"
#include "render/PerspecTextureEngine.h"
#include "views/DispControl.h"
#include "views/ExpandDisp.h"
#include "views/ParallelDisp.h"
#include "views/PerspecDisp.h"
#include "views/SpPointDisp.h"

#include <cstdio>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

// Exporting and drawing cost time in proportion to the rows; larger courses are only
// loaded. The views are drawn small for the same reason.
constexpr int64_t MaxExportRows = 20000;
constexpr int ViewWidth = 48;
constexpr int ViewHeight = 32;

Bytes baseline;

void Require(bool holds, const char* rule) {
    if (!holds) {
        (void)std::fprintf(stderr, "fuzz_CourseLoad: broken: %s\n", rule);
        __builtin_trap();
    }
}

// The file as the course should save it straight after loading: the loop flag read as
// yes or no, automatic tangents as the course recomputed them, everything else as read.
Bytes ExpectedSave(CourseFile::Image file, const CourseFile::Image& saved) {
    file.header.loop = file.header.loop != 0 ? 1 : 0;
    for (size_t i = 0; i < file.points.size() && i < saved.points.size(); ++i) {
        for (int q = 0; q < CourseFile::QuantityNum; ++q) {
            CourseFile::QuantityBlock& block = file.points[i].quantities[q];
            if (block.property == UnitSpline::PointAuto) {
                block.tangent = saved.points[i].quantities[q].tangent;
            }
        }
    }
    return CourseFile::Encode(file);
}

// Spots a number written as "inf" or "nan" (words no .cob line holds otherwise), also when
// the writer splits it between chunks. The layout itself is the unit tests' to pin.
class NonFiniteFinder : public CobTextSink {
public:
    void Write(std::string_view chunk) override {
        tail.append(chunk);
        found =
            found || tail.find("inf") != std::string::npos || tail.find("nan") != std::string::npos;
        tail.erase(0, tail.size() > 2 ? tail.size() - 2 : 0);
    }
    std::string tail; // the last bytes seen
    bool found = false;
};

void RequireFiniteExport() {
    if (GetCourseRowNum() > MaxExportRows) {
        return;
    }
    NonFiniteFinder cob;
    WriteCob(cob);
    Require(!cob.found, "every .cob number is finite");
}

// An editing view as the command-line tool draws it: a fresh camera of the view's kind.
template <class Draw> void DrawEditingView(int32_t state, Draw draw) {
    CameraControl camera;
    camera.Reset();
    camera.SetState(state);
    camera.SetScreen(ViewWidth, ViewHeight);
    draw(camera);
}

// The driver's-eye view through the perspective window's lens, from the course's own
// camera place; without a texture the textured mode fills the road plain grey.
void DrawDriversView() {
    PerspecCamera camera;
    camera.Reset();
    camera.SetLens(2.0F, 2.0F, 4.0F, 4.0F, 500.0F);
    camera.SetScreen(ViewWidth, ViewHeight);
    PerspecDisp::Render(camera, PerspecDisp::Wireframe);
    PerspecDisp::Render(camera, PerspecDisp::Textured);
}

void DrawEveryView() {
    if (GetCourseRowNum() > MaxExportRows) {
        return;
    }
    for (const int32_t state : {CameraControl::Top, CameraControl::Side, CameraControl::Front}) {
        DrawEditingView(state, [](CameraControl& c) { ParallelDisp::Draw(c, 1); });
    }
    for (const int32_t state : {CameraControl::Top, CameraControl::Side}) {
        DrawEditingView(state, [](CameraControl& c) { ExpandDisp::Draw(c); });
    }
    DrawEditingView(CameraControl::Front,
                    [](CameraControl& c) { SpPointDisp::Draw(c, SpPointDisp::GripRoll); });
    DrawDriversView();
}

void CheckAccepted(std::span<const unsigned char> input, const CourseFile::Image& file) {
    const size_t used = CourseFile::HeaderSize + CourseFile::PointRecordSize * file.points.size();
    Require(CourseFile::Encode(file) == Bytes(input.begin(), input.begin() + used),
            "encoding a decoded file gives back its bytes");
    Require(CourseData::IsChanged() == 0, "a loaded course is not marked changed");
    const Bytes saved = CourseData::SaveToBytes();
    const std::optional<CourseFile::Image> savedImage = CourseFile::Decode(saved);
    Require(savedImage.has_value(), "a loaded course saves to a file that loads");
    Require(saved == ExpectedSave(file, *savedImage), "a loaded course saves what it read");
    Require(CourseData::LoadFromBytes(saved) == 0 && CourseData::SaveToBytes() == saved,
            "a saved course loads back to the same bytes");
    (void)CourseAnalysis::Analyse();
    RequireFiniteExport();
    DrawEveryView();
}

// A small course with every kind of state, loaded before each input so that a refused
// input has a course to leave alone and every run starts the same.
Bytes MakeBaseline() {
    CourseData::AddPoint(0.0, 0.0, 0.0);
    CourseData::AddPoint(300.0, 10.0, 40.0);
    CourseData::AddPoint(150.0, 25.0, 260.0);
    CourseData::SetLoop(1);
    CourseData::SetTangent(1, 0.0, 5.0, 200.0, 1, 0, 1);
    CourseData::SetRollTangent(2, 0.05, 1);
    CourseData::SetWidthTangent(0, 1.5, -2.0, 1, 0);
    CourseData::ChangeWidthScale(0.25);
    CourseData::SetSide(1);
    CourseData::SetHandle(1, CourseData::HandleForward);
    CourseData::MoveCameraPosition(1.5);
    return CourseData::SaveToBytes();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
    CourseData::Initialize();
    DispControl::CreateDrawObjects();
    PerspecTextureEngine::Initialize();
    baseline = MakeBaseline();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const unsigned char> input(data, size);
    Require(CourseData::LoadFromBytes(baseline) == 0, "the baseline course loads");
    const std::optional<CourseFile::Image> file = CourseFile::Decode(input);
    const int result = CourseData::LoadFromBytes(input);
    Require(result == (file ? 0 : 1), "loading accepts exactly what decodes");
    if (file) {
        CheckAccepted(input, *file);
    } else {
        Require(CourseData::SaveToBytes() == baseline && CourseData::IsChanged() == 0,
                "a refused file leaves the course as it was");
    }
    return 0;
}
