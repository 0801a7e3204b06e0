#include "model/CobExport.h"
#include "model/CourseData.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

namespace {

const std::string Sample = VELMORA_SOURCE_DIR "/resources/samples/circuit.cus";

struct Outcome {
    int status;      // exit status, or -1 when ended by a signal
    std::string out; // stdout
    std::string err; // stderr
};

// Runs velmora-cli with the arguments in `dir`, capturing both streams (or sending
// standard output to `out`). The arguments are plain words and paths, so the shell needs
// no quoting. A run that hangs is killed and fails its test instead of holding up the run.
Outcome Cli(const TempDir& dir, const std::vector<std::string>& args,
            const std::string& out = ".stdout") {
    std::string command = "cd " + dir.Path().string() + " && timeout -s KILL 60 " VELMORA_CLI;
    for (const std::string& a : args) {
        command += " " + a;
    }
    const int status = std::system((command + " >" + out + " 2>.stderr").c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1,
            out == ".stdout" ? ReadText(dir.File(".stdout")) : "", ReadText(dir.File(".stderr"))};
}

// Loads a course into this process's model to compare with what the tool wrote.
class CourseInProcess {
public:
    explicit CourseInProcess(const std::string& file) {
        CourseData::Initialize();
        loaded = CourseData::Load(file.c_str()) == 0;
    }
    ~CourseInProcess() { CourseData::Destruct(); }
    CourseInProcess(const CourseInProcess&) = delete;
    CourseInProcess& operator=(const CourseInProcess&) = delete;
    bool loaded = false;
};

TEST(VelmoraCli, UsageAndVersion) {
    TempDir dir;
    const Outcome help = Cli(dir, {"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("export-cob COURSE.cus OUT.cob"), std::string::npos);
    const Outcome version = Cli(dir, {"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "velmora-cli " VELMORA_VERSION "\n");
    // The shell splits each line into the words given to the tool.
    for (const char* wrong : {"",
                              "info",
                              "info a b",
                              "export-cob a",
                              "frobnicate",
                              "--help x",
                              "check",
                              "check a --max-bank",
                              "check a --max-gradient -1",
                              "check a --frob 1",
                              "export a",
                              "export a b.stl",
                              "export a b.json --scale 0",
                              "export a b.json --scale",
                              "export a b.cob --scale 1",
                              "export a b.json --texture t.bmp",
                              "export-torcs a",
                              "export-torcs a b --laps 2",
                              "export-torcs a b --scale -1",
                              "test-drive",
                              "test-drive a --laps 0",
                              "test-drive a --laps 1001",
                              "test-drive a --driver ../x",
                              "test-drive a --drive x"}) {
        const Outcome o = Cli(dir, {wrong});
        EXPECT_EQ(o.status, 2) << wrong;
        EXPECT_NE(o.err.find("Usage:"), std::string::npos);
    }
}

// Every info.json and check.json under the test data is the one line that info or check
// prints for the course.cus beside it (check ends with status 4 when it warns), and every
// sampled.json the file that export writes for it as .json.
TEST(VelmoraCli, InfoCheckAndExportDescribeTheCourse) {
    TempDir dir;
    int cases = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(VELMORA_TEST_DATA)) {
        const std::string name = entry.path().filename().string();
        if (name != "sampled.json" && name != "info.json" && name != "check.json") {
            continue;
        }
        const std::string course = (entry.path().parent_path() / "course.cus").string();
        const std::string expected = ReadText(entry.path().string());
        if (name == "sampled.json") {
            EXPECT_EQ(Cli(dir, {"export", course, "out.json"}).status, 0) << entry.path();
            EXPECT_EQ(ReadText(dir.File("out.json")), expected) << entry.path();
        } else {
            const bool warns =
                name == "check.json" && expected.find(R"("warnings":[])") == std::string::npos;
            const Outcome o = Cli(dir, {name.substr(0, name.find('.')), course});
            EXPECT_EQ(o.status, warns ? 4 : 0) << entry.path();
            EXPECT_EQ(o.out, expected) << entry.path();
        }
        ++cases;
    }
    EXPECT_GE(cases, 6);
    // Limits raised past the fold course's climb and bank leave its folds.
    const Outcome o = Cli(dir, {"check", VELMORA_TEST_DATA "/views/fold/course.cus",
                                "--max-gradient", "27.2", "--max-bank", "40.2"});
    EXPECT_EQ(o.status, 4);
    EXPECT_EQ(o.out.find(R"("kind":"steep")"), std::string::npos);
    EXPECT_EQ(o.out.find(R"("kind":"bank")"), std::string::npos);
    EXPECT_NE(o.out.find(R"("kind":"edge-fold","segment":1,"t":0.765625,"side":"B")"),
              std::string::npos);
}

TEST(VelmoraCli, ExportAndResaveWriteWhatTheModelWrites) {
    TempDir dir;
    ASSERT_EQ(Cli(dir, {"export-cob", Sample, "out.cob"}).status, 0);
    ASSERT_EQ(Cli(dir, {"resave", Sample, "out.cus"}).status, 0);
    CourseInProcess course(Sample);
    ASSERT_TRUE(course.loaded);
    ASSERT_EQ(ExportCob(dir.File("model.cob").c_str()), 0);
    EXPECT_EQ(ReadText(dir.File("out.cob")), ReadText(dir.File("model.cob")));
    EXPECT_EQ(ReadBytes(dir.File("out.cus")), CourseData::SaveToBytes());
}

// Each failure says which file and what is wrong, and leaves no file it could not finish.
TEST(VelmoraCli, FailuresNameTheFileAndWhatIsWrong) {
    TempDir dir;
    WriteBytes(dir.File("bad.cus"), {1, 2, 3});
    ASSERT_EQ(mkfifo(dir.File("fifo.cus").c_str(), 0600), 0);
    WriteBytes(dir.File("locked.png"), {1, 2, 3});
    chmod(dir.File("locked.png").c_str(), 0444);
    const std::pair<std::vector<std::string>, std::string> failures[] = {
        {{"info", "nowhere.cus"}, "nowhere.cus: cannot open (No such file or directory)"},
        {{"info", "fifo.cus"}, "fifo.cus: cannot open (not a regular file)"},
        {{"export-cob", "bad.cus", "out.cob"}, "bad.cus: not a valid course file"},
        {{"check", "bad.cus"}, "bad.cus: not a valid course file"},
        {{"export", VELMORA_TEST_DATA "/empty/course.cus", "out.json"},
         VELMORA_TEST_DATA "/empty/course.cus: the course has no road to export"},
        {{"export-cob", VELMORA_TEST_DATA "/empty/course.cus", "out.cob"},
         VELMORA_TEST_DATA "/empty/course.cus: the course has no road to export"},
        {{"resave", Sample, "no/such/dir.cus"},
         "no/such/dir.cus: cannot write (No such file or directory)"},
        {{"render", Sample, "locked.png", "--view", "top"},
         "locked.png: cannot write (read-only file)"},
    };
    for (const auto& [args, why] : failures) {
        const Outcome o = Cli(dir, args);
        EXPECT_EQ(o.status, 1) << why;
        EXPECT_EQ(o.err, "velmora-cli: " + why + "\n");
    }
    EXPECT_EQ(ReadBytes(dir.File("locked.png")), (std::vector<unsigned char>{1, 2, 3}));

    FileSizeLimit limit(4096); // as a full disk would, for the tool and its shell
    const Outcome full = Cli(dir, {"export-cob", Sample, "out.cob"});
    EXPECT_EQ(full.status, 1);
    EXPECT_EQ(full.err, "velmora-cli: out.cob: cannot write (File too large)\n");
    EXPECT_FALSE(std::filesystem::exists(dir.File("out.cob")));
}

// Sets an environment variable for the tool's runs while it lives.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const std::string& value) : name(name) {
        setenv(name, value.c_str(), 1);
    }
    ~ScopedVariable() { unsetenv(name); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const char* name;
};

// A loop whose two hairpins the road is too wide for.
void WriteFoldedLoop(const std::string& file) {
    CourseData::Initialize();
    for (const auto& [x, z] :
         {std::pair{0, 0}, {600, 0}, {650, 50}, {600, 100}, {0, 100}, {-50, 50}}) {
        const int index = CourseData::AddPoint(x, 0, z);
        CourseData::SetWidth(index, 60, 60);
    }
    CourseData::SetLoop(1);
    ASSERT_EQ(CourseData::Save(file.c_str()), 0);
    CourseData::Destruct();
}

// The sample course drives to completion (the lap times go to the test log) leaving no
// file behind; a folded course exports with its folds named; TORCS missing, an unknown
// robot and an open course are each told apart.
TEST(VelmoraCli, TestDriveRacesTheCourseAndSaysWhatStopsIt) {
    TempDir dir;
    std::filesystem::create_directory(dir.File("tmp"));
    ScopedVariable temporary("TMPDIR", dir.File("tmp"));
    const Outcome drive = Cli(dir, {"test-drive", Sample});
    if (drive.status == 3) {
        GTEST_SKIP() << drive.err;
    }
    std::printf("test-drive of the sample course: %s", drive.out.c_str());
    ASSERT_EQ(drive.status, 0) << drive.err;
    double lap1 = 0.0;
    double lap2 = 0.0;
    double best = 0.0;
    double closure = 1.0;
    ASSERT_EQ(
        std::sscanf(drive.out.c_str() + drive.out.find("\"angle\": "), "\"angle\": %lf", &closure),
        1);
    ASSERT_EQ(std::sscanf(drive.out.c_str() + drive.out.find("\"lapTimes\""),
                          "\"lapTimes\": [%lf, %lf], \"bestLap\": %lf", &lap1, &lap2, &best),
              3)
        << drive.out;
    EXPECT_NEAR(std::min(lap1, lap2), best, 0.05) << "TORCS's best lap is one of the laps";
    EXPECT_LT(std::abs(closure), 0.001);
    EXPECT_NE(drive.out.find("\"completed\": true}"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_empty(dir.File("tmp")));

    WriteFoldedLoop(dir.File("folded.cus"));
    const Outcome folded = Cli(dir, {"export-torcs", "folded.cus", "tracks/folded"});
    EXPECT_EQ(folded.status, 0) << folded.err;
    EXPECT_NE(folded.err.find("folded.cus: warning: Segment 1: the inner edge"), std::string::npos)
        << folded.err;
    EXPECT_TRUE(std::filesystem::exists(dir.File("tracks/folded/folded.xml")));

    const Outcome robot = Cli(dir, {"test-drive", Sample, "--driver", "nobody"});
    EXPECT_EQ(robot.status, 1);
    EXPECT_NE(robot.err.find("TORCS has no robot named nobody"), std::string::npos);
    const Outcome open = Cli(dir, {"test-drive", VELMORA_TEST_DATA "/hairpin-fold/course.cus"});
    EXPECT_EQ(open.status, 1);
    EXPECT_NE(open.err.find("TORCS races on loops"), std::string::npos);
    ScopedVariable nowhere("VELMORA_TORCS_PREFIX", dir.File("nowhere"));
    const Outcome missing = Cli(dir, {"test-drive", Sample});
    EXPECT_EQ(missing.status, 3);
    EXPECT_NE(missing.err.find("apt-get install torcs"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_empty(dir.File("tmp")));
}

TEST(VelmoraCli, AFailedWriteToStandardOutputIsReported) {
    TempDir dir;
    for (const std::string& args : {"info " + Sample, std::string("--help")}) {
        const Outcome o = Cli(dir, {args}, "/dev/full");
        EXPECT_EQ(o.status, 1) << args;
        EXPECT_EQ(o.err, "velmora-cli: cannot write standard output: No space left on device\n");
    }
}

} // namespace
