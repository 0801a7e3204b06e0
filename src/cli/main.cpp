// velmora-cli: the course core without a display, for batch work and tests.

#include "cli/BundledTexture.h"
#include "cli/CourseCheck.h"
#include "cli/CourseInfo.h"
#include "cli/ExportCommand.h"
#include "cli/RenderCommand.h"
#include "cli/TestDriveReport.h"
#include "cli/TorcsOptions.h"
#include "exchange/TorcsTrackFile.h"
#include "model/CobExport.h"
#include "model/CourseData.h"
#include "platform/OpenRegularFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace {

constexpr int ExitOk = 0;
constexpr int ExitFailure = 1;
constexpr int ExitUsage = 2;
constexpr int ExitNotInstalled = 3;
constexpr int ExitWarnings = 4;
constexpr int ExitNotFinished = 4;

// Every export refuses a course without a road: mesh readers refuse a mesh without faces.
constexpr const char* NoRoad = "the course has no road to export";

constexpr const char* Usage =
    "Usage: velmora-cli COMMAND [ARGUMENTS]\n"
    "\n"
    "Commands:\n"
    "  info COURSE.cus                print a JSON summary of the course\n"
    "  check COURSE.cus [--max-gradient PCT] [--max-bank DEG]\n"
    "                                 print the course's measurements and warnings as\n"
    "                                 JSON; exit status 4 when there are warnings\n"
    "  export-cob COURSE.cus OUT.cob  export the course as a trueSpace .cob mesh\n"
    "  export COURSE.cus OUT.glb|OUT.gltf|OUT.obj|OUT.json|OUT.cob [--scale S]\n"
    "         [--texture FILE.bmp]    export the course in the format its extension\n"
    "                                 names: glTF 2.0 (.glb one file, .gltf with its .bin\n"
    "                                 and .png beside it) or Wavefront .obj (with its\n"
    "                                 .mtl and .png) textured with the bundled\n"
    "                                 Texture.bmp or FILE.bmp, .json the sample rows for\n"
    "                                 engine scripts, in metres (the course scaled by S,\n"
    "                                 default 0.01), or .cob the trueSpace mesh\n"
    "  export-torcs COURSE.cus TRACKDIR [--scale S]\n"
    "                                 write the course as a TORCS track,\n"
    "                                 TRACKDIR/NAME.xml with NAME the folder's name, in\n"
    "                                 metres (the course scaled by S, default 0.3)\n"
    "  test-drive COURSE.cus [--laps N] [--driver NAME] [--scale S]\n"
    "                                 race the course in TORCS with one robot (default\n"
    "                                 berniw, 2 laps) and print the lap times as JSON;\n"
    "                                 exit status 4 when the robot did not finish, 3\n"
    "                                 when TORCS is not installed\n"
    "  resave IN.cus OUT.cus          load a course and save it again\n"
    "  render COURSE.cus OUT.bmp|OUT.png --view VIEW [--size WxH] [--zoom Z]\n"
    "         [--center X,Y,Z] [--show-camera] [--grip-handle] [--warnings] [--comb]\n"
    "         [--mode wire|texture] [--texture FILE.bmp] [--camera SEGMENT,T]\n"
    "                                 draw a view as its window would; VIEW is top, side,\n"
    "                                 front, expand-top, expand-side, spline-point or\n"
    "                                 perspective (the driver's eye from the course's camera\n"
    "                                 position or --camera; texture defaults to the bundled\n"
    "                                 Texture.bmp); --warnings rings what check warns of,\n"
    "                                 --comb draws the curvature comb\n"
    "\n"
    "Options:\n"
    "  --help                         show this help\n"
    "  --version                      show the version\n";

int Fail(const char* file, const std::string& what) {
    (void)std::fprintf(stderr, "velmora-cli: %s: %s\n", file, what.c_str());
    return ExitFailure;
}

int CannotWrite(const char* file, const std::string& why) {
    return Fail(file, why.empty() ? "cannot write" : "cannot write (" + why + ")");
}

