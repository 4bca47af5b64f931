// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reads a cell text as its leading number, the way the checks compare cells with
// the tables: blanks, tabs and line feeds are skipped wherever they stand, then an
// optional sign, digits with at most one decimal point and an optional exponent are
// read up to the first character that cannot continue the number. "&H" and "&O"
// introduce hexadecimal and octal digits. Text without a leading number reads 0.

#include <optional>
#include <string_view>

namespace pw::models {

double readLeadingNumber(std::string_view text);

// The number a cell holds when the whole text, blanks around it aside, is one
// decimal number ("18", "18.0", "-3", "1e2"); nullopt otherwise ("18abc", "", "x").
std::optional<double> readWholeNumber(std::string_view text);

}  // namespace pw::models
