// SPDX-License-Identifier: GPL-3.0-or-later
#include "collection_open.h"

#include <ostream>
#include <string>

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

}  // namespace pw::cli
