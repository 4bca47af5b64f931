// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs the built patchwright-cli in a scratch folder and collects what it printed.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "../core/test_support.h"

namespace pw::cli::testing {

namespace fs = std::filesystem;

struct RunResult {
    int status = -1;  // exit status; -1 if the program did not exit normally
    std::string out;
    std::string err;
};

// Runs the program with `args` in folder `cwd`. `env` adds NAME=VALUE entries;
// NO_COLOR is removed from the environment unless `env` sets it.
RunResult runCli(const std::vector<std::string>& args, const fs::path& cwd,
                 const std::vector<std::string>& env = {});

// Runs the program with stdout on a pseudo terminal; returns what the terminal got.
RunResult runCliOnTerminal(const std::vector<std::string>& args, const fs::path& cwd,
                           const std::vector<std::string>& env = {});

// Starts the program with `args` in folder `cwd`, its output thrown away; returns its
// process id without waiting for it.
int startCli(const std::vector<std::string>& args, const fs::path& cwd);

using pwtest::readFile;
// The first field of each record of a CSV report (scan's), a line each; the header left out.
std::string firstFields(const std::string& csv);
void writeFile(const fs::path& file, const std::string& bytes);

fs::path sampleFile(const std::string& name);   // tests/data
fs::path cliDataFile(const std::string& name);  // tests/cli/data
fs::path goldenFile(const std::string& name);   // tests/cli/golden

// A fresh scratch folder per test, removed afterwards.
class CliTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    // Copies a file of tests/data or tests/cli/data into the scratch folder.
    fs::path copySample(const std::string& name) { return copyIn(sampleFile(name)); }
    fs::path copyCliData(const std::string& name) { return copyIn(cliDataFile(name)); }
    fs::path copyIn(const fs::path& file);
    RunResult run(const std::vector<std::string>& args, const std::vector<std::string>& env = {}) {
        return runCli(args, dir_, env);
    }
    fs::path dir_;
};

}  // namespace pw::cli::testing
