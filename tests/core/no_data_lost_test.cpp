// Save and the two text exports when the write fails: a folder that is a file, a name
// the file system refuses, a full disk (simulated), a folder in the way of the rename,
// a read-only folder. Each failure leaves any existing file byte for byte as it was and
// the session as the command would have left it, says so in a message naming the file,
// never says "Saved to" and leaves no temporary file behind.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "document/file_io.h"
#include "filter/list_edits.h"
#include "session/session.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;
using pw::Answer;

constexpr int kRP250 = 4;
const std::string kExistingBytes = "existing file \r\n\x01\xFF must stay exactly like this\n";

// Everything of the session a write could disturb.
struct State {
    std::vector<pw::Row> rows;
    std::string patchName, originalName, sourceRoot, label4, label5, count;
    bool filtered = false, ampChosen = false;
    pw::ButtonStates buttons;
    fs::path openedFile, lastWritten;
    std::string target;

    explicit State(const pw::Session& s)
        : rows(s.rows().rows()),
          patchName(s.patchName()),
          originalName(s.originalPatchName()),
          sourceRoot(s.sourceRoot()),
          label4(s.label4()),
          label5(s.label5()),
          count(s.paramCountCaption()),
          filtered(s.filtered()),
          ampChosen(s.ampChannelChosen()),
          buttons(s.buttons()),
          openedFile(s.openedFile()),
          lastWritten(s.lastWrittenFile()),
          target(s.target().caption) {}
};

void expectSameState(const State& a, const State& b) {
    ASSERT_EQ(a.rows.size(), b.rows.size());
    for (std::size_t i = 0; i < a.rows.size(); ++i) {
        EXPECT_EQ(a.rows[i].cells, b.rows[i].cells) << "row " << i + 1;
        EXPECT_EQ(a.rows[i].marks, b.rows[i].marks) << "row " << i + 1;
    }
    EXPECT_EQ(a.patchName, b.patchName);
    EXPECT_EQ(a.originalName, b.originalName);
    EXPECT_EQ(a.sourceRoot, b.sourceRoot);
    EXPECT_EQ(a.label4, b.label4);
    EXPECT_EQ(a.label5, b.label5);
    EXPECT_EQ(a.count, b.count);
    EXPECT_EQ(a.filtered, b.filtered);
    EXPECT_EQ(a.ampChosen, b.ampChosen);
    EXPECT_EQ(a.buttons, b.buttons);
    EXPECT_EQ(a.openedFile, b.openedFile);
    EXPECT_EQ(a.lastWritten, b.lastWritten);
    EXPECT_EQ(a.target, b.target);
}

// Every file below `folder` whose name starts as the writer's temporary files do.
std::vector<std::string> temporaryFiles(const fs::path& folder) {
    std::vector<std::string> found;
    for (const auto& e : fs::recursive_directory_iterator(folder)) {
        if (e.path().filename().string().rfind(".patchwright-", 0) == 0)
            found.push_back(e.path().string());
    }
    return found;
}

// Fails the writes of every replaceFileWhole while it lives.
class WriteFault {
  public:
    WriteFault(std::size_t failAfterBytes, int error) {
        pw::document::setSimulatedWriteFault(
            pw::document::SimulatedWriteFault{failAfterBytes, error});
    }
    ~WriteFault() { pw::document::setSimulatedWriteFault(std::nullopt); }
    WriteFault(const WriteFault&) = delete;
    WriteFault& operator=(const WriteFault&) = delete;
};

enum class Command { Save, UserText, CompleteText };

std::string paramName(const testing::TestParamInfo<Command>& param) {
    switch (param.param) {
        case Command::Save:
            return "Save";
        case Command::UserText:
            return "UserText";
        case Command::CompleteText:
            break;
    }
    return "CompleteText";
}

class NoDataLost : public testing::TestWithParam<Command> {
  protected:
    pwtest::TempDir dir;
    pwtest::ScriptedMessenger m;
    pw::Session s{m};
    fs::path sourceFolder;

