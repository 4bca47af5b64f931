// SPDX-License-Identifier: GPL-3.0-or-later
// Files that cannot be read, bytes opened under a name, and nesting too deep for a
// recursive reader: each is refused or loaded, and a refused one leaves the patch as it was.

#include <sys/stat.h>
#include <unistd.h>

#include "session/session.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;

// A preset of one row that loads.
const std::string kGood =
    pwtest::presetXml("RP255Preset", "Good", {{"64", "2", "66", "Pickup", "HB"}});

class HostileInput : public pwtest::SessionFixture {
  protected:
    void openGood() {
        s.openFile(dir.write("good.rp255p", kGood));
        ASSERT_EQ(s.lastOpenOutcome(), pw::OpenOutcome::Loaded);
        m.clear();
    }
    void expectRefusedAfterGood() {
        ASSERT_EQ(std::tuple(m.shown.size(), m.last()),
                  std::tuple(1u, "Element <Name>*</Name> LoadError"));
        EXPECT_FALSE(m.shown[0].detail.empty());
        EXPECT_TRUE(s.lastOpenOutcome() == pw::OpenOutcome::NotLoadable && s.patchName() == "Good");
        ASSERT_EQ(s.rows().count(), 1u);
        m.clear();
    }
};

TEST_F(HostileInput, HundredThousandDeepNestingLoadsOrIsRefusedWithoutCrashing) {
    std::string open, close;
    for (int i = 0; i < 100000; ++i)
        open += "<a>", close += "</a>";
    const std::string param =
        "<Param><ID>64</ID><Position>2</Position><Value>6</Value><Name>n</Name><Text>";
    openGood();
    s.openFile(dir.write("open.rp255p", "<RP255Preset><Name>Deep</Name>" + open));
    expectRefusedAfterGood();
    s.openFile(dir.write("deep.rp255p", "<RP255Preset><Name>Deep</Name>" + open + param +
                                            "HB</Text></Param>" + close + "</RP255Preset>"));
    ASSERT_EQ(s.rows().count(), 1u);
    EXPECT_EQ(s.rows().row(1).setting(), "HB");
    s.openFile(dir.write("text.rp255p", "<RP255Preset><Name>Deep</Name>" + param + open + "x" +
                                            close + "</Text></Param></RP255Preset>"));
    ASSERT_EQ(s.rows().count(), 1u);
    EXPECT_EQ(s.rows().row(1).setting(), "x");
}

TEST_F(HostileInput, FileThatCannotBeReadKeepsThePatch) {
    enum class How { Missing, Permissions, Folder, Fifo };
    const auto locked = pwtest::presetXml("RP355Preset", "L", {{"2496", "8", "313", "A", "x"}});
    for (How how : {How::Missing, How::Permissions, How::Folder, How::Fifo}) {
        if (how == How::Permissions && geteuid() == 0) continue;  // root reads anyway
        openGood();
        const fs::path file = dir.write("locked.rp355p", locked);
        if (how == How::Permissions) {
            fs::permissions(file, fs::perms::none);
        } else {
            fs::remove(file);
            if (how == How::Folder) fs::create_directory(file);
            ASSERT_TRUE(how != How::Fifo || mkfifo(file.c_str(), 0600) == 0);
        }
        const pw::OpenResult opened = s.openFile(file);  // a FIFO without a writer must not block
        EXPECT_EQ(opened.status, pw::document::ReadStatus::FileUnreadable);
        EXPECT_FALSE(opened.detail.empty());
        ASSERT_FALSE(m.shown.empty());
        m.shown.erase(m.shown.begin(), m.shown.end() - 1);  // a read test failure may come first
        expectRefusedAfterGood();
        fs::remove(file);
    }
}

TEST_F(HostileInput, BytesOpenedUnderANameAreReadOnce) {
    const pw::OpenResult bad = s.openBytes("pack.zip:bad.rp255p", "<RP255Preset><Name>x</Nam");
    EXPECT_EQ(bad.outcome, pw::OpenOutcome::NotLoadable);
    EXPECT_EQ(bad.status, pw::document::ReadStatus::NotWellFormed);
    ASSERT_TRUE(bad.offset.has_value());
    EXPECT_TRUE(s.openBytes("pack.zip:good.rp255p", kGood).loaded());
    EXPECT_EQ(std::tuple(s.openedFile(), s.sourceRoot()),
              std::tuple("pack.zip:good.rp255p", "RP255Preset"));
    EXPECT_EQ(s.rows().count(), 1u);
}

TEST_F(HostileInput, RowsBeyond32767CanBeSelectedAndEdited) {
    std::string params;
    for (int i = 1; i <= 40000; ++i)
        params += "<Param><ID>2496</ID><Position>8</Position><Value>307</Value><Name>R" +
                  std::to_string(i) + "</Name><Text>T</Text></Param>";
    s.openFile(dir.write("long.rp255p", "<RP255Preset><Name>Long</Name><Params>" + params +
                                            "</Params></RP255Preset>"));
    ASSERT_EQ(s.rows().count(), 40000u);
    s.clickRow(39999);
    EXPECT_EQ(s.keyDown(pw::Session::Key::C, true), "R39999, T, 2496, 8, 307");
    ASSERT_NE(s.blockForDoubleClick(), nullptr);
    const pw::catalogue::Block& amps = *s.blockForDoubleClick();  // an entry past the list: none
    EXPECT_TRUE(!s.UpdateListItem(amps, amps.entries.size()) && s.UpdateListItem(amps, 9));
    EXPECT_EQ(s.rows().row(39999).setting(), "83 JCM800");
    s.clickRow(40000);
    s.keyDown(pw::Session::Key::Delete, true);
    EXPECT_EQ(s.paramCountCaption(), "39999");
    // A number past what a row number can be names no row, not the one it wraps to.
    for (const long long wraps : {(1LL << 32) + 1, -(1LL << 32) + 1}) {
        s.clickRow(wraps);
        EXPECT_EQ(s.keyDown(pw::Session::Key::C, true), std::nullopt) << wraps;
    }
}

}  // namespace
