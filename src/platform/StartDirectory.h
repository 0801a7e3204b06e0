#pragma once

#include <filesystem>
#include <vector>

// The designer reads "Texture.bmp", "SetButton.wav" and "Help/" from its start directory
// (the current directory). An installed designer keeps defaults of them in its data
// directory and copies each one that is missing into the start directory, so it runs from
// any folder; a file or folder the user already has there is never replaced.
namespace StartDirectory {

// The data directory of an installed executable: <bin>/../share/velmora. Empty when there
// is none, as for a designer run from its build tree.
std::filesystem::path DataDirectory(const std::filesystem::path& executable);

// Copies the defaults missing in the start directory from the data directory. Failures
// (a read-only start directory, say) are skipped: the designer copes without the files.
void CopyDefaults(const std::filesystem::path& dataDirectory,
                  const std::filesystem::path& startDirectory);

// Both for this process: its executable and its current directory.
void Prepare();

// Where the help document may be, in the order to try: the start directory's "Help/",
// then the designer's own copy (the data directory's for an installed executable, the
// source tree's for one run from its build tree).
std::vector<std::filesystem::path> HelpLocations(const std::filesystem::path& executable,
                                                 const std::filesystem::path& startDirectory);

// The first of this process's help locations that holds the document; empty when none
// does, and then looked lists every place tried.
std::filesystem::path FindHelp(std::vector<std::filesystem::path>& looked);

} // namespace StartDirectory
