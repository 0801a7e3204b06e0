#pragma once

#include <optional>
#include <string>

// The installed TORCS, run only as a separate program: where its programs and data are,
// and a private data folder in which its track generator and races see the installed data
// with one more track, ours, without writing anywhere but that folder.
namespace TorcsInstallation {

// Debian's package; TORCS built from source installs under /usr/local.
constexpr const char* InstallHint = "install TORCS with: sudo apt-get install torcs";

struct Paths {
    std::string programs; // trackgen-bin, torcs-bin, their lib/ and modules
    std::string data;     // config/, data/, cars/, drivers/, tracks/
};

// TORCS under the prefix in $VELMORA_TORCS_PREFIX, or /usr; nothing when its programs or
// data are missing.
std::optional<Paths> Find();

// The private data folder `folder`: links to everything of the installed data but its
// tracks, the course exported as tracks/road/NAME/NAME.xml at `scale`, and a local
// settings folder (`LocalFolder`) made by TORCS's own set-up script. False with why in
// `failure`.
bool PrepareData(const Paths& torcs, const std::string& folder, const std::string& name,
                 double scale, std::string& failure);

std::string LocalFolder(const std::string& folder);
std::string TrackFolder(const std::string& folder, const std::string& name);

} // namespace TorcsInstallation
