#include "model/StraightDataBase.h"

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
    const Record r3{0.0, 3};
    EXPECT_EQ(db.InsertData(&r1, 3), 3); // at the count: appends
    EXPECT_EQ(db.InsertData(&r3, 3), 3); // before the last: one record moves up
    EXPECT_EQ(db.InsertData(&r2, 0), 0);
    db.SetData(&r2, 2);
    EXPECT_EQ(Tags(db), (std::vector<int32_t>{2, 10, 2, 30, 3, 1}));
    db.DeleteData(4); // the one before the last
    db.DeleteData(2);
    db.DeleteData(0);
    EXPECT_EQ(Tags(db), (std::vector<int32_t>{10, 30, 1}));
    for (int i = 0; i < 3; ++i) {
        db.DeleteData(0);
    }
    EXPECT_EQ(db.AddData(&r1), 0); // emptied, then started again
    EXPECT_EQ(Tags(db), (std::vector<int32_t>{1}));
}

} // namespace
