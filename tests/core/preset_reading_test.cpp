// SPDX-License-Identifier: GPL-3.0-or-later
// The root name search over the decoded text. What the parse takes from a document is
// checked against the reference reader on the files of tests/data/reader.

#include "convert/convert.h"
#include "document/markup_scan.h"
#include "document/open_file_types.h"
#include "document/preset_document.h"
#include "document/root_names.h"
#include "document/text_decoding.h"
#include "test_support.h"

namespace {

using pw::document::FindRootName;

// ASCII text as UTF-16, without a byte order mark.
std::string utf16(std::string_view ascii, bool bigEndian) {
    std::string out;
    for (char c : ascii)
        out += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
    return out;
}

// The texts of tests/data/root_names.tsv: the list's order decides, case is ignored.
TEST(FindRootName, ListOrderDecidesAndCaseIsIgnored) {
    for (const auto& f : pwtest::tsv("root_names.tsv"))
        EXPECT_EQ(FindRootName(f.at(0)), f.at(1) == "-" ? "" : f.at(1)) << f.at(0);
}

// The search looks at many bytes at once: a name is found at every place of a block,
// among letters p that start no name.
TEST(FindRootName, FindsANameAtEveryPlace) {
    const std::string filler = "Param pP p\xF0P <Position> PRESE preset Pr P";
    EXPECT_EQ(FindRootName(filler + filler), "");
    for (std::size_t at = 0; at <= filler.size(); ++at) {
        const std::string text = filler.substr(0, at) + "rp250PRESET" + filler.substr(at);
        EXPECT_EQ(FindRootName(text), "RP250Preset") << at;
    }
}

// The search reads past what a well-formed document could not hold (here U+0001), in
// either byte order of UTF-16, as the conversion looks for a preset's model.
TEST(FindRootName, FindsTheRootOfUtf16TextAfterDecoding) {
    const std::string text = "<?xml version=\"1.0\"?><!--\x01--><RP350Preset/>";
    for (const bool bigEndian : {false, true}) {
        const std::string bytes = (bigEndian ? "\xFE\xFF" : "\xFF\xFE") + utf16(text, bigEndian);
        EXPECT_EQ(pw::convert::sourceRootOf(bytes), "RP350Preset") << bigEndian;
    }
}

// Text ends at the first '<', '&' or ']', a run of plain ASCII (printable, tab, line feed,
// carriage return) at the first other byte: each byte at each place of the eight-byte
// steps, the text read from its start or from places before the byte.
TEST(EndOfText, AndOfPlainAsciiForEachByteAtEachPlace) {
    for (int c = 0; c < 256; ++c)
        for (std::size_t at = 0; at < 19; ++at) {
            const std::string text =
                std::string(at, 'a') + char(c) + std::string(18 - at, 'b') + '<';
            const bool markup = c == '<' || c == '&' || c == ']';
            const bool plain = (c >= 0x20 && c < 0x7F) || c == '\t' || c == '\n' || c == '\r';
            for (std::size_t from = 0; from <= at; from += 3)
                EXPECT_EQ(pw::document::endOfText(text, from), markup ? at : 19) << c << " " << at;
            EXPECT_EQ(pw::document::endOfPlainAscii(text, 0), plain ? 20 : at) << c << " " << at;
        }
    EXPECT_EQ(pw::document::endOfText("abcdefghijk", 2), 11u);
}

// A lenient decode replaces each byte it cannot read and goes on:
// a sequence cut short at the end of a file, a lead byte without its continuation, a
// byte that leads nothing (tests/data/lenient_decoding.tsv).
TEST(DecodeLenient, ReplacesWhatItCannotReadAndGoesOn) {
    for (const auto& f : pwtest::tsv("lenient_decoding.tsv"))
        EXPECT_EQ(pw::document::decodeLenient(pwtest::unescaped(f.at(0))),
                  pwtest::unescaped(f.at(1)))
            << f.at(0);
}

// Single-byte encodings other than Latin-1 are decoded through the C library's iconv;
// UTF-16 is decoded by hand, up to the edges of its two- and four-byte forms
// (tests/data/reader/encodings.tsv).
TEST(ParsePreset, DecodesEncodingsOtherThanUtf8) {
    for (const auto& f : pwtest::tsv("reader/encodings.tsv", 2)) {
        const auto r = pw::document::parsePreset(pwtest::sample("reader/good/" + f[0]));
        ASSERT_TRUE(r.ok()) << f[0] << ": " << r.error;
        EXPECT_EQ(r.document.firstName, f[1]) << f[0];
        EXPECT_EQ(r.document.params.size(), 1u) << f[0];
    }
}

// Each name an encoding is declared by reads the byte 0xE9 as that encoding does: "é",
// or not at all (tests/data/reader/encoding_names.tsv).
TEST(ParsePreset, EachNameOfAnEncodingReadsItsBytes) {
    for (const auto& f : pwtest::tsv("reader/encoding_names.tsv", 2)) {
        const auto r = pw::document::parsePreset("<?xml version=\"1.0\" encoding=\"" + f[0] +
                                                 "\"?><Preset><Name>caf\xE9</Name></Preset>");
        EXPECT_EQ(r.ok() ? r.document.firstName : r.error, f[1]) << f[0];
    }
}

// Plain text is validated and searched for markup several bytes at a time: every ASCII
// byte, at every place of a word, must still be judged as XML judges it alone, in UTF-8
// and in the single-byte encodings that copy ASCII as it is.
TEST(ParsePreset, EveryAsciiByteAtEveryPlaceOfAWord) {
    using pw::document::ReadStatus;
    for (const std::string encoding : {"", "us-ascii", "iso-8859-1"}) {
        const std::string declaration =
            encoding.empty() ? "" : "<?xml version=\"1.0\" encoding=\"" + encoding + "\"?>";
        for (int offset = 0; offset <= 17; ++offset)
            for (int byte = 0; byte < 0x80; ++byte) {
                const char c = static_cast<char>(byte);
                const std::string text = std::string(static_cast<std::size_t>(offset), 'a') + c +
                                         "bcdefghijklmnopqrstuvwxyz";
                const auto r = pw::document::parsePreset(declaration + "<Preset><Name>" + text +
                                                         "</Name></Preset>");
                const std::string what =
                    encoding + " byte " + std::to_string(byte) + " at " + std::to_string(offset);
                if (byte < 0x20 && c != '\t' && c != '\n' && c != '\r') {
                    EXPECT_EQ(r.status, ReadStatus::BadEncoding) << what;
                } else if (c == '<' || c == '&') {
                    EXPECT_EQ(r.status, ReadStatus::NotWellFormed) << what;
                } else {
                    std::string expected = text;
                    if (c == '\r') expected[static_cast<std::size_t>(offset)] = '\n';
                    EXPECT_EQ(r.document.firstName, expected) << what << ": " << r.error;
                }
            }
    }
}

// The first and the last character UTF-16 writes as a surrogate pair.
TEST(ParsePreset, ReadsTheEdgesOfUtf16SurrogatePairs) {
    const std::string pairs("\xD8\x00\xDC\x00\xDB\xFF\xDF\xFD", 8);
    const std::string bytes =
        "\xFE\xFF" + utf16("<P><Name>", true) + pairs + utf16("</Name></P>", true);
    const auto r = pw::document::parsePreset(bytes);
    EXPECT_EQ(r.document.firstName, "\U00010000\U0010FFFD") << r.error;
}

// The open dialog's file types, joined as the dialog's filter text is written down.
TEST(OpenDialog, FileTypesAreTheFilterText) {
    std::string joined;
    for (const auto& type : pw::document::openFileTypes())
        joined += (joined.empty() ? "" : "|") + type.description + "|" + type.patterns;
    EXPECT_EQ(joined + "\n", pwtest::sample("open_dialog_filter.txt"));
}

}  // namespace
