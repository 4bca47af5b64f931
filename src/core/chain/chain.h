// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A preset's signal chain as the unit's front panel shows it: one tile per block in the
// unit's order (pickup, wah, compressor, distortion, amp and cabinet, EQ, gate, volume,
// modulation, delay, reverb, volume), each with its model, on or off, its main knobs and
// whether a row of it conflicts with the target. A two-channel (RP35x) preset has an amp,
// cabinet and EQ on each channel. Read from the list alone, so the window, the command
// line and the Library draw the same chain.

#include <cstddef>
#include <string>
#include <vector>

#include "params/param_list.h"

namespace pw::chain {

// One of the main knobs of a block ("Drive", "58").
struct Knob {
    std::string label;
    std::string text;
    bool operator==(const Knob&) const = default;
};

struct Tile {
    std::string stage;  // what the block is: "Wah", "Amp A", "EQ B", "Volume Post FX"
    std::string model;  // the catalogue's name: "Cry Wah", "Brown Sound / Boutique 4x12"
    char channel = 0;   // 'A' or 'B' for a block of one amp channel, else 0
    bool on = true;
    bool conflict = false;
    std::vector<Knob> knobs;        // the main knobs, in the list's order
    std::string headline;           // the knob a one-line chain names ("Drive 58"), or ""
    std::vector<std::size_t> rows;  // the block's rows, numbered from 1
    bool operator==(const Tile&) const = default;
};

struct Chain {
    std::vector<Tile> tiles;  // in the unit's order; channel A's blocks before channel B's
    bool twoChannels() const;
};

// The chain of the rows of `list` (a block is there when its model or on/off row is).
Chain chainOf(const ParamList& list);

// Where a tile stands in the picture: its column, counted from 0, and its lane: 0 for
// every tile of a one-channel chain; with two channels 0 is channel A, 2 channel B and 1
// the common path between them (half a tile lower than A). `from` are the tiles whose
// sound it takes (by index), for the lines between them.
struct Place {
    int column = 0;
    int lane = 0;
    std::vector<std::size_t> from;
};
std::vector<Place> layoutOf(const Chain& chain);
int columnsOf(const std::vector<Place>& places);

// The one-line chain: "Cry Wah → CS Comp (off) → Screamer TS9 (Drive 58) → ...", the two
// amp channels as "[A: ... | B: ...]".
std::string chainLine(const Chain& chain);

// What a tile says to one who cannot see it: "Distortion: Screamer TS9, off, Drive 58,
// Level 40, conflict".
std::string tileDescription(const Tile& tile);

// Every row of the tile's block, one line each: "Dist Gain: 48".
std::string tileRowsText(const Tile& tile, const ParamList& list);

}  // namespace pw::chain
