#include "app/WinMain.h"
#include "model/CourseData.h"
#include "platform/Profile.h"
#include "platform/Windows.h"
#include "windows/DesignerFixture.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>

namespace {

void StorePlacement(const std::string& settings, int showCmd, int left, int top, int right,
                    int bottom) {
    Profile::WriteInt(settings, "MainWindow", "ShowCmd", showCmd);
    Profile::WriteInt(settings, "MainWindow", "Left", left);
    Profile::WriteInt(settings, "MainWindow", "Top", top);
    Profile::WriteInt(settings, "MainWindow", "Right", right);
    Profile::WriteInt(settings, "MainWindow", "Bottom", bottom);
}

} // namespace

class MaximisedStartTest : public DesignerTest {
    void BeforeStart() override { StorePlacement(dir.File("Settei.ini"), 3, 10, 20, 410, 320); }
};

TEST_F(MaximisedStartTest, AStoredMaximisedStateOpensMaximised) {
    const platform::WindowPlacement placement =
        platform::GetWindowPlacement(WinMain::GetMainWindow());
    EXPECT_EQ(placement.showCmd, platform::ShowMaximized);
    EXPECT_EQ(placement.normalPosition.left, 10);
}

class MinimisedStartTest : public DesignerTest {
    void BeforeStart() override { StorePlacement(dir.File("Settei.ini"), 2, 10, 20, 410, 320); }
};

TEST_F(MinimisedStartTest, AStoredMinimisedStateOpensNormal) {
    EXPECT_EQ(platform::GetWindowPlacement(WinMain::GetMainWindow()).showCmd, platform::ShowNormal);
}

class OffScreenStartTest : public DesignerTest {
    void BeforeStart() override {
        StorePlacement(dir.File("Settei.ini"), 1, 90000, 90000, 90400, 90300);
    }
};

TEST_F(OffScreenStartTest, APlacementOffEveryScreenComesOntoThePrimaryOne) {
    const platform::Rect rect =
        platform::GetWindowPlacement(WinMain::GetMainWindow()).normalPosition;
    EXPECT_LT(rect.left, 5000);
    EXPECT_LT(rect.top, 5000);
    EXPECT_EQ(rect.right - rect.left, 400);
}

class NonsenseSettingsTest : public DesignerTest {
    void BeforeStart() override {
        std::FILE* file = std::fopen(dir.File("Settei.ini").c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fputs("[MainWindow]\r\nShowCmd=0\r\nLeft=abc\r\nTop=50\r\nRight=20\r\n", file);
        std::fclose(file);
    }
};

TEST_F(NonsenseSettingsTest, NonsenseGivesTheDefaultsForWhatCannotBeRead) {
    const platform::WindowPlacement placement =
        platform::GetWindowPlacement(WinMain::GetMainWindow());
    EXPECT_EQ(placement.showCmd, platform::ShowNormal);
    EXPECT_TRUE(platform::IsWindowVisible(WinMain::GetMainWindow()));
    EXPECT_EQ(placement.normalPosition.left, 100);
    EXPECT_EQ(placement.normalPosition.right, 300);
}

class StartFileTest : public DesignerTest {
    const char* StartFile() override { return "absent.cus"; }
};

TEST_F(StartFileTest, ACourseThatCannotBeOpenedStartsEmptyAfterTheMessage) {
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "ファイルのオープンに失敗");
    EXPECT_EQ(boxes[0].title, "Error");
    EXPECT_EQ(CourseData::GetPointNum(), 0);
}

TEST(ColourDepthTest, AnyDepthButSixteenIsRefusedWithStatusZeroAndNothingWritten) {
    const std::filesystem::path start = DeathTestDirectory();
    CurrentDir inDir(start);
    // Start-up reads the texture before the check; without it the error log would be written.
    std::filesystem::copy_file(VELMORA_SOURCE_DIR "/resources/Texture.bmp", start / "Texture.bmp",
                               std::filesystem::copy_options::overwrite_existing);
    EXPECT_EXIT(
        {
            setenv("VELMORA_COLOR_BITS", "24", 1);
            platform::SetMessageBoxResponder(
                [](std::string_view text, std::string_view title, platform::MessageBoxButtons) {
                    std::fprintf(stderr, "%.*s|%.*s\n", static_cast<int>(text.size()), text.data(),
                                 static_cast<int>(title.size()), title.data());
                    return static_cast<int>(platform::AnswerOk);
                });
            WinMain::StartUp(nullptr);
        },
        ::testing::ExitedWithCode(0), "システムのカラービットを16ビットにしてください!!\\|Error");
    std::filesystem::remove(start / "Texture.bmp");
    EXPECT_TRUE(std::filesystem::is_empty(start));
}
