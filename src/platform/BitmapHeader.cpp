#include "platform/BitmapHeader.h"

namespace BitmapHeader {
namespace {

std::uint32_t ReadU32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
           std::uint32_t{bytes[at + 3]} << 24;
}

std::uint16_t ReadU16(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

void Put16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFFu));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFFu));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    Put16(out, value & 0xFFFFu);
    Put16(out, value >> 16);
}

} // namespace

std::optional<Fields> Read(std::span<const std::uint8_t> file) {
    if (file.size() < HeadersSize || file[0] != 'B' || file[1] != 'M') {
        return std::nullopt;
    }
    return Fields{ReadU32(file, 10),
                  ReadU32(file, 14),
                  static_cast<std::int32_t>(ReadU32(file, 18)),
                  static_cast<std::int32_t>(ReadU32(file, 22)),
                  ReadU16(file, 26),
                  ReadU16(file, 28),
                  ReadU32(file, 30),
                  ReadU32(file, 46)};
}

std::vector<std::uint8_t> Write(std::int32_t width, std::int32_t height, std::uint16_t bitCount,
                                std::uint32_t imageSize) {
    std::vector<std::uint8_t> out{'B', 'M'};
    Put32(out, static_cast<std::uint32_t>(HeadersSize) + imageSize);
    Put32(out, 0);
    Put32(out, static_cast<std::uint32_t>(HeadersSize));
    Put32(out, InfoHeaderSize);
    Put32(out, static_cast<std::uint32_t>(width));
    Put32(out, static_cast<std::uint32_t>(height));
    Put16(out, 1); // planes
    Put16(out, bitCount);
    Put32(out, 0); // no compression
    Put32(out, imageSize);
    for (int unused = 0; unused < 4; ++unused) { // resolution, colours used and important
        Put32(out, 0);
    }
    return out;
}

} // namespace BitmapHeader
