#include "platform/Surface.h"
#include "render/BMPFile.h"
#include "support/TempDir.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

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

constexpr const char* notBitmap = "ﾋﾞｯﾄﾏｯﾌﾟでないﾌｧｲﾙをｵｰﾌﾟﾝした";

} // namespace

// Each file in bitmaps/decoded/ decodes to the picture its .txt beside it gives: the width and
// height, then the 0xRRGGBB colours top-down. The files cover rows of odd widths without their
// padding, 8-bit pixels through the colour table (black beyond a short one, only the first 256
// entries of a longer one), top-down files the right way up, and rows that start at the data
// offset or else end the file, after a colour table that follows the header however long.
TEST(BMPFile, ReadsThePixelsOfEveryLayout) {
    int decoded = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(VELMORA_TEST_DATA "/bitmaps/decoded")) {
        if (entry.path().extension() != ".bmp") {
            continue;
        }
        std::ifstream text(std::filesystem::path(entry.path()).replace_extension(".txt"));
        int width = 0;
        int height = 0;
        text >> width >> height;
        std::vector<std::uint32_t> rgb;
        std::uint32_t colour = 0;
        while (text >> std::hex >> colour) {
            rgb.push_back(colour);
        }
        SCOPED_TRACE(entry.path().filename());
        ExpectPicture(ReadBytes(entry.path().string()), width, height, rgb);
        ++decoded;
    }
    EXPECT_EQ(decoded, 16);
}

// Each file under bitmaps/undecodable/ has one thing wrong, which the folder it lies in
// names: the message for it. Beyond the plain mistakes: a core header, whose fields are laid
// out differently; a header longer than the file; rows far beyond its end, one row more than
// it holds, two pixels more per row; width x height x bytes beyond 32 bits; used-colour
// counts the table does not hold, or beyond 256.
TEST(BMPFile, RefusesFilesThatDoNotFit) {
    const std::map<std::string, const char*> messages = {
        {"not-a-bitmap", notBitmap},
        {"compressed", "未圧縮ﾌｧｲﾙでないﾌｧｲﾙをｵｰﾌﾟﾝした"},
        {"colour-bits", "対応していないｶﾗｰﾋﾞｯﾄのﾌｧｲﾙ"}};
    int refused = 0;
    for (const auto& entry :
         std::filesystem::recursive_directory_iterator(VELMORA_TEST_DATA "/bitmaps/undecodable")) {
        if (entry.is_regular_file()) {
            BMPFile::Picture out;
            EXPECT_STREQ(BMPFile::Decode(ReadBytes(entry.path().string()), 24, out),
                         messages.at(entry.path().parent_path().filename().string()))
                << entry.path().filename();
            EXPECT_EQ(out.data, nullptr);
            ++refused;
        }
    }
    EXPECT_EQ(refused, 22);
    // Every truncation of the file, headers included.
    const Bytes picture = ReadBytes(VELMORA_TEST_DATA "/bitmaps/TEST_PICTURE.bmp");
    BMPFile::Picture out;
    for (std::size_t n = 0; n < picture.size(); ++n) {
        EXPECT_NE(BMPFile::Decode(Bytes(picture.begin(), picture.begin() + static_cast<long>(n)),
                                  24, out),
                  nullptr)
            << n;
    }
    EXPECT_STREQ(BMPFile::Decode(picture, 8, out), "対応していないカラービットに変換しようとした");
    EXPECT_STREQ(BMPFile::Decode(picture, 15, out), "対応していないカラービットに変換しようとした");
}
