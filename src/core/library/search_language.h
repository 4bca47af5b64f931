// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one search language of the Library's search field and of scan --find: terms
// separated by blanks, all of which must hold; a term with "-" before it must not.
//   free text         in the patch name, the file's name and folders, a pack's member;
//                     the preset's model, or a model it uses
//   "two words"       the same, the words together
//   tag:blues         a tag the user gave the preset
//   style:"high gain" a word of the preset's style
//   fav, hidden       the user's favourites, the presets the user hid
//   model:RP355       the preset's model
//   uses:tweed        a model the preset uses
//   row:"Amp Type=57 Tweed Champ", or a whole search holding "=": a row and its setting
// Letter case and accents are ignored everywhere.

#include <string>
#include <string_view>
#include <vector>

namespace pw::library {

struct SearchTerm {
    enum class Kind { Text, Tag, Style, Favourite, Hidden, Model, Uses, Row };
    Kind kind = Kind::Text;
    std::string value;  // "" for Favourite and Hidden
    bool negated = false;
    bool operator==(const SearchTerm&) const = default;
};

// The terms of `search`, in order. A search holding "=" outside quotes and no other
// term is one row term, as it always was.
std::vector<SearchTerm> parseSearch(std::string_view search);

// What the user marked a preset with, for tag:, fav and hidden.
struct SearchMarks {
    std::vector<std::string> tags;
    bool favourite = false;
    bool hidden = false;
};

// What a term is judged on, for one preset. Free text is looked for in `text`, and
// stands for the model or a model used as well.
struct SearchSubject {
    std::string_view text;   // the patch name, the file's folders and name, the member
    std::string_view model;  // "RP355"
    std::vector<std::string_view> uses;
    std::string_view style;
    std::vector<std::string> tags;
    bool favourite = false;
    bool hidden = false;
};

// Whether every term holds for `subject`; a row term asks `rowMatches` (the rows are
// read only when a search needs them).
template <class RowMatches>
bool matchesSearch(const std::vector<SearchTerm>& terms, const SearchSubject& subject,
                   RowMatches&& rowMatches);

// The judgement of one term other than a row.
bool termHolds(const SearchTerm& term, const SearchSubject& subject);

template <class RowMatches>
bool matchesSearch(const std::vector<SearchTerm>& terms, const SearchSubject& subject,
                   RowMatches&& rowMatches) {
    for (const SearchTerm& term : terms) {
        const bool holds =
            term.kind == SearchTerm::Kind::Row ? rowMatches(term.value) : termHolds(term, subject);
        if (holds == term.negated) return false;
    }
    return true;
}

}  // namespace pw::library
