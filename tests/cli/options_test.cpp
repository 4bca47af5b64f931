// SPDX-License-Identifier: GPL-3.0-or-later
// The argument parser: commands, options in any order, and the usage errors.

#include "options.h"
#include "../support/text_table.h"
#include "cli_runner.h"
#include "commands.h"

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
    const auto lines =
        pwtest::tsvFile(std::filesystem::path(PW_CLI_DATA_DIR) / ".." / "usage_errors.txt", 2);
    for (const auto& f : lines) {
        std::vector<std::string> words;
        std::istringstream in(f[0] == "-" ? "" : f[0]);
        for (std::string w; in >> w;)
            words.push_back(w == "''" ? "" : w);
        const ParseResult r = parse({words.begin(), words.end()});
        EXPECT_FALSE(r.ok()) << f[0];
        EXPECT_EQ(r.error, f[1]) << f[0];
    }
    EXPECT_GT(lines.size(), 20u);
}

TEST(Options, HelpAndVersionNeedNothingElse) {
    EXPECT_TRUE(parse({"--help"}).options.help);
    EXPECT_TRUE(parse({"-h"}).ok());
    EXPECT_TRUE(parse({"convert", "--help"}).ok());
    EXPECT_TRUE(parse({"--version"}).options.version);
}

}  // namespace
}  // namespace pw::cli
