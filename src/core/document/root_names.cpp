// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/root_names.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace pw::document {

namespace {

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whether `text` holds `word` ending just before `end`, letter case ignored.
bool endsWithIgnoringCase(std::string_view text, std::size_t end, std::string_view word) {
    if (end < word.size()) return false;
    for (std::size_t k = 0; k < word.size(); ++k)
        if (lower(text[end - word.size() + k]) != lower(word[k])) return false;
    return true;
}

// Every root name is a model part followed by this ending.
constexpr std::string_view kEnding = "preset";

std::string_view modelPart(std::string_view rootName) {
    return rootName.substr(0, rootName.size() - kEnding.size());
}

// Calls `at(i)` for every i where text[i] is 'p' or 'P', in order. Sixteen bytes are
// compared at once where the compiler has vectors and the first byte in memory is the
// lowest; the rest goes byte by byte. (c | 0x20) == 'p' holds for 'p' and 'P' alone.
template <class At>
void forEachLetterP(std::string_view text, At at) {
    const char* s = text.data();
    std::size_t i = 0;
#if defined(__GNUC__)
    if constexpr (std::endian::native == std::endian::little) {
        using Bytes = unsigned char __attribute__((vector_size(16)));
        for (; i + 16 <= text.size(); i += 16) {
            Bytes v;
            std::memcpy(&v, s + i, sizeof v);
            const auto hits = (v | 0x20) == 'p';  // each byte 0xFF or 0
            std::uint64_t halves[2];
            std::memcpy(halves, &hits, sizeof halves);
            std::size_t first = i;  // the byte the half starts at
            for (const std::uint64_t half : halves) {
                // One bit of each byte that matched, the byte's lowest.
                for (std::uint64_t bits = half & 0x0101010101010101ull; bits != 0; bits &= bits - 1)
                    at(first + static_cast<std::size_t>(std::countr_zero(bits)) / 8);
                first += 8;
            }
        }
    }
#endif
    for (; i < text.size(); ++i)
        if ((s[i] | 0x20) == 'p') at(i);
}

}  // namespace

std::string FindRootName(std::string_view text) {
    // Every name ends in "Preset": one pass over the places where "preset" stands
    // (in any letter case) tells which names occur; the list order then decides.
    std::size_t found = kRoots.size();
    forEachLetterP(text, [&](std::size_t at) {
        if (!endsWithIgnoringCase(text, at + kEnding.size(), kEnding)) return;
        for (std::size_t n = 0; n < found; ++n) {
            if (endsWithIgnoringCase(text, at, modelPart(kRoots[n].name))) {
                found = n;
                break;
            }
        }
    });
    return found < kRoots.size() ? std::string(kRoots[found].name) : std::string();
}

Family familyOf(std::string_view root) {
    const RootInfo* info = rootInfo(root);
    return info ? info->family : Family::None;
}

Family filterSourceGroup(std::string_view root) {
    const RootInfo* info = rootInfo(root);
    return info ? info->filterGroup : Family::None;
}

bool isFullUseRoot(std::string_view root) {
    const RootInfo* info = rootInfo(root);
    return info && info->savable;
}

bool isTwoChannelRoot(std::string_view root) {
    const RootInfo* info = rootInfo(root);
    return info && info->twoAmpChannels;
}

}  // namespace pw::document
