#include "support/CourseTest.h"
#include "views/PointForm.h"

#include <numbers>

namespace {

using PointFormTest = CourseTest;

TEST_F(PointFormTest, CheckNamesTheFirstFieldItRefuses) {
    AddPoints({{0, 0, 0}, {100, 0, 0}});
    const std::vector<std::string> shown = PointForm::Texts(1);
    EXPECT_EQ(shown, (std::vector<std::string>{"100", "0", "0", "0", "20", "20", "10"}));
    EXPECT_EQ(PointForm::Check(shown), "");
    struct Case {
        size_t field;
        const char* text;
        const char* problem;
    };
    const Case cases[] = {
        {0, " 12.5\t", ""},
        {0, "12,5", "「x」には数値を入力してください"},
        {2, "", "「z」には数値を入力してください"},
        {1, "-1e101", "「y (高さ)」の値が大きすぎます"},
        {3, "-180.5", "「バンク (度)」は -180 から 180 までです"},
        {5, "-0.1", "「幅B」には 0 以上の数値を入力してください"},
        {6, "2.5", "「サンプル数」には 0 から 100000 までの整数を入力してください"},
        {6, "100001", "「サンプル数」には 0 から 100000 までの整数を入力してください"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> texts = shown;
        texts[c.field] = c.text;
        EXPECT_EQ(PointForm::Check(texts), c.problem) << c.text;
    }
    EXPECT_NE(PointForm::Check({"1", "2"}), "");
}

// Widths are typed as the views show them, scaled; the bank in degrees.
TEST_F(PointFormTest, ApplySetsWhatWasTypedAndNothingElse) {
    AddPoints({{0, 0, 0}, {100, 0, 0}});
    CourseData::SetRoll(1, 0.1234567890123);
    CourseData::ChangeWidthScale(1.0);
    CourseData::SetHandle(1, CourseData::HandlePoint);
    const std::vector<unsigned char> before = CourseData::SaveToBytes();
    PointForm::Apply(1, PointForm::Texts(1));
    EXPECT_EQ(CourseData::SaveToBytes(), before);
    std::vector<std::string> texts = PointForm::Texts(1);
    texts[0] = "150";
    texts[3] = "-30";
    texts[4] = "50";
    texts[6] = "3";
    PointForm::Apply(1, texts);
    EXPECT_EQ(PositionOf(1).x, 150.0);
    double roll = 0.0;
    CourseData::GetRoll(1, roll);
    EXPECT_DOUBLE_EQ(roll, -std::numbers::pi / 6.0);
    EXPECT_EQ(WidthsOf(1)[0], 50.0);
    EXPECT_EQ(CourseData::GetSampleNum(1), 3);
}

} // namespace
