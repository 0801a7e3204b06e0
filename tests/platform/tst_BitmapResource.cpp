#include "platform/BitmapResource.h"
#include "support/TempDir.h"

#include <filesystem>
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
    ExpectPicture(
        DecodeBitmap(ReadBytes(VELMORA_TEST_DATA "/bitmaps/top-down/TEST_PICTURE.bmp")).get());
}

// Each file is TEST_PICTURE.bmp with one thing wrong, named after it.
TEST(BitmapResource, RefusesFilesItCannotRead) {
    int refused = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(VELMORA_TEST_DATA "/bitmaps/refused")) {
        EXPECT_EQ(DecodeBitmap(ReadBytes(entry.path().string())), nullptr)
            << entry.path().filename();
        ++refused;
    }
    EXPECT_EQ(refused, 15);
}

} // namespace
