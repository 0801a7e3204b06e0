#include "platform/BitmapResource.h"

#include <algorithm>
#include <cstdlib>

namespace platform {
namespace {

constexpr std::size_t FileHeaderSize = 14;
constexpr std::uint32_t InfoHeaderSize = 40;

std::uint32_t ReadU32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
           std::uint32_t{bytes[at + 3]} << 24;
}

std::uint16_t ReadU16(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

// The header fields the reader needs; the file gives a negative height for top-down rows.
struct BitmapLayout {
    std::int64_t width;
    std::int64_t height;
    std::uint32_t pixelOffset;
    bool topDown;
    std::size_t rowBytes;
};

bool ReadLayout(std::span<const std::uint8_t> file, BitmapLayout& layout) {
    if (file.size() < FileHeaderSize + InfoHeaderSize || file[0] != 'B' || file[1] != 'M' ||
        ReadU32(file, 14) != InfoHeaderSize) {
        return false;
    }
    const auto width = static_cast<std::int32_t>(ReadU32(file, 18));
    const auto height = static_cast<std::int32_t>(ReadU32(file, 22));
    // One plane, 24 bits per pixel, no compression.
    const bool uncompressed24 =
        ReadU16(file, 26) == 1 && ReadU16(file, 28) == 24 && ReadU32(file, 30) == 0;
    if (!uncompressed24 || width <= 0 || height == 0) {
        return false;
    }
    layout.width = width;
    layout.height = std::abs(std::int64_t{height});
    layout.pixelOffset = ReadU32(file, 10);
    layout.topDown = height < 0;
    layout.rowBytes = static_cast<std::size_t>((layout.width * 3 + 3) & ~std::int64_t{3});
    // All rows must lie in the file; dividing keeps huge sizes from overflowing.
    return layout.pixelOffset >= FileHeaderSize + InfoHeaderSize &&
           layout.pixelOffset <= file.size() &&
           static_cast<std::uint64_t>(layout.height) <=
               (file.size() - layout.pixelOffset) / layout.rowBytes;
}

} // namespace

std::span<const std::uint8_t> ResourceBytes(std::string_view name,
                                            std::span<const ResourceFile> table) {
    const auto found = std::find_if(table.begin(), table.end(),
                                    [name](const ResourceFile& f) { return f.name == name; });
    return found == table.end() ? std::span<const std::uint8_t>() : found->bytes;
}

std::unique_ptr<Surface> LoadBitmapResource(std::string_view name,
                                            std::span<const ResourceFile> table) {
    const std::span<const std::uint8_t> bytes = ResourceBytes(name, table);
    return bytes.empty() ? nullptr : DecodeBitmap(bytes);
}

std::unique_ptr<Surface> DecodeBitmap(std::span<const std::uint8_t> file) {
    BitmapLayout layout{};
    if (!ReadLayout(file, layout)) {
        return nullptr;
    }
    auto surface =
        std::make_unique<Surface>(static_cast<int>(layout.width), static_cast<int>(layout.height));
    for (int y = 0; y < surface->Height(); ++y) {
        const std::int64_t fileRow = layout.topDown ? y : layout.height - 1 - y;
        const std::uint8_t* bgr = file.data() + layout.pixelOffset + fileRow * layout.rowBytes;
        Colour15* row = surface->Row(y);
        for (int x = 0; x < surface->Width(); ++x, bgr += 3) {
            row[x] = Rgb15(bgr[2], bgr[1], bgr[0]);
        }
    }
    return surface;
}

} // namespace platform
