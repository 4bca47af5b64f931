// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The check lists of the 25x family (RP250, RP255). Many of them are shared: the 15x
// and 35x modules use these very lists wherever their model knows exactly what the
// 25x models know, instead of keeping copies.
//
// Lists keep the order in which the tables were drawn up, one entry per item: a single
// number, an inclusive range, or an assignment value at(position, id).

#include <array>
#include <cstddef>

#include "models/check_table.h"

namespace pw::models {

// Joins two item arrays into one, at compile time, so that a list that extends
// another ("the RP350 list followed by 1297") is built without repeating the first.
template <std::size_t N, std::size_t M>
constexpr std::array<Item, N + M> join(const Item (&head)[N], const Item (&tail)[M]) {
    std::array<Item, N + M> out{};
    for (std::size_t i = 0; i < N; ++i)
        out[i] = head[i];
    for (std::size_t i = 0; i < M; ++i)
        out[N + i] = tail[i];
    return out;
}

namespace tables25x {

// The pedal assignment targets up to and including the amp block (8:2498). The 35x
// pedal list starts with the same entries, so they are visible here for joining.
inline constexpr Item kPedalValuesThroughAmp[] = {
    one(0),      at(2, 65),   at(2, 64),   at(4, 193),  at(4, 208),  at(4, 209),  at(4, 210),
    at(4, 211),  at(6, 2433), at(6, 2434), at(6, 2435), at(6, 2436), at(6, 2473), at(6, 2474),
    at(6, 2475), at(6, 2448), at(6, 2449), at(6, 2443), at(6, 2444), at(6, 2437), at(6, 2438),
    at(6, 2439), at(6, 2468), at(6, 2469), at(6, 2440), at(6, 2441), at(6, 2442), at(6, 2454),
    at(6, 2456), at(6, 2457), at(6, 2455), at(6, 2460), at(6, 2463), at(6, 2462), at(6, 2461),
    at(6, 2464), at(6, 2465), at(6, 2477), at(6, 2476), at(6, 2478), at(6, 2479), at(6, 2480),
    at(6, 2471), at(6, 2470), at(6, 2472), at(6, 2458), at(6, 2459), at(6, 2445), at(6, 2446),
    at(6, 2447), at(8, 265),  at(8, 2497), at(8, 2498),
};

// Two-list functions keep a list of known values (asked with Kind::Values) and a list
// of known parameter ids (Kind::Ids); single-list functions keep one.
extern const List pickupValues;
extern const List pickupIds;
extern const List wahValues;
extern const List wahIds;
extern const List compressorValues;
extern const List compressorIds;
extern const List distortionValues;
extern const List distortionIds;
extern const List ampValuesRp250;
extern const List ampValuesRp255;
extern const List ampIds;
extern const List cabinetValues;
extern const List gateValues;
extern const List gateIds;
extern const List modulationValues;
extern const List modulationIds;
extern const List delayValues;
extern const List delayIds;
extern const List reverbValues;
extern const List reverbIds;
extern const List volumeIds;
extern const List pedalValues;
extern const List pedalIds;
extern const List position20Ids;
extern const List eqValues;
extern const List eqIds;
extern const List toneLibraryValues;
extern const List toneLibraryIds;
extern const List fxLibraryValues;

// The whole 25x family; the 15x and 35x modules start from it and replace the blocks
// their models know differently.
FamilyTables family();

}  // namespace tables25x
}  // namespace pw::models
