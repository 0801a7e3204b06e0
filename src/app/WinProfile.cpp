#include "app/WinProfile.h"

#include "platform/Profile.h"

#include <filesystem>

namespace WinProfile {

namespace {

constexpr const char* DirectoryKey = "LoadFileDir";

// The classic placement defaults: a small normal window at (100, 100).
constexpr platform::Rect DefaultRect{100, 100, 300, 200};

// Sizes beyond any display are as much nonsense as empty ones.
bool Plausible(const platform::Rect& rect) {
    constexpr int Largest = 100000;
    const long long width = static_cast<long long>(rect.right) - rect.left;
    const long long height = static_cast<long long>(rect.bottom) - rect.top;
    return width > 0 && height > 0 && width <= Largest && height <= Largest;
}

// The section's remembered folder, or the start directory (the current one) when none is
// remembered or the remembered one is gone: an empty folder would let the toolkit start
// at the file system's root, where a bare typed name would then land.
std::string InitialDirectory(const std::string& settingsPath, const char* section) {
    std::string remembered = Profile::GetString(settingsPath, section, DirectoryKey, "");
    std::error_code error;
    if (!remembered.empty() && std::filesystem::is_directory(remembered, error)) {
        return remembered;
    }
    return std::filesystem::current_path(error).string();
}

} // namespace

platform::WindowPlacement ReadPlacement(const std::string& settingsPath, const char* section) {
    auto read = [&](const char* key, int fallback) {
        return Profile::GetInt(settingsPath, section, key, fallback);
    };
    platform::WindowPlacement placement;
    placement.length = read("Length", 0);
    placement.flags = read("Flags", 0);
    placement.showCmd = read("ShowCmd", platform::ShowNormal);
    placement.minPosition = {read("MinPos.x", 0), read("MinPos.y", 0)};
    placement.maxPosition = {read("MaxPos.x", 0), read("MaxPos.y", 0)};
    placement.normalPosition.top = read("Top", DefaultRect.top);
    placement.normalPosition.left = read("Left", DefaultRect.left);
    placement.normalPosition.right = read("Right", DefaultRect.right);
    placement.normalPosition.bottom = read("Bottom", DefaultRect.bottom);
    // The window never starts minimised, nor hidden by a show state it cannot have.
    if (placement.showCmd != platform::ShowMaximized) {
        placement.showCmd = platform::ShowNormal;
    }
    if (!Plausible(placement.normalPosition)) {
        placement.normalPosition = DefaultRect;
    }
    return placement;
}

void WritePlacement(const std::string& settingsPath, const char* section,
                    const platform::WindowPlacement& placement) {
    auto write = [&](const char* key, int value) {
        Profile::WriteInt(settingsPath, section, key, value);
    };
    write("Length", placement.length);
    write("Flags", placement.flags);
    write("ShowCmd", placement.showCmd);
    write("MinPos.x", placement.minPosition.x);
    write("MinPos.y", placement.minPosition.y);
    write("MaxPos.x", placement.maxPosition.x);
    write("MaxPos.y", placement.maxPosition.y);
    write("Top", placement.normalPosition.top);
    write("Left", placement.normalPosition.left);
    write("Right", placement.normalPosition.right);
    write("Bottom", placement.normalPosition.bottom);
}

void RestorePlacement(platform::WindowHandle window, const std::string& settingsPath,
                      const char* section) {
    platform::SetWindowPlacement(window, ReadPlacement(settingsPath, section));
}

void SavePlacement(platform::WindowHandle window, const std::string& settingsPath,
                   const char* section) {
    WritePlacement(settingsPath, section, platform::GetWindowPlacement(window));
}

// The process's current directory is never changed by the dialog here, so there is
// nothing to restore; the chosen file's own directory is what gets remembered.
int ChooseFile(platform::WindowHandle owner, std::string& result, const char* section,
               const std::string& settingsPath, const std::vector<platform::FileFilter>& filters,
               platform::FileDialogMode mode) {
    result.clear();
    const platform::FileDialogRequest request{mode, InitialDirectory(settingsPath, section),
                                              filters};
    const std::optional<std::string> chosen = platform::ChooseFileName(owner, request);
    if (!chosen || chosen->empty()) {
        return 1;
    }
    result = *chosen;
    const std::string directory = std::filesystem::path(result).parent_path().string();
    Profile::WriteString(settingsPath, section, DirectoryKey, directory);
    return 0;
}

} // namespace WinProfile
