// SPDX-License-Identifier: GPL-3.0-or-later
// Cross-checks of the family check tables: the differences between the families in
// tests/data/family_differences.tsv, and the 25x lists against the effect catalogue.

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <string_view>

#include "catalogue/effect_catalogue.h"
#include "document/root_names.h"
#include "models/check_dispatch.h"
#include "models/check_table.h"
#include "models/tables25x.h"
#include "test_support.h"

namespace pw::models {
namespace {

// Asks the check function named `fn` of the family of `root`.
int ask(const std::string& fn, Kind kind, std::string_view root, double number) {
    const FamilyChecks& c = moduleOf(document::familyOf(root));
    if (fn == "Compressor") return c.CheckCompressor(number, kind);
    if (fn == "Distortion") return c.CheckDistortion(number, kind, root);
    if (fn == "Amp") return c.CheckAmp(number, kind, root);
    if (fn == "Cabinet") return c.CheckCabinet(number);
    if (fn == "Modulation") return c.CheckModulation(number, kind);
    if (fn == "Delay") return c.CheckDelay(number, kind);
    if (fn == "EQ") return c.CheckEQ(number, kind);
    if (fn == "Pedal") return c.CheckPedal(number, kind);
    ADD_FAILURE() << "no check function " << fn;
    return -1;
}

std::set<std::int64_t> numbersOf(List list) {
    std::set<std::int64_t> out;
    for (const Item& item : list)
        for (std::int64_t n = item.first; n <= item.last; ++n)
            out.insert(n);
    return out;
}

TEST(ModFamilyDifferences, EachNumberIsKnownToOneTargetAndUnknownToTheOther) {
    std::ifstream in(pwtest::dataFile("family_differences.tsv"));
    int numbers = 0;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream f(line);
        std::string fn, kindName, known, unknown, number;
        f >> fn >> kindName >> known >> unknown;
        const Kind kind = kindName == "ids" ? Kind::Ids : Kind::Values;
        while (f >> number) {
            const auto colon = number.find(':');
            const double n = colon == std::string::npos
                                 ? std::stod(number)
                                 : std::stod(number.substr(0, colon)) * 65536 +
                                       std::stod(number.substr(colon + 1));
            EXPECT_EQ(ask(fn, kind, known, n), 1) << line << ": " << number;
            EXPECT_EQ(ask(fn, kind, unknown, n), 0) << line << ": " << number;
            ++numbers;
        }
    }
    EXPECT_GT(numbers, 100);
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

std::set<std::int64_t> catalogueValues(std::string_view nameList) {
    const catalogue::Block* block = catalogue::blockByList(nameList);
    std::set<std::int64_t> out;
    if (!block) return out;
    for (const catalogue::Entry& e : block->entries)
        out.insert(e.value);
    return out;
}

// The 25x lists of model values are the catalogue's models plus the off and on values.
TEST(ModCatalogueRule, TwentyFiveXValuesMatchTheCatalogue) {
    struct Case {
        std::string_view nameList;
        List list;
        std::set<std::int64_t> extra;
    };
    const Case cases[] = {
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
    for (const Case& c : cases) {
        auto expected = catalogueValues(c.nameList);
        ASSERT_FALSE(expected.empty()) << c.nameList;
        expected.insert(c.extra.begin(), c.extra.end());
        EXPECT_EQ(numbersOf(c.list), expected) << c.nameList;
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
