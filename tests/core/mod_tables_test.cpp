// The family check tables: list sizes, lookups, the differences between the families
// and the agreement of the 25x lists with the model catalogue.

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/effect_catalogue.h"
#include "models/check_table.h"
#include "models/family_lists.h"
#include "models/mod155.h"
#include "models/mod255.h"
#include "models/mod355.h"
#include "models/tables25x.h"

namespace pw::models {
namespace {

enum class Family { F15x, F25x, F35x };

enum class Fn {
    Pickup,
    Wah,
    Compressor,
    Distortion,
    Amp,
    Cabinet,
    Gate,
    Modulation,
    Delay,
    Reverb,
    Volume,
    Pedal,
    Position20,
    Lfo,
    EQ,
    ToneLibrary,
    FxLibrary,
};

constexpr Kind V = Kind::Values;
constexpr Kind S = Kind::Ids;

const FamilyChecks& checksOf(Family family) {
    switch (family) {
        case Family::F15x:
            return mod155::checks();
        case Family::F25x:
            return mod255::checks();
        case Family::F35x:
            return mod355::checks();
    }
    return mod255::checks();
}

// Asks one check function of a family through its FamilyChecks table. Single-list
// functions ignore the kind, functions without a root ignore the root. -1 when the
// family has no such function.
int ask(Family family, Fn fn, Kind kind, std::string_view root, double number) {
    const FamilyChecks& c = checksOf(family);
    switch (fn) {
        case Fn::Pickup:
            return c.CheckPickup(number, kind);
        case Fn::Wah:
            return c.CheckWah(number, kind);
        case Fn::Compressor:
            return c.CheckCompressor(number, kind);
        case Fn::Distortion:
            return c.CheckDistortion(number, kind, root);
        case Fn::Amp:
            return c.CheckAmp(number, kind, root);
        case Fn::Cabinet:
            return c.CheckCabinet(number);
        case Fn::Gate:
            return c.CheckGate(number, kind);
        case Fn::Modulation:
            return c.CheckModulation(number, kind);
        case Fn::Delay:
            return c.CheckDelay(number, kind);
        case Fn::Reverb:
            return c.CheckReverb(number, kind);
        case Fn::Volume:
            return c.CheckVolume ? c.CheckVolume(number) : -1;
        case Fn::Pedal:
            return c.CheckPedal(number, kind);
        case Fn::Position20:
            return c.CheckPosition20(number);
        case Fn::Lfo:
            return c.CheckLfo ? c.CheckLfo(number, kind) : -1;
        case Fn::EQ:
            return c.CheckEQ(number, kind);
        case Fn::ToneLibrary:
            return c.CheckToneLibrary(number, kind);
        case Fn::FxLibrary:
            return c.CheckFxLibrary(number);
    }
    return -1;
}

std::set<std::int64_t> numbersOf(List list) {
    std::set<std::int64_t> out;
    for (const Item& item : list)
        for (std::int64_t n = item.first; n <= item.last; ++n)
            out.insert(n);
    return out;
}

// A target model: its family and root.
struct Target {
    Family family;
    std::string_view root;
};
constexpr Target T150{Family::F15x, "RP150Preset"};
constexpr Target T155{Family::F15x, "RP155Preset"};
constexpr Target T250{Family::F25x, "RP250Preset"};
constexpr Target T255{Family::F25x, "RP255Preset"};
constexpr Target T350{Family::F35x, "RP350Preset"};
constexpr Target T355{Family::F35x, "RP355Preset"};

// One number of the summary of differences: known to one target, unknown to another.
struct Difference {
    Fn fn;
    Kind kind;
    std::int32_t number;
    Target knownTo;
    Target unknownTo;
};

std::vector<Difference> differences() {
    std::vector<Difference> rows;
    auto add = [&rows](Fn fn, Kind kind, std::initializer_list<std::int32_t> numbers, Target known,
                       Target unknown) {
        for (std::int32_t n : numbers)
            rows.push_back({fn, kind, n, known, unknown});
    };
    // The 35x module adds ...
    add(Fn::Compressor, V, {197}, T350, T255);
    add(Fn::Compressor, S, {207, 212, 213}, T350, T255);
    for (Target m : {T350, T355})
        for (Target other : {T250, T255}) {
            add(Fn::Distortion, V, {1286, 1290, 1295, 1296}, m, other);
            add(Fn::Amp, V, {328, 329, 340, 379}, m, other);
        }
    add(Fn::Distortion, V, {1297}, T355, T350);
    add(Fn::Distortion, V, {1297}, T355, T255);
    // ... distortion id lists of their own (a few of their own ids):
    add(Fn::Distortion, S, {6, 2432, 2450, 2466, 2481}, T350, T255);
    add(Fn::Distortion, S, {2488, 2489, 2490, 2491}, T355, T350);
    add(Fn::Amp, V, {334, 368, 369, 377, 378, 383}, T355, T350);
    add(Fn::Amp, V, {334, 368, 369, 377, 378, 383}, T355, T255);
    add(Fn::Cabinet, V, {573, 577, 583, 584}, T350, T255);
    add(Fn::Modulation, V, {892, 894, 896, 898, 899, 900, 901, 904, 905, 910, 912, 913}, T350,
        T255);
    add(Fn::Delay, V, {1050, 1051}, T350, T255);
    add(Fn::Delay, S, {1045, 1046, 1047, 1048, 1049}, T255, T350);  // dropped by the 35x
    add(Fn::Delay, S, {15, 1856, 1874, 1893, 1894, 1895, 1896, 1897}, T350, T255);
    add(Fn::EQ, S, {3207}, T350, T255);
    add(Fn::Pedal, V,
        {assignment(4, 212), assignment(4, 213), assignment(10, 265), assignment(10, 2497),
         assignment(10, 2498), assignment(14, 849), assignment(15, 1874), assignment(15, 1893),
         assignment(15, 1897), assignment(24, 3207), assignment(25, 3203), assignment(25, 3204),
         assignment(25, 3205), assignment(25, 3207), assignment(25, 3212)},
        T350, T255);
    // The 15x module lacks ...
    for (Target m : {T150, T155}) {
        add(Fn::Cabinet, V, {571, 616}, T250, m);
        add(Fn::Modulation, V, {908}, T250, m);
        add(Fn::Modulation, S, {1410, 1417, 1418}, T250, m);
    }
    // ... and knows fewer distortion and amp models, fewer for the RP150 than the RP155.
    add(Fn::Distortion, V, {1285, 1291, 1294}, T250, T155);
    add(Fn::Distortion, V, {1292}, T155, T150);
    add(Fn::Distortion, S, {2473, 2474, 2475}, T155, T150);
    add(Fn::Amp, V, {312, 318, 322, 337}, T155, T150);
    add(Fn::Amp, V, {313, 315, 325}, T255, T155);
    // Within the 25x family the RP255 adds amp models 313, 315 and 325.
    add(Fn::Amp, V, {313, 315, 325}, T255, T250);
    return rows;
}

TEST(ModFamilyDifferences, EachNamedNumberIsKnownOnOneSideOnly) {
    for (const Difference& d : differences()) {
        EXPECT_EQ(ask(d.knownTo.family, d.fn, d.kind, d.knownTo.root, d.number), 1)
            << d.number << " should be known to " << d.knownTo.root;
        EXPECT_EQ(ask(d.unknownTo.family, d.fn, d.kind, d.unknownTo.root, d.number), 0)
            << d.number << " should be unknown to " << d.unknownTo.root;
    }
}

bool isStrictSubset(const std::set<std::int64_t>& a, const std::set<std::int64_t>& b) {
    if (a.size() >= b.size()) return false;
    for (std::int64_t n : a)
        if (!b.contains(n)) return false;
    return true;
}

std::set<std::int64_t> without(std::set<std::int64_t> a, const std::set<std::int64_t>& b) {
    for (std::int64_t n : b)
        a.erase(n);
    return a;
}

TEST(ModFamilyDifferences, SetsGrowFromTheSmallerModels) {
    // 15x: RP150 < RP155 < 25x for distortions and amps.
    EXPECT_TRUE(isStrictSubset(numbersOf(lists155::distortionValuesRp150),
                               numbersOf(lists155::distortionValuesRp155)));
    EXPECT_TRUE(isStrictSubset(numbersOf(lists155::distortionValuesRp155),
                               numbersOf(tables25x::distortionValues)));
    EXPECT_TRUE(isStrictSubset(numbersOf(lists155::distortionIdsRp150),
                               numbersOf(lists155::distortionIdsRp155)));
    EXPECT_TRUE(
        isStrictSubset(numbersOf(lists155::ampValuesRp150), numbersOf(tables25x::ampValuesRp250)));
    EXPECT_TRUE(
        isStrictSubset(numbersOf(tables25x::ampValuesRp250), numbersOf(tables25x::ampValuesRp255)));
    // 15x: only the named cabinets and modulation numbers are missing.
    EXPECT_EQ(without(numbersOf(tables25x::cabinetValues), numbersOf(lists155::cabinetValues)),
              (std::set<std::int64_t>{571, 616}));
    EXPECT_EQ(
        without(numbersOf(tables25x::modulationValues), numbersOf(lists155::modulationValues)),
        (std::set<std::int64_t>{908}));
    EXPECT_EQ(without(numbersOf(tables25x::modulationIds), numbersOf(lists155::modulationIds)),
              (std::set<std::int64_t>{1410, 1417, 1418}));

    // 35x: 32 more modulation ids, none fewer.
    const auto mod25 = numbersOf(tables25x::modulationIds);
    const auto mod35 = numbersOf(lists355::modulationIds);
    EXPECT_EQ(without(mod35, mod25).size(), 32u);
    EXPECT_TRUE(without(mod25, mod35).empty());
    // 35x: the RP355 lists extend the RP350 lists.
    EXPECT_EQ(without(numbersOf(lists355::distortionValuesRp355),
                      numbersOf(lists355::distortionValuesRp350)),
              (std::set<std::int64_t>{1297}));
    EXPECT_EQ(
        without(numbersOf(lists355::distortionIdsRp355), numbersOf(lists355::distortionIdsRp350)),
        (std::set<std::int64_t>{2488, 2489, 2490, 2491}));
    // 35x: the pedal list is the 25x list plus the fifteen named targets.
    const auto ped25 = numbersOf(tables25x::pedalValues);
    const auto ped35 = numbersOf(lists355::pedalValues);
    EXPECT_TRUE(without(ped25, ped35).empty());
    EXPECT_EQ(without(ped35, ped25).size(), 15u);
}

// Within the 25x family the amp list is the only one the root changes.
TEST(ModFamilyDifferences, Rp250AndRp255DifferOnlyInAmps) {
    for (Fn fn : {Fn::Distortion, Fn::Amp})
        for (Kind k : {V, S})
            for (double n = -1; n <= 4000; n += 0.5) {
                const int a = ask(Family::F25x, fn, k, "RP250Preset", n);
                const int b = ask(Family::F25x, fn, k, "RP255Preset", n);
                if (fn == Fn::Amp && k == V && (n == 313 || n == 315 || n == 325))
                    EXPECT_EQ(b - a, 1) << n;
                else
                    ASSERT_EQ(a, b) << static_cast<int>(fn) << " " << n;
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