int WrongUsage(const std::string& what) {
    (void)std::fprintf(stderr, "velmora-cli: %s\n%s", what.c_str(), Usage);
    return ExitUsage;
}

// Loads the course, telling a file that cannot be opened from one that is not a course.
bool LoadCourse(const char* file) {
    std::string failure;
    std::FILE* probe = OpenRegularFile(file, &failure);
    if (probe == nullptr) {
        Fail(file, "cannot open (" + failure + ")");
        return false;
    }
    (void)std::fclose(probe);
    if (CourseData::Load(file) != 0) {
        Fail(file, "not a valid course file");
        return false;
    }
    return true;
}

int Info(const char* course) {
    if (!LoadCourse(course)) {
        return ExitFailure;
    }
    (void)std::printf("%s\n", CourseInfoJson().c_str());
    return ExitOk;
}

int Check(int argc, char** argv) {
    std::string error;
    const std::optional<CourseAnalysis::Limits> limits =
        ParseCheckLimits(argc - 3, argv + 3, error);
    if (!limits) {
        return WrongUsage(error);
    }
    if (!LoadCourse(argv[2])) {
        return ExitFailure;
    }
    const CourseAnalysis::Analysis analysis = CourseAnalysis::Analyse(*limits);
    (void)std::printf("%s\n", CheckJson(analysis).c_str());
    return analysis.warnings.empty() ? ExitOk : ExitWarnings;
}

int ExportCobFile(const char* course, const char* out) {
    if (!LoadCourse(course)) {
        return ExitFailure;
    }
    if (!CourseExport::HasRoad()) {
        return Fail(course, NoRoad);
    }
    std::string failure;
    return ExportCob(out, &failure) == 0 ? ExitOk : CannotWrite(out, failure);
}

int Export(int argc, char** argv) {
    const std::string out = argv[3];
    const std::optional<CourseExport::Format> format = CourseExport::FormatOf(out);
    if (!format) {
        return WrongUsage("the output must end in .glb, .gltf, .obj, .json or .cob: " + out);
    }
    std::string error;
    const std::optional<ExportOptions> options =
        ParseExportOptions(*format, argc - 4, argv + 4, error);
    if (!options) {
        return WrongUsage(error);
    }
    if (!LoadCourse(argv[2])) {
        return ExitFailure;
    }
    if (!CourseExport::HasRoad()) {
        return Fail(argv[2], NoRoad);
    }
    std::string failure;
    if (CourseExport::Write(*format, out, options->scale.value_or(CourseExport::DefaultScale),
                            options->texture.value_or(BundledTexture()),
                            std::filesystem::path(argv[2]).stem().string(), failure) != 0) {
        (void)std::fprintf(stderr, "velmora-cli: %s\n", failure.c_str());
        return ExitFailure;
    }
    return ExitOk;
}

// What check would warn of, on standard error: the course is still exported.
void PrintWarnings(const char* course) {
    for (const CourseAnalysis::Warning& warning : CourseAnalysis::Analyse().warnings) {
        (void)std::fprintf(
            stderr, "velmora-cli: %s: warning: %s\n", course,
            CourseAnalysis::Message(warning, CourseAnalysis::Language::English).c_str());
    }
}

// The options after the command's operands, with the course loaded and what check warns
// of printed; nothing, with the exit status in `status`, when either fails.
std::optional<TestDrive::Options> PrepareTorcs(bool testDrive, int operands, int argc, char** argv,
                                               int& status) {
    std::string error;
    std::optional<TestDrive::Options> options =
        ParseTorcsOptions(testDrive, argc - 2 - operands, argv + 2 + operands, error);
    if (!options) {
        status = WrongUsage(error);
    } else if (!LoadCourse(argv[2])) {
        status = ExitFailure;
        options.reset();
    } else {
        PrintWarnings(argv[2]);
    }
    return options;
}

int ExportTorcs(int argc, char** argv) {
    int status = ExitOk;
    const std::optional<TestDrive::Options> options = PrepareTorcs(false, 2, argc, argv, status);
    if (!options) {
        return status;
    }
    std::string failure;
    if (TorcsTrackFile::Write(argv[3], options->scale, failure) != 0) {
        return Fail(argv[2], failure);
    }
    return ExitOk;
}

