#include "model/StraightDataBase.h"
#include "support/ErrorLogCheck.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

struct Record {
    double value;
    int32_t tag;
};

std::vector<int32_t> Tags(const StraightDataBase& db) {
    std::vector<int32_t> tags;
    for (int i = 0; i < db.GetDataNum(); ++i) {
        Record r{};
        db.GetData(&r, i);
        tags.push_back(r.tag);
    }
    return tags;
}

TEST(StraightDataBase, KeepsRecordsInOrder) {
    StraightDataBase db(sizeof(Record));
    for (int32_t tag : {10, 20, 30}) {
        const Record r{tag * 0.5, tag};
        db.AddData(&r);
    }
    const Record r1{0.0, 1};
    const Record r2{0.0, 2};
    EXPECT_EQ(db.InsertData(&r1, 3), 3); // at the count: appends
    EXPECT_EQ(db.InsertData(&r2, 0), 0);
    db.SetData(&r2, 2);
    EXPECT_EQ(Tags(db), (std::vector<int32_t>{2, 10, 2, 30, 1}));
    db.DeleteData(2);
    db.DeleteData(0);
    EXPECT_EQ(Tags(db), (std::vector<int32_t>{10, 30, 1}));
    for (int i = 0; i < 3; ++i) {
        db.DeleteData(0);
    }
    EXPECT_EQ(db.AddData(&r1), 0); // emptied, then started again
    EXPECT_EQ(Tags(db), (std::vector<int32_t>{1}));
}

class StraightDataBaseReport : public ::testing::Test {
protected:
    TempDir dir;
    CurrentDir inDir{dir.Path()};
};

TEST_F(StraightDataBaseReport, IndexOutsideTheArrayEndsTheProgram) {
    StraightDataBase db(sizeof(Record));
    const Record r{1.0, 1};
    db.AddData(&r);
    Record out{};
    const char* insert = "範囲外にデータを挿入しようとした";
    const char* access = "範囲外のデータにアクセスしようとした";
    EXPECT_REPORT(db.InsertData(&r, 2), "StraightDataBase1", insert);
    EXPECT_REPORT(db.InsertData(&r, -1), "StraightDataBase1", insert);
    EXPECT_REPORT(db.GetData(&out, 1), "StraightDataBase1", access);
    EXPECT_REPORT(db.DeleteData(-1), "StraightDataBase1", access);
    // Writing past the block would corrupt memory, so a bad index is reported here too.
    EXPECT_REPORT(db.SetData(&r, 1), "StraightDataBase1", access);
}

} // namespace
