#include "platform/BitmapResource.h"

#include "platform/BitmapHeader.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace platform {
namespace {

// The header fields the reader needs; the file gives a negative height for top-down rows.
struct BitmapLayout {
    std::int64_t width;
    std::int64_t height;
    std::uint32_t pixelOffset;
    bool topDown;
    std::size_t rowBytes;
};

// Only uncompressed 24-bit bitmaps with the 40-byte information header are compiled in.
bool ReadLayout(std::span<const std::uint8_t> file, BitmapLayout& layout) {
    const std::optional<BitmapHeader::Fields> header = BitmapHeader::Read(file);
    if (!header || header->infoSize != BitmapHeader::InfoHeaderSize || header->planes != 1 ||
        header->bitCount != 24 || header->compression != 0 || header->width <= 0 ||
        header->height == 0) {
        return false;
    }
    layout.width = header->width;
    layout.height = std::abs(std::int64_t{header->height});
    layout.pixelOffset = header->pixelOffset;
    layout.topDown = header->height < 0;
    layout.rowBytes = static_cast<std::size_t>((layout.width * 3 + 3) & ~std::int64_t{3});
    // All rows must lie in the file; dividing keeps huge sizes from overflowing.
    return layout.pixelOffset >= BitmapHeader::HeadersSize && layout.pixelOffset <= file.size() &&
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
