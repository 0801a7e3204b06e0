#include "app/WinMain.h"
#include "model/CourseData.h"
#include "support/DesignerFixture.h"

#include <QLabel>
#include <QStatusBar>

namespace {
using enum WinMain::MenuCommand;

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;

enum { RecoveryTimer = 1 };

const std::string TwoPoints = VELMORA_SOURCE_DIR "/tests/data/two-point/course.cus";
const char* const Question = "前回の作業は保存されずに終了しました。復元しますか?";

// A designer that ended without cleaning up left a copy of a course from "track.cus",
// with `extra` bytes after its records; its lock went with it.
class RecoveryCopyTest : public DesignerTest {
protected:
    void BeforeStart() override {
        Bytes copy = ReadBytes(TwoPoints);
        const std::string name = dir.File("track.cus");
        copy.insert(copy.end(), name.begin(), name.end());
        copy.resize(copy.size() + extra, 0);
        WriteBytes(dir.File("Recovery-1-1.cus"), copy);
        boxAnswers = {platform::AnswerYes};
    }

    std::vector<fs::path> Copies() const {
        std::vector<fs::path> copies;
        for (const auto& entry : fs::directory_iterator(dir.Path())) {
            if (entry.path().filename().string().starts_with("Recovery-") &&
                entry.path().extension() != ".lock") {
                copies.push_back(entry.path().filename());
            }
        }
        return copies;
    }

    void Timer() {
        platform::MessageArgs args;
        args.code = RecoveryTimer;
        platform::SendMessage(WinMain::GetMainWindow(), platform::Message::Timer, args);
    }

    std::size_t extra = 0;
};

TEST_F(RecoveryCopyTest, TheLeftCopyIsOfferedAndComesBackChangedUnderItsFilesName) {
    ASSERT_EQ(boxes.size(), 1U);
    EXPECT_EQ(boxes[0].text, Question);
    // Taken, the course is the copy's, changed, and this designer's own copy holds it in
    // place of the old one.
    EXPECT_EQ(CourseData::SaveToBytes(), ReadBytes(TwoPoints));
    EXPECT_EQ(CourseData::IsChanged(), 1);
    const auto copies = Copies();
    ASSERT_EQ(copies.size(), 1U);
    EXPECT_NE(copies[0], "Recovery-1-1.cus");
    const auto* status = MainFrame()->findChild<QStatusBar*>()->findChild<QLabel*>();
    EXPECT_EQ(status->text().toStdString(), "track.cus *    ツール: 編集");

    // Saving goes to that file at once and leaves no copy; a later change writes one
    // again when its moment comes.
    Command(SaveCommand);
    EXPECT_TRUE(dialogs.empty());
    EXPECT_EQ(ReadBytes(dir.File("track.cus")), ReadBytes(TwoPoints));
    EXPECT_TRUE(Copies().empty());
    CourseData::AddPoint(50, 0, 50);
    platform::SetCapture(WinMain::GetMainWindow()); // as a drag holds the mouse
    Timer();
    EXPECT_TRUE(Copies().empty());
    platform::ReleaseCapture();
    Timer();
    ASSERT_EQ(Copies().size(), 1U);
    EXPECT_EQ(ReadBytes(dir.File(Copies()[0].string())).size(),
              288U + 124U + dir.File("track.cus").size());
}

// The copy left with `Extra` bytes after it, the offer answered so.
template <int Answer, std::size_t Extra> class AnsweredCopyTest : public RecoveryCopyTest {
    void BeforeStart() override {
        extra = Extra;
        RecoveryCopyTest::BeforeStart();
        boxAnswers = {Answer};
    }
};
using DeclinedCopyTest = AnsweredCopyTest<platform::AnswerNo, 0>;
using CorruptCopyTest = AnsweredCopyTest<platform::AnswerYes, 5000>; // longer than any copy

TEST_F(DeclinedCopyTest, NoDiscardsTheCopy) {
    ASSERT_EQ(boxes.size(), 1U);
    EXPECT_EQ(CourseData::GetPointNum(), 0);
    EXPECT_TRUE(Copies().empty());
    Timer(); // nothing unsaved: still no copy
    EXPECT_TRUE(Copies().empty());
}

TEST_F(CorruptCopyTest, IsReportedAndSetAsideNeverLoaded) {
    ASSERT_EQ(boxes.size(), 1U);
    EXPECT_EQ(boxes[0].title, "Error");
    EXPECT_NE(boxes[0].text.find(dir.File("Recovery-1-1.cus.corrupt")), std::string::npos);
    EXPECT_EQ(CourseData::GetPointNum(), 0);
    EXPECT_EQ(Copies(), std::vector<fs::path>{"Recovery-1-1.cus.corrupt"});
}

} // namespace
