// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Turning the bytes of a preset file into UTF-8 text.
//
// The encoding is taken from a byte order mark, or from the XML declaration, or is
// UTF-8. A strict decode refuses bytes that are invalid in that encoding and
// characters that XML does not allow; a lenient decode (for the search of the root
// name in the raw text) replaces them and never fails.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace pw::document {

struct DecodedText {
    std::string utf8;   // the text, without byte order mark
    std::string error;  // empty when the decode succeeded
    bool ok() const { return error.empty(); }
};

DecodedText decodeStrict(std::string_view bytes);

// The same strict decode for reading: UTF-8 input is validated and then read where it
// stands (no copy); other encodings are decoded into `storage`. `text` is valid as long
// as both the input bytes and this object live.
struct ReadableText {
    std::string storage;
    std::string_view text;
    std::optional<std::size_t> inputOffset;  // where `text` starts in the input, when read in place
    std::string error;
    bool ok() const { return error.empty(); }
};
ReadableText decodeForReading(std::string_view bytes);
std::string decodeLenient(std::string_view bytes);

// The raw text the root name is searched in: UTF-16 text decoded, any other text as
// it is (every other supported encoding keeps the ASCII names as they are).
std::string rawTextForSearch(std::string bytes);

// Whether the bytes are UTF-16 text, whose ASCII characters only a decode makes
// searchable; every other supported encoding keeps ASCII as it is.
bool isUtf16(std::string_view bytes);

// Appends the UTF-8 form of one code point (4 bytes above U+FFFF).
void appendUtf8(std::string& out, char32_t cp);

// XML's Char production: tab, line feed, carriage return and U+0020 upward, without
// surrogates, U+FFFE and U+FFFF.
bool isXmlChar(char32_t cp);

// Decodes the UTF-8 character at `i` and moves `i` past what was read; nullopt for a
// sequence that is not well-formed (overlong forms, surrogates and values above U+10FFFF
// included).
std::optional<char32_t> nextUtf8(std::string_view b, std::size_t& i);

// Where the run of plain ASCII (printable, tab, line feed, carriage return) that starts at
// `from` ends: the first other byte, or the text's size. Eight bytes are tested at a time.
std::size_t endOfPlainAscii(std::string_view text, std::size_t from);

}  // namespace pw::document
