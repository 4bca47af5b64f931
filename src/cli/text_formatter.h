// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The list as an aligned table for people.

#include <string>
#include <string_view>

#include "list_report.h"

namespace pw::cli {

class TextFormatter : public ListFormatter {
  public:
    // With colour, conflict cells are red and changed cells blue; without, a marker
    // follows each marked cell.
    explicit TextFormatter(bool colour) : colour_(colour) {}
    void write(std::ostream& out, const ListReport& report) const override;

    static constexpr char kConflictMarker = '!';
    static constexpr char kChangeMarker = '*';

  private:
    bool colour_;
};

// A cell text made safe to print: control characters and bytes that are not UTF-8
// become visible escapes.
std::string displayText(std::string_view text);
// Number of characters (code points) of a UTF-8 text.
std::size_t displayWidth(std::string_view text);

}  // namespace pw::cli
