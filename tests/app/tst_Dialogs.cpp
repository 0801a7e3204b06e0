// The toolkit's own dialogs as the designer shows them: typed into and answered through
// their widgets, the way a person would.

#include "app/WinMain.h"
#include "model/CourseData.h"
#include "platform/Profile.h"
#include "support/DesignerFixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <functional>

namespace {

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

class RealDialogTest : public DesignerTest {
protected:
    void SetUp() override {
        DesignerTest::SetUp();
        platform::SetFileDialogResponder({});
        CourseData::AddPoint(10, 0, 20);
        CourseData::AddPoint(30, 0, 40);
    }
};

// A bare name lands in the folder the dialog opens in, the one it remembers. A file that
// exists is replaced only when the user agrees (the end-to-end editing session answers
// both ways, and saves into the start directory where nothing is remembered yet).
TEST_F(RealDialogTest, ATypedNameIsSavedWhereTheDialogOpensAndReplacesAFileOnlyWhenAllowed) {
    std::filesystem::create_directories(dir.Path() / "meshes");
    Profile::WriteString(dir.File("Settei.ini"), "CobFileSave", "LoadFileDir", dir.File("meshes"));
    WriteBytes(dir.File("meshes/mytrack.cob"), {'k', 'e', 'e', 'p'});
    bool asked = false;
    WhenShown<QFileDialog>([&asked](QFileDialog& dialog) {
        WhenShown<QMessageBox>([&asked](QMessageBox& box) {
            asked = true;
            box.button(QMessageBox::Yes)->click();
        });
        TypeName(dialog, "mytrack.cob");
    });
    EXPECT_EQ(WinMain::ExportCourseAs(WinMain::GetMainWindow()), 0);
    EXPECT_TRUE(asked);
    EXPECT_NE(ReadText(dir.File("meshes/mytrack.cob")), "keep");
}

// The export dialog gives a bare name the extension of the filter the user picks, and
// leaves a name that has one as typed.
TEST_F(RealDialogTest, ExportAddsTheChosenFiltersExtensionToABareName) {
    Profile::WriteString(dir.File("Settei.ini"), "ExchangeFileSave", "LoadFileDir",
                         dir.Path().string());
    std::filesystem::copy_file(VELMORA_SOURCE_DIR "/resources/Texture.bmp",
                               dir.File("Texture.bmp"));
    const auto exportAs = [](const char* name, int filterDowns) {
        WhenShown<QFileDialog>([name, filterDowns](QFileDialog& dialog) {
            auto* types = dialog.findChild<QComboBox*>("fileTypeCombo");
            ASSERT_NE(types, nullptr);
            for (int i = 0; i < filterDowns; ++i) {
                QTest::keyClick(types, Qt::Key_Down);
            }
            TypeName(dialog, name);
        });
        WinMain::ExportForEngines(WinMain::GetMainWindow());
    };
    exportAs("first", 0);
    exportAs("second", 2);
    exportAs("third.json", 1);
    EXPECT_TRUE(std::filesystem::exists(dir.File("first.glb")));
    EXPECT_TRUE(std::filesystem::exists(dir.File("second.obj")));
    EXPECT_TRUE(std::filesystem::exists(dir.File("second.mtl")));
    EXPECT_TRUE(std::filesystem::exists(dir.File("third.json")));
}

TEST_F(RealDialogTest, TheSavePromptSpeaksJapaneseAndItsNoDiscards) {
    platform::SetMessageBoxResponder({});
    QString buttons;
    WhenShown<QMessageBox>([&](QMessageBox& box) {
        buttons = ButtonText(box, QMessageBox::Yes) + "|" + ButtonText(box, QMessageBox::No) + "|" +
                  ButtonText(box, QMessageBox::Cancel);
        EXPECT_EQ(box.defaultButton(), box.button(QMessageBox::Yes));
        EXPECT_EQ(box.escapeButton(), box.button(QMessageBox::Cancel));
        box.button(QMessageBox::Cancel)->click();
    });
    EXPECT_EQ(WinMain::ConfirmDiscard(WinMain::GetMainWindow()), 1);
    EXPECT_TRUE(
        buttons.contains(QRegularExpression(QString::fromUtf8("^はい.*\\|いいえ.*\\|キャンセル"))))
        << buttons.toStdString();

    WhenShown<QMessageBox>([](QMessageBox& box) { box.button(QMessageBox::No)->click(); });
    EXPECT_EQ(WinMain::ConfirmDiscard(WinMain::GetMainWindow()), 0) << "No discards the changes";
}

// A refused OK shows the check's words and keeps the form open; Cancel gives nothing.
TEST_F(RealDialogTest, AFormShowsWhyItRefusesAndStaysOpen) {
    const std::vector<platform::FormField> fields{{"a", "1"}, {"b", "2"}};
    const auto check = [](const std::vector<std::string>& texts) {
        return texts[1] == "bad" ? std::string("b is bad") : std::string();
    };
    QString shown;
    bool keptOpen = false;
    WhenShown<QDialog>([&shown, &keptOpen](QDialog& form) {
        const QList<QLineEdit*> lines = form.findChildren<QLineEdit*>();
        lines[1]->setText("bad");
        auto* buttons = form.findChild<QDialogButtonBox*>();
        buttons->button(QDialogButtonBox::Ok)->click();
        shown = form.findChild<QLabel*>("problem")->text();
        keptOpen = form.isVisible();
        lines[1]->setText("good");
        buttons->button(QDialogButtonBox::Ok)->click();
    });
    const auto texts = platform::EditForm(WinMain::GetMainWindow(), "form", fields, check);
    EXPECT_EQ(shown, "b is bad");
    EXPECT_TRUE(keptOpen);
    EXPECT_EQ(texts, (std::vector<std::string>{"1", "good"}));
    WhenShown<QDialog>([](QDialog& form) { form.reject(); });
    EXPECT_FALSE(platform::EditForm(WinMain::GetMainWindow(), "form", fields, check));
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
