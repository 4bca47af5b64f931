// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the program knows about where its output goes.

#include <iosfwd>

namespace pw::cli {

struct Console {
    std::ostream& out;
    std::ostream& err;
    bool colour = false;         // tables may use ANSI colour on stdout
    bool errIsTerminal = false;  // progress lines go to stderr only then
};

bool isTerminal(int fd);
// Colour on stdout: a terminal, and NO_COLOR unset or empty (no-color.org).
bool colourWanted();

}  // namespace pw::cli
