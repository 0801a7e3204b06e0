#pragma once

#include <string>
#include <string_view>

// The profile (INI) file functions the settings file is kept with. A file is "[Section]"
// lines, each followed by "key=value" lines; section and key names match without regard
// to ASCII letter case, and blanks (space, tab, vertical tab, form feed) around names and
// values do not count. A value enclosed in a matching pair of single or double quotes is
// read without them. Lines end in CR LF or LF; comment lines (';'), lines before the first
// section and any other lines are kept as they are. Only the first section of a name, and
// in it the first entry of a key, counts. Nothing here depends on the locale.
namespace Profile {

// The key's value as a whole decimal number in int range, optionally signed ('-' or '+');
// the fallback when the file, section or key is missing or the value is anything else.
int GetInt(const std::string& path, std::string_view section, std::string_view key, int fallback);

// The key's value as raw bytes; the fallback when the file, section or key is missing.
std::string GetString(const std::string& path, std::string_view section, std::string_view key,
                      std::string_view fallback);

// Rewrites the key's line as "key=value" or adds it at the end of its section (the section
// is added at the end of the file when missing); every other line is kept byte for byte.
// The file is replaced whole or not at all. Returns 0 on success and 1 when the file cannot
// be read or written, or when a line end in a name or value, or a key starting with '[' or
// ';' or holding '=', could not be read back.
int WriteString(const std::string& path, std::string_view section, std::string_view key,
                std::string_view value);

// Writes the value in decimal, as "%d" does.
int WriteInt(const std::string& path, std::string_view section, std::string_view key, int value);

} // namespace Profile
