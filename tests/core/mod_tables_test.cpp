// SPDX-License-Identifier: GPL-3.0-or-later
// The family check tables against tests/data/family_tables.tsv (every list as written
// down), and the 25x lists against the effect catalogue.

#include <cstdint>
#include <map>
#include <set>
#include <string_view>

#include "catalogue/effect_catalogue.h"
#include "document/root_names.h"
#include "models/check_dispatch.h"
#include "models/check_table.h"
#include "models/tables25x.h"
#include "test_support.h"

namespace pw::models {
namespace {

// Asks the check function named `fn` of the family of `root`; -2 when the family has none.
int ask(const std::string& fn, Kind kind, std::string_view root, double number) {
    const FamilyChecks& c = moduleOf(document::familyOf(root));
    const auto two = [&](int (*f)(double, Kind)) { return f ? f(number, kind) : -2; };
    const auto one = [&](int (*f)(double)) { return f ? f(number) : -2; };
    if (fn == "Pickup") return two(c.CheckPickup);
    if (fn == "Wah") return two(c.CheckWah);
    if (fn == "Compressor") return two(c.CheckCompressor);
    if (fn == "Distortion") return c.CheckDistortion(number, kind, root);
    if (fn == "Amp") return c.CheckAmp(number, kind, root);
    if (fn == "Cabinet") return one(c.CheckCabinet);
    if (fn == "Gate") return two(c.CheckGate);
    if (fn == "Modulation") return two(c.CheckModulation);
    if (fn == "Delay") return two(c.CheckDelay);
    if (fn == "Reverb") return two(c.CheckReverb);
    if (fn == "Volume") return one(c.CheckVolume);
    if (fn == "Pedal") return two(c.CheckPedal);
    if (fn == "Position20") return one(c.CheckPosition20);
    if (fn == "Lfo") return two(c.CheckLfo);
    if (fn == "EQ") return two(c.CheckEQ);
    if (fn == "ToneLibrary") return two(c.CheckToneLibrary);
    if (fn == "FxLibrary") return one(c.CheckFxLibrary);
    ADD_FAILURE() << "no check function " << fn;
    return -1;
}

// Every list of tests/data/family_tables.tsv, written down by hand in its own order, is
// what the module answers: each entry and each neighbour of any entry, for each target
// root the list serves; and a module has exactly the functions the file lists for it.
TEST(ModTables, EveryListAnswersAsWrittenDown) {
    const auto rows = pwtest::tsv("family_tables.tsv");
    std::set<std::int64_t> universe;
    for (const auto& row : rows) {
        std::istringstream in(row.at(4));
        for (std::int64_t n; in >> n;)
            universe.insert({n - 1, n, n + 1});
    }
    const std::map<std::string, std::vector<std::string>> roots = {
        {"15x", {"RP150Preset", "RP155Preset"}},
        {"25x", {"RP250Preset", "RP255Preset"}},
        {"35x", {"RP350Preset", "RP355Preset"}}};
    std::map<std::string, std::set<std::string>> listed;
    for (const auto& row : rows) {
        const std::string fn = row.at(1).substr(5);  // "CheckAmp" -> "Amp"
        listed[row.at(0)].insert(fn);
        std::istringstream in(row.at(4));
        const std::set<std::int64_t> entries(std::istream_iterator<std::int64_t>(in), {});
        const Kind kind = row.at(2) == "ids" ? Kind::Ids : Kind::Values;
        for (const std::string& root : roots.at(row.at(0))) {
            if (row.at(3) != "-" && row.at(3) != root) continue;
            for (std::int64_t n : universe)
                ASSERT_EQ(ask(fn, kind, root, double(n)), entries.count(n) ? 1 : 0)
                    << row.at(0) << " " << row.at(1) << " " << row.at(2) << " " << root << " " << n;
        }
    }
    for (const auto& [family, fns] : roots)
        for (const char* fn : {"Volume", "Lfo"})
            EXPECT_EQ(ask(fn, Kind::Values, fns[0], 0) != -2, listed[family].count(fn) == 1)
                << family << " " << fn;
}

// Only whole numbers are entries, whatever a number's size or kind
// (tests/data/list_contains.tsv).
TEST(ListContains, OnlyWholeNumbersInTheEntriesAnswerOne) {
    const Item items[] = {one(0), one(5), range(10, 12)};
    for (const auto& f : pwtest::tsv("list_contains.tsv"))
        EXPECT_EQ(contains(items, std::stod(f.at(0))), std::stoi(f.at(1))) << f.at(0);
}

std::set<std::int64_t> numbersOf(List list) {
    std::set<std::int64_t> out;
    for (const Item& item : list)
        for (std::int64_t n = item.first; n <= item.last; ++n)
            out.insert(n);
    return out;
}

// Within the 25x family the amp list is the only one the root changes.
TEST(ModFamilyDifferences, Rp250AndRp255DifferOnlyInAmps) {
    for (const char* fn : {"Distortion", "Amp"})
        for (Kind k : {Kind::Values, Kind::Ids})
            for (double n = -1; n <= 4000; n += 0.5) {
                const int a = ask(fn, k, "RP250Preset", n);
                const int b = ask(fn, k, "RP255Preset", n);
                const bool added = std::string_view(fn) == "Amp" && k == Kind::Values &&
                                   (n == 313 || n == 315 || n == 325);
                ASSERT_EQ(b - a, added ? 1 : 0) << fn << " " << n;
            }
}

// The 25x lists of model values are the catalogue's models plus the off and on values.
TEST(ModCatalogueRule, TwentyFiveXValuesMatchTheCatalogue) {
    const std::tuple<std::string_view, List, std::set<std::int64_t>> cases[] = {
        {"cboWah", tables25x::wahValues, {0, 1}},
        {"cboComp", tables25x::compressorValues, {0, 1}},
        {"cboDistortion", tables25x::distortionValues, {0, 1}},
        {"cboAmp", tables25x::ampValuesRp255, {0, 1}},
        {"cboGate", tables25x::gateValues, {0, 1}},
        {"cboMOD", tables25x::modulationValues, {0, 1, 770, 1798}},
        {"cboDelay", tables25x::delayValues, {0, 1}},
        {"cboReverb", tables25x::reverbValues, {0, 1}},
        {"cboEQ", tables25x::eqValues, {0, 1}},
        {"cboCAB", tables25x::cabinetValues, {}},
        {"cboToneLib", tables25x::toneLibraryValues, {}},
        {"cboFXLib", tables25x::fxLibraryValues, {}},
        {"cboPedal", tables25x::pedalValues, {}},
    };
    for (auto [nameList, list, expected] : cases) {
        const catalogue::Block* block = catalogue::blockByList(nameList);
        ASSERT_TRUE(block && !block->entries.empty()) << nameList;
        for (const catalogue::Entry& e : block->entries)
            expected.insert(e.value);
        EXPECT_EQ(numbersOf(list), expected) << nameList;
    }
}

TEST(ModCatalogueRule, PedalListHoldsEachCatalogueTargetOnce) {
    std::size_t entries = 0;
    for (const Item& item : tables25x::pedalValues)
        entries += static_cast<std::size_t>(item.last - item.first + 1);
    EXPECT_EQ(numbersOf(tables25x::pedalValues).size(), entries);
}

}  // namespace
}  // namespace pw::models
