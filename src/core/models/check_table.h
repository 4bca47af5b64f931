// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Building blocks of the family check tables: lists of known numbers written as data.
//
// A list is a sequence of items, one per entry as the tables are written down:
// a single number, an inclusive range a-b, or an assignment value p:i
// (position * 65536 + parameter id). Duplicates are kept as written; they change
// no answer, but they keep the lists comparable with the published tables.

#include <cstdint>
#include <span>
#include <string_view>

namespace pw::models {

struct Item {
    std::int32_t first;
    std::int32_t last;
};

constexpr Item one(std::int32_t v) {
    return {v, v};
}
constexpr Item range(std::int32_t a, std::int32_t b) {
    return {a, b};
}
constexpr std::int32_t assignment(std::int32_t position, std::int32_t id) {
    return position * 65536 + id;
}
constexpr Item at(std::int32_t position, std::int32_t id) {
    return one(assignment(position, id));
}

using List = std::span<const Item>;

// Which list a two-list check function is asked for: kind "ID" asks for the known
// values, kind "S" for the known parameter ids.
enum class Kind { Values, Ids };

// 1 when `number` equals an entry of the list (numeric equality, so 65.5 is never
// known), else 0.
int contains(List list, double number);

// The two lists of a two-list function.
struct TwoLists {
    List values;  // asked with Kind::Values
    List ids;     // asked with Kind::Ids
    int lookup(double number, Kind kind) const {
        return contains(kind == Kind::Values ? values : ids, number);
    }
};

// Lists that depend on the target model: those of the family's first-named model, and
// those of its second model, whose root is `secondRoot`. Any other root gets the
// first-named model's lists.
struct ByModel {
    TwoLists first;
    std::string_view secondRoot;
    TwoLists second;
    const TwoLists& of(std::string_view root) const { return root == secondRoot ? second : first; }
};

// Everything one family module knows, block by block.
struct FamilyTables {
    TwoLists pickup, wah, compressor;
    ByModel distortion, amp;
    List cabinet;
    TwoLists gate, modulation, delay, reverb;
    bool hasVolume;  // the 35x models have no volume block at position 18
    List volume;
    TwoLists pedal;
    List position20;
    bool hasLfo;  // only the 35x models have LFOs
    TwoLists lfo;
    TwoLists eq, toneLibrary;
    List fxLibrary;
};

// The check functions of one family module, as the dispatch calls them.
// CheckVolume is missing (null) in the 35x module, CheckLfo in the 15x and 25x modules.
struct FamilyChecks {
    int (*CheckPickup)(double number, Kind kind);
    int (*CheckWah)(double number, Kind kind);
    int (*CheckCompressor)(double number, Kind kind);
    int (*CheckDistortion)(double number, Kind kind, std::string_view targetRoot);
    int (*CheckAmp)(double number, Kind kind, std::string_view targetRoot);
    int (*CheckCabinet)(double number);
    int (*CheckGate)(double number, Kind kind);
    int (*CheckModulation)(double number, Kind kind);
    int (*CheckDelay)(double number, Kind kind);
    int (*CheckReverb)(double number, Kind kind);
    int (*CheckVolume)(double number);
    int (*CheckPedal)(double number, Kind kind);
    int (*CheckPosition20)(double number);
    int (*CheckLfo)(double number, Kind kind);
    int (*CheckEQ)(double number, Kind kind);
    int (*CheckToneLibrary)(double number, Kind kind);
    int (*CheckFxLibrary)(double number);
};

}  // namespace pw::models
