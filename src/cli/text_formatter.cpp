// SPDX-License-Identifier: GPL-3.0-or-later
#include "text_formatter.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <ostream>
#include <vector>

#include "filter/list_edits.h"

namespace pw::cli {

namespace {

constexpr std::string_view kRed = "\x1b[31m";
constexpr std::string_view kBlue = "\x1b[34m";
constexpr std::string_view kPlain = "\x1b[0m";

std::string hexEscape(unsigned value, bool unicode) {
    char buf[16];
    std::snprintf(buf, sizeof buf, unicode ? "\\u%04X" : "\\x%02X", value);
    return buf;
}

// Length of the UTF-8 sequence starting at s[i] and its code point; 0 if invalid.
std::size_t decodeOne(std::string_view s, std::size_t i, unsigned& cp) {
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[i + k]); };
    const unsigned c = b(0);
    std::size_t len = 0;
    if (c < 0x80) {
        cp = c;
        return 1;
    } else if ((c & 0xE0) == 0xC0) {
        len = 2;
        cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
        len = 3;
        cp = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
        len = 4;
        cp = c & 0x07;
    } else {
        return 0;
    }
    if (i + len > s.size()) return 0;
    for (std::size_t k = 1; k < len; ++k) {
        if ((b(k) & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b(k) & 0x3F);
    }
    static constexpr std::array<unsigned, 5> kMin = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kMin[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return len;
}

struct Cell {
    std::string text;  // display text, marker included
    std::size_t width = 0;
    Mark mark = Mark::Default;
};

}  // namespace

std::string displayText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        unsigned cp = 0;
        const std::size_t len = decodeOne(text, i, cp);
        if (len == 0) {
            out += hexEscape(static_cast<unsigned char>(text[i]), false);
            ++i;
            continue;
        }
        if (cp == '\n')
            out += "\\n";
        else if (cp == '\t')
            out += "\\t";
        else if (cp == '\r')
            out += "\\r";
        else if (cp < 0x20 || cp == 0x7F)
            out += hexEscape(cp, false);
        else if (cp >= 0x80 && cp <= 0x9F)
            out += hexEscape(cp, true);
        else
            out.append(text.substr(i, len));
        i += len;
    }
    return out;
}

std::size_t displayWidth(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

void TextFormatter::write(std::ostream& out, const ListReport& report) const {
    const auto yesNo = [](bool b) { return b ? "yes" : "no"; };
    out << "File:          " << displayText(report.file) << '\n'
        << "Source root:   " << displayText(report.sourceRoot) << '\n'
        << "Target root:   " << displayText(report.targetRoot) << '\n'
        << "Patch name:    " << displayText(report.patchName) << '\n'
        << "Original name: " << displayText(report.originalPatchName) << '\n'
        << "Filtered:      " << yesNo(report.filtered) << '\n'
        << "Amp channel:   " << yesNo(report.ampChannel) << "\n\n";

    constexpr std::size_t kColumns = 1 + kColumnCount;
    using Line = std::array<Cell, kColumns>;
    std::vector<Line> lines;
    lines.reserve(report.rows.count() + 1);
    Line header;
    const std::array<std::string_view, kColumns> titles = {"#",  "Name",     "Setting",
                                                           "ID", "Position", "Value"};
    for (std::size_t c = 0; c < kColumns; ++c)
        header[c] = Cell{std::string(titles[c]), titles[c].size(), Mark::Default};
    lines.push_back(header);

    bool anyMark = false;
    std::size_t number = 0;
    for (const Row& row : report.rows) {
        Line line;
        const std::string n = std::to_string(++number);
        line[0] = Cell{n, n.size(), Mark::Default};
        for (int c = 0; c < kColumnCount; ++c) {
            Cell& cell = line[static_cast<std::size_t>(c) + 1];
            cell.mark = row.marks[static_cast<std::size_t>(c)];
            cell.text = displayText(row.cells[static_cast<std::size_t>(c)]);
            if (cell.mark != Mark::Default) anyMark = true;
            if (!colour_ && cell.mark == Mark::Conflict) cell.text += kConflictMarker;
            if (!colour_ && cell.mark == Mark::Change) cell.text += kChangeMarker;
            cell.width = displayWidth(cell.text);
        }
        lines.push_back(std::move(line));
    }

    std::array<std::size_t, kColumns> widths{};
    for (const Line& line : lines)
        for (std::size_t c = 0; c < kColumns; ++c)
            widths[c] = std::max(widths[c], line[c].width);

    for (const Line& line : lines) {
        std::string text;
        // The row number is right-aligned, the cells left-aligned; no trailing blanks.
        text.append(widths[0] - line[0].width, ' ');
        text += line[0].text;
        std::size_t pending = 0;
        std::size_t end = text.size();  // after the last cell that shows anything
        for (std::size_t c = 1; c < kColumns; ++c) {
            const Cell& cell = line[c];
            text.append(pending + 2, ' ');
            if (colour_ && cell.mark != Mark::Default) {
                text += cell.mark == Mark::Conflict ? kRed : kBlue;
                text += cell.text;
                text += kPlain;
            } else {
                text += cell.text;
            }
            if (!cell.text.empty()) end = text.size();
            pending = widths[c] - cell.width;
        }
        text.resize(end);
        out << text << '\n';
    }
    if (report.rows.empty()) out << "(no rows)\n";
    out << '\n' << filter::errorCountMessage(report.rows) << '\n';
    if (!colour_ && anyMark) {
        out << "Marks: " << kConflictMarker << " conflict, " << kChangeMarker << " change\n";
    }
}

}  // namespace pw::cli
