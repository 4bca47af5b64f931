// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Opening the user's collection for a command, with one line on stderr when it is
// damaged or cannot be used.

#include <string_view>

#include "collection/collection_store.h"
#include "library/query.h"
#include "terminal.h"

namespace pw::cli {

// What a command does when there is no collection yet.
enum class IfMissing {
    Create,  // makes it (mark)
    Skip,    // leaves it unmade: no collection, no marks (scan, convert)
};

enum class Collection {
    Open,     // `store` is usable
    Missing,  // none was made yet (IfMissing::Skip): there are no marks
    Refused,  // it cannot be used; a line ending in `consequence` said so
};

// Opens the collection at Store::defaultPath().
Collection openCollection(collection::Store& store, const Console& console, IfMissing missing,
                          std::string_view consequence);

// The marks a search looks for (tag:, fav, hidden), every preset's that has any, read
// from the collection once; a line ending in `consequence` says when it cannot be used.
library::MarksOf searchMarks(const Console& console, std::string_view consequence);

}  // namespace pw::cli
