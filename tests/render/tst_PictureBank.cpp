#include "platform/BitmapHeader.h"
#include "platform/Surface.h"
#include "render/PictureBank.h"
#include "support/ErrorLogCheck.h"
#include "support/TempDir.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <vector>

namespace {

// A 24-bit bitmap file of 0xRRGGBB pixels given top-down, its rows stored bottom-up and
// padded to four bytes.
std::vector<std::uint8_t> MakeBitmap24(int width, int height,
                                       const std::vector<std::uint32_t>& rgb) {
    const int rowBytes = (width * 3 + 3) & ~3;
    std::vector<std::uint8_t> file =
        BitmapHeader::Write(width, height, 24, static_cast<std::uint32_t>(rowBytes * height));
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t c = rgb[static_cast<std::size_t>(y * width + x)];
            file.push_back(static_cast<std::uint8_t>(c));
            file.push_back(static_cast<std::uint8_t>(c >> 8));
            file.push_back(static_cast<std::uint8_t>(c >> 16));
        }
        file.resize(file.size() + static_cast<std::size_t>(rowBytes - width * 3), 0);
    }
    return file;
}

using namespace PictureBank;
using platform::Rgb15;

constexpr const char* Tag = "PictureBank1";

// 0xRRGGBB with components that are multiples of 8, so that 15 bits hold them exactly.
constexpr std::uint32_t Red = 0xF80000;
constexpr std::uint32_t Teal = 0x0890D8;
constexpr std::uint32_t Olive = 0x808000;

std::uint16_t Word(std::uint32_t rgb) {
    return Rgb15(rgb >> 16 & 255, rgb >> 8 & 255, rgb & 255);
}

class PictureBankTest : public ScratchDirTest {
protected:
    void TearDown() override { Release(); }

    void WriteBitmap(const char* name, int width, int height, std::uint32_t fill = Teal) {
        WriteBytes(name, MakeBitmap24(width, height,
                                      std::vector<std::uint32_t>(
                                          static_cast<std::size_t>(width * height), fill)));
    }
};

TEST_F(PictureBankTest, An8BitBankPutsTheMostFrequentColoursFirst) {
    // Red four times, Olive and Teal twice each: Teal, the lower 15-bit value, comes first.
    WriteBytes("a.bmp", MakeBitmap24(4, 1, {Red, Olive, Red, Teal}));
    WriteBytes("b.bmp", MakeBitmap24(2, 2, {Red, Teal, Red, Olive}));
    Initialize(8);
    Register("a.bmp");
    Register("b.bmp");
    Decide();
    const Palette& palette = GetPalette();
    const auto rgb = [&](int i) {
        const PaletteEntry& e = palette[static_cast<std::size_t>(i)];
        EXPECT_EQ(e.reserved, 0);
        return std::uint32_t{e.red} << 16 | e.green << 8 | e.blue;
    };
    // Then the unused colours from 15-bit value 0 up: 0, then blue 1 (8), blue 2 (16), ... and
    // at 254 value 250 (green 7, blue 26).
    const std::pair<int, std::uint32_t> entries[] = {{0, 0},          {1, Red},       {2, Teal},
                                                     {3, Olive},      {4, 0},         {5, 0x000008},
                                                     {254, 0x0038D0}, {255, 0xFFFFFF}};
    for (const auto& [index, colour] : entries) {
        EXPECT_EQ(rgb(index), colour) << index;
    }
    std::uint8_t r = 0, g = 0, b = 0;
    GetPaletteColor(2, r, g, b);
    EXPECT_EQ((std::vector<int>{r, g, b}), (std::vector<int>{0x08, 0x90, 0xD8}));

    // Pictures become palette indexes, half their size.
    std::int32_t width = 0, height = 0;
    std::uint32_t size = 0;
    std::uint8_t flags = 0;
    const std::uint8_t* data = GetImage(0, width, height, size, flags);
    EXPECT_EQ(std::vector<std::uint8_t>(data, data + size),
              (std::vector<std::uint8_t>{1, 3, 1, 2}));
    EXPECT_EQ(GetColorBits(), 8);

    // The index table names the nearest entry. Teal is red 1, green 18, blue 27.
    EXPECT_EQ(GetPaletteIndex(Word(Teal)), 2);
    EXPECT_EQ(GetPaletteIndex(1 << 10 | 17 << 5 | 28), 2);
    EXPECT_EQ(GetPaletteIndex(0), 0); // black is entry 0 and, as value 0, entry 4: the lower wins
    EXPECT_EQ(GetPaletteIndex(1), 5);
    EXPECT_EQ(GetPaletteIndex(0x7FFF), 255);
    EXPECT_EQ(GetPaletteIndex(8 << 10), 0); // dark red: nothing nearer than black
}

// Upper-case extensions count, and only three characters after the dot.
TEST_F(PictureBankTest, AnUnusableTextureIsLoggedAndTheProgramGoesOn) {
    WriteBitmap("Texture.BMP", 4, 8);
    WriteBitmap("Wide.bmpx", 100, 64);
    WriteBytes("Broken.bmp", {'B', 'M', 0, 0});
    for (const int bits : {16, 8}) {
        RemoveErrorLog();
        Initialize(bits);
        EXPECT_EQ(RegisterTexture("Missing.bmp"), 0);
        EXPECT_EQ(RegisterTexture("Broken.bmp"), 1);
        EXPECT_EQ(RegisterTexture("Wide.bmpx"), 2);
        EXPECT_EQ(RegisterTexture("Texture.BMP"), 3);
        Decide();
        EXPECT_EQ(ReadErrorLog(),
                  ExpectedLogLine("BMPFile1", "ファイルのオープンに失敗") +
                      ExpectedLogLine("BMPFile1", "ﾋﾞｯﾄﾏｯﾌﾟでないﾌｧｲﾙをｵｰﾌﾟﾝした") +
                      ExpectedLogLine(Tag, "2のN乗ﾃﾞｰﾀでないのに２のN乗ﾃﾞｰﾀを獲得しようとした"));
        EXPECT_FALSE(HasPow2Data(0));
        EXPECT_FALSE(HasPow2Data(1));
        EXPECT_FALSE(HasPow2Data(2));
        ASSERT_TRUE(HasPow2Data(3));
        std::int32_t log2w = 0, log2h = 0;
        EXPECT_NE(GetPow2Data(3, log2w, log2h), nullptr);
        EXPECT_EQ(log2w, 2);
        EXPECT_EQ(log2h, 3);
        std::int32_t width = 1, height = 1;
        std::uint32_t size = 1;
        std::uint8_t flags = 1;
        EXPECT_EQ(GetImage(0, width, height, size, flags), nullptr);
        EXPECT_EQ(width, 0);
        EXPECT_EQ(size, 0u);
        EXPECT_EQ(flags, 0);
        Release();
    }
    // The only registration may fail too: the bank still decides.
    Initialize(16);
    RegisterTexture("Missing.bmp");
    Decide();
    EXPECT_EQ(GetCount(), 1);
}

} // namespace
