// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/search_language.h"

#include <algorithm>

#include "document/unicode_text.h"

namespace pw::library {

namespace {

// The keys of a "key:value" term, and the bare words that stand alone.
struct Key {
    std::string_view word;
    SearchTerm::Kind kind;
};
constexpr Key kKeys[] = {
    {"tag", SearchTerm::Kind::Tag},     {"style", SearchTerm::Kind::Style},
    {"model", SearchTerm::Kind::Model}, {"uses", SearchTerm::Kind::Uses},
    {"row", SearchTerm::Kind::Row},
};
constexpr Key kBareWords[] = {
    {"fav", SearchTerm::Kind::Favourite},
    {"favourite", SearchTerm::Kind::Favourite},
    {"favorite", SearchTerm::Kind::Favourite},
    {"hidden", SearchTerm::Kind::Hidden},
};

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// The words of a search, a quoted stretch kept whole (its quotes dropped); an empty
// word ("") asks nothing, so it is no word.
std::vector<std::string> words(std::string_view search) {
    std::vector<std::string> out;
    std::string word;
    bool quoted = false;
    for (char c : search) {
        if (c == '"') {
            quoted = !quoted;
        } else if (isBlank(c) && !quoted) {
            if (!word.empty()) out.push_back(std::move(word));
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty()) out.push_back(std::move(word));
    return out;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return document::equalFolded(a, b);
}

}  // namespace

std::vector<SearchTerm> parseSearch(std::string_view search) {
    std::vector<SearchTerm> terms;
    // A row search as it always was: "Amp Type=57 Tweed Champ".
    const bool hasQuote = search.find('"') != std::string_view::npos;
    const bool hasKey = std::any_of(std::begin(kKeys), std::end(kKeys), [&](const Key& k) {
        return search.find(std::string(k.word) + ":") != std::string_view::npos;
    });
    if (!hasQuote && !hasKey && search.find('=') != std::string_view::npos) {
        std::string_view row = search;
        while (!row.empty() && isBlank(row.front()))
            row.remove_prefix(1);
        while (!row.empty() && isBlank(row.back()))
            row.remove_suffix(1);
        terms.push_back({SearchTerm::Kind::Row, std::string(row), false});
        return terms;
    }
    for (std::string word : words(search)) {
        SearchTerm term;
        if (word == "-") continue;  // a dash alone asks nothing
        if (word.size() > 1 && word.front() == '-') {
            term.negated = true;
            word.erase(0, 1);
        }
        term.value = word;
        for (const Key& bare : kBareWords)
            if (equalsIgnoringCase(word, bare.word)) {
                term.kind = bare.kind;
                term.value.clear();
            }
        const std::size_t colon = word.find(':');
        if (colon != std::string::npos)
            for (const Key& key : kKeys)
                if (equalsIgnoringCase(std::string_view(word).substr(0, colon), key.word)) {
                    term.kind = key.kind;
                    term.value = word.substr(colon + 1);
                }
        if (term.value.empty() && term.kind != SearchTerm::Kind::Favourite &&
            term.kind != SearchTerm::Kind::Hidden)
            continue;  // "tag:" alone asks nothing
        terms.push_back(std::move(term));
    }
    return terms;
}

bool termHolds(const SearchTerm& term, const SearchSubject& subject) {
    switch (term.kind) {
        case SearchTerm::Kind::Text:
            return document::containsFolded(subject.text, term.value) ||
                   document::equalFolded(subject.model, term.value) ||
                   std::any_of(subject.uses.begin(), subject.uses.end(), [&](std::string_view use) {
                       return document::containsFolded(use, term.value);
                   });
        case SearchTerm::Kind::Tag:
            return std::any_of(
                subject.tags.begin(), subject.tags.end(),
                [&](const std::string& tag) { return document::equalFolded(tag, term.value); });
        case SearchTerm::Kind::Style:
            return document::containsFolded(subject.style, term.value);
        case SearchTerm::Kind::Favourite:
            return subject.favourite;
        case SearchTerm::Kind::Hidden:
            return subject.hidden;
        case SearchTerm::Kind::Model:
            return document::equalFolded(subject.model, term.value);
        case SearchTerm::Kind::Uses:
            return std::any_of(subject.uses.begin(), subject.uses.end(), [&](std::string_view use) {
                return document::containsFolded(use, term.value);
            });
        case SearchTerm::Kind::Row:
            break;
    }
    return false;
}

}  // namespace pw::library
