#include "platform/BitmapHeader.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

std::uint32_t U32At(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
           std::uint32_t{bytes[at + 3]} << 24;
}

TEST(BitmapHeader, WrittenHeadersReadBackAndSizeTheFile) {
    std::vector<std::uint8_t> file = BitmapHeader::Write(3, -2, 16, 16);
    ASSERT_EQ(file.size(), BitmapHeader::HeadersSize);
    EXPECT_EQ(U32At(file, 2), 54u + 16u); // the whole file
    EXPECT_EQ(U32At(file, 34), 16u);      // the pixels alone
    const std::optional<BitmapHeader::Fields> read = BitmapHeader::Read(file);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->pixelOffset, 54u);
    EXPECT_EQ(read->infoSize, 40u);
    EXPECT_EQ(read->width, 3);
    EXPECT_EQ(read->height, -2);
    EXPECT_EQ(read->planes, 1);
    EXPECT_EQ(read->bitCount, 16);
    EXPECT_EQ(read->compression, 0u);
    EXPECT_EQ(read->coloursUsed, 0u);

    file[1] = 'A';
    EXPECT_FALSE(BitmapHeader::Read(file).has_value());
    file[1] = 'M';
    file.pop_back();
    EXPECT_FALSE(BitmapHeader::Read(file).has_value());
}

} // namespace
