// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Finding presets in a library. Every criterion that is set must hold; texts are
// compared without regard to letter case or accents (document::searchFolded).

#include <string>
#include <string_view>
#include <vector>

#include "document/preset_document.h"
#include "library/scan.h"

namespace pw::library {

struct Query {
    std::string text;   // in the patch name, the folders and name of the file, or an
                        // archive member's path
    std::string model;  // the preset's model, "RP355"
    std::string uses;   // in the catalogue name of a model the preset uses, "Tweed"
    // A row, "Amp Type=57 Tweed Champ": a row of that Name whose Setting, or the
    // catalogue name of its Value, is the text after "="; "Amp Type" alone: such a row.
    std::string row;
    bool empty() const { return text.empty() && model.empty() && uses.empty() && row.empty(); }
};

// Whether `preset` matches. The row criterion needs the rows: it is judged on `document`
// when given, else on the preset's kept bytes; without either it does not hold.
bool matches(const Preset& preset, const Query& query,
             const document::PresetDocument* document = nullptr);

// What the Library's search field asks: a text with "=" asks for a row ("Amp A
// Type=Brown Sound"); any other text is looked for in the name or file, as the model, or
// among the models used. Read once, then matched against any number of presets.
class SearchText {
  public:
    SearchText() = default;
    explicit SearchText(std::string_view text);
    bool empty() const { return anyOf_.empty(); }
    bool asksForRows() const { return !empty() && !anyOf_.front().row.empty(); }
    const std::string& text() const { return text_; }
    // The rows are read from `document` when given, else as matches() reads them.
    bool matches(const Preset& preset, const document::PresetDocument* document = nullptr) const;

  private:
    std::string text_;
    std::vector<Query> anyOf_;
};

}  // namespace pw::library
