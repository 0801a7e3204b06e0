#pragma once

#include <filesystem>

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

} // namespace StartDirectory
