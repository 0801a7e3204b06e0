#pragma once

#include <functional>
#include <string>

// What the designer asks of the desktop beyond its windows: the click sound, the help
// document and the colour depth of the display.
namespace platform {

// Starts playing a WAV file and returns at once; a new sound replaces one still
// playing. Silent when the file or the audio device is missing.
void PlaySoundAsync(const std::string& path);

// Shows an HTML document in the desktop's browser, or in a window of the program's own
// where no browser answers.
void OpenHelp(const std::string& path);

// Bits per pixel of the display the program draws for: 16 unless VELMORA_COLOR_BITS
// names another number.
int GetColorBits();

// Tests observe sounds and help requests here instead of hearing or seeing them.
using DesktopObserver = std::function<void(const char* what, const std::string& path)>;
void SetDesktopObserver(DesktopObserver observer);

} // namespace platform
