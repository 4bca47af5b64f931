// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Single-byte encodings that the C library's iconv knows (windows-1252, ISO-8859-15,
// KOI8-R and the like), as a table of 256 code points built through iconv once per
// document.

#include <array>
#include <optional>
#include <string_view>

namespace pw::document {

inline constexpr char32_t kUndefinedByte = 0xFFFFFFFF;

// Byte -> code point; kUndefinedByte for a byte the encoding leaves undefined.
using SingleByteTable = std::array<char32_t, 256>;

// The table of the encoding named `name` (an XML encoding name: a letter, then letters,
// digits, '.', '_' and '-'), or nullopt when iconv does not know it or it is not a
// single-byte encoding that keeps ASCII as it is: multi-byte and stateful encodings
// (Shift_JIS, UTF-7, ISO-2022-JP) and those that change ASCII (EBCDIC) are refused.
std::optional<SingleByteTable> singleByteTable(std::string_view name);

}  // namespace pw::document
