#include "platform/StartDirectory.h"

#include <system_error>

namespace StartDirectory {

namespace fs = std::filesystem;

namespace {

constexpr const char* DefaultFiles[] = {"Texture.bmp", "SetButton.wav"};
constexpr const char* HelpFolder = "Help";
constexpr const char* HelpDocument = "index.html";

// A dangling symbolic link counts as present too: it is the user's, and copying through
// it would write somewhere else.
bool Present(const fs::path& path) {
    std::error_code error;
    return fs::symlink_status(path, error).type() != fs::file_type::not_found;
}

// Copies under a temporary name first, so an interrupted copy never leaves a truncated
// file that a later start would take for the user's own.
void CopyMissingFile(const fs::path& from, const fs::path& to) {
    std::error_code error;
    if (Present(to) || !fs::is_regular_file(from, error)) {
        return;
    }
    fs::path partial = to;
    partial += ".part";
    if (!fs::copy_file(from, partial, fs::copy_options::overwrite_existing, error)) {
        fs::remove(partial, error);
        return;
    }
    fs::rename(partial, to, error);
    if (error) {
        fs::remove(partial, error);
    }
}

// Fills in whatever is missing of a folder, file by file, keeping what is there.
void CopyMissingTree(const fs::path& from, const fs::path& to) {
    std::error_code error;
    if (!fs::is_directory(from, error)) {
        return;
    }
    if (!Present(to)) {
        fs::create_directory(to, error);
    }
    if (!fs::is_directory(fs::symlink_status(to, error))) {
        return;
    }
    for (const fs::directory_entry& entry : fs::directory_iterator(from, error)) {
        const fs::path target = to / entry.path().filename();
        if (entry.is_directory(error)) {
            CopyMissingTree(entry.path(), target);
        } else {
            CopyMissingFile(entry.path(), target);
        }
    }
}

fs::path ThisExecutable() {
    std::error_code error;
    return fs::read_symlink("/proc/self/exe", error);
}

} // namespace

fs::path DataDirectory(const fs::path& executable) {
    const fs::path data = executable.parent_path().parent_path() / "share" / "velmora";
    std::error_code error;
    return fs::is_directory(data, error) ? data.lexically_normal() : fs::path();
}

void CopyDefaults(const fs::path& dataDirectory, const fs::path& startDirectory) {
    if (dataDirectory.empty()) {
        return;
    }
    for (const char* name : DefaultFiles) {
        CopyMissingFile(dataDirectory / name, startDirectory / name);
    }
    CopyMissingTree(dataDirectory / HelpFolder, startDirectory / HelpFolder);
}

void Prepare() {
    std::error_code error;
    const fs::path executable = ThisExecutable();
    const fs::path start = fs::current_path(error);
    if (!executable.empty() && !start.empty()) {
        CopyDefaults(DataDirectory(executable), start);
    }
}

std::vector<fs::path> HelpLocations(const fs::path& executable, const fs::path& startDirectory) {
    const fs::path data = DataDirectory(executable);
    const fs::path bundled =
        data.empty() ? fs::path(VELMORA_SOURCE_HELP) : data / HelpFolder / HelpDocument;
    return {startDirectory / HelpFolder / HelpDocument, bundled};
}

fs::path FindHelp(std::vector<fs::path>& looked) {
    std::error_code error;
    looked = HelpLocations(ThisExecutable(), fs::current_path(error));
    for (const fs::path& place : looked) {
        if (fs::is_regular_file(place, error)) {
            return place;
        }
    }
    return {};
}

} // namespace StartDirectory
