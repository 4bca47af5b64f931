// SPDX-License-Identifier: GPL-3.0-or-later
#include "diff_text_formatter.h"

#include <algorithm>
#include <array>
#include <ostream>
#include <vector>

#include "text_formatter.h"

namespace pw::cli {
namespace {

// Row A, row B, what changed, then the row's Name, ID, Setting, Position and Value.
constexpr std::size_t kColumns = 8;
constexpr std::size_t kNumberColumns = 2;  // right-aligned
using Line = std::array<std::string, kColumns>;

constexpr std::array<Column, kColumnCount> kCellOrder = {kName, kId, kSetting, kPosition, kValue};

std::string numberOr(std::size_t number) {
    return number == 0 ? std::string("-") : std::to_string(number);
}

std::string_view changeText(DiffKind kind) {
    switch (kind) {
        case DiffKind::OnlyInA:
            return "only in A";
        case DiffKind::OnlyInB:
            return "only in B";
        case DiffKind::Changed:
            break;
    }
    return "changed";
}

Line lineOf(const DiffReport& report, const RowDiff& d) {
    Line line{numberOr(d.rowA), numberOr(d.rowB), std::string(changeText(d.kind))};
    const Row* a = d.rowA ? &report.a.rows.row(d.rowA) : nullptr;
    const Row* b = d.rowB ? &report.b.rows.row(d.rowB) : nullptr;
    for (std::size_t k = 0; k < kCellOrder.size(); ++k) {
        const Column c = kCellOrder[k];
        std::string text = displayText((a ? a : b)->cells[c]);
        if (std::find(d.columns.begin(), d.columns.end(), c) != d.columns.end())
            text += " -> " + displayText(b->cells[c]);
        line[3 + k] = std::move(text);
    }
    return line;
}

void writeTable(std::ostream& out, const std::vector<Line>& lines) {
    std::array<std::size_t, kColumns> widths{};
    for (const Line& line : lines)
        for (std::size_t c = 0; c < kColumns; ++c)
            widths[c] = std::max(widths[c], displayWidth(line[c]));
    for (const Line& line : lines) {
        std::string text;
        std::size_t end = 0;  // after the last cell that shows anything: no trailing blanks
        for (std::size_t c = 0; c < kColumns; ++c) {
            const std::size_t pad = widths[c] - displayWidth(line[c]);
            if (c > 0) text += "  ";
            if (c < kNumberColumns) text.append(pad, ' ');
            text += line[c];
            if (!line[c].empty()) end = text.size();
            if (c >= kNumberColumns) text.append(pad, ' ');
        }
        text.resize(end);
        out << text << '\n';
    }
}

}  // namespace

void DiffTextFormatter::write(std::ostream& out, const DiffReport& report) const {
    out << "File A:        " << displayText(report.a.file) << '\n'
        << "File B:        " << displayText(report.b.file) << '\n'
        << "Source root A: " << displayText(report.a.sourceRoot) << '\n'
        << "Source root B: " << displayText(report.b.sourceRoot) << '\n'
        << "Target root:   " << displayText(report.targetRoot) << '\n'
        << "Patch name A:  " << displayText(report.a.patchName) << '\n'
        << "Patch name B:  " << displayText(report.b.patchName) << "\n\n";

    if (report.diff.rows.empty()) {
        out << "(no row differs)\n";
    } else {
        std::vector<Line> lines{{"A", "B", "Change", "Name", "ID", "Setting", "Position", "Value"}};
        for (const RowDiff& d : report.diff.rows)
            lines.push_back(lineOf(report, d));
        writeTable(out, lines);
    }
    out << '\n';
    if (report.diff.namesDiffer) out << "The patch names differ.\n";
    out << "Only in A " << report.count(DiffKind::OnlyInA) << ", only in B "
        << report.count(DiffKind::OnlyInB) << ", changed " << report.count(DiffKind::Changed)
        << '\n';
}

}  // namespace pw::cli
