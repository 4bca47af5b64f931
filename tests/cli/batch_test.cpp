// SPDX-License-Identifier: GPL-3.0-or-later
// convert's batch of writes into two folders, with the file system failing at each of its
// steps: every output is either as it was or complete, and no temporary file is left
// behind; a folder that cannot be synced fails its own files, not the other folder's.

#include <signal.h>
#include <sys/wait.h>

#include <cerrno>
#include <chrono>
#include <thread>

#include "../support/failing_writer.h"
#include "cli_runner.h"
#include "document/batch_writer.h"

namespace pw::cli::testing {
namespace {

using pwtest::Failure;
using pwtest::Step;

class Batch : public CliTest, public ::testing::WithParamInterface<Failure> {};

TEST_P(Batch, LeavesEveryOutputAsItWasOrComplete) {
    const std::vector<std::string> names = {"a.rp255p", "b.rp255p", "sub/c.rp255p"};
    fs::create_directory(dir_ / "sub");
    writeFile(dir_ / names[0], "old a");
    writeFile(dir_ / names[1], "old b");
    const auto fds = [] { return std::distance(fs::directory_iterator("/proc/self/fd"), {}); };
    const auto fdsBefore = fds();
    pwtest::FailingWriter writer;
    writer.failure = GetParam();
    document::BatchWriter batch(writer);
    for (const std::string& name : names)
        batch.add(dir_ / name, "new " + name);
    const std::vector<document::IoResult> results = batch.commit();

    int failed = 0;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const fs::path file = dir_ / names[i];
        if (results[i].ok()) {
            EXPECT_EQ(readFile(file), "new " + names[i]);
            continue;
        }
        ++failed;
        EXPECT_EQ(results[i].error, std::strerror(GetParam().error));
        if (i < 2)
            EXPECT_EQ(readFile(file), std::string("old ") + names[i][0]);
        else
            EXPECT_FALSE(fs::exists(file));
    }
    // A folder that cannot be synced comes after every rename: nothing has failed then.
    EXPECT_EQ(failed == 0, GetParam().step == Step::SyncFolder);
    // Where only the first folder fails its sync, the other folder's file is written.
    EXPECT_TRUE(results[2].ok() || GetParam().step != Step::SyncFileSystem ||
                GetParam().onCall != 1);
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(dir_))
        EXPECT_EQ(entry.path().filename().string().rfind(".patchwright-", 0), std::string::npos);
    EXPECT_TRUE(batch.commit().empty());  // the batch was emptied: nothing is written again
    EXPECT_EQ(fds(), fdsBefore);          // nor is a temporary left open
}

INSTANTIATE_TEST_SUITE_P(EachStep, Batch,
                         ::testing::Values(Failure{Step::WriteTemporary, ENOSPC, 3, 2},
                                           Failure{Step::WriteTemporary, EIO, 0, 0},
                                           Failure{Step::SyncFileSystem, EIO, 0, 0},
                                           Failure{Step::SyncFileSystem, EIO, 0, 1},
                                           Failure{Step::RenameOver, EACCES, 0, 1},
                                           Failure{Step::RenameOver, EXDEV, 0, 3},
                                           Failure{Step::SyncFolder, EIO, 0, 0}));

// A file system that takes part of the bytes and then refuses the rest (here the limit
// on a file's size) fails that file with its reason, at once, and leaves nothing
// (tests/cli/golden/convert_file_too_large.txt).
TEST_F(CliTest, AWriteRefusedPartWayFailsTheFileAndLeavesNothing) {
    copyCliData("tiny_lead.rp355p");
    const std::string command = "cd '" + dir_.string() + "' && trap '' XFSZ && ulimit -f 1 && " +
                                "timeout 20 '" + PW_CLI_PATH +
                                "' convert tiny_lead.rp355p --target rp250 --amp A > out.txt 2>&1";
    EXPECT_NE(std::system(command.c_str()), 0);
    EXPECT_EQ(readFile(dir_ / "out.txt"), readFile(goldenFile("convert_file_too_large.txt")));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 2);
}

// On a terminal the progress is one line rewritten in place; a pipe gets none of it.
TEST_F(CliTest, ConvertProgressIsOneLineOnATerminalOnly) {
    copyCliData("tiny_clean.rp150p");
    copyCliData("tiny_lead.rp355p");
    const std::vector<std::string> args = {
        "convert", "tiny_clean.rp150p", "tiny_lead.rp355p", "--target", "rp250", "--amp",
        "A",       "--dry-run"};
    const RunResult terminal = runCliOnTerminal(args, dir_);
    EXPECT_NE(terminal.out.find("\r\x1b[K[1/2] tiny_clean.rp150p"), std::string::npos);
    EXPECT_EQ(terminal.out.find("[1/2] tiny_clean.rp150p\r\n"), std::string::npos);
    // Only a progress line is erased: a file's lines stay as they were printed.
    EXPECT_EQ(terminal.out.find("\n\r\x1b[K"), std::string::npos) << terminal.out;
    const RunResult piped = run(args);
    EXPECT_EQ(piped.err.find("\x1b[K"), std::string::npos);
    EXPECT_EQ(piped.err.find("[1/2]"), std::string::npos);
}

// A scan's progress line on a terminal ends on the whole count and is erased before the
// report begins.
TEST_F(CliTest, ScanProgressIsErasedBeforeTheReport) {
    copyCliData("tiny_clean.rp150p");
    const RunResult terminal = runCliOnTerminal({"scan", "tiny_clean.rp150p"}, dir_);
    EXPECT_EQ(terminal.out.rfind("\rscanning: ", 0), 0u) << terminal.out;
    EXPECT_NE(terminal.out.find("\rscanning: 1/1 files, 1 presets\x1b[K\r\x1b[KSTATUS"),
              std::string::npos)
        << terminal.out;
}

// A run killed outright, at any moment, leaves no temporary file in the output folder.
TEST_F(CliTest, KilledConvertLeavesNoTemporaryFile) {
    const std::string sample = readFile(cliDataFile("tiny_clean.rp150p"));
    const std::size_t name = sample.find("<Name>") + 6;
    fs::create_directory(dir_ / "in");
    fs::create_directory(dir_ / "out");
    for (int i = 0; i < 1500; ++i)
        writeFile(dir_ / "in" / (std::to_string(i) + ".rp150p"),
                  std::string(sample).insert(name, std::to_string(i) + " "));
    for (int delay : {30, 150}) {
        const pid_t child = startCli(
            {"convert", "in", "--target", "rp250", "--out", "out", "--overwrite", "--quiet"}, dir_);
        ASSERT_GT(child, 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(delay));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        for (const fs::directory_entry& entry : fs::directory_iterator(dir_ / "out"))
            EXPECT_EQ(entry.path().filename().string().rfind(".patchwright-", 0), std::string::npos)
                << "after " << delay << " ms";
    }
}

}  // namespace
}  // namespace pw::cli::testing