    void SetUp() override {
        s.start();
        sourceFolder = dir.path() / "source";
        fs::create_directories(sourceFolder);
        fs::create_directories(dir.path() / "out");
        s.setSaveFolder(dir.path() / "out");
    }

    // Opens a copy of an RP150 sample named `fileName` for target RP250, filters it and
    // types another patch name, so both Save (which keeps all of that) and the exports
    // (which put the original name back and clear the flags) have something to keep.
    void openFiltered(const std::string& fileName = "crunch.rp150p") {
        ASSERT_TRUE(s.selectTarget(kRP250));
        const fs::path file = sourceFolder / fileName;
        fs::copy_file(pwtest::dataFile("crunch_time.rp150p"), file);
        s.openFile(file);
        ASSERT_EQ(s.lastOpenOutcome(), pw::OpenOutcome::Loaded);
        s.filter();
        ASSERT_EQ(pw::filter::HasConflicts(s.rows()), 0);
        s.setPatchName("Typed");
        m.clear();
    }

    bool isSave() const { return GetParam() == Command::Save; }

    // The file the command writes.
    fs::path target() const {
        if (isSave()) return s.saveFileName();
        fs::path f = s.openedFile();
        f += ".txt";
        return f;
    }

    // The state the command leaves whether or not its write succeeds: Save changes
    // nothing here; an export puts the original name back, clears the flags and enables
    // Filter Patch and the amp buttons (target RP250 runs no pass before an export).
    State expectedAfter(const State& before) const {
        State e = before;
        if (!isSave()) {
            e.patchName = before.originalName;
            e.filtered = e.ampChosen = false;
            e.buttons.filter = e.buttons.ampA = e.buttons.ampB = true;
        }
        return e;
    }

    void run(bool overwrite) {
        m.clear();
        switch (GetParam()) {
            case Command::Save:
                m.answers = {Answer::Yes};
                if (overwrite) m.answers.push_back(Answer::Yes);
                s.save();
                break;
            case Command::UserText:
                if (overwrite) m.answers = {Answer::Yes};
                s.exportUserText();
                break;
            case Command::CompleteText:
                if (overwrite) m.answers = {Answer::Yes};
                s.exportCompleteText();
                break;
        }
    }

    // Runs the command against `file` and checks everything a failed write must leave.
    void expectFailedWrite(const fs::path& file, bool existing, const std::string& reason) {
        const State before(s);
        run(existing);

        std::vector<std::string> expected;
        if (isSave())
            expected.push_back("Do you want to save patch name as: " + s.patchName() + ".rp250p");
        if (existing)
            expected.push_back(file.string() +
                               " Already Exists. Do you want to overwrite the existing file?");
        expected.push_back("Could not write " + file.string() + ". Nothing was changed.");
        ASSERT_EQ(m.texts(), expected);
        EXPECT_EQ(m.shown.back().icon, pw::Icon::Critical);
        EXPECT_EQ(m.shown.back().buttons, pw::Buttons::Ok);
        if (!reason.empty()) {
            EXPECT_EQ(m.shown.back().detail, reason);
        }
        EXPECT_FALSE(m.shown.back().detail.empty());
        for (const pw::Message& msg : m.shown) {
            EXPECT_EQ(msg.text.find("Saved to"), std::string::npos);
        }

        expectSameState(State(s), expectedAfter(before));
        EXPECT_TRUE(s.lastWrittenFile().empty());
        EXPECT_EQ(temporaryFiles(dir.path()), std::vector<std::string>{});
    }
};

TEST_P(NoDataLost, FolderThatIsAFile) {
    openFiltered();
    if (isSave()) {
        s.setSaveFolder(dir.write("plain-file", "I am a file"));
    } else {
        // The opened file's folder is replaced by a file after the open.
        fs::rename(sourceFolder, dir.path() / "moved");
        dir.write("source", "I am a file");
    }
    const fs::path file = target();
    expectFailedWrite(file, false, std::strerror(ENOTDIR));
    EXPECT_EQ(pwtest::readFile(dir.path() / (isSave() ? "plain-file" : "source")), "I am a file");
}

