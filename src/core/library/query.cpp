// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/query.h"

#include <algorithm>

#include "catalogue/effect_catalogue.h"
#include "document/unicode_text.h"

namespace pw::library {

namespace {

using document::containsFolded;
using document::equalFolded;

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

bool rowMatches(const document::ParamElement& param, std::string_view rowName,
                std::optional<std::string_view> wanted) {
    if (!param.name || !equalFolded(trimmed(*param.name), rowName)) return false;
    if (!wanted) return true;
    if (param.text && equalFolded(trimmed(*param.text), *wanted)) return true;
    if (!param.placed()) return false;
    const catalogue::Block* block = catalogue::blockOfRow(*param.id, *param.position);
    if (!block) return false;
    const auto index = catalogue::entryIndex(*block, *wanted);
    return index && catalogue::valueText(block->entries[*index]) == *param.value;
}

bool anyRowMatches(const document::PresetDocument& doc, std::string_view criterion) {
    const std::size_t equals = criterion.find('=');
    const std::string_view rowName = trimmed(criterion.substr(0, equals));
    std::optional<std::string_view> wanted;
    if (equals != std::string_view::npos) wanted = trimmed(criterion.substr(equals + 1));
    return std::any_of(doc.params.begin(), doc.params.end(), [&](const document::ParamElement& p) {
        return rowMatches(p, rowName, wanted);
    });
}

std::string pathBelowInput(const Preset& preset) {
    std::string base(fileName(preset.source));
    return preset.folder.empty() ? base : preset.folder + '/' + base;
}

}  // namespace

bool matches(const Preset& preset, const Query& query, const document::PresetDocument* document) {
    // The file: its path below the folder scanned, and an archive member's path in it.
    if (!query.text.empty() && !containsFolded(preset.name, query.text) &&
        !containsFolded(pathBelowInput(preset), query.text) &&
        !containsFolded(preset.source.member, query.text))
        return false;
    if (!query.model.empty() && !equalFolded(preset.model, query.model)) return false;
    if (!query.uses.empty() &&
        std::none_of(preset.uses.begin(), preset.uses.end(),
                     [&](std::string_view used) { return containsFolded(used, query.uses); }))
        return false;
    if (!query.find.empty()) {
        const std::optional<SearchMarks> marks =
            query.marksOf ? query.marksOf(preset) : std::nullopt;
        if (!query.find.matches(preset, document, marks ? &*marks : nullptr)) return false;
    }
    if (!query.row.empty()) {
        std::optional<document::ParseResult> parsed;
        if (!document && !preset.bytes.empty()) {
            parsed = document::parsePreset(preset.bytes);
            if (parsed->ok()) document = &parsed->document;
        }
        return document && anyRowMatches(*document, query.row);
    }
    return true;
}

SearchText::SearchText(std::string_view text) : terms_(parseSearch(text)) {}

bool SearchText::asksForRows() const {
    return std::any_of(terms_.begin(), terms_.end(),
                       [](const SearchTerm& t) { return t.kind == SearchTerm::Kind::Row; });
}

bool SearchText::asksForMarks() const {
    return std::any_of(terms_.begin(), terms_.end(), [](const SearchTerm& t) {
        return t.kind == SearchTerm::Kind::Tag || t.kind == SearchTerm::Kind::Favourite ||
               t.kind == SearchTerm::Kind::Hidden;
    });
}

bool SearchText::showsHidden() const {
    return std::any_of(terms_.begin(), terms_.end(), [](const SearchTerm& t) {
        return t.kind == SearchTerm::Kind::Hidden && !t.negated;
    });
}

bool SearchText::factsMatch(const Preset& preset, const SearchMarks* marks) const {
    const std::string text =
        preset.name + '\n' + pathBelowInput(preset) + '\n' + preset.source.member;
    SearchSubject subject;
    subject.text = text;
    subject.model = preset.model;
    subject.uses.assign(preset.uses.begin(), preset.uses.end());
    subject.style = preset.style;
    if (marks) {
        subject.tags = marks->tags;
        subject.favourite = marks->favourite;
        subject.hidden = marks->hidden;
    }
    return std::all_of(terms_.begin(), terms_.end(), [&](const SearchTerm& term) {
        return term.kind == SearchTerm::Kind::Row || termHolds(term, subject) != term.negated;
    });
}

bool SearchText::rowsMatch(const document::PresetDocument& document) const {
    return std::all_of(terms_.begin(), terms_.end(), [&](const SearchTerm& term) {
        return term.kind != SearchTerm::Kind::Row ||
               anyRowMatches(document, term.value) != term.negated;
    });
}

bool SearchText::matches(const Preset& preset, const document::PresetDocument* document,
                         const SearchMarks* marks) const {
    if (!factsMatch(preset, marks)) return false;
    if (!asksForRows()) return true;
    std::optional<document::ParseResult> parsed;
    if (!document && !preset.bytes.empty()) {
        parsed = document::parsePreset(preset.bytes);
        if (parsed->ok()) document = &parsed->document;
    }
    return document && rowsMatch(*document);
}

}  // namespace pw::library
