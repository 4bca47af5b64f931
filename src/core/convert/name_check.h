// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whether a patch name can be written into a preset that can be read again, and a name
// mended so that it can.

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

// True when `name` is valid UTF-8 and every character is one XML allows in a
// document (so not U+0000-U+001F other than tab, line feed and carriage return, nor
// U+FFFE or U+FFFF).
bool isWritablePatchName(std::string_view name);

// `name` with each character the name check refuses, and each control character, as "_"
// (what convert --fix-names saves under).
std::string fixedPatchName(std::string_view name);

}  // namespace pw
