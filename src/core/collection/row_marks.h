// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The marks of a library's rows, as a window shows and edits them: looked up in the
// store one batch of rows at a time, held by content so that twins show the same marks,
// and changed for a selection in one transaction with a record that undoes and redoes it.

#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "collection/collection_store.h"
#include "library/scan.h"

namespace pw::collection {

// One change as made, for Undo and Redo: the marks of every key touched before and after
// (a key without marks as empty Marks).
struct MarkEdit {
    std::map<ContentKey, Marks> before;
    std::map<ContentKey, Marks> after;
    bool changed() const { return before != after; }
};

// What a selection's marks have in common, for the tag and note editor.
struct SharedMarks {
    std::vector<std::string> tags;    // the tags every row has, sorted
    std::optional<std::string> note;  // the note, when every row has the same
};

enum class Flag { Favourite, Hidden };

class RowMarks {
  public:
    explicit RowMarks(Store& store) : store_(store) {}

    void clear();
    // Rows after those held, in order: their marks looked up in one call to the store.
    // An unreadable preset has no content and so no marks.
    void append(std::span<const std::shared_ptr<const library::Preset>> presets);
    std::size_t size() const { return rows_.size(); }
    // The marks row `row` shows (none for a row without content).
    const Marks& of(std::size_t row) const;

    // A flag turned on for every row of `rows` when one of them lacks it, else off.
    MarkChange toggle(Flag flag, std::span<const std::size_t> rows) const;
    SharedMarks shared(std::span<const std::size_t> rows) const;

    // Makes `change` on the content of `rows`, in one transaction; nothing (and nothing
    // changed) when no row has content or the store refused it.
    std::optional<MarkEdit> change(std::span<const std::size_t> rows, const MarkChange& change);
    // Puts the marks of an edit back as they were before it, or as it left them.
    bool undo(const MarkEdit& edit) { return put(edit.before); }
    bool redo(const MarkEdit& edit) { return put(edit.after); }
    // Every row showing the marks of a key of `edit` (twins too), in order.
    std::vector<std::size_t> rowsOf(const MarkEdit& edit) const;

  private:
    struct Held {
        Marks marks;
        std::vector<std::size_t> rows;
    };
    // The rows key is a hash already; the name tells twins apart.
    struct KeyHash {
        std::size_t operator()(const ContentKey& k) const {
            return static_cast<std::size_t>(k.rowsKey) ^ std::hash<std::string>()(k.name);
        }
    };
    using ByKey = std::unordered_map<ContentKey, Held, KeyHash>;
    using Entry = ByKey::value_type;
    bool put(const std::map<ContentKey, Marks>& marks);
    std::vector<ContentKey> keysOf(std::span<const std::size_t> rows) const;

    Store& store_;
    ByKey byKey_;               // its nodes stay where they are: rows_ points at them
    std::vector<Entry*> rows_;  // null for a row without content
};

// The tags typed in an editor, split at commas: trimmed, each once, sorted.
std::vector<std::string> splitTags(std::string_view text);
// The change that turns the tags a selection shares, `shared`, into `typed`: what is new
// is added to every row, what is gone is taken from every row, other tags stay.
MarkChange tagChange(const std::vector<std::string>& shared, const std::vector<std::string>& typed);

// What to tell the user once about opening the store: "" when it opened as expected.
std::string openNotice(const OpenResult& opened, const std::filesystem::path& where);

}  // namespace pw::collection
