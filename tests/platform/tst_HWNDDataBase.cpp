#include "platform/HWNDDataBase.h"
#include "support/ErrorLogCheck.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

// An odd size, so that entries are 9 bytes apart and records sit unaligned.
struct Record {
    char name[5];
};

constexpr std::uint32_t Size = sizeof(Record);

TEST(HWNDDataBase, FindsRecordsByHandleInInsertionOrder) {
    HWNDDataBase table;
    table.Init(Size);
    const Record a{"a"}, b{"b"}, c{"c"};
    table.Add(&a, Size, 0xA0000001);
    table.Add(&b, Size, 0xB);
    table.Add(&c, Size, 0xC);
    table.Remove(0xB);
    Record out{};
    EXPECT_EQ(table.GetAt(&out, Size, 1), 0xCU);
    EXPECT_STREQ(out.name, "c");

    // A handle added twice: lookups and removal take the first entry.
    table.Add(&b, Size, 0xC);
    const Record changed{"x"};
    table.Set(&changed, Size, 0xC);
    table.Get(&out, Size, 0xC);
    EXPECT_STREQ(out.name, "x");
    table.GetAt(&out, Size, 2);
    EXPECT_STREQ(out.name, "b");
    table.Remove(0xC);
    EXPECT_EQ(table.GetAt(&out, Size, 1), 0xCU);
    EXPECT_STREQ(out.name, "b");

    for (std::uint32_t handle : {0xA0000001U, 0xCU}) {
        table.Remove(handle);
    }
    EXPECT_EQ(table.GetCount(), 0);
    table.Add(&a, Size, 7); // emptied, then used again
    table.Init(Size);       // initialised again: empty, the old entries freed
    EXPECT_EQ(table.GetCount(), 0);
}

class HWNDDataBaseReport : public ::testing::Test {
protected:
    TempDir dir;
    CurrentDir inDir{dir.Path()};
};

TEST_F(HWNDDataBaseReport, MisuseEndsTheProgram) {
    HWNDDataBase table;
    table.Init(Size);
    const Record a{"a"};
    table.Add(&a, Size, 1);
    Record out{};
    const char* size = "データサイズが異なるものを追加しようとした";
    EXPECT_REPORT(table.Add(&a, Size + 1, 2), "HWNDDataBase2", size);
    EXPECT_REPORT(table.Get(&out, Size - 1, 1), "HWNDDataBase2", size);
    EXPECT_REPORT(table.GetAt(&out, 0, 0), "HWNDDataBase2", size);
    const char* unknown = "登録していないＨＷＮＤにアクセスしようとした";
    EXPECT_REPORT(table.Get(&out, Size, 2), "HWNDDataBase2", unknown);
    EXPECT_REPORT(table.Remove(2), "HWNDDataBase2", unknown);
    const char* range = "範囲外の番号でデータを獲得しようとした";
    EXPECT_REPORT(table.GetAt(&out, Size, 1), "HWNDDataBase2", range);
    EXPECT_REPORT(table.GetAt(&out, Size, -1), "HWNDDataBase2", range);
}

} // namespace
