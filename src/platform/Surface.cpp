#include "platform/Surface.h"

#include <climits>
#include <new>

namespace platform {
namespace {

// Rows hold width × 2 bytes rounded up to a multiple of 4, that is an even number of words.
int RowWords(int width) {
    if (width > INT_MAX / 2 - 1) {
        throw std::bad_array_new_length(); // the stride would not fit in an int
    }
    return (width + 1) & ~1;
}

} // namespace

Surface::Surface(int width, int height)
    : width(width), height(height), rowWords(RowWords(width)),
      pixels(static_cast<std::size_t>(rowWords) * static_cast<std::size_t>(height)) {}

} // namespace platform
