// Every view drawn by `velmora-cli render` against the surfaces kept in tests/data/views:
// one folder per case with its course.cus and a views.txt whose lines name an expected
// 16-bit bitmap and the render options that draw it. A new case is a folder, not a test.

#include "support/TempDir.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace {

const std::filesystem::path Cases = std::filesystem::path(VELMORA_TEST_DATA) / "views";

struct Picture {
    std::string file;    // the expected bitmap, beside the course
    std::string options; // what follows COURSE and OUT on the render command line
};

std::vector<Picture> PicturesOf(const std::filesystem::path& folder) {
    std::vector<Picture> pictures;
    std::ifstream list(folder / "views.txt");
    std::string line;
    while (std::getline(list, line)) {
        std::istringstream words(line);
        Picture picture;
        if (words >> picture.file) {
            std::getline(words, picture.options);
            pictures.push_back(picture);
        }
    }
    return pictures;
}

std::vector<std::filesystem::path> CaseFolders() {
    std::vector<std::filesystem::path> folders;
    for (const auto& entry : std::filesystem::directory_iterator(Cases)) {
        if (entry.is_directory()) {
            folders.push_back(entry.path());
        }
    }
    std::sort(folders.begin(), folders.end());
    return folders;
}

// Run in the scratch folder, where a file an option names is looked for and where any
// error log is written.
int Render(const TempDir& dir, const std::filesystem::path& course, const std::string& out,
           const std::string& options) {
    const std::string command = "cd '" + dir.Path().string() + "' && " VELMORA_CLI " render '" +
                                course.string() + "' '" + out + "'" + options + " >/dev/null 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Where two byte strings first differ, or the shorter one's length.
std::size_t FirstDifference(const std::vector<unsigned char>& a,
                            const std::vector<unsigned char>& b) {
    const std::size_t common = std::min(a.size(), b.size());
    return static_cast<std::size_t>(
        std::mismatch(a.begin(), a.begin() + static_cast<std::ptrdiff_t>(common), b.begin()).first -
        a.begin());
}

} // namespace

TEST(GoldenViews, EveryViewDrawsItsKeptSurface) {
    TempDir dir;
    int compared = 0;
    for (const std::filesystem::path& folder : CaseFolders()) {
        const std::string name = folder.filename().string();
        const std::vector<Picture> pictures = PicturesOf(folder);
        EXPECT_FALSE(pictures.empty()) << name << ": views.txt names no picture";
        for (const Picture& picture : pictures) {
            const std::string where = name + "/" + picture.file;
            const std::vector<unsigned char> expected = ReadBytes((folder / picture.file).string());
            ASSERT_FALSE(expected.empty()) << where << ": no expected bitmap";
            const std::string out = dir.File(name + "-" + picture.file);
            ASSERT_EQ(Render(dir, folder / "course.cus", out, picture.options), 0)
                << where << ": render" << picture.options;
            const std::vector<unsigned char> drawn = ReadBytes(out);
            EXPECT_TRUE(drawn == expected)
                << where << ": differs from byte " << FirstDifference(drawn, expected) << " on ("
                << drawn.size() << " bytes drawn, " << expected.size() << " expected)";
            ++compared;
        }
    }
    EXPECT_GT(compared, 0) << "no case under " << Cases;
}
