// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Finding presets in a library. Every criterion that is set must hold; texts are
// compared without regard to letter case or accents (document::searchFolded).

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/preset_document.h"
#include "library/scan.h"
#include "library/search_language.h"

namespace pw::library {

// The user's marks of a preset (for tag:, fav and hidden), or none.
using MarksOf = std::function<std::optional<SearchMarks>(const Preset&)>;

// A search in the search language (search_language.h), read once, then matched against
// any number of presets: the Library's search field and scan --find.
class SearchText {
  public:
    SearchText() = default;
    explicit SearchText(std::string_view text);
    bool empty() const { return terms_.empty(); }
    // Whether a term asks for a row: the preset's rows must be read to judge it.
    bool asksForRows() const;
    // Whether a term asks for the user's marks (tag:, fav, hidden).
    bool asksForMarks() const;
    // Whether the search asks for hidden presets: it shows them, whatever else hides them.
    bool showsHidden() const;
    const std::vector<SearchTerm>& terms() const { return terms_; }
    // Every term but the rows', judged on what the scan found and the user's marks.
    bool factsMatch(const Preset& preset, const SearchMarks* marks = nullptr) const;
    // The row terms, judged on the preset's rows.
    bool rowsMatch(const document::PresetDocument& document) const;
    // Every term; the rows are read from `document` when given, else from the preset's
    // kept bytes (without either, a row term does not hold).
    bool matches(const Preset& preset, const document::PresetDocument* document = nullptr,
                 const SearchMarks* marks = nullptr) const;

  private:
    std::vector<SearchTerm> terms_;
};

struct Query {
    std::string text;   // in the patch name, the folders and name of the file, or an
                        // archive member's path
    std::string model;  // the preset's model, "RP355"
    std::string uses;   // in the catalogue name of a model the preset uses, "Tweed"
    // A row, "Amp Type=57 Tweed Champ": a row of that Name whose Setting, or the
    // catalogue name of its Value, is the text after "="; "Amp Type" alone: such a row.
    std::string row;
    SearchText find;  // a search in the search language (scan --find)
    MarksOf marksOf;  // the marks `find` judges tag:, fav and hidden on
    bool empty() const {
        return text.empty() && model.empty() && uses.empty() && row.empty() && find.empty();
    }
};

// Whether `preset` matches. The row criteria need the rows: they are judged on
// `document` when given, else on the preset's kept bytes; without either they do not
// hold.
bool matches(const Preset& preset, const Query& query,
             const document::PresetDocument* document = nullptr);

}  // namespace pw::library
