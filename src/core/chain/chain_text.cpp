// SPDX-License-Identifier: GPL-3.0-or-later
// The chain in words: one line for a forum post, a tile's description and its rows.

#include <string_view>

#include "chain/chain.h"

namespace pw::chain {
namespace {

constexpr std::string_view kArrow = " \u2192 ";

std::string inLine(const Tile& tile) {
    std::string text = tile.model.empty() ? tile.stage : tile.model;
    std::string notes = tile.headline;
    if (!tile.on) notes += notes.empty() ? "off" : ", off";
    if (!notes.empty()) text += " (" + notes + ")";
    return text;
}

std::string joined(const std::vector<std::string>& parts) {
    std::string line;
    for (const std::string& part : parts)
        line += (line.empty() ? "" : std::string(kArrow)) + part;
    return line;
}

}  // namespace

std::string chainLine(const Chain& chain) {
    std::vector<std::string> parts;
    std::vector<std::string> channelA, channelB;
    const bool two = chain.twoChannels();
    const auto flushChannels = [&] {
        if (channelA.empty() && channelB.empty()) return;
        parts.push_back("[A: " + joined(channelA) + " | B: " + joined(channelB) + "]");
        channelA.clear();
        channelB.clear();
    };
    for (const Tile& tile : chain.tiles) {
        if (two && tile.channel != 0) {
            (tile.channel == 'A' ? channelA : channelB).push_back(inLine(tile));
            continue;
        }
        flushChannels();
        parts.push_back(inLine(tile));
    }
    flushChannels();
    return joined(parts);
}

std::string tileDescription(const Tile& tile) {
    std::string text = tile.stage;
    if (!tile.model.empty() && tile.model != tile.stage) text += ": " + tile.model;
    if (!tile.on) text += ", off";
    for (const Knob& knob : tile.knobs)
        text += ", " + knob.label + " " + knob.text;
    if (tile.conflict) text += ", conflict";
    return text;
}

std::string tileRowsText(const Tile& tile, const ParamList& list) {
    std::string text;
    for (std::size_t number : tile.rows) {
        if (number == 0 || number > list.count()) continue;
        const Row& row = list.row(number);
        if (!text.empty()) text += '\n';
        text += row.name() + ": " + (row.setting().empty() ? row.value() : row.setting());
    }
    return text;
}

}  // namespace pw::chain
