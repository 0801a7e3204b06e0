#include "render/BMPFile.h"

#include "base/Error.h"
#include "platform/BitmapHeader.h"
#include "platform/OpenRegularFile.h"
#include "platform/Surface.h"

#include <array>
#include <cstdio>
#include <limits>
#include <new>
#include <optional>
#include <sys/stat.h>

namespace BMPFile {
namespace {

constexpr const char* Tag = "BMPFile1";
constexpr const char* BadDepth = "対応していないカラービットに変換しようとした";
constexpr const char* CannotOpen = "ファイルのオープンに失敗";
constexpr const char* NotBitmap = "ﾋﾞｯﾄﾏｯﾌﾟでないﾌｧｲﾙをｵｰﾌﾟﾝした";
constexpr const char* Compressed = "未圧縮ﾌｧｲﾙでないﾌｧｲﾙをｵｰﾌﾟﾝした";
constexpr const char* BadBitCount = "対応していないｶﾗｰﾋﾞｯﾄのﾌｧｲﾙ";
constexpr const char* NoMemory = "画像ﾒﾓﾘの獲得に失敗";

constexpr std::uint32_t FullColourTable = 256;

struct Rgb {
    std::uint8_t r, g, b;
};

// Where the pixels lie in the file; all sizes are checked against the file's length.
struct Layout {
    std::uint64_t width;
    std::uint64_t height;
    bool topDown;
    unsigned fileBytes; // per pixel: 1 or 3
    std::uint64_t rowBytes;
    std::uint64_t firstRow; // offset of the file's first row (the bottom one unless top-down)
    std::uint64_t tableStart;
    std::uint64_t tableEntries;
};

// The colour table's entries are blue, green, red, reserved; unused indexes stay black.
std::array<Rgb, FullColourTable> ReadColourTable(std::span<const std::uint8_t> file, std::size_t at,
                                                 std::uint64_t entries) {
    std::array<Rgb, FullColourTable> table{};
    for (std::size_t i = 0; i < table.size() && i < entries; ++i, at += 4) {
        table[i] = {file[at + 2], file[at + 1], file[at]};
    }
    return table;
}

// Checks the headers and finds the rows. The rows start at the header's pixel-data offset
// when they fit between the colour table and the end of the file; otherwise they are taken
// to end the file, where files whose offset field is not filled in have them.
const char* ReadLayout(std::span<const std::uint8_t> file, Layout& layout) {
    const std::optional<BitmapHeader::Fields> header = BitmapHeader::Read(file);
    if (!header) {
        return NotBitmap;
    }
    if (header->compression != 0) {
        return Compressed;
    }
    if (header->bitCount != 8 && header->bitCount != 24) {
        return BadBitCount;
    }
    if (header->infoSize < BitmapHeader::InfoHeaderSize || header->width <= 0 ||
        header->height == 0) {
        return NotBitmap;
    }
    layout.width = static_cast<std::uint64_t>(header->width);
    layout.topDown = header->height < 0;
    layout.height =
        static_cast<std::uint64_t>(layout.topDown ? -std::int64_t{header->height} : header->height);
    layout.fileBytes = header->bitCount / 8;
    layout.rowBytes = (layout.width * layout.fileBytes + 3) & ~std::uint64_t{3};
    layout.tableStart = BitmapHeader::FileHeaderSize + std::uint64_t{header->infoSize};
    const std::uint32_t used = header->coloursUsed;
    layout.tableEntries = header->bitCount == 8 ? (used == 0 ? FullColourTable : used) : 0;

    const std::uint64_t length = file.size();
    const std::uint64_t tableEnd = layout.tableStart + 4 * layout.tableEntries;
    // Whether all rows fit between start and the end of the file; dividing keeps huge
    // dimensions from overflowing.
    const auto rowsFitAfter = [&](std::uint64_t start) {
        return start <= length && layout.height <= (length - start) / layout.rowBytes;
    };
    const std::uint64_t offset = header->pixelOffset;
    if (offset >= tableEnd && rowsFitAfter(offset)) {
        layout.firstRow = offset;
    } else if (rowsFitAfter(tableEnd)) {
        layout.firstRow = length - layout.height * layout.rowBytes;
    } else {
        return NotBitmap;
    }
    return nullptr;
}

void PutPixel(std::uint8_t*& out, Rgb c, int depth) {
    if (depth == 16) {
        const platform::Colour15 word = platform::Rgb15(c.r, c.g, c.b);
        *out++ = static_cast<std::uint8_t>(word);
        *out++ = static_cast<std::uint8_t>(word >> 8);
    } else {
        *out++ = c.r;
        *out++ = c.g;
        *out++ = c.b;
    }
}

void DecodeRows(std::span<const std::uint8_t> file, const Layout& layout,
                const std::array<Rgb, FullColourTable>& table, int depth, std::uint8_t* out) {
    for (std::uint64_t y = 0; y < layout.height; ++y) {
        const std::uint64_t fileRow = layout.topDown ? y : layout.height - 1 - y;
        const std::uint8_t* in = file.data() + layout.firstRow + fileRow * layout.rowBytes;
        for (std::uint64_t x = 0; x < layout.width; ++x) {
            if (layout.fileBytes == 3) {
                PutPixel(out, {in[2], in[1], in[0]}, depth);
                in += 3;
            } else {
                PutPixel(out, table[*in++], depth);
            }
        }
    }
}

// The whole file, read into memory only when it is a regular file that can be read
// through; the allocation is its size.
const char* ReadFile(const char* path, std::unique_ptr<std::uint8_t[]>& bytes, std::size_t& size) {
    std::FILE* file = OpenRegularFile(path);
    if (file == nullptr) {
        return CannotOpen;
    }
    struct stat info {};
    const char* failure = nullptr;
    if (fstat(fileno(file), &info) != 0) {
        failure = CannotOpen;
    } else {
        size = static_cast<std::size_t>(info.st_size);
        bytes.reset(new (std::nothrow) std::uint8_t[size]);
        if (bytes == nullptr) {
            failure = NoMemory;
        } else if (std::fread(bytes.get(), 1, size, file) != size) {
            failure = CannotOpen;
        }
    }
    (void)std::fclose(file);
    return failure;
}

} // namespace

const char* Decode(std::span<const std::uint8_t> file, int depth, Picture& picture) {
    if (depth != 16 && depth != 24) {
        return BadDepth;
    }
    Layout layout{};
    if (const char* failure = ReadLayout(file, layout)) {
        return failure;
    }
    const std::uint64_t size = layout.width * layout.height * static_cast<unsigned>(depth / 8);
    if (size > std::numeric_limits<std::uint32_t>::max() ||
        layout.height > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max())) {
        return NoMemory;
    }
    std::unique_ptr<std::uint8_t[]> data(new (std::nothrow) std::uint8_t[size]);
    if (data == nullptr) {
        return NoMemory;
    }
    const auto table = ReadColourTable(file, layout.tableStart, layout.tableEntries);
    DecodeRows(file, layout, table, depth, data.get());
    picture.data = std::move(data);
    picture.width = static_cast<std::int32_t>(layout.width);
    picture.height = static_cast<std::int32_t>(layout.height);
    picture.size = static_cast<std::uint32_t>(size);
    return nullptr;
}

std::unique_ptr<std::uint8_t[]> Load(const char* path, std::int32_t& width, std::int32_t& height,
                                     std::uint32_t& size, int depth, unsigned reportLevel) {
    width = 0;
    height = 0;
    size = 0;
    std::unique_ptr<std::uint8_t[]> bytes;
    std::size_t length = 0;
    const char* failure = depth != 16 && depth != 24 ? BadDepth : ReadFile(path, bytes, length);
    Picture picture;
    if (failure == nullptr) {
        failure = Decode({bytes.get(), length}, depth, picture);
    }
    if (failure != nullptr) {
        Error::Report(Tag, failure, reportLevel);
        return nullptr;
    }
    width = picture.width;
    height = picture.height;
    size = picture.size;
    return std::move(picture.data);
}

} // namespace BMPFile
