// SPDX-License-Identifier: GPL-3.0-or-later
// convert's batch of writes, with the file system failing at each of its steps: every
// output is either as it was or complete, and no temporary file is left behind.

#include <gtest/gtest.h>

#include <cerrno>

#include "../support/failing_writer.h"
#include "cli_runner.h"
#include "document/batch_writer.h"

namespace pw::cli::testing {
namespace {

using pwtest::Failure;
using pwtest::Step;

class Batch : public CliTest, public ::testing::WithParamInterface<Failure> {};

TEST_P(Batch, LeavesEveryOutputAsItWasOrComplete) {
    const std::vector<std::string> names = {"a.rp255p", "b.rp255p", "c.rp255p"};
    writeFile(dir_ / names[0], "old a");
    writeFile(dir_ / names[1], "old b");
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
    for (const fs::directory_entry& entry : fs::directory_iterator(dir_))
        EXPECT_EQ(entry.path().filename().string().rfind(".patchwright-", 0), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(EachStep, Batch,
                         ::testing::Values(Failure{Step::WriteTemporary, ENOSPC, 3, 2},
                                           Failure{Step::WriteTemporary, EIO, 0, 0},
                                           Failure{Step::SyncFileSystem, EIO, 0, 0},
                                           Failure{Step::RenameOver, EACCES, 0, 1},
                                           Failure{Step::RenameOver, EXDEV, 0, 3},
                                           Failure{Step::SyncFolder, EIO, 0, 0}));

}  // namespace
}  // namespace pw::cli::testing
