#pragma once

#include <string>

// The course written as a TORCS track description, FOLDER/NAME.xml with NAME the folder's
// own name, ready for TORCS's trackgen and races. Its surfaces and barrier are among those
// every TORCS installation ships (data/tracks/surfaces.xml), which the file takes in by a
// path relative to tracks/<category>/NAME/, where TORCS keeps its tracks.
namespace TorcsTrackFile {

// The track's name: the folder's own name, trailing slashes aside.
std::string NameOf(const std::string& folder);

// Writes the current course at `scale` metres a unit into the folder, creating the folder
// when it does not exist. 0 when it was written; 1 with why in `failure`.
int Write(const std::string& folder, double scale, std::string& failure);

} // namespace TorcsTrackFile
