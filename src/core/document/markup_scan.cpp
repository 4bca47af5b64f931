// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/markup_scan.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace pw::document {

// Eight bytes are looked at together: for each of the three characters, a byte equal to
// it becomes zero, and the lowest byte the zero test flags is the first zero one (flags
// above it may be false, never below). The first byte in memory is the lowest on a
// little-endian machine; others go byte by byte.
std::size_t endOfText(std::string_view text, std::size_t from) {
    const char* s = text.data();
    const std::size_t size = text.size();
    std::size_t p = from;
    if constexpr (std::endian::native == std::endian::little) {
        constexpr std::uint64_t kEach = 0x0101010101010101ull;
        constexpr std::uint64_t kTop = 0x8080808080808080ull;
        auto zeroFlags = [](std::uint64_t v) { return (v - kEach) & ~v & kTop; };
        for (; p + 8 <= size; p += 8) {
            std::uint64_t x;
            std::memcpy(&x, s + p, sizeof x);
            const std::uint64_t flags = zeroFlags(x ^ ('<' * kEach)) |
                                        zeroFlags(x ^ ('&' * kEach)) | zeroFlags(x ^ (']' * kEach));
            if (flags) return p + static_cast<std::size_t>(std::countr_zero(flags)) / 8;
        }
    }
    while (p < size && s[p] != '<' && s[p] != '&' && s[p] != ']')
        ++p;
    return p;
}

}  // namespace pw::document
