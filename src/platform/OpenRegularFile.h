#pragma once

#include <cstdio>
#include <string>

// The reason a file that is not a regular file is refused, in words for a message.
inline constexpr const char* NotARegularFile = "not a regular file";

// Opens a file the programs read (a course, a bitmap, the settings file) for reading in
// binary, but only when it is a regular file, so that a FIFO, device, socket or folder given
// as one is refused at once instead of blocking or being read forever. Symbolic links are
// followed. Returns nullptr with errno set when the file cannot be used (EINVAL for one that
// is not a regular file); `failure`, when given, then receives why, in words for a message.
[[nodiscard]] std::FILE* OpenRegularFile(const char* path, std::string* failure = nullptr);