TEST_P(NoDataLost, NameTheFileSystemRefuses) {
    // 300 characters as patch name; for the exports, an opened file whose name is
    // just short enough while its ".txt" companion's is too long.
    const long nameMax = pathconf(dir.path().c_str(), _PC_NAME_MAX);
    ASSERT_GT(nameMax, 0);
    if (isSave()) {
        openFiltered();
        s.setPatchName(std::string(300, 'n'));
    } else {
        openFiltered(std::string(static_cast<std::size_t>(nameMax) - 7, 'n') + ".rp150p");
    }
    const fs::path file = target();
    ASSERT_GT(file.filename().string().size(), static_cast<std::size_t>(nameMax));
    expectFailedWrite(file, false, std::strerror(ENAMETOOLONG));
}

TEST_P(NoDataLost, DiskFullWhileWritingKeepsTheExistingFile) {
    openFiltered();
    const fs::path file = target();
    const std::size_t full = isSave() ? 1800 : 400;  // well inside the document, whichever it is
    for (std::size_t failAfter : {std::size_t{0}, std::size_t{1}, full}) {
        SCOPED_TRACE("fails after " + std::to_string(failAfter) + " bytes");
        dir.write(fs::relative(file, dir.path()).string(), kExistingBytes);
        const WriteFault fault(failAfter, ENOSPC);
        expectFailedWrite(file, true, std::strerror(ENOSPC));
        EXPECT_EQ(pwtest::readFile(file), kExistingBytes);
    }
}

TEST_P(NoDataLost, DiskFullWithoutAnExistingFileLeavesNoFile) {
    openFiltered();
    const fs::path file = target();
    const WriteFault fault(100, ENOSPC);
    expectFailedWrite(file, false, std::strerror(ENOSPC));
    EXPECT_FALSE(fs::exists(file));
}

TEST_P(NoDataLost, InputOutputErrorKeepsTheExistingFile) {
    openFiltered();
    const fs::path file = target();
    dir.write(fs::relative(file, dir.path()).string(), kExistingBytes);
    const WriteFault fault(10, EIO);
    expectFailedWrite(file, true, std::strerror(EIO));
    EXPECT_EQ(pwtest::readFile(file), kExistingBytes);
}

TEST_P(NoDataLost, FolderInTheWayOfTheRename) {
    openFiltered();
    const fs::path file = target();
    fs::create_directories(file);
    const fs::path inside = file / "keep.txt";
    std::ofstream(inside, std::ios::binary) << kExistingBytes;
    expectFailedWrite(file, true, "");
    EXPECT_TRUE(fs::is_directory(file));
    EXPECT_EQ(pwtest::readFile(inside), kExistingBytes);
}

TEST_P(NoDataLost, ReadOnlyFolder) {
    if (geteuid() == 0) GTEST_SKIP() << "folder permissions do not stop the superuser from writing";
    openFiltered();
    const fs::path file = target();
    dir.write(fs::relative(file, dir.path()).string(), kExistingBytes);
    const fs::path folder = file.parent_path();
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    expectFailedWrite(file, true, std::strerror(EACCES));
    fs::permissions(folder, fs::perms::owner_all);
    EXPECT_EQ(pwtest::readFile(file), kExistingBytes);
}

// After a failed write the same command succeeds once the cause is gone, and only
// then says "Saved to".
TEST_P(NoDataLost, SucceedsOnceTheCauseIsGone) {
    openFiltered();
    const fs::path file = target();
    dir.write(fs::relative(file, dir.path()).string(), kExistingBytes);
    {
        const WriteFault fault(5, ENOSPC);
        expectFailedWrite(file, true, std::strerror(ENOSPC));
    }
    run(true);
    EXPECT_EQ(m.last(), "Saved to " + file.string());
    EXPECT_EQ(s.lastWrittenFile(), file);
    EXPECT_NE(pwtest::readFile(file), kExistingBytes);
    EXPECT_EQ(temporaryFiles(dir.path()), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(SaveAndExports, NoDataLost,
                         testing::Values(Command::Save, Command::UserText, Command::CompleteText),
                         paramName);

}  // namespace
