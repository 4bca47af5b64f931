// SPDX-License-Identifier: GPL-3.0-or-later
// The search language: what each search asks of a few presets, as a table.

#include "library/search_language.h"
#include "test_support.h"

namespace {

using pw::library::SearchSubject;

// The words of a list with | between them.
std::vector<std::string_view> split(std::string_view list) {
    std::vector<std::string_view> out;
    while (!list.empty()) {
        const std::size_t bar = std::min(list.find('|'), list.size());
        out.push_back(list.substr(0, bar));
        list.remove_prefix(std::min(bar + 1, list.size()));
    }
    return out;
}

std::string found(std::string_view search) {
    // The presets of tests/data/search_presets.tsv: a favourite blues lead, a hidden metal
    // patch, a plain clean one.
    static const auto presets = pwtest::tsv("search_presets.tsv", 8);
    const auto terms = pw::library::parseSearch(search);
    std::string out;
    for (const auto& p : presets) {
        const std::vector<std::string_view> tags = split(p[5]);
        const SearchSubject subject{
            p[1],          p[2],         split(p[3]), p[4], {tags.begin(), tags.end()},
            p[6] == "yes", p[7] == "yes"};
        if (pw::library::matchesSearch(terms, subject, [&](const std::string& row) {
                return row == "Amp Type=57 Tweed Champ" && p[0] == "lead";
            }))
            out += (out.empty() ? "" : " ") + p[0];
    }
    return out;
}

TEST(SearchLanguage, EachSearchFindsWhatItSays) {
    for (const auto& f : pwtest::tsv("search_language.tsv", 2))
        EXPECT_EQ(found(f[0]), f[1]) << f[0];
}

}  // namespace
