#pragma once

#include "platform/Surface.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

namespace platform {

// A file compiled into the program, named after its file name without the extension.
struct ResourceFile {
    std::string_view name;
    std::span<const std::uint8_t> bytes;
};

// The program's compiled-in files: every bitmap of resources/bitmaps. The table is
// generated at build time.
std::span<const ResourceFile> ProgramResources();

// The bytes of the named file; empty when the table has no such file.
std::span<const std::uint8_t>
ResourceBytes(std::string_view name, std::span<const ResourceFile> table = ProgramResources());

// The named bitmap in 15-bit colour; nullptr when the table has no such file or DecodeBitmap
// refuses it.
std::unique_ptr<Surface>
LoadBitmapResource(std::string_view name, std::span<const ResourceFile> table = ProgramResources());

// Reads a bitmap file: uncompressed, 24 bits per pixel, with the 40-byte information header,
// rows bottom-up or top-down and padded to 4 bytes. Anything else, a truncated file
// included, gives nullptr.
std::unique_ptr<Surface> DecodeBitmap(std::span<const std::uint8_t> file);

} // namespace platform
