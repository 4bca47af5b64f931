// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every table the command line prints for people, and the same tables as CSV: the
// reports build a Table, these print it.

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "document/display_text.h"

namespace pw::cli {

enum class Align { Left, Right };
// A cell's colour on a terminal; without colour the cell's marker says it.
enum class Tone { Plain, Red, Blue };

struct TableColumn {
    std::string title;
    Align align = Align::Left;
};

struct TableCell {
    std::string text;  // as the report holds it: escaped and elided by the writer
    Tone tone = Tone::Plain;
    std::string marker;  // shown after the text when there is no colour
};

inline TableCell plainCell(std::string text) {
    return TableCell{std::move(text), Tone::Plain, {}};
}

struct Table {
    std::vector<TableColumn> columns;
    std::vector<std::vector<TableCell>> rows;  // one cell per column
};

// A table whose rows are made as they are written (a table's twice: once to measure),
// so that a listing of thousands of rows is never held as text.
struct TableRows {
    std::vector<TableColumn> columns;
    std::size_t count = 0;
    std::function<std::vector<TableCell>(std::size_t row)> row;  // one cell per column
};

struct TableStyle {
    bool colour = false;
    // A cell wider than this (in columns) is cut and ends in "…": one huge cell
    // must not pad every row of the table to its width.
    std::size_t maxWidth = 80;
};

// The title line and one line per row, cells two blanks apart, aligned per column, no
// trailing blanks.
void writeTable(std::ostream& out, const Table& table, const TableStyle& style);
void writeTable(std::ostream& out, const TableRows& table, const TableStyle& style);

// RFC 4180: the title line, then one record per row, each field as csvField makes it;
// lines end in CR LF.
void writeCsv(std::ostream& out, const Table& table);
void writeCsv(std::ostream& out, const TableRows& table);

// "Label: value" lines with the values aligned one blank after the longest label.
void writeFields(std::ostream& out,
                 const std::vector<std::pair<std::string_view, std::string>>& fields);

// A count with its thousands grouped: "10,000".
std::string grouped(std::size_t n);

// Texts made safe to print on a terminal line (escapes for control characters,
// bidirectional controls and bytes that are not UTF-8) and their width in columns.
using document::displayText;
using document::displayWidth;

}  // namespace pw::cli
