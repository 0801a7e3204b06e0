#include "platform/StartDirectory.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

void WriteText(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    WriteBytes(file.string(), {text.begin(), text.end()});
}

// An installed prefix: <prefix>/bin/velmora and the defaults in <prefix>/share/velmora.
struct Installed {
    TempDir prefix;
    TempDir start;
    fs::path data = prefix.Path() / "share" / "velmora";

    Installed() {
        WriteText(prefix.Path() / "bin" / "velmora", "program");
        WriteText(data / "Texture.bmp", "texture");
        WriteText(data / "SetButton.wav", "sound");
        WriteText(data / "Help" / "index.html", "index");
        WriteText(data / "Help" / "images" / "top.png", "picture");
    }
};

// The data directory lies only beside an installed executable; the help is looked for in
// the start directory, then in the designer's own copy.
TEST(StartDirectory, FindsTheDataAndTheHelpFromTheExecutable) {
    Installed installed;
    const fs::path start = installed.start.Path();
    const fs::path executable = installed.prefix.Path() / "bin" / "velmora";
    EXPECT_EQ(StartDirectory::DataDirectory(executable), installed.data);
    EXPECT_EQ(StartDirectory::DataDirectory(start / "src" / "velmora"), fs::path());
    EXPECT_EQ(StartDirectory::HelpLocations(executable, start),
              (std::vector<fs::path>{start / "Help" / "index.html",
                                     installed.data / "Help" / "index.html"}));
    EXPECT_EQ(StartDirectory::HelpLocations(start / "build" / "velmora", start),
              (std::vector<fs::path>{start / "Help" / "index.html",
                                     fs::path(VELMORA_SOURCE_DIR) / "Help" / "index.html"}));
}

// Every default the start directory lacks is copied in; what the user has is never replaced.
TEST(StartDirectory, CopiesOnlyTheDefaultsTheStartDirectoryLacks) {
    Installed installed;
    const fs::path start = installed.start.Path();
    WriteText(start / "Help" / "index.html", "my notes");
    fs::create_symlink(start / "elsewhere.bmp", start / "Texture.bmp");

    StartDirectory::CopyDefaults(installed.data, start);

    EXPECT_EQ(ReadText((start / "SetButton.wav").string()), "sound");
    EXPECT_EQ(ReadText((start / "Help" / "index.html").string()), "my notes");
    // The dangling link stays as it is; nothing is written through it.
    EXPECT_TRUE(fs::is_symlink(start / "Texture.bmp"));
    EXPECT_FALSE(fs::exists(start / "elsewhere.bmp"));
    // Only what is missing in the user's help folder is filled in.
    EXPECT_EQ(ReadText((start / "Help" / "images" / "top.png").string()), "picture");
    // Nothing but the defaults, and no temporary copies left behind.
    EXPECT_EQ(std::distance(fs::recursive_directory_iterator(start), {}), 6);
}

TEST(StartDirectory, SkipsWhatCannotBeCopied) {
    Installed installed;
    const fs::path start = installed.start.Path();
    fs::remove(installed.data / "SetButton.wav");
    WriteText(start / "Help", "a file where the folder would go");

    StartDirectory::CopyDefaults(installed.data, start);
    EXPECT_EQ(ReadText((start / "Texture.bmp").string()), "texture");
    EXPECT_FALSE(fs::exists(start / "SetButton.wav"));
    EXPECT_EQ(ReadText((start / "Help").string()), "a file where the folder would go");

    // Without a data directory nothing happens; a start directory that is gone is no fault.
    StartDirectory::CopyDefaults(fs::path(), installed.prefix.Path());
    EXPECT_FALSE(fs::exists(installed.prefix.Path() / "Texture.bmp"));
    StartDirectory::CopyDefaults(installed.data, start / "gone");
    EXPECT_FALSE(fs::exists(start / "gone"));
}

} // namespace
