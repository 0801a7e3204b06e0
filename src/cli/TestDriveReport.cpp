#include "cli/TestDriveReport.h"

#include "base/NumberText.h"

namespace {

std::string OptionalNumber(const std::optional<double>& value) {
    return value ? JsonNumber(*value) : "null";
}

} // namespace

std::string TestDriveJson(const TestDrive::Options& options, const TestDrive::Report& report) {
    const TestDrive::Track& track = report.track;
    std::string laps;
    for (const double time : report.lapTimes) {
        laps += (laps.empty() ? "" : ", ") + JsonNumber(time);
    }
    return "{\"track\": {\"length\": " + JsonNumber(track.length) +
           ", \"closure\": {\"x\": " + JsonNumber(track.closureX) +
           ", \"y\": " + JsonNumber(track.closureY) + ", \"z\": " + JsonNumber(track.closureZ) +
           ", \"angle\": " + JsonNumber(track.closureAngle) + "}}, \"driver\": \"" +
           options.driver + "\", \"lapsRequested\": " + std::to_string(options.laps) +
           ", \"lapTimes\": [" + laps + "], \"bestLap\": " + OptionalNumber(report.bestLap) +
           ", \"topSpeed\": " + OptionalNumber(report.topSpeed) +
           ", \"completed\": " + (report.completed ? "true" : "false") + "}";
}
