// The toolkit's own dialogs as the designer shows them: typed into and answered through
// their widgets, the way a person would.

#include "app/WinMain.h"
#include "model/CourseData.h"
#include "platform/Profile.h"
#include "support/DesignerFixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <functional>

namespace {

enum { SaveAsCommand = 119, ExportCommand = 120 };

// Runs the action on the next modal window of type Dialog once it is up, while the caller
// is inside that window's own event loop.
template <typename Dialog> void WhenShown(std::function<void(Dialog&)> action) {
    QTimer::singleShot(10, [action]() {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
            action(*dialog);
        } else {
            WhenShown(action);
        }
    });
}

void TypeName(QFileDialog& dialog, const char* name) {
    auto* edit = dialog.findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(edit, nullptr);
    edit->clear();
    QTest::keyClicks(edit, name);
    QTest::keyClick(edit, Qt::Key_Return);
}

QString ButtonText(QMessageBox& box, QMessageBox::StandardButton which) {
    QAbstractButton* button = box.button(which);
    return button != nullptr ? button->text() : QString();
}

// Whether the file dialog asked before replacing a file, answered as the test says.
struct OverwriteQuestion {
    bool asked = false;
    void AnswerWith(QMessageBox::StandardButton answer) {
        WhenShown<QMessageBox>([this, answer](QMessageBox& box) {
            asked = true;
            box.button(answer)->click();
        });
    }
};

class RealDialogTest : public DesignerTest {
protected:
    void SetUp() override {
        DesignerTest::SetUp();
        platform::SetFileDialogResponder({});
        CourseData::AddPoint(10, 0, 20);
        CourseData::AddPoint(30, 0, 40);
    }
};

// A bare name lands in the folder the dialog opens in: the start directory first, and the
// folder that dialog remembers afterwards. A file that exists is replaced only when the
// user agrees; refused, the dialog stays open for another name.
TEST_F(RealDialogTest, ATypedNameIsSavedWhereTheDialogOpensAndReplacesAFileOnlyWhenAllowed) {
    WhenShown<QFileDialog>([](QFileDialog& dialog) { TypeName(dialog, "mytrack.cus"); });
    WinMain::SaveCourseAs(WinMain::GetMainWindow());
    EXPECT_TRUE(std::filesystem::is_regular_file(dir.File("mytrack.cus")));
    const std::string settings = dir.File("Settei.ini");
    EXPECT_EQ(Profile::GetString(settings, "CourseFileSave", "LoadFileDir", ""),
              dir.Path().string());

    WriteBytes(dir.File("mytrack.cus"), {'k', 'e', 'e', 'p'});
    OverwriteQuestion question;
    WhenShown<QFileDialog>([&question](QFileDialog& dialog) {
        question.AnswerWith(QMessageBox::No);
        TypeName(dialog, "mytrack.cus");
        WhenShown<QFileDialog>([](QFileDialog& stillOpen) { stillOpen.reject(); });
    });
    EXPECT_EQ(WinMain::SaveCourseAs(WinMain::GetMainWindow()), 1);
    EXPECT_TRUE(question.asked);
    EXPECT_EQ(ReadText(dir.File("mytrack.cus")), "keep");

    std::filesystem::create_directories(dir.Path() / "meshes");
    Profile::WriteString(settings, "CobFileSave", "LoadFileDir", dir.File("meshes"));
    WriteBytes(dir.File("meshes/mytrack.cob"), {'k', 'e', 'e', 'p'});
    OverwriteQuestion again;
    WhenShown<QFileDialog>([&again](QFileDialog& dialog) {
        again.AnswerWith(QMessageBox::Yes);
        TypeName(dialog, "mytrack.cob");
    });
    EXPECT_EQ(WinMain::ExportCourseAs(WinMain::GetMainWindow()), 0);
    EXPECT_TRUE(again.asked);
    EXPECT_NE(ReadText(dir.File("meshes/mytrack.cob")), "keep");
}

TEST_F(RealDialogTest, TheSavePromptSpeaksJapaneseAndItsNoDiscards) {
    platform::SetMessageBoxResponder({});
    QString yes;
    QString no;
    QString cancel;
    WhenShown<QMessageBox>([&](QMessageBox& box) {
        yes = ButtonText(box, QMessageBox::Yes);
        no = ButtonText(box, QMessageBox::No);
        cancel = ButtonText(box, QMessageBox::Cancel);
        EXPECT_EQ(box.defaultButton(), box.button(QMessageBox::Yes));
        EXPECT_EQ(box.escapeButton(), box.button(QMessageBox::Cancel));
        box.button(QMessageBox::Cancel)->click();
    });
    EXPECT_EQ(WinMain::ConfirmDiscard(WinMain::GetMainWindow()), 1);
    EXPECT_TRUE(yes.startsWith(QString::fromUtf8("はい"))) << yes.toStdString();
    EXPECT_TRUE(no.startsWith(QString::fromUtf8("いいえ"))) << no.toStdString();
    EXPECT_TRUE(cancel.startsWith(QString::fromUtf8("キャンセル"))) << cancel.toStdString();

    WhenShown<QMessageBox>([](QMessageBox& box) { box.button(QMessageBox::No)->click(); });
    EXPECT_EQ(WinMain::ConfirmDiscard(WinMain::GetMainWindow()), 0) << "No discards the changes";
}

// The language is chosen when the toolkit starts, so a fresh process starts under the LANG
// set here.
TEST(ToolkitLanguage, FollowsLangWhereTheToolkitSpeaksIt) {
    const QByteArray previous = qgetenv("LANG");
    qputenv("LANG", "de_DE.UTF-8");
    EXPECT_EXIT(
        {
            QMessageBox box;
            box.setStandardButtons(QMessageBox::Yes);
            std::_Exit(ButtonText(box, QMessageBox::Yes) == "&Ja" ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
    qputenv("LANG", previous);
}

} // namespace
