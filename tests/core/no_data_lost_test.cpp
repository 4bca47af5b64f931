// SPDX-License-Identifier: GPL-3.0-or-later
// Save and the two text exports when a step of the write fails. Whatever fails, nothing
// is lost: an existing file keeps its bytes (or, once the rename is done, holds the new
// ones whole), no temporary file is left, the rows stay, the user is told why, and the
// same command writes the file once the cause is gone.

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <ostream>
#include <set>
#include <tuple>

#include "../support/failing_writer.h"
#include "document/batch_writer.h"
#include "filter/list_edits.h"
#include "session/session.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;
using pw::WriteOutcome;
using pwtest::Failure;
using pwtest::Step;

// Printed by name: the test list would otherwise show each parameter's bytes (its
// pointers among them, so the names would change from one build to the next).
struct Command {
    const char* name;
    pw::WriteResult (pw::Session::*run)();
    friend void PrintTo(const Command& c, std::ostream* os) { *os << c.name; }
};
const Command kCommands[] = {{"Save", &pw::Session::save},
                             {"UserText", &pw::Session::exportUserText},
                             {"CompleteText", &pw::Session::exportCompleteText}};

enum class Setup { NoFile, ExistingFile, FolderInTheWay };

struct Case {
    const char* name;
    Setup setup;
    std::optional<Failure> failure;  // none: the real file system fails
    int error;                       // the reason the user is told
    WriteOutcome outcome = WriteOutcome::Failed;
    friend void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }
};

const Case kCases[] = {
    {"NothingWritten", Setup::ExistingFile, Failure{Step::WriteTemporary, ENOSPC, 0}, ENOSPC},
    {"DiskFullMidway", Setup::ExistingFile, Failure{Step::WriteTemporary, ENOSPC, 100}, ENOSPC},
    {"DiskFullNoFile", Setup::NoFile, Failure{Step::WriteTemporary, EIO, 100}, EIO},
    {"SyncFails", Setup::ExistingFile, Failure{Step::SyncFile, EIO}, EIO},
    {"RenameFails", Setup::ExistingFile, Failure{Step::RenameOver, EACCES}, EACCES},
    {"RenameFailsNoFile", Setup::NoFile, Failure{Step::RenameOver, EXDEV}, EXDEV},
    {"FolderInTheWay", Setup::FolderInTheWay, std::nullopt, EISDIR},
    // Renamed is replaced whole: the folder's sync only makes the rename last.
    {"FolderSyncFails", Setup::ExistingFile, Failure{Step::SyncFolder, EIO}, 0,
     WriteOutcome::Written},
};

// What stands at `file`: its bytes, or that it is a folder or missing.
std::string standing(const fs::path& file) {
    if (fs::is_directory(file)) return "(a folder)";
    return fs::exists(file) ? pwtest::readFile(file) : "(no file)";
}

class NoDataLost : public testing::TestWithParam<std::tuple<Command, Case>> {
  protected:
    pwtest::TempDir dir;
    pwtest::ScriptedMessenger m;
    pwtest::FailingWriter writer;
    pw::Session s{m, writer};

    pw::WriteResult run() {
        m.answers = {pw::Answer::Yes, pw::Answer::Yes};  // save as, overwrite
        return (s.*std::get<Command>(GetParam()).run)();
    }
    std::set<std::string> names() const {
        const std::vector<std::string> found = dir.names();
        return {found.begin(), found.end()};
    }
};

TEST_P(NoDataLost, NothingIsLost) {
    const auto& [command, c] = GetParam();
    // An RP150 preset filtered for RP250, so Save and both exports have rows to write.
    s.start();
    s.setSaveFolder(dir.path());
    ASSERT_TRUE(s.selectTarget(4));
    const fs::path source = dir.write("crunch.rp150p", pwtest::sample("crunch_time.rp150p"));
    s.openFile(source);
    s.filter();
    ASSERT_EQ(pw::filter::HasConflicts(s.rows()), 0);
    const fs::path file =
        command.run == &pw::Session::save ? s.saveFileName() : fs::path(source.string() + ".txt");
    if (c.setup == Setup::ExistingFile) dir.write(file.filename().string(), "old \r\n\x01\xFF");
    if (c.setup == Setup::FolderInTheWay) fs::create_directory(file);
    const auto namesBefore = names();
    const std::string before = standing(file);
    const std::vector<pw::Row> rowsBefore = s.rows().rows();
    writer.failure = c.failure;

    const pw::WriteResult result = run();
    EXPECT_EQ(std::tuple(result.outcome, result.file), std::tuple(c.outcome, file));
    EXPECT_EQ(names(), namesBefore) << "a temporary file is left";
    EXPECT_EQ(s.rows().rows(), rowsBefore);
    if (c.outcome == WriteOutcome::Failed) {
        EXPECT_TRUE(standing(file) == before && result.detail == std::strerror(c.error));
        EXPECT_EQ(std::tuple(m.shown.back().id, m.shown.back().detail),
                  std::tuple(pw::MessageId::CouldNotWrite, result.detail));
    }

    // Once the cause is gone the same command writes the file whole.
    writer.failure.reset();
    if (c.setup == Setup::FolderInTheWay) fs::remove(file);
    const std::string firstWrite = standing(file);
    EXPECT_TRUE(run().outcome == WriteOutcome::Written &&
                m.shown.back().id == pw::MessageId::SavedTo);
    EXPECT_NE(standing(file), before);
    EXPECT_TRUE(c.outcome != WriteOutcome::Written || standing(file) == firstWrite);
}

