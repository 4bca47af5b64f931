// SPDX-License-Identifier: GPL-3.0-or-later
#include "filter/amp_channel.h"

#include "params/letter_case.h"

namespace pw::filter {

namespace {

// The words, in lower case, that name a block of one channel before the channel letter.
constexpr std::string_view kChannelBlocks[] = {"amp ", "cab ", "eq "};

// Whether `name` holds, from byte `at`, the block word (given in lower case), the channel
// letter (lower case too) and a blank, letter case ignored.
bool channelWordAt(std::string_view name, std::size_t at, std::string_view block, char letter) {
    if (name.size() - at < block.size() + 2) return false;
    for (std::size_t i = 0; i < block.size(); ++i)
        if (lowerAscii(name[at + i]) != block[i]) return false;
    return lowerAscii(name[at + block.size()]) == letter && name[at + block.size() + 1] == ' ';
}

}  // namespace

bool isOfChannel(std::string_view name, char channel) {
    const char letter = lowerAscii(channel);
    for (std::size_t at = 0; at < name.size(); ++at)
        for (std::string_view block : kChannelBlocks)
            if (channelWordAt(name, at, block, letter)) return true;
    return false;
}

void SelectAmpChannel(ParamList& list, char channel) {
    const char dropped = channel == 'A' ? 'B' : 'A';
    list.keepIf([dropped](const Row& row) { return !isOfChannel(row.name(), dropped); });
}

std::string channelPatchName(std::string_view patchName, char channel) {
    // Count four UTF-8 characters, never cutting one in half.
    std::size_t bytes = 0;
    int characters = 0;
    while (bytes < patchName.size() && characters < 4) {
        ++bytes;
        while (bytes < patchName.size() &&
               (static_cast<unsigned char>(patchName[bytes]) & 0xC0) == 0x80)
            ++bytes;
        ++characters;
    }
    return std::string(patchName.substr(0, bytes)) + "_" + channel;
}

}  // namespace pw::filter
