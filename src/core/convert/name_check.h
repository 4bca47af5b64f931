// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whether a patch name can be written into a preset that can be read again and serve as
// a file name, and a name mended so that it can.

#include <optional>
#include <string>
#include <string_view>

namespace pw::text {

// The characters a patch name may not hold, in the order Save tests them (the asterisk
// stands twice).
inline constexpr std::string_view kRefusedNameCharacters[] = {
    "?", "/", "\\", "@", "$", "%", "^", "&", "*", "#", "!", "(",
    ")", "=", "[",  "]", "{", "}", "<", ">", ",", "|", "*",
};

}  // namespace pw::text

namespace pw {

// A character Save refuses in a patch name: one of the refused characters of the list, a
// control character (tab, line feed and carriage return among them), a character a
// preset cannot hold (U+FFFE, U+FFFF) or a byte that is not UTF-8.
struct RefusedCharacter {
    enum class Kind { Listed, Control, NotXml, NotUtf8, Bidi };
    Kind kind = Kind::Listed;
    std::string listed;  // the list's text, for Listed
    char32_t code = 0;   // the other kinds: the code point, or the byte that is not UTF-8
};

// Whose check a name goes through: Save's in the main window, or that of a conversion
// of many presets (convert, the Library's conversion, scan's name report), which also
// refuses the bidirectional controls (U+202E ...): a file name holding one reads
// otherwise than it is, and is hard to tell from another in a listing of many.
enum class NameRules { Save, Batch };

// The first character refused: the list's characters in the order they are tested,
// then, from the start of the name, the first control or unwritable character (or, in
// a batch, bidirectional control).
std::optional<RefusedCharacter> refusedNameCharacter(std::string_view name,
                                                     NameRules rules = NameRules::Save);

// How the refused character reads in a message: "/" in quotation marks, U+000A for a
// control character, the byte 0xFF for one that is not UTF-8.
std::string describeRefused(const RefusedCharacter& refused);

// `name` with each character a batch's name check refuses as "_" (one per byte that is
// not UTF-8): what convert --fix-names saves under.
std::string fixedPatchName(std::string_view name);

// Whether a file named after `name` would be hidden or have no name of its own: "",
// "." and "..". A batch refuses such a name.
bool isDotsName(std::string_view name);

}  // namespace pw
