#include "model/CobExport.h"
#include "model/CourseData.h"
#include "support/CourseTest.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <random>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

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
    for (const auto& wrong : std::vector<std::vector<std::string>>{{},
                                                                   {"info"},
                                                                   {"info", "a", "b"},
                                                                   {"export-cob", "a"},
                                                                   {"frobnicate"},
                                                                   {"--help", "x"}}) {
        const Outcome o = Cli(dir, wrong);
        EXPECT_EQ(o.status, 2);
        EXPECT_NE(o.err.find("Usage:"), std::string::npos);
    }
}

TEST(VelmoraCli, InfoDescribesTheSampleCircuit) {
    TempDir dir;
    const Outcome o = Cli(dir, {"info", Sample});
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.out.back(), '\n');
    EXPECT_EQ(o.out.find('\n'), o.out.size() - 1); // one line, one object
    for (const char* field :
         {R"({"points":15,"loop":true,"segments":15,"rows":218,"faces":217,"width_scale":1,)",
          R"("selected":3,"handle_state":0,"side":0,"camera":{"segment":0,"t":0.25},"length":)",
          R"(,"bounds":{"min":[)"}) {
        EXPECT_NE(o.out.find(field), std::string::npos) << field << "\n" << o.out;
    }
}

TEST(VelmoraCli, InfoOfAnEmptyCourse) {
    TempDir dir;
    const Outcome o = Cli(dir, {"info", VELMORA_TEST_DATA "/empty/course.cus"});
    ASSERT_EQ(o.status, 0);
    EXPECT_EQ(o.out, R"({"points":0,"loop":false,"segments":0,"rows":0,"faces":0,"width_scale":1,)"
                     R"("selected":-1,"handle_state":0,"side":0,"camera":{"segment":-1,"t":0},)"
                     R"("length":0,"bounds":null})"
                     "\n");
}

TEST(VelmoraCli, ExportAndResaveWriteWhatTheModelWrites) {
    TempDir dir;
    ASSERT_EQ(Cli(dir, {"export-cob", Sample, "out.cob"}).status, 0);
    ASSERT_EQ(Cli(dir, {"resave", Sample, "out.cus"}).status, 0);
    CourseInProcess course(Sample);
    ASSERT_TRUE(course.loaded);
    ASSERT_EQ(ExportCob(dir.File("model.cob").c_str()), 0);
    EXPECT_EQ(ReadText(dir.File("out.cob")), ReadText(dir.File("model.cob")));
    const std::vector<unsigned char> saved = CourseData::SaveToBytes();
    EXPECT_EQ(ReadBytes(dir.File("out.cus")), saved);
}

TEST(VelmoraCli, FailuresNameTheFileAndWhatIsWrong) {
    TempDir dir;
    WriteBytes(dir.File("bad.cus"), {1, 2, 3});
    const Outcome missing = Cli(dir, {"info", "nowhere.cus"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "velmora-cli: nowhere.cus: cannot open (No such file or directory)\n");
    const Outcome bad = Cli(dir, {"export-cob", "bad.cus", "out.cob"});
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.err, "velmora-cli: bad.cus: not a valid course file\n");
    EXPECT_FALSE(std::filesystem::exists(dir.File("out.cob")));
    const Outcome unwritable = Cli(dir, {"resave", Sample, "no/such/dir.cus"});
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_EQ(unwritable.err,
              "velmora-cli: no/such/dir.cus: cannot write (No such file or directory)\n");
    EXPECT_EQ(Cli(dir, {"export-cob", Sample, "no/such/dir.cob"}).status, 1);
}

TEST(VelmoraCli, CoursesThatAreNotRegularFilesAreRefusedAtOnce) {
    TempDir dir;
    ASSERT_EQ(mkfifo(dir.File("fifo.cus").c_str(), 0600), 0);
    std::filesystem::create_directory(dir.File("folder.cus"));
    for (const char* course : {"fifo.cus", "folder.cus"}) {
        const Outcome o = Cli(dir, {"info", course});
        EXPECT_EQ(o.status, 1);
        EXPECT_EQ(o.err,
                  "velmora-cli: " + std::string(course) + ": cannot open (not a regular file)\n");
    }
}

// Names up to the longest a folder takes, and links: a link stays a link and the file it
// names (made if missing) gets the bytes.
TEST(VelmoraCli, WritesLongNamesAndThroughLinks) {
    TempDir dir;
    ASSERT_EQ(Cli(dir, {"resave", Sample, "plain.cus"}).status, 0);
    const std::vector<unsigned char> plain = ReadBytes(dir.File("plain.cus"));
    for (const size_t length : {248, 255}) {
        const std::string name = "sub/" + std::string(length, 'a');
        std::filesystem::create_directories(dir.File("sub"));
        const Outcome o = Cli(dir, {"resave", Sample, name});
        ASSERT_EQ(o.status, 0) << o.err;
        EXPECT_EQ(ReadBytes(dir.File(name)), plain);
    }
    WriteBytes(dir.File("real.cus"), {1, 2, 3});
    std::filesystem::create_symlink("real.cus", dir.File("link.cus"));
    std::filesystem::create_symlink("made.cob", dir.File("dangling.cob"));
    ASSERT_EQ(Cli(dir, {"resave", Sample, "link.cus"}).status, 0);
    ASSERT_EQ(Cli(dir, {"export-cob", Sample, "dangling.cob"}).status, 0);
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link.cus")));
    EXPECT_EQ(ReadBytes(dir.File("real.cus")), plain);
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File("dangling.cob")));
    EXPECT_FALSE(ReadText(dir.File("made.cob")).empty());
}

