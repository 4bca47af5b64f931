// SPDX-License-Identifier: GPL-3.0-or-later
// The table, CSV and JSON writers, on hand-built tables and lists.

#include "../support/text_table.h"
#include "cli_messenger.h"
#include "cli_runner.h"
#include "json_writer.h"
#include "list_report.h"
#include "table_writer.h"

namespace pw::cli {
namespace {

std::string table(const Table& t, std::size_t maxWidth) {
    std::ostringstream out;
    writeTable(out, t, TableStyle{false, maxWidth});
    return out.str();
}

// Control characters and bytes that are not UTF-8 are shown as escapes, everything else
// as it is; a width counts the columns a terminal gives a text, East Asian wide
// characters two and combining marks none; a text cut to a width ends with a marker where
// a character ends, a wide character that would cross the cap left out whole
// (tests/cli/data/display_text.tsv). In CSV a cell is quoted only where needed, control
// characters escaped as in the table, so that each record is one line, and no cell is one
// that a spreadsheet would take for a formula (the csv rows of the same file).
TEST(TableAndCsvWriters, ControlCharactersAndInvalidUtf8AreEscapedAndWidthCountsColumns) {
    std::size_t rows = 0, csvRows = 0;
    for (const auto& f : pwtest::tsvFile(testing::cliDataFile("display_text.tsv"), 3)) {
        const std::string text = pwtest::unescaped(f[1]), expected = pwtest::unescaped(f[2]);
        if (f[0] == "csv") {
            std::ostringstream out;
            writeCsv(out, Table{{{"Name"}, {"End"}}, {{plainCell(text), plainCell("e")}}});
            EXPECT_EQ(out.str(), "Name,End\r\n" + expected + ",e\r\n") << text;
            ++csvRows;
            continue;
        }
        const std::string shown = f[0] == "width" ? std::to_string(displayWidth(text))
                                  : f[0].starts_with("cut")
                                      ? displayText(text, std::stoul(f[0].substr(3)))
                                      : displayText(text);
        EXPECT_EQ(shown, expected) << f[0] << " " << f[1];
        ++rows;
    }
    EXPECT_TRUE(rows > 30u && csvRows > 10u);
}

// A cell wider than the cap is cut where a character or an escape ends; the marker
// stays; the column is as wide as the cap, not as the text
// (tests/cli/golden/table_cut_at_the_cap.txt).
TEST(TableWriter, WideCellsAreCutAtTheCap) {
    const std::string huge(100000, 'x');
    Table t{{{"#", Align::Right}, {"Text"}, {"End"}},
            {{plainCell("1"), plainCell(huge), plainCell("e")},
             {plainCell("2"), TableCell{"caf\xC3\xA9\n\xC3\xA9t\xC3\xA9", Tone::Red, "!"},
              plainCell("e")},
             {plainCell("3"), plainCell("12345678"), plainCell("e")}}};
    EXPECT_EQ(table(t, 8), testing::readFile(testing::goldenFile("table_cut_at_the_cap.txt")));
}

// Wide and combining characters keep the columns aligned
// (tests/cli/golden/table_display_width.txt).
TEST(TableWriter, ColumnsAlignByDisplayWidth) {
    const Table t{{{"Name"}, {"End"}},
                  {{plainCell("\xE6\xBC\xA2\xE5\xAD\x97"), plainCell("1")},
                   {plainCell("Cre\xCC\x80me"), plainCell("2")},
                   {plainCell("Tone"), plainCell("3")}}};
    EXPECT_EQ(table(t, 80), testing::readFile(testing::goldenFile("table_display_width.txt")));
}

// Counts, as an interrupted scan says how far it got.
TEST(TableWriter, CountsGroupTheirThousands) {
    for (const auto& [n, text] : std::vector<std::pair<std::size_t, std::string>>{
             {0, "0"}, {999, "999"}, {1000, "1,000"}, {123456, "123,456"}, {1234567, "1,234,567"}})
        EXPECT_EQ(pw::cli::grouped(n), text);
}

// A line feed or an escape sequence in a file or patch name stays on its message's line.
TEST(CliMessenger, EscapesControlCharactersInEveryLine) {
    std::ostringstream err;
    CliMessenger m(err, AnswerPolicy{}, "a\nb.rp250p");
    m.note("patch name \"x\ty\x1b[31m\" saved");
    EXPECT_EQ(err.str(), "patchwright-cli: a\\nb.rp250p: patch name \"x\\ty\\x1B[31m\" saved\n");
}

// A name that is not UTF-8 reads with U+FFFD, and its bytes are kept beside it
// (tests/cli/golden/list_bad_name.json).
TEST(JsonWriter, InvalidUtf8KeepsItsBytes) {
    ListReport r;
    r.file = "bad\xFFname";
    r.patchName = "Caf\xC3\xA9";
    std::ostringstream out;
    writeJson(out, listJson(r));
    EXPECT_EQ(out.str(), testing::readFile(testing::goldenFile("list_bad_name.json")));
    EXPECT_EQ(std::tuple(base64("a"), base64("ab"), base64("abc")),
              std::tuple("YQ==", "YWI=", "YWJj"));
}

}  // namespace
}  // namespace pw::cli
