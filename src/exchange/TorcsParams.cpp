#include "exchange/TorcsParams.h"

#include "base/NumberText.h"

namespace {

std::string Escaped(const std::string& text) {
    std::string escaped;
    for (const char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

} // namespace

TorcsParams::TorcsParams(const std::string& doctype, const std::string& name)
    : text("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + doctype + "<params name=\"" +
           Escaped(name) + "\" type=\"param\" mode=\"mw\">\n") {}

void TorcsParams::Open(const std::string& section) {
    Line("<section name=\"" + Escaped(section) + "\">");
    depth += 1;
}

void TorcsParams::Close() {
    depth -= 1;
    Line("</section>");
}

void TorcsParams::Text(const std::string& name, const std::string& value) {
    Line("<attstr name=\"" + Escaped(name) + "\" val=\"" + Escaped(value) + "\"/>");
}

// Adding 0 writes a negative zero as "0".
void TorcsParams::Number(const std::string& name, double value, const char* unit) {
    const std::string units = unit != nullptr ? std::string(" unit=\"") + unit + "\"" : "";
    Line("<attnum name=\"" + Escaped(name) + "\"" + units + " val=\"" + ShortestText(value + 0.0) +
         "\"/>");
}

void TorcsParams::Line(const std::string& line) {
    text += std::string(2 * depth, ' ') + line + "\n";
}

std::string TorcsParams::Finish() const {
    return text + "</params>\n";
}
