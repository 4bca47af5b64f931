// SPDX-License-Identifier: GPL-3.0-or-later
// The search language: what each search asks of a few presets, as a table.

#include <gtest/gtest.h>

#include "library/search_language.h"

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
    const std::pair<const char*, const char*> cases[] = {
        {"", "lead metal clean"},
        {"uber", "lead"},        // accents and letter case ignored
        {"LEAD blues", "lead"},  // every word, anywhere
        {"\"lead blues\"", ""},  // the words together
        {"tag:BLUES", "lead"},
        {"tag:blu", ""},  // a tag is a whole word
        {"style:\"high gain\"", "metal"},
        {"style:clean -model:rp250", "clean"},
        {"fav", "lead"},
        {"-fav -hidden", "clean"},
        {"hidden uses:rectifier", "metal"},
        {"model:RP355", "metal"},
        {"-tag:practice -uses:twin", "lead"},
        {"Amp Type=57 Tweed Champ", "lead"},  // a row, as the search always took it
        {"row:\"Amp Type=57 Tweed Champ\" fav", "lead"},
        {"tag: -", "lead metal clean"},  // a key without a value asks nothing
    };
    for (const auto& [search, expected] : cases)
        EXPECT_EQ(found(search), expected) << search;
}

}  // namespace
