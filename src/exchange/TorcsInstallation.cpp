#include "exchange/TorcsInstallation.h"

#include "exchange/TorcsTrackFile.h"
#include "platform/ChildProcess.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace TorcsInstallation {

namespace fs = std::filesystem;

namespace {

bool HasPrograms(const fs::path& folder) {
    std::error_code error;
    return fs::is_regular_file(folder / "trackgen-bin", error) &&
           fs::is_regular_file(folder / "torcs-bin", error) &&
           fs::is_regular_file(folder / "setup_linux.sh", error);
}

// Links every entry of the installed data but its tracks into the folder.
bool LinkData(const fs::path& data, const fs::path& folder, std::string& failure) {
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(data, error)) {
        if (entry.path().filename() != "tracks") {
            fs::create_symlink(entry.path(), folder / entry.path().filename(), error);
        }
        if (error) {
            break;
        }
    }
    if (error) {
        failure = "cannot link TORCS's data into " + folder.string() + " (" + error.message() + ")";
        return false;
    }
    return true;
}

// TORCS's own script copies the settings a race reads into the local folder.
bool MakeLocalFolder(const Paths& torcs, const std::string& folder, std::string& failure) {
    std::error_code error;
    fs::create_directories(LocalFolder(folder), error);
    if (error) {
        failure = "cannot make " + LocalFolder(folder) + " (" + error.message() + ")";
        return false;
    }
    ChildProcess::Request request;
    request.program = "/bin/sh";
    request.arguments = {torcs.programs + "/setup_linux.sh", LocalFolder(folder)};
    request.directory = torcs.data;
    request.timeoutSeconds = 30;
    const ChildProcess::Result result =
        ChildProcess::Run(request, [](std::string_view) { return true; });
    if (result.end != ChildProcess::Result::End::Exited || result.exitCode != 0) {
        failure = "TORCS's set-up script failed: " +
                  (result.failure.empty() ? result.output : result.failure);
        return false;
    }
    return true;
}

} // namespace

std::optional<Paths> Find() {
    const char* prefix = std::getenv("VELMORA_TORCS_PREFIX");
    const fs::path root = prefix != nullptr && *prefix != '\0' ? prefix : "/usr";
    const fs::path data = root / "share/games/torcs";
    std::error_code error;
    if (!fs::is_directory(data / "config", error)) {
        return std::nullopt;
    }
    for (const fs::path& programs :
         {root / "lib" / VELMORA_LIBRARY_ARCHITECTURE / "torcs", root / "lib/torcs"}) {
        if (HasPrograms(programs)) {
            return Paths{programs.string(), data.string()};
        }
    }
    return std::nullopt;
}

std::string LocalFolder(const std::string& folder) {
    return folder + "/local";
}

std::string TrackFolder(const std::string& folder, const std::string& name) {
    return folder + "/tracks/road/" + name;
}

bool PrepareData(const Paths& torcs, const std::string& folder, const std::string& name,
                 double scale, std::string& failure) {
    return LinkData(torcs.data, folder, failure) &&
           TorcsTrackFile::Write(TrackFolder(folder, name), scale, failure) == 0 &&
           MakeLocalFolder(torcs, folder, failure);
}

} // namespace TorcsInstallation
