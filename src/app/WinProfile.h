#pragma once

#include "platform/Dialogs.h"
#include "platform/Windows.h"

#include <string>
#include <vector>

// What survives from one run to the next in "Settei.ini": the main window's placement
// and, per file dialog, the directory in which a file was last chosen.
namespace WinProfile {

platform::WindowPlacement ReadPlacement(const std::string& settingsPath, const char* section);
void WritePlacement(const std::string& settingsPath, const char* section,
                    const platform::WindowPlacement& placement);

// Reads the placement and shows the window in it; a stored minimised state opens normal.
void RestorePlacement(platform::WindowHandle window, const std::string& settingsPath,
                      const char* section);
void SavePlacement(platform::WindowHandle window, const std::string& settingsPath,
                   const char* section);

// Shows the open or save dialog in the section's remembered directory. 0 when a file was
// chosen (its full path in result, its directory remembered), 1 when cancelled.
int ChooseFile(platform::WindowHandle owner, std::string& result, const char* section,
               const std::string& settingsPath, const std::vector<platform::FileFilter>& filters,
               platform::FileDialogMode mode);

} // namespace WinProfile
