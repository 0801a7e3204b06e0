#include "base/Error.h"
#include "platform/BitmapHeader.h"
#include "platform/Surface.h"
#include "render/BMPFile.h"
#include "support/ErrorLogCheck.h"
#include "support/InChild.h"
#include "support/TempDir.h"

#include <cstdint>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <tuple>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

namespace {

// A bitmap file as a writer lays it out: headers, colour table, then the rows bottom-up,
// each padded to 4 bytes. Pixels are given top-down: 0xRRGGBB for 24 bits, an index for 8.
struct BitmapPlan {
    std::int32_t width;
    std::int32_t height; // negative: the file stores its rows top-down
    int bits = 24;
    std::vector<std::uint32_t> pixels;
    std::vector<std::uint32_t> table; // 0xRRGGBB entries of an 8-bit file
    std::uint32_t used = 0;           // the header's used-colour count
};

void Put32(Bytes& file, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        file[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

void PutBgr(Bytes& file, std::uint32_t rgb) {
    file.push_back(static_cast<std::uint8_t>(rgb));
    file.push_back(static_cast<std::uint8_t>(rgb >> 8));
    file.push_back(static_cast<std::uint8_t>(rgb >> 16));
}

Bytes MakeBitmap(const BitmapPlan& plan) {
    const int rows = std::abs(plan.height);
    const int rowBytes = (plan.width * plan.bits / 8 + 3) & ~3;
    Bytes file = BitmapHeader::Write(plan.width, plan.height, static_cast<std::uint16_t>(plan.bits),
                                     static_cast<std::uint32_t>(rowBytes * rows));
    Put32(file, 46, plan.used);
    for (const std::uint32_t rgb : plan.table) {
        PutBgr(file, rgb);
        file.push_back(0);
    }
    Put32(file, 10, static_cast<std::uint32_t>(file.size()));
    for (int r = 0; r < rows; ++r) {
        const int y = plan.height < 0 ? r : rows - 1 - r;
        for (int x = 0; x < plan.width; ++x) {
            const std::uint32_t p = plan.pixels[static_cast<std::size_t>(y * plan.width + x)];
            if (plan.bits == 24) {
                PutBgr(file, p);
            } else {
                file.push_back(static_cast<std::uint8_t>(p));
            }
        }
        file.resize(file.size() + static_cast<std::size_t>(rowBytes - plan.width * plan.bits / 8),
                    0xEE);
    }
    return file;
}

Bytes Make24(std::int32_t width, std::int32_t height, const std::vector<std::uint32_t>& rgb) {
    return MakeBitmap({width, height, 24, rgb, {}, 0});
}

// The expected pixel array for 0xRRGGBB colours, top-down.
Bytes Expected(const std::vector<std::uint32_t>& rgb, int depth) {
    Bytes out;
    for (const std::uint32_t c : rgb) {
        if (depth == 16) {
            const platform::Colour15 w = platform::Rgb15(c >> 16 & 255, c >> 8 & 255, c & 255);
            out.push_back(static_cast<std::uint8_t>(w));
            out.push_back(static_cast<std::uint8_t>(w >> 8));
        } else {
            out.push_back(static_cast<std::uint8_t>(c >> 16));
            out.push_back(static_cast<std::uint8_t>(c >> 8));
            out.push_back(static_cast<std::uint8_t>(c));
        }
    }
    return out;
}

// Decodes in both depths and compares with the colours, top-down.
void ExpectPicture(const Bytes& file, int width, int height,
                   const std::vector<std::uint32_t>& rgb) {
    for (const int depth : {16, 24}) {
        BMPFile::Picture picture;
        ASSERT_EQ(BMPFile::Decode(file, depth, picture), nullptr) << depth;
        EXPECT_EQ(picture.width, width);
        EXPECT_EQ(picture.height, height);
        const Bytes expected = Expected(rgb, depth);
        ASSERT_EQ(picture.size, expected.size()) << depth;
        EXPECT_EQ(Bytes(picture.data.get(), picture.data.get() + picture.size), expected) << depth;
    }
}

const std::vector<std::uint32_t> ThreeByTwo = {0xFF0000, 0x00FF00, 0x0000FF,
                                               0xFFFFFF, 0xC86432, 0x000000};

constexpr const char* notBitmap = "ﾋﾞｯﾄﾏｯﾌﾟでないﾌｧｲﾙをｵｰﾌﾟﾝした";

using BMPFileTest = ScratchDirTest;

// Rows of odd widths without their padding, 8-bit pixels through the colour table (black
// beyond a short one), and top-down files the right way up.
TEST(BMPFile, ReadsThePixelsOfEveryLayout) {
    std::vector<std::uint32_t> wide;
    for (std::uint32_t i = 0; i < 7 * 3; ++i) {
        wide.push_back(i * 0x0B0D11);
    }
    std::vector<std::uint32_t> full = {0x000000, 0xFF8000, 0x102030, 0xFFFFFF};
    full.resize(256, 0x777777);
    full[255] = 0x0000FF;
    const std::vector<std::uint32_t> indexes = {1, 2, 3, 0, 255, 2, 1, 1, 3, 3};
    std::vector<std::uint32_t> indexed;
    for (const std::uint32_t i : indexes) {
        indexed.push_back(full[i]);
    }
    // A table longer than 256 entries: only the first 256 can be named by a pixel.
    std::vector<std::uint32_t> longTable(300, 0x0000FF);
    longTable[255] = 0x00FFFF;
    const std::vector<std::uint32_t> rgb = {0xFF0000, 0x00FF00, 0x0000FF};
    const std::pair<BitmapPlan, std::vector<std::uint32_t>> cases[] = {
        {{3, 2, 24, ThreeByTwo, {}, 0}, ThreeByTwo},
        {{1, 3, 24, {0x123456, 0xABCDEF, 0x0810F8}, {}, 0}, {0x123456, 0xABCDEF, 0x0810F8}},
        {{7, 3, 24, wide, {}, 0}, wide},
        // Width 5: rows of 5 bytes padded to 8. A used-colour count of 0 means 256 entries.
        {{5, 2, 8, indexes, full, 0}, indexed},
        {{5, 2, 8, indexes, full, 256}, indexed},
        {{3, 2, 8, {0, 1, 2, 255, 1, 0}, {0xFF0000, 0x00FF00}, 2},
         {0xFF0000, 0x00FF00, 0, 0, 0x00FF00, 0xFF0000}},
        {{2, 1, 8, {255, 7}, longTable, 300}, {0x00FFFF, 0x0000FF}},
        {{3, -2, 24, ThreeByTwo, {}, 0}, ThreeByTwo},
        {{3, -2, 8, {2, 1, 0, 0, 1, 2}, rgb, 3},
         {0x0000FF, 0x00FF00, 0xFF0000, 0xFF0000, 0x00FF00, 0x0000FF}},
    };
    for (const auto& [plan, expected] : cases) {
        SCOPED_TRACE(testing::Message() << plan.width << " x " << plan.height << ", " << plan.bits);
        ExpectPicture(MakeBitmap(plan), plan.width, std::abs(plan.height), expected);
    }
}

// A colour table follows the information header however long that is.
TEST(BMPFile, RowsStartAtTheDataOffsetOrElseEndTheFile) {
    Bytes trailing = Make24(3, 2, ThreeByTwo);
    trailing.insert(trailing.end(), {1, 2, 3, 4, 5, 6, 7});
    ExpectPicture(trailing, 3, 2, ThreeByTwo);

    // An offset field that was not filled in, or points past the rows: the rows end the file.
    for (const std::uint32_t offset : {0u, 20u, 70u, 0xFFFFFFFFu}) {
        Bytes file = Make24(3, 2, ThreeByTwo);
        Put32(file, 10, offset);
        ExpectPicture(file, 3, 2, ThreeByTwo);
    }
    // An 8-bit file's offset inside its colour table is not taken either.
    Bytes file = MakeBitmap({2, 1, 8, {1, 0}, {0xFF0000, 0x00FF00}, 2});
    Put32(file, 10, 58);
    ExpectPicture(file, 2, 1, {0x00FF00, 0xFF0000});

    file = MakeBitmap({2, 1, 8, {1, 0}, {0xFF0000, 0x00FF00}, 2});
    // A 124-byte header: 84 more bytes before the table, the offset moved with them.
    file.insert(file.begin() + 54, 84, 0xAB);
    Put32(file, 14, 124);
    Put32(file, 10, 54 + 84 + 8);
    ExpectPicture(file, 2, 1, {0x00FF00, 0xFF0000});
}

TEST(BMPFile, RefusesFilesThatDoNotFit) {
    // Beyond the plain mistakes: a core header, whose fields are laid out differently; a width of
    // -3; a header longer than the file; rows far beyond its end; one row more than it holds; two
    // pixels more per row (16 bytes a row instead of 12).
    const char* compressed = "未圧縮ﾌｧｲﾙでないﾌｧｲﾙをｵｰﾌﾟﾝした";
    const char* bits = "対応していないｶﾗｰﾋﾞｯﾄのﾌｧｲﾙ";
    const std::tuple<std::size_t, std::uint32_t, const char*> fields[] = {
        {0, 0x4D41, notBitmap},      {30, 1, compressed},         {30, 3, compressed},
        {26, 0x00100001, bits},      {26, 0x00200001, bits},      {26, 0x00010001, bits},
        {14, 12, notBitmap},         {14, 0xFFFFFFF0, notBitmap}, {18, 0, notBitmap},
        {18, 0xFFFFFFFD, notBitmap}, {22, 0, notBitmap},          {18, 0x7FFFFFFF, notBitmap},
        {22, 0x7FFFFFFF, notBitmap}, {22, 0x80000000, notBitmap}, {22, 3, notBitmap},
        {18, 5, notBitmap}};
    const Bytes picture = Make24(3, 2, ThreeByTwo);
    for (const auto& [at, value, message] : fields) {
        Bytes file = picture;
        Put32(file, at, value);
        BMPFile::Picture out;
        EXPECT_STREQ(BMPFile::Decode(file, 16, out), message) << at << ": " << value;
        EXPECT_EQ(out.data, nullptr);
    }
    // Width x height x bytes beyond 32 bits, with a product that wraps to a small number.
    Bytes huge = picture;
    Put32(huge, 18, 0x10000);
    Put32(huge, 22, 0x10000);
    BMPFile::Picture out;
    EXPECT_STREQ(BMPFile::Decode(huge, 24, out), notBitmap);
    // Every truncation of the file, headers included.
    for (std::size_t n = 0; n < picture.size(); ++n) {
        EXPECT_NE(BMPFile::Decode(Bytes(picture.begin(), picture.begin() + static_cast<long>(n)),
                                  24, out),
                  nullptr)
            << n;
    }
    EXPECT_STREQ(BMPFile::Decode(picture, 8, out), "対応していないカラービットに変換しようとした");
    EXPECT_STREQ(BMPFile::Decode(picture, 15, out), "対応していないカラービットに変換しようとした");
    // Used-colour counts the table does not hold, or beyond 256.
    const Bytes indexed = MakeBitmap({2, 1, 8, {1, 0}, {0xFF0000, 0x00FF00}, 2});
    for (const std::uint32_t used : {3u, 0u, 257u, 0x40000000u, 0xFFFFFFFFu}) {
        Bytes file = indexed;
        Put32(file, 46, used);
        EXPECT_STREQ(BMPFile::Decode(file, 24, out), notBitmap) << used;
    }
}

// The picture bank's tests load regular files. A FIFO is refused like a missing file, not
// waiting for a writer. The report is expected, so the child may end with it.
TEST_F(BMPFileTest, LoadRefusesAFifo) {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint32_t size = 0;
    ASSERT_EQ(mkfifo("fifo.bmp", 0600), 0);
    RemoveErrorLog();
    EXPECT_EQ(InChild([&] {
                  Error::SetFatalHook(nullptr);
                  return BMPFile::Load("fifo.bmp", width, height, size, 16) ? 1 : 2;
              }),
              0);
    EXPECT_EQ(ReadErrorLog(), ExpectedLogLine("BMPFile1", "ファイルのオープンに失敗"));
}

} // namespace

// For the picture bank's tests: a 24-bit file of 0xRRGGBB pixels given top-down.
Bytes MakeBitmap24(int width, int height, const std::vector<std::uint32_t>& rgb) {
    return Make24(width, height, rgb);
}