TEST(VelmoraCli, RefusedOrFailedWritesSayWhyAndLeaveTheFile) {
    TempDir dir;
    ASSERT_EQ(mkfifo(dir.File("fifo.cus").c_str(), 0600), 0);
    const Outcome fifo = Cli(dir, {"resave", Sample, "fifo.cus"});
    EXPECT_EQ(fifo.status, 1);
    EXPECT_EQ(fifo.err, "velmora-cli: fifo.cus: cannot write (not a regular file)\n");
    struct stat info {};
    ASSERT_EQ(lstat(dir.File("fifo.cus").c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));

    WriteBytes(dir.File("locked.png"), {1, 2, 3});
    chmod(dir.File("locked.png").c_str(), 0444);
    const Outcome locked = Cli(dir, {"render", Sample, "locked.png", "--view", "top"});
    EXPECT_EQ(locked.status, 1);
    EXPECT_EQ(locked.err, "velmora-cli: locked.png: cannot write (read-only file)\n");
    EXPECT_EQ(ReadBytes(dir.File("locked.png")), (std::vector<unsigned char>{1, 2, 3}));

    FileSizeLimit limit(4096); // as a full disk would, for the tool and its shell
    const Outcome full = Cli(dir, {"export-cob", Sample, "out.cob"});
    EXPECT_EQ(full.status, 1);
    EXPECT_EQ(full.err, "velmora-cli: out.cob: cannot write (File too large)\n");
    EXPECT_FALSE(std::filesystem::exists(dir.File("out.cob")));
}

TEST(VelmoraCli, AFailedWriteToStandardOutputIsReported) {
    TempDir dir;
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"info", Sample}, std::vector<std::string>{"--help"}}) {
        const Outcome o = Cli(dir, args, "/dev/full");
        EXPECT_EQ(o.status, 1) << args[0];
        EXPECT_EQ(o.err, "velmora-cli: cannot write standard output: No space left on device\n");
    }
}

// Whether the process has a file open in `dir` other than `course`; polled until it has
// or a generous bound is reached.
bool WaitUntilWriting(pid_t process, const TempDir& dir, const std::string& course) {
    const std::filesystem::path fds = "/proc/" + std::to_string(process) + "/fd";
    const std::string folder = dir.Path().string() + "/";
    for (int attempt = 0; attempt < 20000; ++attempt) {
        std::error_code error;
        for (const auto& fd : std::filesystem::directory_iterator(fds, error)) {
            const std::string file = std::filesystem::read_symlink(fd.path(), error).string();
            if (file.starts_with(folder) && file != folder + course) {
                return true;
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
}

// An export of about 70 MB, ended by SIGTERM while it writes, leaves only the course.
TEST(VelmoraCli, AnExportEndedBySigtermLeavesNothingBehind) {
    TempDir dir;
    CourseData::Initialize();
    AddRing(256, 2000);
    ASSERT_EQ(CourseData::Save(dir.File("large.cus").c_str()), 0);
    CourseData::Destruct();
    const pid_t cli = fork();
    if (cli == 0) {
        if (chdir(dir.Path().c_str()) == 0) {
            execl(VELMORA_CLI, VELMORA_CLI, "export-cob", "large.cus", "out.cob", nullptr);
        }
        _exit(127);
    }
    const bool writing = WaitUntilWriting(cli, dir, "large.cus");
    kill(cli, SIGTERM);
    int status = 0;
    ASSERT_EQ(waitpid(cli, &status, 0), cli);
    ASSERT_TRUE(writing);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
        left.push_back(entry.path().filename().string());
    }
    EXPECT_EQ(left, std::vector<std::string>{"large.cus"});
}

// Damaged copies of a real course: every one is either loaded or refused, never a crash.
TEST(VelmoraCli, DamagedFilesNeverCrashIt) {
    TempDir dir;
    const std::vector<unsigned char> good = ReadBytes(Sample);
    std::mt19937 random(5);
    for (int i = 0; i < 40; ++i) {
        std::vector<unsigned char> bytes = good;
        const int flips = 1 + static_cast<int>(random() % 8);
        for (int f = 0; f < flips; ++f) {
            bytes[random() % bytes.size()] = static_cast<unsigned char>(random());
        }
        bytes.resize(random() % 3 == 0 ? random() % bytes.size() : bytes.size());
        WriteBytes(dir.File("damaged.cus"), bytes);
        const Outcome o = Cli(dir, {"info", "damaged.cus"});
        EXPECT_TRUE(o.status == 0 || o.status == 1) << "run " << i << ": " << o.status;
    }
}

} // namespace
