// SPDX-License-Identifier: GPL-3.0-or-later
#include "collection/row_marks.h"

#include <algorithm>
#include <set>

#include "collection/marking.h"

namespace pw::collection {

void RowMarks::clear() {
    rows_.clear();
    byKey_.clear();
}

void RowMarks::append(std::span<const std::shared_ptr<const library::Preset>> presets) {
    std::vector<ContentKey> fresh;
    for (const auto& preset : presets) {
        if (!preset || !preset->readable) {
            rows_.push_back(nullptr);
            continue;
        }
        auto [it, added] = byKey_.try_emplace(contentKey(*preset));
        if (added) fresh.push_back(it->first);
        it->second.rows.push_back(rows_.size());
        rows_.push_back(&*it);
    }
    if (fresh.empty()) return;
    for (auto& [key, marks] : store_.marks(fresh))
        byKey_[key].marks = std::move(marks);
}

const Marks& RowMarks::of(std::size_t row) const {
    static const Marks kNone;
    return row < rows_.size() && rows_[row] ? rows_[row]->second.marks : kNone;
}

std::vector<ContentKey> RowMarks::keysOf(std::span<const std::size_t> rows) const {
    std::set<ContentKey> keys;
    for (std::size_t row : rows)
        if (row < rows_.size() && rows_[row]) keys.insert(rows_[row]->first);
    return {keys.begin(), keys.end()};
}

MarkChange RowMarks::toggle(Flag flag, std::span<const std::size_t> rows) const {
    const auto has = [flag](const Marks& m) {
        return flag == Flag::Favourite ? m.favourite : m.hidden;
    };
    const bool every = std::all_of(rows.begin(), rows.end(), [&](std::size_t row) {
        return row >= rows_.size() || !rows_[row] || has(rows_[row]->second.marks);
    });
    MarkChange change;
    (flag == Flag::Favourite ? change.favourite : change.hidden) = !every;
    return change;
}

SharedMarks RowMarks::shared(std::span<const std::size_t> rows) const {
    SharedMarks shared;
    bool first = true;
    for (const ContentKey& key : keysOf(rows)) {
        const Marks& m = byKey_.at(key).marks;
        if (first) {
            shared.tags = m.tags;
            shared.note = m.note;
            first = false;
            continue;
        }
        std::vector<std::string> both;
        std::set_intersection(shared.tags.begin(), shared.tags.end(), m.tags.begin(), m.tags.end(),
                              std::back_inserter(both));
        shared.tags = std::move(both);
        if (shared.note != m.note) shared.note.reset();
    }
    return shared;
}

std::optional<MarkEdit> RowMarks::change(std::span<const std::size_t> rows,
                                         const MarkChange& change) {
    const std::vector<ContentKey> keys = keysOf(rows);
    if (keys.empty()) return std::nullopt;
    MarkEdit edit;
    for (const ContentKey& key : keys)
        edit.before[key] = byKey_.at(key).marks;
    // What the store holds now may be newer than what was shown (the command line marks
    // too): the record keeps what the store had.
    for (auto& [key, marks] : store_.marks(keys))
        edit.before[key] = std::move(marks);
    if (!store_.change(keys, change)) return std::nullopt;
    edit.after = edit.before;
    for (auto& [key, marks] : edit.after)
        marks = Marks{};
    for (auto& [key, marks] : store_.marks(keys))
        edit.after[key] = std::move(marks);
    for (const auto& [key, marks] : edit.after)
        byKey_.at(key).marks = marks;
    return edit;
}

bool RowMarks::put(const std::map<ContentKey, Marks>& marks) {
    if (!store_.restore(marks)) return false;
    for (const auto& [key, m] : marks)
        if (auto it = byKey_.find(key); it != byKey_.end()) it->second.marks = m;
    return true;
}

std::vector<std::size_t> RowMarks::rowsOf(const MarkEdit& edit) const {
    std::vector<std::size_t> rows;
    for (const auto& [key, marks] : edit.before)
        if (auto it = byKey_.find(key); it != byKey_.end())
            rows.insert(rows.end(), it->second.rows.begin(), it->second.rows.end());
    std::sort(rows.begin(), rows.end());
    return rows;
}

std::vector<std::string> splitTags(std::string_view text) {
    std::set<std::string> tags;
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        std::string_view tag = text.substr(0, comma);
        text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
        while (!tag.empty() && blank(tag.front()))
            tag.remove_prefix(1);
        while (!tag.empty() && blank(tag.back()))
            tag.remove_suffix(1);
        if (!tag.empty()) tags.emplace(tag);
    }
    return {tags.begin(), tags.end()};
}

MarkChange tagChange(const std::vector<std::string>& shared,
                     const std::vector<std::string>& typed) {
    MarkChange change;
    std::set_difference(typed.begin(), typed.end(), shared.begin(), shared.end(),
                        std::back_inserter(change.addTags));
    std::set_difference(shared.begin(), shared.end(), typed.begin(), typed.end(),
                        std::back_inserter(change.removeTags));
    return change;
}

std::string openNotice(const OpenResult& opened, const std::filesystem::path& where) {
    switch (opened.status) {
        case OpenStatus::Opened:
        case OpenStatus::Created:
            return {};
        case OpenStatus::Recovered:
            return "The collection " + where.string() + " was damaged: it is kept as " +
                   opened.movedTo.string() + " and a new one was made" +
                   (opened.restored.empty()
                        ? std::string(" (no backup to take the marks from).")
                        : ", the marks taken from " + opened.restored.string() + ".");
        case OpenStatus::NewerVersion:
        case OpenStatus::Unavailable:
            break;
    }
    return "Marks are off: the collection " + where.string() + " cannot be used: " + opened.detail +
           ".";
}

}  // namespace pw::collection
