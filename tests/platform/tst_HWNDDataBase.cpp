#include "platform/HWNDDataBase.h"
#include "support/ErrorLogCheck.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace {

// A record that owns something, to see when the table lets it go.
struct Record {
    std::string name;
    std::shared_ptr<int> held;
};

TEST(HWNDDataBase, FindsRecordsByHandleInInsertionOrderAndKeepsThemInPlace) {
    HWNDDataBase<Record> table;
    table.Init();
    table.Add(0xA0000001, {"a", nullptr});
    table.Add(0xB, {"b", nullptr});
    table.Add(0xC, {"c", nullptr});
    table.Remove(0xB);
    EXPECT_EQ(table.GetCount(), 2);
    EXPECT_EQ(table.HandleAt(1), 0xCU);
    EXPECT_EQ(table.At(0xC).name, "c");

    // A handle added twice: lookups and removal take the first entry.
    table.Add(0xC, {"second c", nullptr});
    table.At(0xC).name = "x";
    EXPECT_EQ(table.At(0xC).name, "x");
    table.Remove(0xC);
    EXPECT_EQ(table.At(0xC).name, "second c");
    EXPECT_EQ(table.At(0xA0000001).name, "a");
}

TEST(HWNDDataBase, RemovingOrReleasingLetsTheRecordsGo) {
    const auto held = std::make_shared<int>(1);
    HWNDDataBase<Record> table;
    table.Add(1, {"one", held});
    table.Add(2, {"two", held});
    EXPECT_EQ(held.use_count(), 3);
    table.Remove(1);
    EXPECT_EQ(held.use_count(), 2);
    table.Init(); // initialised again: empty, the old records gone
    EXPECT_EQ(table.GetCount(), 0);
    EXPECT_EQ(held.use_count(), 1);
    table.Add(3, {"three", held});
    table.Release();
    EXPECT_EQ(held.use_count(), 1);
}

class HWNDDataBaseReport : public ::testing::Test {
protected:
    TempDir dir;
    CurrentDir inDir{dir.Path()};
};

TEST_F(HWNDDataBaseReport, MisuseEndsTheProgram) {
    HWNDDataBase<Record> table;
    table.Add(1, {"a", nullptr});
    const char* unknown = "登録していないＨＷＮＤにアクセスしようとした";
    EXPECT_REPORT(table.At(2), "HWNDDataBase2", unknown);
    EXPECT_REPORT(table.Remove(2), "HWNDDataBase2", unknown);
    const char* range = "範囲外の番号でデータを獲得しようとした";
    EXPECT_REPORT(table.HandleAt(1), "HWNDDataBase2", range);
    EXPECT_REPORT(table.HandleAt(-1), "HWNDDataBase2", range);
}

} // namespace
