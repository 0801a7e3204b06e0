#pragma once

#include <cstdio>

// A plain fprintf-based writer of the current course's .cob text, written straight from
// the file format's description: the yardstick the streaming export is compared with,
// for its bytes in the tests and for its speed in the benchmarks. Needs the C locale.
void WriteReferenceCob(std::FILE* file);
