// SPDX-License-Identifier: GPL-3.0-or-later
#include "table_writer.h"

#include <algorithm>
#include <ostream>

#include "document/csv_field.h"

namespace pw::cli {

namespace {

constexpr std::string_view kRed = "\x1b[31m";
constexpr std::string_view kBlue = "\x1b[34m";
constexpr std::string_view kPlain = "\x1b[0m";

struct Shown {
    std::string text;
    std::size_t width = 0;
};

Shown shownCell(const TableCell& cell, const TableStyle& style) {
    const std::size_t markerWidth = style.colour ? 0 : displayWidth(cell.marker);
    Shown s{
        displayText(cell.text, style.maxWidth > markerWidth ? style.maxWidth - markerWidth : 1)};
    if (!style.colour) s.text += cell.marker;
    s.width = displayWidth(s.text);
    return s;
}

TableRows rowsOf(const Table& table) {
    return TableRows{table.columns, table.rows.size(),
                     [&table](std::size_t row) { return table.rows[row]; }};
}

}  // namespace

void writeTable(std::ostream& out, const Table& table, const TableStyle& style) {
    writeTable(out, rowsOf(table), style);
}

void writeTable(std::ostream& out, const TableRows& table, const TableStyle& style) {
    const std::size_t columns = table.columns.size();
    std::vector<std::size_t> widths(columns, 0);
    for (std::size_t c = 0; c < columns; ++c)
        widths[c] = displayWidth(table.columns[c].title);
    for (std::size_t r = 0; r < table.count; ++r) {
        const std::vector<TableCell> row = table.row(r);
        for (std::size_t c = 0; c < columns; ++c)
            widths[c] = std::max(widths[c], shownCell(row.at(c), style).width);
    }

    const auto print = [&](const std::vector<Shown>& cells, const std::vector<TableCell>* row) {
        std::string text;
        std::size_t end = 0;  // after the last cell that shows anything
        for (std::size_t c = 0; c < columns; ++c) {
            const Shown& cell = cells[c];
            const std::size_t pad = widths[c] - cell.width;
            if (c > 0) text += "  ";
            if (table.columns[c].align == Align::Right) text.append(pad, ' ');
            const Tone tone = row ? (*row)[c].tone : Tone::Plain;
            if (style.colour && tone != Tone::Plain) {
                text += tone == Tone::Red ? kRed : kBlue;
                text += cell.text;
                text += kPlain;
            } else {
                text += cell.text;
            }
            if (!cell.text.empty()) end = text.size();
            if (table.columns[c].align == Align::Left) text.append(pad, ' ');
        }
        text.resize(end);
        out << text << '\n';
    };
    std::vector<Shown> cells;
    for (const TableColumn& c : table.columns)
        cells.push_back(Shown{c.title, displayWidth(c.title)});
    print(cells, nullptr);
    for (std::size_t r = 0; r < table.count; ++r) {
        const std::vector<TableCell> row = table.row(r);
        cells.clear();
        for (std::size_t c = 0; c < columns; ++c)
            cells.push_back(shownCell(row.at(c), style));
        print(cells, &row);
    }
}

void writeCsv(std::ostream& out, const Table& table) {
    writeCsv(out, rowsOf(table));
}

void writeCsv(std::ostream& out, const TableRows& table) {
    const auto record = [&out](const auto& cells, auto textOf) {
        for (std::size_t c = 0; c < cells.size(); ++c) {
            if (c > 0) out << ',';
            out << document::csvField(textOf(cells[c]));
        }
        out << "\r\n";
    };
    record(table.columns, [](const TableColumn& c) -> std::string_view { return c.title; });
    for (std::size_t r = 0; r < table.count; ++r)
        record(table.row(r), [](const TableCell& c) -> std::string_view { return c.text; });
}

void writeFields(std::ostream& out,
                 const std::vector<std::pair<std::string_view, std::string>>& fields) {
    std::size_t width = 0;
    for (const auto& [label, value] : fields)
        width = std::max(width, label.size() + 1);
    for (const auto& [label, value] : fields) {
        std::string line(label);
        line += ':';
        line.append(width - label.size(), ' ');
        out << line << displayText(value) << '\n';
    }
}

std::string grouped(std::size_t n) {
    std::string digits = std::to_string(n);
    for (std::size_t at = digits.size(); at > 3; at -= 3)
        digits.insert(at - 3, ",");
    return digits;
}

}  // namespace pw::cli
