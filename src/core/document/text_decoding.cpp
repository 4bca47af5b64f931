// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/text_decoding.h"

#include "document/single_byte_encoding.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <optional>

namespace pw::document {

namespace {

// Named: an encoding the declaration names that iconv may know as a single-byte one
// (Latin-1 and ASCII among them).
enum class Encoding { Utf8, Utf16LE, Utf16BE, Named, Unknown };

constexpr char32_t kReplacement = 0xFFFD;

// Printable ASCII and the three white space controls XML allows, copied unchanged by
// every ASCII-compatible encoding.
constexpr std::array<bool, 256> makePlainAscii() {
    std::array<bool, 256> table{};
    for (int c = 0x20; c < 0x7F; ++c)
        table[static_cast<std::size_t>(c)] = true;
    table['\t'] = table['\n'] = table['\r'] = true;
    return table;
}
constexpr std::array<bool, 256> kPlainAscii = makePlainAscii();
inline bool isPlainAscii(unsigned char c) {
    return kPlainAscii[c];
}

// Whether all eight bytes at `p` are plain ASCII, tested a machine word at a time: no
// byte has its top bit set, none is DEL, and every byte below a space is a tab, a line
// feed or a carriage return. Once the top bits are known clear, adding to a byte never
// carries into the next one.
inline bool eightPlainAscii(const char* p) {
    constexpr std::uint64_t kEach = 0x0101010101010101ull;
    constexpr std::uint64_t kTop = 0x8080808080808080ull;
    std::uint64_t x;
    std::memcpy(&x, p, sizeof x);
    if (x & kTop) return false;
    const std::uint64_t atLeastSpace = (x + 0x60 * kEach) & kTop;
    const std::uint64_t isDel = (x + kEach) & kTop;
    auto equalTo = [&](unsigned char c) { return ~((x ^ (c * kEach)) + 0x7F * kEach) & kTop; };
    const std::uint64_t allowedControl = equalTo('\t') | equalTo('\n') | equalTo('\r');
    return ((~atLeastSpace & kTop & ~allowedControl) | isDel) == 0;
}

std::string lowerAscii(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

// The encoding named in an XML declaration at the start of 8-bit text, if any: the word
// "encoding", white space, '=', white space, and the name in quotes.
std::optional<std::string> declaredEncoding(std::string_view text) {
    if (!text.starts_with("<?xml")) return std::nullopt;
    const std::string_view decl = text.substr(0, text.find("?>"));
    constexpr std::string_view kWord = "encoding", kBlanks = " \t\r\n";
    const auto word = decl.find(kWord);
    if (word == std::string_view::npos) return std::nullopt;
    const auto equals = decl.find_first_not_of(kBlanks, word + kWord.size());
    if (equals == std::string_view::npos || decl[equals] != '=') return std::nullopt;
    const auto open = decl.find_first_not_of(kBlanks, equals + 1);
    if (open == std::string_view::npos || (decl[open] != '"' && decl[open] != '\''))
        return std::nullopt;
    const auto close = decl.find(decl[open], open + 1);
    if (close == std::string_view::npos) return std::nullopt;
    return lowerAscii(decl.substr(open + 1, close - open - 1));
}

// The encoding a declared `name` (lower case) stands for; a spelling iconv does not know
// is mended in place.
Encoding encodingByName(std::string& name) {
    if (name == "utf-8" || name == "utf8") return Encoding::Utf8;
    if (name == "utf-16") return Encoding::Unknown;  // UTF-16 text always starts with a mark
    if (name == "latin-1") name = "latin1";          // a spelling iconv does not know
    return Encoding::Named;
}

struct Source {
    Encoding encoding;
    std::size_t skip;       // bytes of the byte order mark
    std::string name = {};  // the declared name of a Named encoding
};

Source detect(std::string_view b) {
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(b[i]); };
    if (b.size() >= 3 && byte(0) == 0xEF && byte(1) == 0xBB && byte(2) == 0xBF)
        return {Encoding::Utf8, 3};
    if (b.size() >= 2 && byte(0) == 0xFF && byte(1) == 0xFE) return {Encoding::Utf16LE, 2};
    if (b.size() >= 2 && byte(0) == 0xFE && byte(1) == 0xFF) return {Encoding::Utf16BE, 2};
    // UTF-16 without a mark still starts with "<?" or "<" and a zero byte.
    if (b.size() >= 4 && byte(0) == '<' && byte(1) == 0 && byte(2) != 0 && byte(3) == 0)
        return {Encoding::Utf16LE, 0};
    if (b.size() >= 4 && byte(0) == 0 && byte(1) == '<' && byte(2) == 0 && byte(3) != 0)
        return {Encoding::Utf16BE, 0};
    if (auto name = declaredEncoding(b)) {
        const Encoding encoding = encodingByName(*name);
        return {encoding, 0, std::move(*name)};
    }
    return {Encoding::Utf8, 0};
}

std::optional<char32_t> nextUtf16(std::string_view b, std::size_t& i, bool little) {
    auto unit = [&](std::size_t at) -> std::uint16_t {
        const auto lo = static_cast<unsigned char>(b[little ? at : at + 1]);
        const auto hi = static_cast<unsigned char>(b[little ? at + 1 : at]);
        return static_cast<std::uint16_t>(hi << 8 | lo);
    };
    if (i + 2 > b.size()) {
        i = b.size();
        return std::nullopt;
    }
    const std::uint16_t u = unit(i);
    i += 2;
    if (u >= 0xD800 && u <= 0xDBFF) {
        if (i + 2 > b.size()) return std::nullopt;
        const std::uint16_t v = unit(i);
        if (v < 0xDC00 || v > 0xDFFF) return std::nullopt;
        i += 2;
        return 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (v - 0xDC00);
    }
    if (u >= 0xDC00 && u <= 0xDFFF) return std::nullopt;
    return u;
}

// What a decode gives: the text in UTF-8, or only whether it is valid (`utf8` stays empty).
enum class Gives { Text, Verdict };

DecodedText decode(std::string_view bytes, bool strict, Gives gives = Gives::Text) {
    const bool copy = gives == Gives::Text;
    DecodedText out;
    Source src = detect(bytes);
    std::optional<SingleByteTable> table;
    if (src.encoding == Encoding::Named) {
        table = singleByteTable(src.name);
        if (!table) src.encoding = Encoding::Unknown;
    }
    if (src.encoding == Encoding::Unknown) {
        if (strict) {
            out.error = "the document declares an encoding that is not supported";
            return out;
        }
    }
    const std::string_view b = bytes.substr(src.skip);
    if (copy) out.utf8.reserve(b.size());
    const bool asciiCompatible =
        src.encoding != Encoding::Utf16LE && src.encoding != Encoding::Utf16BE;
    std::size_t i = 0;
    while (i < b.size()) {
        if (asciiCompatible) {
            // Runs of plain ASCII text are copied as they are.
            const std::size_t run = i;
            i = endOfPlainAscii(b, i);
            if (copy) out.utf8.append(b.data() + run, i - run);
            if (i >= b.size()) break;
        }
        std::optional<char32_t> cp;
        const std::size_t at = i;
        switch (src.encoding) {
            case Encoding::Utf16LE:
            case Encoding::Utf16BE:
                cp = nextUtf16(b, i, src.encoding == Encoding::Utf16LE);
                break;
            case Encoding::Named: {
                const char32_t c = (*table)[static_cast<unsigned char>(b[i++])];
                if (c != kUndefinedByte) cp = c;
                break;
            }
            case Encoding::Utf8:
            case Encoding::Unknown:
                cp = nextUtf8(b, i);
        }
        if (!cp) {
            if (strict) {
                out.error = "byte " + std::to_string(src.skip + at) +
                            " is not valid in the document's encoding";
                return out;
            }
            cp = kReplacement;
        } else if (strict && !isXmlChar(*cp)) {
            out.error = "the document holds a character that XML does not allow";
            return out;
        }
        if (copy) appendUtf8(out.utf8, *cp);
    }
    return out;
}

}  // namespace

std::size_t endOfPlainAscii(std::string_view text, std::size_t from) {
    std::size_t i = from;
    while (i + 8 <= text.size() && eightPlainAscii(text.data() + i))
        i += 8;
    const auto end = std::find_if_not(text.begin() + std::ptrdiff_t(i), text.end(),
                                      [](unsigned char c) { return isPlainAscii(c); });
    return std::size_t(end - text.begin());
}

// Decodes one code point of UTF-8; nullopt for an invalid sequence (overlong forms,
// surrogates and values above U+10FFFF included). `i` moves past what was read.
std::optional<char32_t> nextUtf8(std::string_view b, std::size_t& i) {
    const auto c0 = static_cast<unsigned char>(b[i]);
    if (c0 < 0x80) {
        ++i;
        return c0;
    }
    int len = 0;
    char32_t cp = 0;
    char32_t min = 0;
    if (c0 >= 0xC2 && c0 <= 0xDF)
        len = 2, cp = c0 & 0x1Fu, min = 0x80;
    else if (c0 >= 0xE0 && c0 <= 0xEF)
        len = 3, cp = c0 & 0x0Fu, min = 0x800;
    else if (c0 >= 0xF0 && c0 <= 0xF4)
        len = 4, cp = c0 & 0x07u, min = 0x10000;
    else {
        ++i;
        return std::nullopt;
    }
    if (i + static_cast<std::size_t>(len) > b.size()) {
        ++i;
        return std::nullopt;
    }
    for (int k = 1; k < len; ++k) {
        const auto c = static_cast<unsigned char>(b[i + static_cast<std::size_t>(k)]);
        if ((c & 0xC0) != 0x80) {
            ++i;
            return std::nullopt;
        }
        cp = (cp << 6) | (c & 0x3Fu);
    }
    i += static_cast<std::size_t>(len);
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
    return cp;
}

bool isXmlChar(char32_t cp) {
    return cp == 0x9 || cp == 0xA || cp == 0xD || (cp >= 0x20 && cp <= 0xD7FF) ||
           (cp >= 0xE000 && cp <= 0xFFFD) || (cp >= 0x10000 && cp <= 0x10FFFF);
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

bool isUtf16(std::string_view bytes) {
    const Encoding e = detect(bytes).encoding;
    return e == Encoding::Utf16LE || e == Encoding::Utf16BE;
}

std::string rawTextForSearch(std::string bytes) {
    return isUtf16(bytes) ? decodeLenient(bytes) : std::move(bytes);
}

ReadableText decodeForReading(std::string_view bytes) {
    ReadableText out;
    const Source src = detect(bytes);
    if (src.encoding == Encoding::Utf8) {
        // UTF-8 is read where it stands once it has been validated.
        DecodedText checked = decode(bytes, true, Gives::Verdict);
        out.error = std::move(checked.error);
        if (out.error.empty()) {
            out.text = bytes.substr(src.skip);
            out.inputOffset = src.skip;
        }
        return out;
    }
    DecodedText decoded = decode(bytes, true);
    out.error = std::move(decoded.error);
    out.storage = std::move(decoded.utf8);
    out.text = out.storage;
    return out;
}

DecodedText decodeStrict(std::string_view bytes) {
    return decode(bytes, true);
}

std::string decodeLenient(std::string_view bytes) {
    return decode(bytes, false).utf8;
}

}  // namespace pw::document
