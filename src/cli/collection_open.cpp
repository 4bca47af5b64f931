// SPDX-License-Identifier: GPL-3.0-or-later
#include "collection_open.h"

#include <map>
#include <memory>
#include <ostream>
#include <string>

#include "collection/marking.h"

#include "document/display_text.h"

namespace pw::cli {

Collection openCollection(collection::Store& store, const Console& console, IfMissing missing,
                          std::string_view consequence) {
    const std::filesystem::path path = collection::Store::defaultPath();
    std::error_code error;
    if (missing == IfMissing::Skip && !std::filesystem::exists(path, error) && !error)
        return Collection::Missing;
    const collection::OpenResult opened = store.open(path);
    const std::string where = document::displayText(path.string());
    switch (opened.status) {
        case collection::OpenStatus::Opened:
        case collection::OpenStatus::Created:
            return Collection::Open;
        case collection::OpenStatus::Recovered:
            console.err << "patchwright-cli: the collection " << where
                        << " was damaged: it is kept as "
                        << document::displayText(opened.movedTo.string())
                        << " and a new one was made"
                        << (opened.restored.empty()
                                ? std::string(" (no backup to take the marks from)")
                                : ", the marks taken from " +
                                      document::displayText(opened.restored.string()))
                        << '\n';
            return Collection::Open;
        case collection::OpenStatus::NewerVersion:
        case collection::OpenStatus::Unavailable:
            break;
    }
    console.err << "patchwright-cli: the collection " << where
                << " cannot be used: " << opened.detail << "; " << consequence << '\n';
    return Collection::Refused;
}

library::MarksOf searchMarks(const Console& console, std::string_view consequence) {
    auto known = std::make_shared<std::map<collection::ContentKey, collection::Marks>>();
    collection::Store store;
    if (openCollection(store, console, IfMissing::Skip, consequence) == Collection::Open)
        *known = store.allMarks();
    return [known](const library::Preset& preset) -> std::optional<library::SearchMarks> {
        const auto found = known->find(collection::contentKey(preset));
        if (found == known->end()) return std::nullopt;
        const collection::Marks& m = found->second;
        return library::SearchMarks{m.tags, m.favourite, m.hidden};
    };
}

}  // namespace pw::cli
