// SPDX-License-Identifier: GPL-3.0-or-later
#include "filter/amp_channel.h"

#include "params/letter_case.h"

namespace pw::filter {

namespace {

// The words, in lower case, that name a block of one channel before the channel letter.
constexpr std::string_view kChannelBlocks[] = {"amp ", "cab ", "eq "};

bool endsWithIgnoringCase(std::string_view text, std::string_view lowerEnd) {
    return text.size() >= lowerEnd.size() &&
           equalIgnoringCase(text.substr(text.size() - lowerEnd.size()), lowerEnd);
}

}  // namespace

bool isOfChannel(std::string_view name, char channel) {
    // Each channel letter followed by a blank, then the words before it.
    const char letter = lowerAscii(channel);
    for (std::size_t at = 0; at + 1 < name.size(); ++at) {
        if (lowerAscii(name[at]) != letter || name[at + 1] != ' ') continue;
        for (std::string_view block : kChannelBlocks)
            if (endsWithIgnoringCase(name.substr(0, at), block)) return true;
    }
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
