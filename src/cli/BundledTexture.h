#pragma once

#include <string>

// The road texture that comes with Velmora: an installed tool's in its data directory, one
// run from the build tree the source tree's.
std::string BundledTexture();
