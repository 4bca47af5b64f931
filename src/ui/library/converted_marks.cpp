// SPDX-License-Identifier: GPL-3.0-or-later
#include "converted_marks.h"

#include <filesystem>

#include "collection/marking.h"

namespace pw::ui {

void passOnMarks(const library::ConversionRun& run) {
    const std::filesystem::path path = collection::Store::defaultPath();
    std::error_code error;
    // No collection yet: no marks to pass on.
    if (run.copies.empty() || !std::filesystem::exists(path, error)) return;
    collection::Store store;
    if (store.open(path).ok()) collection::inheritMarks(store, run.copies);
}

}  // namespace pw::ui
