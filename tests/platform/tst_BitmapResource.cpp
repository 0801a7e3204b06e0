#include "platform/BitmapResource.h"
#include "support/TempDir.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

// The tests' own compiled-in bitmaps (tests/data/bitmaps).
std::span<const platform::ResourceFile> TestResources();

namespace {

using platform::DecodeBitmap;
using platform::Rgb15;
using Bytes = std::vector<std::uint8_t>;

// TEST_PICTURE.bmp: 3 x 2 pixels, bottom-up rows of 12 bytes (9 of pixels) from byte 54.
Bytes Picture() {
    return ReadBytes(VELMORA_TEST_DATA "/bitmaps/TEST_PICTURE.bmp");
}

void Put32(Bytes& file, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        file[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

void ExpectPicture(const platform::Surface* s) {
    ASSERT_NE(s, nullptr);
    ASSERT_EQ(s->Width(), 3);
    ASSERT_EQ(s->Height(), 2);
    const platform::Colour15 expected[] = {Rgb15(255, 0, 0),    Rgb15(0, 255, 0),
                                           Rgb15(0, 0, 255),    Rgb15(255, 255, 255),
                                           Rgb15(200, 100, 50), 0};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(s->Pixel(i % 3, i / 3), expected[i]) << i;
    }
}

TEST(BitmapResource, CompiledInFilesAreFoundByNameWithoutExtension) {
    const auto bytes = platform::ResourceBytes("TEST_PICTURE", TestResources());
    EXPECT_EQ(Bytes(bytes.begin(), bytes.end()), Picture());
    ExpectPicture(platform::LoadBitmapResource("TEST_PICTURE", TestResources()).get());

    EXPECT_TRUE(platform::ResourceBytes("TEST_PICTURE.bmp", TestResources()).empty());
    EXPECT_EQ(platform::LoadBitmapResource("test_picture", TestResources()), nullptr);
    EXPECT_EQ(platform::LoadBitmapResource("NO_SUCH_BMP"), nullptr);
}

TEST(BitmapResource, ReadsTopDownRowsLikeBottomUpOnes) {
    Bytes topDown = Picture();
    Put32(topDown, 22, static_cast<std::uint32_t>(-2));
    std::swap_ranges(topDown.begin() + 54, topDown.begin() + 66, topDown.begin() + 66);
    ExpectPicture(DecodeBitmap(topDown).get());
}

TEST(BitmapResource, RefusesFilesItCannotRead) {
    // Not "BM", a later header version, 8 bits with a palette, 32 bits, two planes, run-length
    // compressed, no or a negative width, no height, rows beyond the end of the file, and pixels
    // said to start later or inside the headers.
    const std::pair<std::size_t, std::uint32_t> fields[] = {
        {0, 0x4D41},      {14, 108}, {26, 0x00080001}, {26, 0x00200001}, {26, 0x00180002},
        {30, 1},          {18, 0},   {18, 0xFFFFFFFD}, {22, 0},          {18, 0x7FFFFFFF},
        {22, 0x80000000}, {10, 60},  {10, 20}};
    const Bytes picture = Picture();
    for (auto [at, value] : fields) {
        Bytes file = picture;
        Put32(file, at, value);
        EXPECT_EQ(DecodeBitmap(file), nullptr) << at << ": " << value;
    }
    EXPECT_EQ(DecodeBitmap(Bytes(picture.begin(), picture.end() - 1)), nullptr);
    EXPECT_EQ(DecodeBitmap(Bytes(picture.begin(), picture.begin() + 53)), nullptr);
}

} // namespace
