// SPDX-License-Identifier: GPL-3.0-or-later
// The table, CSV and JSON writers, on hand-built tables and lists.

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "cli_messenger.h"
#include "json_writer.h"
#include "list_report.h"
#include "table_writer.h"

namespace pw::cli {
namespace {

std::string text(const ListReport& r, bool colour) {
    std::ostringstream out;
    writeListText(out, r, TableStyle{colour});
    return out.str();
}

std::string table(const Table& t, std::size_t maxWidth) {
    std::ostringstream out;
    writeTable(out, t, TableStyle{false, maxWidth});
    return out.str();
}

// Control characters and bytes that are not UTF-8 are shown as escapes; everything
// else stays as it is.
TEST(TableWriter, ControlCharactersAndInvalidUtf8AreEscaped) {
    const std::pair<std::string, std::string> cases[] = {
        {"a\nb\tc\rd", "a\\nb\\tc\\rd"},
        {std::string("\0\x1F \x7E\x7F", 5), "\\x00\\x1F ~\\x7F"},
        {"\x1b[31m", "\\x1B[31m"},
        {"\xC2\x80\xC2\x9F\xC2\xA0", "\\u0080\\u009F\xC2\xA0"},
        {"exe.\xE2\x80\xAEgnp", "exe.\\u202Egnp"},  // RIGHT-TO-LEFT OVERRIDE
        {"\xD8\x9C\xE2\x80\x8E\xE2\x80\xAA\xE2\x81\xA6\xE2\x81\xA9",
         "\\u061C\\u200E\\u202A\\u2066\\u2069"},
        {"caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x8E\xB8", "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x8E\xB8"},
        {"\xFF", "\\xFF"},
        {"\xC3", "\\xC3"},
        {"\xC3\x41", "\\xC3A"},
        {"\xE2\x82", "\\xE2\\x82"},
        {"\xE2\x28\xAC", "\\xE2(\\xAC"},
        {"\xF0\x9F\x8E\x41", "\\xF0\\x9F\\x8EA"},
        {"\xC0\x80", "\\xC0\\x80"},
        {"\xC1\xBF", "\\xC1\\xBF"},
        {"\xE0\x9F\xBF", "\\xE0\\x9F\\xBF"},
        {"\xE0\xA0\x80", "\xE0\xA0\x80"},
        {"\xF0\x8F\xBF\xBF", "\\xF0\\x8F\\xBF\\xBF"},
        {"\xF0\x90\x80\x80", "\xF0\x90\x80\x80"},
        {"\xED\x9F\xBF", "\xED\x9F\xBF"},
        {"\xED\xA0\x80", "\\xED\\xA0\\x80"},
        {"\xED\xBF\xBF", "\\xED\\xBF\\xBF"},
        {"\xEE\x80\x80", "\xEE\x80\x80"},
        {"\xF4\x8F\xBF\xBF", "\xF4\x8F\xBF\xBF"},
        {"\xF4\x90\x80\x80", "\\xF4\\x90\\x80\\x80"},
        {"\xF8\x88\x80\x80\x80", "\\xF8\\x88\\x80\\x80\\x80"},
    };
    for (const auto& [input, shown] : cases)
        EXPECT_EQ(displayText(input), shown) << shown;
}

// Columns as a terminal shows them: East Asian wide characters take two, combining
// marks none.
TEST(TableWriter, WidthCountsColumns) {
    const std::pair<std::string, std::size_t> cases[] = {
        {"caf\xC3\xA9", 4},
        {"cafe\xCC\x81", 4},                                      // e and COMBINING ACUTE ACCENT
        {"\xE6\xBC\xA2\xE5\xAD\x97", 4},                          // 漢字
        {"\xEF\xBC\xA1", 2},                                      // FULLWIDTH LATIN CAPITAL A
        {"\xED\x95\x9C\xE1\x84\x92\xE1\x85\xA1\xE1\x86\xAB", 4},  // 한, and ᄒ ᅡ ᆫ
        {"\xF0\x9F\x8E\xB8", 2},                                  // GUITAR, an emoji
        {"\xF0\xA0\x80\x80", 2},                                  // a CJK ideograph of plane 2
        {"\xE2\x80\x8B", 0},                                      // ZERO WIDTH SPACE
    };
    for (const auto& [input, width] : cases)
        EXPECT_EQ(displayWidth(input), width) << input;
}

TEST(TableWriter, WideCellsStayAligned) {
    ListReport r;
    Row a;
    a.cells = {"Caf\xC3\xA9", "x", "1", "2", "3"};
    Row b;
    b.cells = {"Name", "y", "1", "2", "3"};
    r.rows.append(a);
    r.rows.append(b);
    const std::string t = text(r, false);
    EXPECT_NE(t.find("1  Caf\xC3\xA9  x        1   2         3\n"), std::string::npos) << t;
    EXPECT_NE(t.find("2  Name  y        1   2         3\n"), std::string::npos) << t;
}

// A cell wider than the cap is cut where a character or an escape ends; the marker
// stays; the column is as wide as the cap, not as the text.
TEST(TableWriter, WideCellsAreCutAtTheCap) {
    const std::string huge(100000, 'x');
    Table t{{{"#", Align::Right}, {"Text"}, {"End"}},
            {{plainCell("1"), plainCell(huge), plainCell("e")},
             {plainCell("2"), TableCell{"caf\xC3\xA9\n\xC3\xA9t\xC3\xA9", Tone::Red, "!"},
              plainCell("e")},
             {plainCell("3"), plainCell("12345678"), plainCell("e")}}};
    EXPECT_EQ(table(t, 8),
              "#  Text      End\n"
              "1  xxxxxxx\xE2\x80\xA6  e\n"
              "2  caf\xC3\xA9\\n\xE2\x80\xA6!  e\n"
              "3  12345678  e\n");
    EXPECT_EQ(displayText("ab\x01", 4), "ab\xE2\x80\xA6");
    EXPECT_EQ(displayText("abcd", 4), "abcd");
    // A wide character that would cross the cap is left out whole.
    EXPECT_EQ(displayText("\xE6\xBC\xA2\xE5\xAD\x97\xE6\xBC\xA2", 4), "\xE6\xBC\xA2\xE2\x80\xA6");
    EXPECT_EQ(displayText("e\xCC\x81"
                          "bc",
                          3),
              "e\xCC\x81"
              "bc");  // the accent takes none
}

// Wide and combining characters keep the columns aligned.
TEST(TableWriter, ColumnsAlignByDisplayWidth) {
    const Table t{{{"Name"}, {"End"}},
                  {{plainCell("\xE6\xBC\xA2\xE5\xAD\x97"), plainCell("1")},
                   {plainCell("Cre\xCC\x80me"), plainCell("2")},
                   {plainCell("Tone"), plainCell("3")}}};
    EXPECT_EQ(table(t, 80),
              "Name   End\n"
              "\xE6\xBC\xA2\xE5\xAD\x97   1\n"
              "Cre\xCC\x80me  2\n"
              "Tone   3\n");
}

// Quoted only where needed; control characters escaped as in the table, so that each
// record is one line; no cell that a spreadsheet would take for a formula.
TEST(CsvWriter, OneLinePerRecordAndNoFormula) {
    const std::pair<std::string, std::string> cases[] = {
        {"Amp, \"A\"", "\"Amp, \"\"A\"\"\""},
        {"plain \xC3\xA9", "plain \xC3\xA9"},
        {"", ""},
        {"line\nbreak\r", "line\\nbreak\\r"},
        {"\x1b[31m\xC2\x85\xE2\x80\xAE\xFF", "\\x1B[31m\\u0085\\u202E\\xFF"},
        {"=1+2", "'=1+2"},
        {"+1", "'+1"},
        {"-1", "'-1"},
        {"@SUM(A1)", "'@SUM(A1)"},
        {"=HYPERLINK(\"x\",\"y\")", "\"'=HYPERLINK(\"\"x\"\",\"\"y\"\")\""},
        {"a=b", "a=b"},
    };
    for (const auto& [cell, field] : cases) {
        std::ostringstream out;
        writeCsv(out, Table{{{"Name"}, {"End"}}, {{plainCell(cell), plainCell("e")}}});
        EXPECT_EQ(out.str(), "Name,End\r\n" + field + ",e\r\n") << cell;
    }
}

// A line feed or an escape sequence in a file or patch name stays on its message's line.
TEST(CliMessenger, EscapesControlCharactersInEveryLine) {
    std::ostringstream err;
    CliMessenger m(err, AnswerPolicy{}, "a\nb.rp250p");
    m.note("patch name \"x\ty\x1b[31m\" saved");
    EXPECT_EQ(err.str(), "patchwright-cli: a\\nb.rp250p: patch name \"x\\ty\\x1B[31m\" saved\n");
}

// A name that is not UTF-8 reads with U+FFFD, and its bytes are kept beside it.
TEST(JsonWriter, InvalidUtf8KeepsItsBytes) {
    ListReport r;
    r.file = "bad\xFFname";
    r.patchName = "Caf\xC3\xA9";
    std::ostringstream out;
    writeJson(out, listJson(r));
    const auto j = nlohmann::ordered_json::parse(out.str());
    EXPECT_EQ(j["file"], "bad\xEF\xBF\xBDname");
    EXPECT_EQ(std::next(j.begin()).key(), "file_bytes");
    EXPECT_EQ(j["file_bytes"], "YmFk/25hbWU=");
    EXPECT_FALSE(j.contains("patch_name_bytes"));
    EXPECT_EQ(base64("a"), "YQ==");
    EXPECT_EQ(base64("ab"), "YWI=");
}

}  // namespace
}  // namespace pw::cli
