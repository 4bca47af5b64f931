// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/preset_writer.h"

namespace pw::document {

namespace {

constexpr std::string_view kEol = "\r\n";

// Appends element text as written: "&" and "<" become references, and so do the ">" of
// a "]]>" and a carriage return (a reader would turn it into a line feed); every other
// character is written as it is, the runs between those that need it copied whole.
void appendEscaped(std::string& out, std::string_view text) {
    std::size_t run = 0;
    for (std::size_t i = text.find_first_of("&<>\r"); i != std::string_view::npos;
         i = text.find_first_of("&<>\r", i + 1)) {
        const char c = text[i];
        std::string_view escaped;
        if (c == '&')
            escaped = "&amp;";
        else if (c == '<')
            escaped = "&lt;";
        else if (c == '>' && i >= 2 && text[i - 1] == ']' && text[i - 2] == ']')
            escaped = "&gt;";
        else if (c == '\r')
            // A reader turns a bare carriage return into a line feed; a cell holds one
            // only when it came from a character reference, so it goes back as one.
            escaped = "&#13;";
        else
            continue;
        out.append(text.substr(run, i - run));
        out.append(escaped);
        run = i + 1;
    }
    out.append(text.substr(run));
}

void element(std::string& out, std::string_view indent, std::string_view tag,
             std::string_view text) {
    out += indent;
    out += '<';
    out += tag;
    out += '>';
    appendEscaped(out, text);
    out += "</";
    out += tag;
    out += '>';
    out += kEol;
}

void line(std::string& out, std::string_view indent, std::string_view text) {
    out += indent;
    out += text;
    out += kEol;
}

}  // namespace

std::string renderPreset(const Target& target, std::string_view patchName, const ParamList& rows) {
    constexpr std::string_view level1 = "  ", level2 = "    ", level3 = "      ";
    std::string out;
    out.reserve(256 + rows.count() * 200);
    line(out, "", "<?xml version=\"1.0\" encoding=\"utf-8\"?>");
    line(out, "", openingLine(target));
    element(out, level1, "Name", patchName);
    line(out, level1, "<Params>");
    for (const Row& row : rows) {
        line(out, level2, "<Param>");
        element(out, level3, "ID", row.id());
        element(out, level3, "Position", row.position());
        element(out, level3, "Value", row.value());
        element(out, level3, "Name", row.name());
        element(out, level3, "Text", row.setting());
        line(out, level2, "</Param>");
    }
    line(out, level1, "</Params>");
    line(out, "", closingLine(target));
    return out;
}

}  // namespace pw::document
