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

TEST(StraightDataBase, KeepsRecordsInOrderThroughInsertsAndDeletes) {
    StraightDataBase db(sizeof(Record));
    for (int32_t tag : {10, 20, 30}) {
        const Record r{tag * 0.5, tag};
        db.AddData(&r);
    }
    const Record first{0.0, 1};
    const Record middle{0.0, 2};
    const Record last{0.0, 40};
    EXPECT_EQ(db.InsertData(&last, 3), 3); // at the count: appends
    db.DeleteData(3);
    EXPECT_EQ(db.InsertData(&first, 0), 0);
    EXPECT_EQ(db.InsertData(&middle, 2), 2);
    EXPECT_EQ(Tags(db), (std::vector<int32_t>{1, 10, 2, 20, 30}));
    db.DeleteData(2);
    db.DeleteData(0);
    db.DeleteData(2);
    EXPECT_EQ(Tags(db), (std::vector<int32_t>{10, 20}));
    Record read{};
    db.GetData(&read, 1);
    EXPECT_EQ(read.value, 10.0);
}

TEST(StraightDataBase, EmptiesAndStartsAgain) {
    StraightDataBase db(sizeof(Record));
    const Record r{1.0, 5};
    db.AddData(&r);
    db.DeleteData(0);
    EXPECT_EQ(db.GetDataNum(), 0);
    const Record again{2.0, 6};
    EXPECT_EQ(db.AddData(&again), 0);
    EXPECT_EQ(Tags(db), (std::vector<int32_t>{6}));
    db.Release();
    EXPECT_EQ(db.GetDataNum(), 0);
    EXPECT_EQ(db.AddData(&r), 0);
}

TEST(StraightDataBase, SetOverwritesOneRecord) {
    StraightDataBase db(sizeof(Record));
    const Record a{1.0, 1};
    const Record b{2.0, 2};
    db.AddData(&a);
    db.AddData(&a);
    db.SetData(&b, 1);
    EXPECT_EQ(Tags(db), (std::vector<int32_t>{1, 2}));
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
    EXPECT_REPORT(db.GetData(&out, -1), "StraightDataBase1", access);
    EXPECT_REPORT(db.DeleteData(1), "StraightDataBase1", access);
    // Writing past the block would corrupt memory, so a bad index is reported here too.
    EXPECT_REPORT(db.SetData(&r, 1), "StraightDataBase1", access);
}

} // namespace
