#pragma once

#include "exchange/TorcsInstallation.h"
#include "exchange/TorcsTrack.h"
#include "platform/ScratchFolder.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A test drive of the course in TORCS: the course exported as a track into a private data
// folder, TORCS's trackgen building it, and a race without display in which one robot
// drives the laps. The folder goes with the session, leaving nothing behind.
namespace TestDrive {

struct Options {
    double scale = TorcsTrack::DefaultScale; // metres a course unit
    int laps = 2;
    std::string driver = "berniw"; // the robot's module
};

// What trackgen reports of the track it built: its length and how far its end misses its
// start (metres, radians).
struct Track {
    double length = 0.0;
    double closureX = 0.0;
    double closureY = 0.0;
    double closureZ = 0.0;
    double closureAngle = 0.0;
};

struct Report {
    Track track;
    std::vector<double> lapTimes; // seconds, each lap the robot finished
    std::optional<double> bestLap;
    std::optional<double> topSpeed; // km/h
    bool completed = false;         // every lap driven
};

enum class Outcome { Completed, NotFinished, Failed, NotInstalled, Cancelled };

struct Result {
    Outcome outcome = Outcome::Failed;
    Report report;
    std::string failure; // why, for NotFinished, Failed and NotInstalled
};

enum class Step { BuildingTrack, Racing };
// Told what the run is doing and how much of it is done (0 to 1); returns false to cancel.
using Progress = std::function<bool(Step step, double done)>;

class Session {
public:
    // Finds TORCS and prepares the data folder with the current course as its track. The
    // course is read here only, so the drive may run on another thread while the course
    // changes.
    explicit Session(const Options& options);
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Why the drive cannot start, as Drive would return it; nothing when it can.
    [[nodiscard]] const std::optional<Result>& Refusal() const { return refusal; }
    // Builds the track and races it; returns when the race ends, fails or is cancelled.
    Result Drive(const Progress& progress);
    // The data folder, while the session lasts.
    [[nodiscard]] const std::string& Folder() const { return folder.Path(); }

private:
    Options options;
    std::optional<TorcsInstallation::Paths> torcs;
    ScratchFolder folder;
    std::optional<Result> refusal;
};

// What trackgen prints of the track it built ("length    = 1493.794434", "Delta X   = …");
// nothing when a value is missing.
std::optional<Track> ReadTrackgenReport(std::string_view output);
// Each lap's time from what a race prints as the leader ends a lap ("Sim Time: 39.15 [s],
// Leader Laps: 1, …"), the first from the race's start.
std::vector<double> ReadLapTimes(std::string_view output);
// The best lap and the top speed (m/s, given in km/h to the hundredth) from a race's
// results file.
void ReadRaceResults(const std::string& results, Report& report);

// The name the course's track has in the data folder.
constexpr const char* TrackName = "velmora";

// Runs trackgen on the track TrackName of a prepared data folder; its report, or nothing
// with why in `failure`. `keepGoing` is asked now and then; false stops it, and the failure
// is left empty.
std::optional<Track> BuildTrack(const TorcsInstallation::Paths& torcs, const std::string& folder,
                                const std::function<bool()>& keepGoing, std::string& failure);

} // namespace TestDrive
