// SPDX-License-Identifier: GPL-3.0-or-later
// patchwright-cli's help, version and usage errors, run as a program.

#include <gtest/gtest.h>

#include "cli_runner.h"

namespace pw::cli::testing {
namespace {

bool contains(const std::string& text, const std::string& what) {
    return text.find(what) != std::string::npos;
}

class Usage : public CliTest {};

TEST_F(Usage, HelpDocumentsEverything) {
    const RunResult r = run({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    for (const char* needle :
         {"patchwright-cli check FILE... [--target MODEL] [--json] [--summary]",
          "patchwright-cli filter FILE --target MODEL [--amp A|B] [--json]",
          "patchwright-cli convert INPUT... --target MODEL [--amp A|B] [--pick ROW=MODEL]...",
          "--resolve",
          "--fix-names",
          "--quiet",
          "--dry-run",
          "\"substitutions\"",
          "74  standard output",
          "patchwright-cli export FILE (--user|--complete) [--target MODEL] [--overwrite]",
          "RP150, RP250, RP255, RP350, RP355",
          "RP155",
          "NO_COLOR",
          "!   the cell carries the "
          "conflict mark",
          "*   the cell carries the change mark",
          "\"original_patch_name\"",
          "\"amp_channel\"",
          "\"marks\"",
          "patchwright-cli scan PATH... [--target MODEL] [--amp A|B] [--find TEXT]",
          "--duplicates",
          "--csv",
          "\"duplicate_group\"",
          "64  usage error",
          "73",
          "highest status"}) {
        EXPECT_TRUE(contains(r.out, needle)) << needle;
    }
    // A command's help is its part of the whole: its usage, what it does, its options.
    for (const char* command : {"convert", "scan"}) {
        const RunResult one = run({command, "--help"});
        EXPECT_EQ(one.status, 0);
        EXPECT_TRUE(contains(one.out, "Usage:\n  patchwright-cli " + std::string(command) + " "));
        EXPECT_EQ(contains(one.out, "--dry-run"), std::string(command) == "convert") << command;
        EXPECT_EQ(contains(one.out, "--duplicates"), std::string(command) == "scan") << command;
        EXPECT_FALSE(contains(one.out, "patchwright-cli diff")) << command;
        EXPECT_TRUE(contains(one.out, "-h, --help")) << command;
    }
}

TEST_F(Usage, Version) {
    const RunResult r = run({"--version"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(contains(r.out, "patchwright-cli")) << r.out;
}

TEST_F(Usage, ErrorsExit64) {
    // The parser's refusals are tested one by one; the program turns each into 64.
    const std::vector<std::vector<std::string>> bad = {{},
                                                       {"check", "x.rp255p", "--target", "RP155"}};
    for (const auto& args : bad) {
        const RunResult r = run(args);
        EXPECT_EQ(r.status, 64) << (args.empty() ? "(none)" : args[0]);
        EXPECT_EQ(r.out, "");
        EXPECT_TRUE(contains(r.err, "patchwright-cli: ")) << r.err;
        EXPECT_TRUE(contains(r.err, "--help")) << r.err;
    }
}

}  // namespace
}  // namespace pw::cli::testing
