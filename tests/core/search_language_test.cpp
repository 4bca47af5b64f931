// SPDX-License-Identifier: GPL-3.0-or-later
// The search language: what each search asks of a few presets, as a table.

#include <gtest/gtest.h>

#include "library/search_language.h"
#include "test_support.h"

namespace {

using pw::library::SearchSubject;

struct Named {
    const char* label;
    SearchSubject subject;
};

// Three presets: a favourite blues lead, a hidden metal patch, a plain clean one.
const Named kPresets[] = {
    {"lead",
     {"Über Lead / Blues/lead.rp250p",
      "RP250",
      {"57 Tweed Champ", "Screamer TS9"},
      "crunch, ambient",
      {"blues", "live"},
      true,
      false}},
    {"metal",
     {"Dark Metal / Packs/metal.rp355p",
      "RP355",
      {"01 Dual Rectifier"},
      "high gain",
      {"practice"},
      false,
      true}},
    {"clean", {"Glass / clean.rp150p", "RP150", {"65 Blackface Twin"}, "clean", {}, false, false}},
};

std::string found(std::string_view search) {
    const auto terms = pw::library::parseSearch(search);
    std::string out;
    for (const Named& p : kPresets)
        if (pw::library::matchesSearch(terms, p.subject, [&](const std::string& row) {
                return row == "Amp Type=57 Tweed Champ" && std::string_view(p.label) == "lead";
            }))
            out += out.empty() ? p.label : std::string(" ") + p.label;
    return out;
}

TEST(SearchLanguage, EachSearchFindsWhatItSays) {
    for (const auto& f : pwtest::tsv("search_language.tsv", 2))
        EXPECT_EQ(found(f[0]), f[1]) << f[0];
}

}  // namespace
