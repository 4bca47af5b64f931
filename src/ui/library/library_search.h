// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The search field's text as the core's library search understands it: text in the
// patch name or the file, a model ("RP355"), a model used ("Tweed"), or a row
// ("Amp A Type=Brown Sound").

#include <QString>
#include <memory>

#include "library_entry.h"

namespace pw::ui {

class LibrarySearch {
  public:
    LibrarySearch();
    explicit LibrarySearch(const QString& text);
    ~LibrarySearch();
    LibrarySearch(LibrarySearch&&) noexcept;
    LibrarySearch& operator=(LibrarySearch&&) noexcept;

    bool empty() const;
    bool matches(const LibraryEntry& entry) const;

  private:
    struct Query;
    std::unique_ptr<Query> query_;
};

}  // namespace pw::ui
