#include "app/WinMain.h"
#include "model/CourseData.h"
#include "platform/Profile.h"
#include "platform/Windows.h"
#include "support/DesignerFixture.h"

#include <QGuiApplication>
#include <QScreen>
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

platform::Rect AvailableScreen() {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    return {area.left(), area.top(), area.left() + area.width(), area.top() + area.height()};
}

// The window's own rectangle, without the frame the window system may add around it,
// lies on the area and is no larger than it.
void ExpectWithin(const platform::Rect& rect, const platform::Rect& area) {
    EXPECT_GE(rect.left, area.left);
    EXPECT_GE(rect.top, area.top);
    EXPECT_LT(rect.left, area.right);
    EXPECT_LT(rect.top, area.bottom);
    EXPECT_LE(rect.right - rect.left, area.right - area.left);
    EXPECT_LE(rect.bottom - rect.top, area.bottom - area.top);
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
    ExpectWithin(rect, AvailableScreen());
    EXPECT_EQ(rect.right - rect.left, 400);
    EXPECT_EQ(rect.bottom - rect.top, 300);
}

// Plausible numbers, yet a window of them would take gigabytes of surfaces.
class HugeStartTest : public DesignerTest {
    void BeforeStart() override { StorePlacement(dir.File("Settei.ini"), 1, 0, 0, 100000, 100000); }
};

TEST_F(HugeStartTest, AStoredPlacementIsFittedToTheScreen) {
    const platform::WindowHandle window = WinMain::GetMainWindow();
    const platform::Rect area = AvailableScreen();
    ExpectWithin(platform::GetWindowPlacement(window).normalPosition, area);
    const platform::Rect client = platform::GetClientRect(window);
    EXPECT_LE(client.right, area.right - area.left);
    EXPECT_LE(client.bottom, area.bottom - area.top);

    // Nor can it grow beyond the desktop later.
    platform::MoveWindow(window, 0, 0, 40000, 40000);
    const platform::Rect grown = platform::GetWindowPlacement(window).normalPosition;
    EXPECT_LE(grown.right - grown.left, area.right - area.left);
    EXPECT_LE(grown.bottom - grown.top, area.bottom - area.top);
}

class HugeMaximisedStartTest : public DesignerTest {
    void BeforeStart() override { StorePlacement(dir.File("Settei.ini"), 3, 0, 0, 10000, 10000); }
};

TEST_F(HugeMaximisedStartTest, AMaximisedStateStaysMaximisedWithItsNormalRectangleFitted) {
    const platform::WindowPlacement placement =
        platform::GetWindowPlacement(WinMain::GetMainWindow());
    EXPECT_EQ(placement.showCmd, platform::ShowMaximized);
    ExpectWithin(placement.normalPosition, AvailableScreen());
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
