// SPDX-License-Identifier: GPL-3.0-or-later
// The argument parser: commands, options in any order, and the usage errors.

#include <sstream>

#include "cli_runner.h"
#include "commands.h"
#include "options.h"

namespace pw::cli {
namespace {

ParseResult parse(std::vector<std::string_view> args) {
    return parseArguments(args);
}

TEST(Options, CheckWithDefaults) {
    const ParseResult r = parse({"check", "a.rp255p"});
    ASSERT_TRUE(r.ok()) << r.error;
    ASSERT_NE(r.options.command, nullptr);
    EXPECT_EQ(r.options.command->name, "check");
    EXPECT_EQ(r.options.files, std::vector<std::string>{"a.rp255p"});
    EXPECT_EQ(r.options.target, nullptr);
    EXPECT_FALSE(r.options.json);
}

TEST(Options, TargetNamesIgnoreLetterCase) {
    for (std::string_view name : {"RP150", "rp250", "Rp255", "rP350", "rp355"}) {
        const ParseResult r = parse({"check", "a", "--target", name});
        ASSERT_TRUE(r.ok()) << name << ": " << r.error;
        ASSERT_NE(r.options.target, nullptr);
        EXPECT_TRUE(r.options.target->selectable);
    }
    const ParseResult r = parse({"check", "--target=rp350", "a"});
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.options.target->root, "RP350Preset");
}

TEST(Options, OptionsMayFollowOrPrecedeFiles) {
    const ParseResult r = parse({"convert", "--target", "rp250", "a", "--amp", "b", "b",
                                 "--name=Lead", "--out", "dir", "c", "--overwrite"});
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(r.options.files, (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(r.options.amp, 'B');
    EXPECT_EQ(r.options.name, "Lead");
    EXPECT_EQ(r.options.outDir, "dir");
    EXPECT_TRUE(r.options.overwrite);
}

TEST(Options, DoubleDashEndsOptions) {
    const ParseResult r = parse({"check", "--", "--json"});
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(r.options.files, std::vector<std::string>{"--json"});
    EXPECT_FALSE(r.options.json);
}

TEST(Options, EmptyNameIsAllowed) {
    const ParseResult r = parse({"convert", "a", "--target", "rp250", "--name", ""});
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(r.options.name, "");
}

TEST(Options, ExportKinds) {
    EXPECT_EQ(parse({"export", "a", "--user"}).options.exportKind, ExportKind::User);
    EXPECT_EQ(parse({"export", "a", "--complete"}).options.exportKind, ExportKind::Complete);
    EXPECT_FALSE(parse({"export", "a"}).ok());
    EXPECT_FALSE(parse({"export", "a", "--user", "--complete"}).ok());
}

TEST(Options, UsageErrors) {
    std::istringstream table(
        testing::readFile(std::filesystem::path(PW_CLI_DATA_DIR) / ".." / "usage_errors.txt"));
    int lines = 0;
    for (std::string line; std::getline(table, line);) {
        if (line.empty() || line[0] == '#') continue;
        const std::size_t tab = line.find('\t');
        const std::string args = line.substr(0, tab);
        std::vector<std::string> words;
        std::istringstream in(args == "-" ? "" : args);
        for (std::string w; in >> w;)
            words.push_back(w == "''" ? "" : w);
        const ParseResult r = parse({words.begin(), words.end()});
        EXPECT_FALSE(r.ok()) << args;
        EXPECT_EQ(r.error, tab == std::string::npos ? "" : line.substr(tab + 1)) << args;
        ++lines;
    }
    EXPECT_GT(lines, 20);
}

TEST(Options, HelpAndVersionNeedNothingElse) {
    EXPECT_TRUE(parse({"--help"}).options.help);
    EXPECT_TRUE(parse({"-h"}).ok());
    EXPECT_TRUE(parse({"convert", "--help"}).ok());
    EXPECT_TRUE(parse({"--version"}).options.version);
}

}  // namespace
}  // namespace pw::cli
