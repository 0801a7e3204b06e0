#pragma once

#include <cstddef>
#include <string>

// A TORCS parameter file, the XML that TORCS reads tracks and races from: named string and
// number attributes in nested sections, indented as they nest, with names and texts
// escaped for XML.
class TorcsParams {
public:
    // Starts the file: the XML declaration, `doctype` (the DOCTYPE declaration with any
    // entities, ending in a newline) and the params element named `name`.
    TorcsParams(const std::string& doctype, const std::string& name);

    void Open(const std::string& section);
    void Close();
    void Text(const std::string& name, const std::string& value);
    // Written as its shortest exact text, in every locale; `unit` as TORCS names units.
    void Number(const std::string& name, double value, const char* unit = nullptr);
    // A line as it stands, such as an entity reference.
    void Line(const std::string& line);
    // The whole file, the params element closed.
    [[nodiscard]] std::string Finish() const;

private:
    std::string text;
    std::size_t depth = 1;
};
