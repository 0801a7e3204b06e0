#include "app/WinMain.h"
#include "model/CourseData.h"
#include "platform/Application.h"
#include "platform/Profile.h"
#include "platform/Windows.h"
#include "support/DesignerFixture.h"

#include <QGuiApplication>
#include <QScreen>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

class StartUpTest : public DesignerTest {
protected:
    // Closes the designer, leaves these lines as the stored placement, if any, and starts
    // it again, on the course file if one is given.
    void Restart(const char* placement = nullptr, const char* course = nullptr) {
        ASSERT_TRUE(CloseMainWindow());
        WinMain::ShutDown();
        started = false;
        if (placement != nullptr) {
            const std::string text = std::string("[MainWindow]\r\n") + placement;
            WriteBytes(dir.File("Settei.ini"), {text.begin(), text.end()});
        }
        ASSERT_TRUE(WinMain::StartUp(course));
        started = true;
    }
};

platform::Rect AvailableScreen() {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    return {area.left(), area.top(), area.left() + area.width(), area.top() + area.height()};
}

std::string Corners(const platform::Rect& rect) {
    return std::to_string(rect.left) + "," + std::to_string(rect.top) + "," +
           std::to_string(rect.right) + "," + std::to_string(rect.bottom);
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

// The first start, without settings, and a placement that cannot be read give the
// defaults; one off every screen or larger than the screen (plausible numbers, yet
// gigabytes of view surfaces) is fitted to it; a stored minimised state opens normal. Nor
// can the window grow beyond the screen later. Closing writes the placement that the
// next start restores.
TEST_F(StartUpTest, AStoredPlacementIsRestoredAsFarAsTheScreenAllows) {
    const struct {
        const char* stored;
        int showCmd;
        const char* corners; // "": anywhere on the screen
        int width, height;   // 0: any size that fits
    } rows[] = {
        {nullptr, platform::ShowNormal, "100,100,300,200", 0, 0},
        {"ShowCmd=3\r\nLeft=10\r\nTop=20\r\nRight=410\r\nBottom=320\r\n", platform::ShowMaximized,
         "10,20,410,320", 0, 0},
        {"ShowCmd=2\r\nLeft=10\r\nTop=20\r\nRight=410\r\nBottom=320\r\n", platform::ShowNormal,
         "10,20,410,320", 0, 0},
        {"ShowCmd=0\r\nLeft=abc\r\nTop=50\r\nRight=20\r\n", platform::ShowNormal, "100,100,300,200",
         0, 0},
        {"Left=90000\r\nTop=90000\r\nRight=90400\r\nBottom=90300\r\n", platform::ShowNormal, "",
         400, 300},
        {"Left=0\r\nTop=0\r\nRight=100000\r\nBottom=100000\r\n", platform::ShowNormal, "", 0, 0},
        {"Left=10\r\nTop=20\r\nRight=410\r\nBottom=100100\r\n", platform::ShowNormal,
         "100,100,300,200", 0, 0},
        {"ShowCmd=3\r\nLeft=0\r\nTop=0\r\nRight=10000\r\nBottom=10000\r\n", platform::ShowMaximized,
         "", 0, 0},
    };
    const platform::Rect screen = AvailableScreen();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.stored != nullptr ? row.stored : "no settings");
        if (row.stored != nullptr) {
            Restart(row.stored);
        }
        const platform::WindowHandle window = WinMain::GetMainWindow();
        const platform::WindowPlacement placement = platform::GetWindowPlacement(window);
        const platform::Rect& rect = placement.normalPosition;
        EXPECT_EQ(placement.showCmd, row.showCmd);
        EXPECT_TRUE(platform::IsWindowVisible(window));
        ExpectWithin(rect, screen);
        if (*row.corners != '\0') {
            EXPECT_EQ(Corners(rect), row.corners);
        }
        if (row.width != 0) {
            EXPECT_EQ(rect.right - rect.left, row.width);
            EXPECT_EQ(rect.bottom - rect.top, row.height);
        }
        platform::MoveWindow(window, 0, 0, 40000, 40000);
        ExpectWithin(platform::GetWindowPlacement(window).normalPosition, screen);
    }

    platform::WindowPlacement moved;
    moved.normalPosition = {40, 50, 640, 530};
    platform::SetWindowPlacement(WinMain::GetMainWindow(), moved);
    Restart();
    const std::string settings = dir.File("Settei.ini");
    for (const auto& [key, value] :
         {std::pair{"Length", 44}, {"ShowCmd", 1}, {"Left", 40}, {"Top", 50}, {"Bottom", 530}}) {
        EXPECT_EQ(Profile::GetInt(settings, "MainWindow", key, 0), value) << key;
    }
    EXPECT_EQ(Corners(platform::GetWindowPlacement(WinMain::GetMainWindow()).normalPosition),
              "40,50,640,530");
}

TEST_F(StartUpTest, ACourseThatCannotBeOpenedStartsEmptyAfterTheMessage) {
    Restart(nullptr, "absent.cus");
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
