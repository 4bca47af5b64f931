// SPDX-License-Identifier: GPL-3.0-or-later
#include "filter/amp_channel.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace pw::filter {

namespace {

bool containsIgnoringCase(std::string_view text, std::string_view word) {
    return std::search(text.begin(), text.end(), word.begin(), word.end(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) ==
                      std::tolower(static_cast<unsigned char>(b));
           }) != text.end();
}

std::array<std::string, 3> channelPrefixes(char channel) {
    const std::string x(1, channel);
    return {"Amp " + x + " ", "Cab " + x + " ", "EQ " + x + " "};
}

}  // namespace

void SelectAmpChannel(ParamList& list, char channel) {
    const auto dropped = channelPrefixes(channel == 'A' ? 'B' : 'A');
    std::size_t i = 1;
    while (i <= list.count()) {
        const std::string& name = list.row(i).name();
        const bool drop = std::any_of(dropped.begin(), dropped.end(), [&](const std::string& p) {
            return containsIgnoringCase(name, p);
        });
        if (drop)
            list.remove(i);  // the row that moves up is examined next
        else
            ++i;
    }
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
