#include "app/WinMain.h"
#include "model/CourseData.h"
#include "support/DesignerFixture.h"

#include <QAction>
#include <QApplication>
#include <QProgressDialog>
#include <QTest>
#include <cstdlib>

namespace {
using enum WinMain::MenuCommand;

const std::string Sample = VELMORA_SOURCE_DIR "/resources/samples/circuit.cus";

// The test drive's progress box, while it is up.
QProgressDialog* ProgressBox() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* box = qobject_cast<QProgressDialog*>(widget);
            box != nullptr && box->isVisible()) {
            return box;
        }
    }
    return nullptr;
}

class TorcsTestDriveTest : public DesignerTest {
protected:
    void SetUp() override {
        DesignerTest::SetUp();
        ASSERT_EQ(CourseData::Load(Sample.c_str()), 0);
    }
    void TearDown() override {
        unsetenv("VELMORA_TORCS_PREFIX");
        DesignerTest::TearDown();
    }
    // Lets the designer run until the drive is over: its menu item is back.
    bool DriveEnded() {
        const QAction* item = MainFrame()->findChild<QAction*>(QString::number(TestDriveCommand));
        return QTest::qWaitFor([item] { return item->isEnabled(); }, 60000);
    }
};

// The drive runs while the designer stays in use, showing its progress, and ends with
// the lap times in a box.
TEST_F(TorcsTestDriveTest, ShowsProgressThenTheLapTimes) {
    Command(TestDriveCommand);
    if (!boxes.empty() && boxes.back().text.find("インストール") != std::string::npos) {
        GTEST_SKIP() << "TORCS is not installed";
    }
    QProgressDialog* box = ProgressBox();
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(box->isModal());
    Command(TestDriveCommand); // a second drive does not start while one runs
    ASSERT_TRUE(DriveEnded());
    EXPECT_EQ(ProgressBox(), nullptr);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title, "TORCSで試走");
    for (const char* line : {"TORCSで試走しました(berniw、2周)", "1周目: ", "2周目: ",
                             "ベストラップ: ", "最高速度: ", " km/h", "コースの長さ: "}) {
        EXPECT_NE(boxes[0].text.find(line), std::string::npos) << boxes[0].text;
    }
}

TEST_F(TorcsTestDriveTest, CancelStopsTheDriveWithoutAResult) {
    Command(TestDriveCommand);
    QProgressDialog* box = ProgressBox();
    if (box == nullptr) {
        GTEST_SKIP() << "TORCS is not installed";
    }
    box->cancel();
    ASSERT_TRUE(DriveEnded());
    EXPECT_EQ(ProgressBox(), nullptr);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(TorcsTestDriveTest, SaysHowToInstallTorcsWhenItIsMissing) {
    setenv("VELMORA_TORCS_PREFIX", dir.File("nowhere").c_str(), 1);
    Command(TestDriveCommand);
    EXPECT_EQ(ProgressBox(), nullptr);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].text.find("sudo apt-get install torcs"), std::string::npos);
}

} // namespace
