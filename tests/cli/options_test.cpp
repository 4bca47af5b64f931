// The argument parser: commands, options in any order, and the usage errors.

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "options.h"

namespace pw::cli {
namespace {

ParseResult parse(std::vector<std::string_view> args) {
    return parseArguments(args);
}

TEST(Options, CheckWithDefaults) {
    const ParseResult r = parse({"check", "a.rp255p"});
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(r.options.command, Command::Check);
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
    const std::vector<std::vector<std::string_view>> bad = {
        {},
        {"frobnicate"},
        {"--json"},
        {"check"},
        {"check", "a", "b"},
        {"check", "a", "--amp", "A"},
        {"check", "a", "--target"},
        {"check", "a", "--target", "RP155"},
        {"check", "a", "--target", "rp155"},
        {"check", "a", "--target", "RP500"},
        {"check", "a", "--target", "RP25"},
        {"check", "a", "--target", ""},
        {"check", "a", "--target", "RP2555"},
        {"check", "a", "--json=yes"},
        {"check", "a", "--bogus"},
        {"filter", "a"},
        {"filter", "a", "--target", "rp250", "--amp", "C"},
        {"filter", "a", "--target", "rp250", "--amp", "AB"},
        {"filter", "a", "--target", "rp250", "--overwrite"},
        {"convert", "--target", "rp250"},
        {"convert", "a"},
        {"convert", "a", "--target", "rp250", "--json"},
        {"convert", "a", "--target", "rp250", "--out", ""},
        {"export", "a", "b", "--user"},
        {"export", "a", "--user", "--amp", "A"},
    };
    for (const auto& args : bad) {
        std::string shown;
        for (auto a : args)
            shown += std::string(a) + " ";
        EXPECT_FALSE(parse(args).ok()) << shown;
    }
}

TEST(Options, HelpAndVersionNeedNothingElse) {
    EXPECT_TRUE(parse({"--help"}).options.help);
    EXPECT_TRUE(parse({"-h"}).ok());
    EXPECT_TRUE(parse({"convert", "--help"}).ok());
    EXPECT_TRUE(parse({"--version"}).options.version);
}

}  // namespace
}  // namespace pw::cli
