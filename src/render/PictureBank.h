#pragma once

#include <array>
#include <cstdint>

// The process's one registry of pictures read from bitmap files. During start-up modules
// register files and receive identifiers 0, 1, 2, ... in order; the bank is then decided
// once, after which the pictures can be read. The start-up order is
//     Initialize(16)  ->  Register / RegisterTexture ...  ->  Decide  ->  reads  ->  Release
// Pixels are in the bank's colour depth, rows top to bottom with no padding: depth 16 one
// little-endian 15-bit word (red 14-10, green 9-5, blue 4-0), depth 24 the bytes red, green,
// blue, depth 8 one index into the bank's palette (built by Decide). Misuse of the bank and a
// file Register cannot read are reported to the error log with the tag "PictureBank1" (or
// "BMPFile1" for the file) and end the process. Used from the user-interface thread only.
namespace PictureBank {

constexpr int MaxPictures = 256;
constexpr int PaletteSize = 256;
// Flag bit: width and height are both powers of two (2, 4, 8, ...).
constexpr std::uint8_t FlagPow2 = 1;

struct PaletteEntry {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
    std::uint8_t reserved; // always 0
};
using Palette = std::array<PaletteEntry, PaletteSize>;

// N >= 1 when value is 2^N; 0 for every other value (0, 1, negatives, odd factors).
int PowerOfTwo(std::int32_t value);

// Empties the bank and sets its colour depth: 8, 16 or 24. Only once until Release.
void Initialize(int colorBits);

// Loads a ".bmp" or ".BMP" file (only the three characters after the last dot among the
// path's last six count) and returns its identifier. Pictures of any size are taken; only
// power-of-two sized ones can be read with GetPow2Data. Any failure ends the process.
int Register(const char* path);

// For a texture the program can draw without, such as the perspective view's "Texture.bmp"
// beside the program. Like Register, and misuse of the bank still ends the process; but a
// file that is missing, unreadable or not an uncompressed 8- or 24-bit bitmap, and a picture
// that is not power-of-two sized, only write their report line to the error log and the
// program goes on. The identifier is registered all the same (without pixels when the file
// failed), so Decide proceeds and later identifiers keep their numbers.
//
// The caller keeps the identifier and, after Decide, asks HasPow2Data(id) before drawing:
// when it is true, GetPow2Data(id, ...) gives the texture; when false, the caller draws
// without the texture (a plain colour) and must not call GetPow2Data, which would end the
// process. The answer does not change until Release, so it may be asked once.
int RegisterTexture(const char* path);

// Ends registration; for an 8-bit bank builds the palette and converts every picture to
// palette indexes. At least one picture must have been registered.
void Decide();

// After Decide: whether the picture has pixels and power-of-two sides. An identifier
// outside 0 .. GetCount() - 1 or a call before Decide ends the process.
bool HasPow2Data(int id);

// After Decide, for a power-of-two sized picture: its pixels (owned by the bank) and the
// exponents of its sides, so that texture coordinates wrap with masks and shifts.
const std::uint8_t* GetPow2Data(int id, std::int32_t& log2Width, std::int32_t& log2Height);

// After Decide: any picture's pixels (nullptr for a texture whose file failed), size in
// pixels and bytes, and flags (FlagPow2).
const std::uint8_t* GetImage(int id, std::int32_t& width, std::int32_t& height, std::uint32_t& size,
                             std::uint8_t& flags);

// After Decide.
int GetCount();
int GetColorBits();

// After Decide, in an 8-bit bank only: the palette (entry 0 black, 1 to 254 the pictures'
// most frequent colours, 255 white), the palette index nearest to a 15-bit colour
// (0 .. 32767), and one entry's components (index 0 .. 255).
const Palette& GetPalette();
std::uint8_t GetPaletteIndex(int color15);
void GetPaletteColor(int index, std::uint8_t& red, std::uint8_t& green, std::uint8_t& blue);

// Frees every picture and returns the bank to its uninitialised state.
void Release();

} // namespace PictureBank
