#include "exchange/TestDrive.h"

#include "exchange/ExchangeFiles.h"
#include "exchange/TorcsParams.h"
#include "platform/ChildProcess.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace TestDrive {

namespace fs = std::filesystem;

namespace {

// The slowest average speed the race waits for, m/s, and the time it gives to start.
constexpr double SlowestSpeed = 5.0;
constexpr double StartingTime = 60.0;
// Without a display TORCS races far faster than real time; ten times is a safe floor.
constexpr double SpeedUp = 10.0;
constexpr double TrackgenTimeout = 120.0;

bool Exists(const std::string& path) {
    std::error_code error;
    return fs::exists(path, error);
}

std::vector<std::pair<std::string, std::string>>
TorcsEnvironment(const TorcsInstallation::Paths& torcs) {
    // TORCS reads its numbers with the C library, so they must not follow the user's locale.
    return {{"LD_LIBRARY_PATH", torcs.programs + "/lib"}, {"LC_ALL", "C"}};
}

// The last lines of a program's output, for a message.
std::string Tail(const std::string& output) {
    size_t start = output.size();
    for (int lines = 0; lines < 4 && start > 0; ++lines) {
        start = output.rfind('\n', start - 1);
        if (start == std::string::npos) {
            start = 0;
            break;
        }
    }
    std::string tail = output.substr(start);
    tail.erase(0, tail.find_first_not_of('\n'));
    return tail.empty() ? "no output" : tail;
}

// The number that starts the text after any spaces, read alike in every locale: the
// designer runs in the user's, where a decimal point may be a comma.
std::optional<double> LeadingNumber(std::string_view text) {
    const size_t start = text.find_first_not_of(' ');
    double value = 0.0;
    if (start == std::string_view::npos ||
        std::from_chars(text.data() + start, text.data() + text.size(), value).ec != std::errc()) {
        return std::nullopt;
    }
    return value;
}

// The number after `mark` in the text.
std::optional<double> NumberAfter(std::string_view text, std::string_view mark) {
    const size_t at = text.find(mark);
    return at == std::string_view::npos ? std::nullopt
                                        : LeadingNumber(text.substr(at + mark.size()));
}

// "Delta X   = -0.001160": the number after the name's "=".
bool ReadValue(std::string_view line, std::string_view name, double& value) {
    if (line.substr(0, name.size()) != name) {
        return false;
    }
    const std::optional<double> number = NumberAfter(line.substr(name.size()), "=");
    value = number.value_or(value);
    return number.has_value();
}

// trackgen opens an X display; without one it runs under a virtual one.
std::optional<ChildProcess::Request> TrackgenRequest(const TorcsInstallation::Paths& torcs,
                                                     const std::string& folder,
                                                     std::string& failure) {
    ChildProcess::Request request;
    request.directory = folder;
    request.environment = TorcsEnvironment(torcs);
    request.timeoutSeconds = TrackgenTimeout;
    const std::vector<std::string> trackgen{
        torcs.programs + "/trackgen-bin", "-L", torcs.programs, "-c", "road", "-n", TrackName};
    if (Exists("/usr/bin/xvfb-run")) {
        request.program = "/usr/bin/xvfb-run";
        request.arguments = {"-a", "-s", "-screen 0 320x240x24"};
        request.arguments.insert(request.arguments.end(), trackgen.begin(), trackgen.end());
    } else if (const char* display = std::getenv("DISPLAY"); display != nullptr && *display) {
        request.program = trackgen.front();
        request.arguments.assign(trackgen.begin() + 1, trackgen.end());
    } else {
        failure = "TORCS's trackgen needs an X display: install xvfb with: sudo apt-get "
                  "install xvfb";
        return std::nullopt;
    }
    return request;
}

// A race without display of the course's track: the robot alone, from a standing start 10 m
// behind the line.
std::string RaceText(const std::string& driver, int laps) {
    TorcsParams p("<!DOCTYPE params SYSTEM \"params.dtd\">\n", "Test Drive");
    p.Open("Header");
    p.Text("name", "Test Drive");
    p.Number("priority", 10);
    p.Close();
    p.Open("Tracks");
    p.Number("maximum number", 1);
    p.Open("1");
    p.Text("name", TrackName);
    p.Text("category", "road");
    p.Close();
    p.Close();
    p.Open("Races");
    p.Open("1");
    p.Text("name", "Test Drive");
    p.Close();
    p.Close();
    p.Open("Test Drive");
    p.Number("laps", laps);
    p.Text("type", "race");
    p.Text("starting order", "drivers list");
    p.Text("restart", "yes");
    p.Text("display mode", "results only");
    p.Text("display results", "no");
    p.Open("Starting Grid");
    p.Number("rows", 1);
    p.Number("distance to start", 10);
    p.Number("initial speed", 0);
    p.Number("initial height", 0.2);
    p.Close();
    p.Close();
    p.Open("Drivers");
    p.Number("maximum number", 1);
    p.Text("focused module", driver);
    p.Number("focused idx", 1);
    p.Open("1");
    p.Number("idx", 1);
    p.Text("module", driver);
    p.Close();
    p.Close();
    return p.Finish();
}

// The value of <attnum name="NAME" val="..."/> in a results file.
std::optional<double> ResultNumber(const std::string& results, const std::string& name) {
    return NumberAfter(results, "<attnum name=\"" + name + "\" val=\"");
}

// The race's results file: TORCS names it after the race file and the time.
std::string ReadResults(const std::string& folder) {
    std::error_code error;
    const fs::path results = fs::path(TorcsInstallation::LocalFolder(folder)) / "results/race";
    for (const fs::directory_entry& entry : fs::directory_iterator(results, error)) {
        if (entry.path().extension() == ".xml") {
            std::ifstream file(entry.path());
            return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        }
    }
    return {};
}

// "Sim Time:    19.21 [s], Leader Laps:    1, ...": the time at which a lap ended.
std::optional<std::pair<double, int>> LapLine(std::string_view line) {
    if (line.substr(0, 9) != "Sim Time:") {
        return std::nullopt;
    }
    const std::optional<double> time = LeadingNumber(line.substr(9));
    const std::optional<double> laps = NumberAfter(line, "Leader Laps:");
    if (!time || !laps) {
        return std::nullopt;
    }
    return std::make_pair(*time, static_cast<int>(*laps));
}

// A race of the data folder's race file, stopped on the wall clock at a tenth of the
// simulated time it is given.
ChildProcess::Request RaceRequest(const TorcsInstallation::Paths& torcs, const std::string& folder,
                                  const std::string& raceFile, double limit) {
    ChildProcess::Request request;
    request.program = torcs.programs + "/torcs-bin";
    request.arguments = {"-l", TorcsInstallation::LocalFolder(folder) + "/",
                         "-L", torcs.programs,
                         "-D", folder + "/",
                         "-r", raceFile};
    request.directory = folder;
    request.environment = TorcsEnvironment(torcs);
    request.timeoutSeconds = limit / SpeedUp;
    return request;
}

Result Failed(const std::string& failure) {
    Result result;
    result.outcome = Outcome::Failed;
    result.failure = failure;
    return result;
}

// Calls `visit` with each line of the text.
template <class Visit> void ForEachLine(std::string_view text, Visit&& visit) {
    while (!text.empty()) {
        const size_t end = std::min(text.find('\n'), text.size());
        visit(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
    }
}

} // namespace

std::optional<Track> ReadTrackgenReport(std::string_view output) {
    Track track;
    int found = 0;
    ForEachLine(output, [&](std::string_view line) {
        found += ReadValue(line, "length", track.length) ? 1 : 0;
        found += ReadValue(line, "Delta X", track.closureX) ? 1 : 0;
        found += ReadValue(line, "Delta Y", track.closureY) ? 1 : 0;
        found += ReadValue(line, "Delta Z", track.closureZ) ? 1 : 0;
        found += ReadValue(line, "Delta Ang", track.closureAngle) ? 1 : 0;
    });
    return found == 5 ? std::optional<Track>(track) : std::nullopt;
}

std::vector<double> ReadLapTimes(std::string_view output) {
    std::vector<double> times;
    double lapEnded = 0.0;
    ForEachLine(output, [&](std::string_view line) {
        if (const auto lap = LapLine(line)) {
            // TORCS prints times to the hundredth; the difference is rounded back to it.
            times.push_back(std::round((lap->first - lapEnded) * 100.0) / 100.0);
            lapEnded = lap->first;
        }
    });
    return times;
}

void ReadRaceResults(const std::string& results, Report& report) {
    report.bestLap = ResultNumber(results, "best lap time");
    if (const std::optional<double> speed = ResultNumber(results, "top speed")) {
        report.topSpeed = std::round(*speed * 3.6 * 100.0) / 100.0;
    }
}

std::optional<Track> BuildTrack(const TorcsInstallation::Paths& torcs, const std::string& folder,
                                const std::function<bool()>& keepGoing, std::string& failure) {
    const std::optional<ChildProcess::Request> request = TrackgenRequest(torcs, folder, failure);
    if (!request) {
        return std::nullopt;
    }
    const ChildProcess::Result run =
        ChildProcess::Run(*request, [&](std::string_view) { return keepGoing(); });
    if (run.end == ChildProcess::Result::End::Stopped) {
        failure.clear();
        return std::nullopt;
    }
    const std::optional<Track> track = ReadTrackgenReport(run.output);
    if (!track) {
        failure = "TORCS's trackgen could not build the track: " +
                  (run.failure.empty() ? Tail(run.output) : run.failure);
    }
    return track;
}

Session::Session(const Options& options)
    : options(options), torcs(TorcsInstallation::Find()), folder("velmora-torcs-") {
    std::string failure;
    if (!torcs) {
        refusal = Result{Outcome::NotInstalled,
                         {},
                         std::string("TORCS is not installed: ") + TorcsInstallation::InstallHint};
    } else if (folder.Path().empty()) {
        refusal = Failed("cannot make a folder for TORCS (" + folder.Failure() + ")");
    } else if (!Exists(torcs->programs + "/drivers/" + options.driver)) {
        refusal = Failed("TORCS has no robot named " + options.driver);
    } else if (!TorcsInstallation::PrepareData(*torcs, folder.Path(), TrackName, options.scale,
                                               failure)) {
        refusal = Failed(failure);
    }
}

Result Session::Drive(const Progress& progress) {
    if (refusal) {
        return *refusal;
    }
    std::string failure;
    const std::optional<Track> track = BuildTrack(
        *torcs, folder.Path(), [&] { return progress(Step::BuildingTrack, 0.0); }, failure);
    if (!track) {
        return failure.empty() ? Result{Outcome::Cancelled, {}, {}} : Failed(failure);
    }
    const std::string raceFile = folder.Path() + "/race.xml";
    const std::string race = RaceText(options.driver, options.laps);
    if (!ExchangeFiles::WriteFile(raceFile, race.data(), race.size(), failure)) {
        return Failed(failure);
    }
    const double limit = StartingTime + options.laps * track->length / SlowestSpeed;
    const ChildProcess::Request request = RaceRequest(*torcs, folder.Path(), raceFile, limit);
    Result result;
    result.report.track = *track;
    int laps = 0;
    bool tooSlow = false;
    const ChildProcess::Result run = ChildProcess::Run(request, [&](std::string_view line) {
        if (const auto lap = LapLine(line)) {
            laps = lap->second;
            tooSlow = lap->first > limit;
        }
        const double done = std::min(static_cast<double>(laps) / options.laps, 1.0);
        return progress(Step::Racing, done) && !tooSlow;
    });
    result.report.lapTimes = ReadLapTimes(run.output);
    const std::string results = ReadResults(folder.Path());
    ReadRaceResults(results, result.report);
    result.report.completed = static_cast<int>(result.report.lapTimes.size()) >= options.laps;
    if (run.end == ChildProcess::Result::End::Stopped && !tooSlow) {
        result.outcome = Outcome::Cancelled;
    } else if (result.report.completed) {
        result.outcome = Outcome::Completed;
    } else if (run.end == ChildProcess::Result::End::TimedOut || tooSlow ||
               (run.end == ChildProcess::Result::End::Exited && !results.empty())) {
        result.outcome = Outcome::NotFinished;
        result.failure = "the robot did not finish " + std::to_string(options.laps) +
                         " laps within " + std::to_string(static_cast<int>(limit)) + " s of racing";
    } else {
        result = Failed("TORCS's race failed: " +
                        (run.failure.empty() ? Tail(run.output) : run.failure));
    }
    return result;
}

} // namespace TestDrive