INSTANTIATE_TEST_SUITE_P(SaveAndExports, NoDataLost,
                         testing::Combine(testing::ValuesIn(kCommands), testing::ValuesIn(kCases)),
                         [](const auto& p) {
                             return std::string(std::get<0>(p.param).name) + "_" +
                                    std::get<1>(p.param).name;
                         });

// The bytes are on the disk before a file takes its name, and its folder's entry after:
// alone, the file is synced; in a batch, each folder's file system once, then every rename,
// then each folder once.
TEST(Durability, EveryFileIsOnTheDiskBeforeItTakesItsName) {
    pwtest::TempDir dir;
    fs::create_directory(dir.path() / "b");
    pwtest::FailingWriter writer;
    ASSERT_TRUE(pw::document::replaceFileWhole(writer, dir.path() / "x", "x").ok());
    pw::document::BatchWriter batch(writer);
    for (const char* name : {"a1", "b/b1", "a2"})
        batch.add(dir.path() / name, "x");
    batch.commit();
    using enum Step;
    EXPECT_EQ(writer.steps,
              (std::vector{WriteTemporary, SyncFile, RenameOver, SyncFolder, WriteTemporary,
                           WriteTemporary, WriteTemporary, SyncFileSystem, SyncFileSystem,
                           RenameOver, RenameOver, RenameOver, SyncFolder, SyncFolder}));
}

// A new file gets the mode every program's new file gets (0666 less the umask); a
// replaced file keeps its own, whether written alone or in a batch, with or without
// unnamed temporaries; no temporary is left beside them.
TEST(FileModes, ANewFileGetsTheUsualModeAReplacedOneKeepsItsOwn) {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    const auto modeOf = [](const fs::path& file) {
        struct stat st {};
        return ::stat(file.c_str(), &st) == 0 ? st.st_mode & 07777 : mode_t(07777);
    };
    const auto openFiles = std::distance(fs::directory_iterator("/proc/self/fd"), {});
    for (pw::document::FileWriter* writer :
         {&pw::document::systemFileWriter(), &pw::document::namedTemporaryFileWriter()}) {
        pwtest::TempDir dir;
        const fs::path kept = dir.write("kept.txt", "old");
        const fs::path keptInBatch = dir.write("kept_batch.txt", "old");
        fs::permissions(kept, fs::perms(0640));
        fs::permissions(keptInBatch, fs::perms(0604));
        // Names that an earlier run of this process number left are passed over.
        const std::string mine = ".patchwright-" + std::to_string(::getpid()) + "-";
        for (int fd = 0; fd < 64; ++fd)
            dir.write(mine + std::to_string(fd) + "-0", "");

        ASSERT_TRUE(pw::document::replaceFileWhole(*writer, dir.path() / "new.txt", "new").ok());
        ASSERT_TRUE(pw::document::replaceFileWhole(*writer, kept, "new").ok());
        pw::document::BatchWriter batch(*writer);
        batch.add(dir.path() / "new_batch.txt", "new");
        batch.add(keptInBatch, "new");
        // The named writer's temporaries stand beside their targets until the commit.
        if (writer == &pw::document::namedTemporaryFileWriter()) {
            EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 69);
        }
        EXPECT_TRUE(std::ranges::all_of(batch.commit(), &pw::document::IoResult::ok));

        EXPECT_EQ(std::tuple(modeOf(dir.path() / "new.txt"), modeOf(dir.path() / "new_batch.txt")),
                  std::tuple(0666 & ~mask, 0666 & ~mask));
        EXPECT_EQ(std::tuple(modeOf(kept), modeOf(keptInBatch)), std::tuple(0640u, 0604u));
        for (const char* file : {"new.txt", "kept.txt", "new_batch.txt", "kept_batch.txt"})
            EXPECT_EQ(pwtest::readFile(dir.path() / file), "new") << file;
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 68);
        // A folder that is not there is said so, not taken for another fault.
        EXPECT_EQ(pw::document::replaceFileWhole(*writer, dir.path() / "no/x.txt", "new").error,
                  std::strerror(ENOENT));
    }
    // Every file written or made on the way is closed again.
    EXPECT_EQ(std::distance(fs::directory_iterator("/proc/self/fd"), {}), openFiles);
}

}  // namespace
