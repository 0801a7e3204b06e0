#include "platform/Profile.h"

#include "platform/OpenRegularFile.h"
#include "platform/SaveFile.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <optional>
#include <vector>

namespace Profile {
namespace {

constexpr std::string_view LineEnd = "\r\n";

// The locale's isspace and tolower are not used: a Shift-JIS or UTF-8 byte must never count
// as a blank, and in some locales 'I' does not fold to 'i'.
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

char FoldCase(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsQuote(char c) {
    return c == '"' || c == '\'';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && IsBlank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

bool SameName(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, std::ranges::equal_to{}, FoldCase, FoldCase);
}

std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

// Values that reading would trim or unquote are written in quotes, so they read back whole.
std::string Quoted(std::string_view value) {
    const bool needed = !value.empty() && (IsBlank(value.front()) || IsBlank(value.back()) ||
                                           Unquote(value).size() != value.size());
    return needed ? "\"" + std::string(value) + "\"" : std::string(value);
}

struct Line {
    size_t begin;
    size_t textEnd; // before its CR LF or LF
    size_t end;     // where the next line begins
};

std::vector<Line> SplitLines(std::string_view text) {
    std::vector<Line> lines;
    size_t begin = 0;
    while (begin < text.size()) {
        const size_t lf = text.find('\n', begin);
        const size_t end = lf == std::string_view::npos ? text.size() : lf + 1;
        size_t textEnd = lf == std::string_view::npos ? text.size() : lf;
        if (textEnd > begin && text[textEnd - 1] == '\r') {
            --textEnd;
        }
        lines.push_back({begin, textEnd, end});
        begin = end;
    }
    return lines;
}

std::string_view TextOf(std::string_view text, const Line& line) {
    return text.substr(line.begin, line.textEnd - line.begin);
}

// The name of a "[name]" line; nothing for any other line.
std::optional<std::string_view> SectionName(std::string_view line) {
    line = Trim(line);
    const size_t close = line.rfind(']');
    if (line.empty() || line.front() != '[' || close == std::string_view::npos) {
        return std::nullopt;
    }
    return Trim(line.substr(1, close - 1));
}

struct Entry {
    std::string_view key;
    std::string_view value;
};

std::optional<Entry> EntryOf(std::string_view line) {
    line = Trim(line);
    const size_t equals = line.find('=');
    if (line.empty() || line.front() == ';' || line.front() == '[' ||
        equals == std::string_view::npos) {
        return std::nullopt;
    }
    return Entry{Trim(line.substr(0, equals)), Unquote(Trim(line.substr(equals + 1)))};
}

// Where the first section of the name, and the first entry of the key in it, stand.
struct Found {
    std::optional<size_t> section;
    size_t lastUsed = 0; // the section's last line that is not blank
    std::optional<size_t> entry;
};

Found Find(std::string_view text, const std::vector<Line>& lines, std::string_view section,
           std::string_view key) {
    Found found;
    for (size_t i = 0; i < lines.size() && !found.entry; ++i) {
        const std::string_view line = TextOf(text, lines[i]);
        if (const auto name = SectionName(line)) {
            if (found.section) {
                break;
            }
            if (SameName(*name, section)) {
                found.section = i;
                found.lastUsed = i;
            }
            continue;
        }
        if (!found.section) {
            continue;
        }
        if (!Trim(line).empty()) {
            found.lastUsed = i;
        }
        const auto entry = EntryOf(line);
        if (entry && SameName(entry->key, key)) {
            found.entry = i;
        }
    }
    return found;
}

// The file's bytes: empty when there is no file, nothing when it cannot be read or is not a
// regular file.
std::optional<std::string> ReadFile(const std::string& path) {
    std::FILE* file = OpenRegularFile(path.c_str());
    if (file == nullptr) {
        return errno == ENOENT ? std::optional<std::string>(std::in_place) : std::nullopt;
    }
    std::string text;
    char buffer[4096];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        text.append(buffer, got);
    }
    const bool failed = std::ferror(file) != 0;
    (void)std::fclose(file);
    return failed ? std::nullopt : std::optional<std::string>(std::move(text));
}

std::optional<std::string> Lookup(const std::string& path, std::string_view section,
                                  std::string_view key) {
    const auto text = ReadFile(path);
    if (!text) {
        return std::nullopt;
    }
    const std::vector<Line> lines = SplitLines(*text);
    const Found found = Find(*text, lines, Trim(section), Trim(key));
    if (!found.entry) {
        return std::nullopt;
    }
    return std::string(EntryOf(TextOf(*text, lines[*found.entry]))->value);
}

bool EndsLine(std::string_view text) {
    return text.empty() || text.back() == '\n';
}

// The file with the entry line put in place of the key's line, at the end of its section,
// or in a new section at the end of the file.
std::string WithEntry(const std::string& text, std::string_view section, std::string_view key,
                      const std::string& entry) {
    const std::vector<Line> lines = SplitLines(text);
    const Found found = Find(text, lines, section, key);
    if (found.entry) {
        const Line& line = lines[*found.entry];
        return text.substr(0, line.begin) + entry + text.substr(line.end);
    }
    const size_t cut = found.section ? lines[found.lastUsed].end : text.size();
    std::string updated = text.substr(0, cut);
    if (!EndsLine(updated)) {
        updated += LineEnd;
    }
    if (!found.section) {
        updated += "[" + std::string(section) + "]" + std::string(LineEnd);
    }
    return updated + entry + text.substr(cut);
}

// Names and values that would not read back as written.
bool Writable(std::string_view section, std::string_view key, std::string_view value) {
    const auto breaksLine = [](std::string_view s) {
        return s.find_first_of(LineEnd) != std::string_view::npos;
    };
    const bool keyLooksLikeOtherLine = !key.empty() && (key.front() == '[' || key.front() == ';');
    return !breaksLine(section) && !breaksLine(key) && !breaksLine(value) &&
           key.find('=') == std::string_view::npos && !keyLooksLikeOtherLine;
}

std::optional<int> ParseInt(std::string_view text) {
    // from_chars takes no '+', which a hand-edited file may hold.
    if (text.size() > 1 && text[0] == '+' && text[1] >= '0' && text[1] <= '9') {
        text.remove_prefix(1);
    }
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

} // namespace

int GetInt(const std::string& path, std::string_view section, std::string_view key, int fallback) {
    const auto value = Lookup(path, section, key);
    return value ? ParseInt(*value).value_or(fallback) : fallback;
}

std::string GetString(const std::string& path, std::string_view section, std::string_view key,
                      std::string_view fallback) {
    return Lookup(path, section, key).value_or(std::string(fallback));
}

int WriteString(const std::string& path, std::string_view section, std::string_view key,
                std::string_view value) {
    section = Trim(section);
    key = Trim(key);
    if (!Writable(section, key, value)) {
        return 1;
    }
    const auto text = ReadFile(path);
    if (!text) {
        return 1; // rewriting a file that could not be read would lose it
    }
    const std::string entry = std::string(key) + "=" + Quoted(value) + std::string(LineEnd);
    const std::string updated = WithEntry(*text, section, key, entry);
    std::string failure;
    return SaveWholeFile(path, updated.data(), updated.size(), failure) ? 0 : 1;
}

int WriteInt(const std::string& path, std::string_view section, std::string_view key, int value) {
    char digits[16];
    const char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    return WriteString(path, section, key, std::string_view(digits, end - digits));
}

} // namespace Profile
