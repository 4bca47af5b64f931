// SPDX-License-Identifier: GPL-3.0-or-later
#include "library_search.h"

#include "library/query.h"
#include "library/scan.h"

namespace pw::ui {

// A text with "=" asks for a row; any other text is looked for in the name or file, as
// the model, or among the models used.
struct LibrarySearch::Query {
    std::vector<library::Query> anyOf;
};

LibrarySearch::LibrarySearch() = default;
LibrarySearch::~LibrarySearch() = default;
LibrarySearch::LibrarySearch(LibrarySearch&&) noexcept = default;
LibrarySearch& LibrarySearch::operator=(LibrarySearch&&) noexcept = default;

LibrarySearch::LibrarySearch(const QString& text) {
    const std::string wanted = text.trimmed().toStdString();
    if (wanted.empty()) return;
    query_ = std::make_unique<Query>();
    library::Query q;
    if (wanted.find('=') != std::string::npos) {
        q.row = wanted;
        query_->anyOf.push_back(q);
        return;
    }
    for (std::string library::Query::*field :
         {&library::Query::text, &library::Query::model, &library::Query::uses}) {
        library::Query one;
        one.*field = wanted;
        query_->anyOf.push_back(std::move(one));
    }
}

bool LibrarySearch::empty() const {
    return !query_;
}

bool LibrarySearch::matches(const LibraryEntry& entry) const {
    if (!query_) return true;
    if (!entry.preset) return false;
    for (const library::Query& q : query_->anyOf)
        if (library::matches(*entry.preset, q)) return true;
    return false;
}

}  // namespace pw::ui
