#include "platform/HWNDDataBase.h"

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

} // namespace