int RunTestDrive(int argc, char** argv) {
    int status = ExitOk;
    const std::optional<TestDrive::Options> options = PrepareTorcs(true, 1, argc, argv, status);
    if (!options) {
        return status;
    }
    TestDrive::Session session(*options);
    const TestDrive::Result result = session.Drive([](TestDrive::Step, double) { return true; });
    switch (result.outcome) {
    case TestDrive::Outcome::Completed:
        (void)std::printf("%s\n", TestDriveJson(*options, result.report).c_str());
        return ExitOk;
    case TestDrive::Outcome::NotFinished:
        (void)std::printf("%s\n", TestDriveJson(*options, result.report).c_str());
        (void)Fail(argv[2], result.failure);
        return ExitNotFinished;
    case TestDrive::Outcome::NotInstalled:
        (void)Fail(argv[2], result.failure);
        return ExitNotInstalled;
    default:
        return Fail(argv[2], result.failure);
    }
}

int Resave(const char* course, const char* out) {
    if (!LoadCourse(course)) {
        return ExitFailure;
    }
    std::string failure;
    return CourseData::Save(out, &failure) == 0 ? ExitOk : CannotWrite(out, failure);
}

int Render(int argc, char** argv) {
    const std::string out = argv[3];
    if (!IsRenderTarget(out)) {
        return WrongUsage("the image must be a .bmp or .png file: " + out);
    }
    std::string error;
    const std::optional<RenderOptions> options = ParseRenderOptions(argc - 4, argv + 4, error);
    if (!options) {
        return WrongUsage(error);
    }
    if (!LoadCourse(argv[2])) {
        return ExitFailure;
    }
    if (options->camera && options->camera->segment >= CourseData::GetSegmentNum()) {
        return WrongUsage("--camera: the course has " +
                          std::to_string(CourseData::GetSegmentNum()) + " segments");
    }
    std::string failure;
    return RenderView(*options, out, failure) == 0 ? ExitOk : CannotWrite(out.c_str(), failure);
}

int Run(int argc, char** argv) {
    if (argc < 2) {
        return WrongUsage("no command given");
    }
    const std::string_view command = argv[1];
    const int operands = argc - 2;
    if (command == "--help" && operands == 0) {
        (void)std::fputs(Usage, stdout);
        return ExitOk;
    }
    if (command == "--version" && operands == 0) {
        (void)std::printf("velmora-cli %s\n", VELMORA_VERSION);
        return ExitOk;
    }
    if (command == "info" && operands == 1) {
        return Info(argv[2]);
    }
    if (command == "check" && operands >= 1) {
        return Check(argc, argv);
    }
    if (command == "export-cob" && operands == 2) {
        return ExportCobFile(argv[2], argv[3]);
    }
    if (command == "export" && operands >= 2) {
        return Export(argc, argv);
    }
    if (command == "export-torcs" && operands >= 2) {
        return ExportTorcs(argc, argv);
    }
    if (command == "test-drive" && operands >= 1) {
        return RunTestDrive(argc, argv);
    }
    if (command == "resave" && operands == 2) {
        return Resave(argv[2], argv[3]);
    }
    if (command == "render" && operands >= 2) {
        return Render(argc, argv);
    }
    return WrongUsage("unknown command or wrong number of arguments: " + std::string(command));
}

// Output that did not reach standard output (a full disk, a closed pipe) fails the run,
// saying so.
int FinishStandardOutput(int status) {
    errno = 0;
    if (std::fflush(stdout) == 0 && std::ferror(stdout) == 0) {
        return status;
    }
    const int error = errno;
    (void)std::fprintf(stderr, "velmora-cli: cannot write standard output%s%s\n",
                       error != 0 ? ": " : "", error != 0 ? std::strerror(error) : "");
    return ExitFailure;
}

} // namespace

int main(int argc, char** argv) {
    CourseData::Initialize();
    const int status = Run(argc, argv);
    CourseData::Destruct();
    return FinishStandardOutput(status);
}
