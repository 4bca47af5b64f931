// Save (every check in its order, the written bytes, the overwrite guard) and the two
// text exports.

#include <gtest/gtest.h>

#include "document/preset_writer.h"
#include "document/targets.h"
#include "document/text_export.h"
#include "session/session.h"
#include "test_support.h"

namespace {

using namespace pw;
using pwtest::P;

constexpr int kRP255 = 1, kRP355 = 2, kRP150 = 3, kRP250 = 4, kRP350 = 5;

ParamList cleanRows() {
    ParamList rows;
    rows.append(pwtest::row("Pickup Type", "HB>SC", "64", "2", "66"));
    rows.append(
        pwtest::row("Amp & Cab <Type>", "]]> Clean \xF0\x9F\x8E\xB8 \xC3\xA9", "2496", "8", "335"));
    rows.append(pwtest::row("", "", "", "9", ""));
    return rows;
}

TEST(PresetWriter, WritesTheDocumentByteForByte) {
    const auto* target = document::targetByCaption("RP250");
    EXPECT_EQ(document::renderPreset(*target, "Clean", cleanRows()),
              pwtest::readFile(pwtest::dataFile("golden/clean.rp250p")));
    EXPECT_EQ(document::renderPreset(*document::targetByCaption("rp150"), "", ParamList{}),
              pwtest::readFile(pwtest::dataFile("golden/empty.rp150p")));
}

TEST(PresetWriter, EscapesWhatWouldBreakTheDocument) {
    EXPECT_EQ(document::escapeText("a&b<c>d"), "a&amp;b&lt;c>d");
    EXPECT_EQ(document::escapeText("x]]>y]>z]]]>"), "x]]&gt;y]>z]]]&gt;");
    EXPECT_EQ(document::escapeText("A>B"), "A>B");
}

TEST(TextExport, CompactNameAndSetting) {
    EXPECT_EQ(document::compactName("V-Switch Type"), "VSwitchType");
    EXPECT_EQ(document::compactName("Pedal Assign 1"), "PedalAssign1");
    EXPECT_EQ(document::compactName("Mod Pre/Post"), "ModPrePost");
    EXPECT_EQ(document::compactSetting("Volume Pre FX"), "VolumePreFX");
    EXPECT_EQ(document::compactSetting("HB > SC"), "HB2SC");
}

class SaveTest : public pwtest::SessionFixture {
  protected:
    void open(const std::string& root, const std::string& name, std::initializer_list<P> params,
              int target) {
        ASSERT_TRUE(s.selectTarget(target));
        s.openFile(dir.write("source.xml", pwtest::presetXml(root, name, params)));
        m.clear();
    }
    std::string savedAs(const std::string& name) const { return (dir.path() / name).string(); }
};

const std::initializer_list<P> kCleanParams = {{"64", "2", "66", "Pickup Type", "HB&gt;SC"}};

TEST_F(SaveTest, RefusedNameCharactersComeFirst) {
    for (const char* name : {"a/b", "a=b", "a,b", "#1", "?", "\\", "@", "$", "%", "^", "&",
                             "*",   "!",   "(",   ")",  "[", "]",  "{", "}", "<", ">", "|"}) {
        m.clear();
        s.setPatchName(name);
        s.save();  // nothing is opened, but the name check comes first
        ASSERT_EQ(m.shown.size(), 1u) << name;
        EXPECT_EQ(m.shown[0].text, "BAD File Name, /\\][!@#$%^&*()}{][| Not Allowed.") << name;
        EXPECT_EQ(m.shown[0].icon, Icon::Critical);
    }
    for (const char* name : {"a:b", "say \"hi\"", "", "a.b-c_d'e f"}) {
        m.clear();
        s.setPatchName(name);
        s.save();
        EXPECT_EQ(m.texts(), std::vector<std::string>{"Please Load A File First."}) << name;
        EXPECT_EQ(m.shown[0].icon, Icon::Exclamation);
    }
}

TEST_F(SaveTest, AmpChannelIsAskedBeforeFilterForBigToSmaller) {
    open("RP355Preset", "Big", kCleanParams, kRP255);
    s.save();
    EXPECT_EQ(m.texts(), std::vector<std::string>{"Please select an Amp Channel to save."});
    s.filter();
    m.clear();
    s.save();
    EXPECT_EQ(m.texts(), std::vector<std::string>{"Please select an Amp Channel to save."});
    EXPECT_EQ(m.shown[0].icon, Icon::Exclamation);
}

TEST_F(SaveTest, OtherFamiliesNeedFilterPatch) {
    open("RP150Preset", "Small", kCleanParams, kRP250);
    s.save();
    EXPECT_EQ(m.texts(), std::vector<std::string>{"Please click Filter Patch"});
    EXPECT_FALSE(s.filtered());
    // A view-only source has no family: the filtered flag decides alone.
    open("Gnx4Preset", "View", kCleanParams, kRP250);
    s.save();
    EXPECT_EQ(m.texts(), std::vector<std::string>{"Please click Filter Patch"});
}

TEST_F(SaveTest, OneConflictBlocksSave) {
    open("RP255Preset", "Red",
         {{"64", "2", "66", "Pickup Type", "HB"}, {"999", "3", "0", "Odd", "x"}}, kRP255);
    s.save();
    EXPECT_EQ(m.texts(),
              std::vector<std::string>{
                  "There are too many ID/Position/Value conflicts to filter.  Cannot save."});
    EXPECT_EQ(m.shown[0].icon, Icon::Critical);
    EXPECT_TRUE(s.filtered());  // the family rule ran before the conflict check
    EXPECT_TRUE(dir.names().size() == 1);
}

TEST_F(SaveTest, SameFamilySaveAsksThenWritesBesideTheSaveFolder) {
    open("RP250Preset", "Clean", kCleanParams, kRP250);
    s.save();  // the question gets No
    ASSERT_EQ(m.shown.size(), 1u);
    EXPECT_EQ(m.shown[0].text, "Do you want to save patch name as: Clean.rp250p");
    EXPECT_EQ(m.shown[0].icon, Icon::Question);
    EXPECT_EQ(m.shown[0].buttons, Buttons::YesNo);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "Clean.rp250p"));

    m.clear();
    m.answers = {Answer::Yes};
    s.save();
    EXPECT_EQ(m.texts(),
              (std::vector<std::string>{"Do you want to save patch name as: Clean.rp250p",
                                        "Saved to " + savedAs("Clean.rp250p")}));
    EXPECT_EQ(m.shown[1].icon, Icon::Information);
    const std::string written = pwtest::readFile(dir.path() / "Clean.rp250p");
    EXPECT_EQ(written.substr(written.size() - 16), "</RP250Preset>\r\n");
    EXPECT_EQ(written.find("\xEF\xBB\xBF"), std::string::npos);

    // A second Save asks to overwrite; No keeps the file and says so.
    m.clear();
    m.answers = {Answer::Yes, Answer::No};
    s.setPatchName("Clean");
    s.save();
    EXPECT_EQ(m.texts(), (std::vector<std::string>{
                             "Do you want to save patch name as: Clean.rp250p",
                             savedAs("Clean.rp250p") +
                                 " Already Exists. Do you want to overwrite the existing file?",
                             "Saving patch canceled."}));
    EXPECT_EQ(m.shown[1].icon, Icon::Critical);
    EXPECT_EQ(m.shown[1].buttons, Buttons::YesNo);
    EXPECT_EQ(pwtest::readFile(dir.path() / "Clean.rp250p"), written);
}

TEST_F(SaveTest, EmptyNameWritesTheBareExtension) {
    open("RP255Preset", "", kCleanParams, kRP255);
    m.answers = {Answer::Yes};
    s.save();
    EXPECT_EQ(m.shown[0].text, "Do you want to save patch name as: .rp255p");
    EXPECT_TRUE(std::filesystem::exists(dir.path() / ".rp255p"));
}

struct RoundTrip {
    const char* sample;
    int target;
};

class SaveRoundTrip : public testing::TestWithParam<RoundTrip> {};

// Filter and save a sample, open what was written and save it again unchanged for the
// same target: the second file equals the first line for line.
TEST_P(SaveRoundTrip, SavedPresetReopensAndSavesAgainIdentically) {
    pwtest::TempDir first, second;
    pwtest::ScriptedMessenger m1, m2;
    Session a(m1), b(m2);
    for (auto [session, folder] : {std::pair{&a, &first}, std::pair{&b, &second}}) {
        session->start();
        session->setSaveFolder(folder->path());
        ASSERT_TRUE(session->selectTarget(GetParam().target));
    }
    a.openFile(pwtest::dataFile(GetParam().sample));
    a.filter();
    m1.answers = {Answer::Yes};
    a.save();
    ASSERT_FALSE(a.lastWrittenFile().empty()) << m1.last();
    b.openFile(a.lastWrittenFile());
    EXPECT_EQ(b.sourceRoot(), a.target().root);
    EXPECT_EQ(b.rows().count(), a.rows().count());
    m2.answers = {Answer::Yes};
    b.save();
    ASSERT_FALSE(b.lastWrittenFile().empty()) << m2.last();
    EXPECT_EQ(b.lastWrittenFile().filename(), a.lastWrittenFile().filename());
    EXPECT_EQ(pwtest::readFile(b.lastWrittenFile()), pwtest::readFile(a.lastWrittenFile()));
}

INSTANTIATE_TEST_SUITE_P(Samples, SaveRoundTrip,
                         testing::Values(RoundTrip{"crunch_time.rp150p", kRP250},
                                         RoundTrip{"crunch_time.rp150p", kRP350},
                                         RoundTrip{"surfs_up.rp255p", kRP150},
                                         RoundTrip{"surfs_up.rp255p", kRP355},
                                         RoundTrip{"metal_zone.rp250p", kRP355},
                                         RoundTrip{"surfs_up.rp255p", kRP255}));

TEST_F(SaveTest, BigPatchesKeepConflictsTheSmallerModelCannotHold) {
    ASSERT_TRUE(s.selectTarget(kRP250));
    s.openFile(pwtest::dataFile("dual_amp_lead.rp355p"));
    ASSERT_TRUE(s.selectAmpChannel('B'));
    s.filter();
    m.clear();
    s.save();
    EXPECT_EQ(m.texts(),
              std::vector<std::string>{
                  "There are too many ID/Position/Value conflicts to filter.  Cannot save."});
}

TEST_F(SaveTest, EscapedTextsSurviveTheRoundTrip) {
    dir.write("golden.rp250p", pwtest::readFile(pwtest::dataFile("golden/clean.rp250p")));
    ASSERT_TRUE(s.selectTarget(kRP250));
    s.openFile(dir.path() / "golden.rp250p");
    ASSERT_EQ(s.rows().count(), 3u);
    EXPECT_EQ(s.rows().row(2).name(), "Amp & Cab <Type>");
    EXPECT_EQ(s.rows().row(2).setting(), "]]> Clean \xF0\x9F\x8E\xB8 \xC3\xA9");
    const std::string rendered = document::renderPreset(s.target(), s.patchName(), s.rows());
    EXPECT_EQ(rendered, pwtest::readFile(pwtest::dataFile("golden/clean.rp250p")));
}

TEST_F(SaveTest, AWriteThatFailsChangesNothingAndSaysWhy) {
    open("RP250Preset", "Clean", kCleanParams, kRP250);
    const std::filesystem::path blocker = dir.write("not-a-folder", "x");
    s.setSaveFolder(blocker);
    m.answers = {Answer::Yes};
    s.save();
    ASSERT_EQ(m.shown.size(), 2u);
    EXPECT_EQ(m.shown[1].text,
              "Could not write " + (blocker / "Clean.rp250p").string() + ". Nothing was changed.");
    EXPECT_EQ(m.shown[1].icon, Icon::Critical);
    EXPECT_FALSE(m.shown[1].detail.empty());
    EXPECT_TRUE(s.lastWrittenFile().empty());
    EXPECT_EQ(s.rows().count(), 1u);
    EXPECT_EQ(s.patchName(), "Clean");
}

class ExportTest : public SaveTest {};

TEST_F(ExportTest, WithoutFileRestoresTheNameAndRefuses) {
    s.setPatchName("Typed");
    s.exportUserText();
    EXPECT_EQ(m.texts(), std::vector<std::string>{"Please select a file first."});
    EXPECT_EQ(m.shown[0].icon, Icon::Critical);
    EXPECT_EQ(s.patchName(), "");
}

TEST_F(ExportTest, WritesBesideTheOpenedFileAndAsksBeforeOverwriting) {
    open("RP250Preset", "Clean",
         {{"64", "2", "66", "Pickup Type", "HB&gt;SC"},
          {"8393", "21", "0", "V-Switch Type", "Toggle"},
          {"8194", "19", "854594", "Pedal Assign 1", "Volume Pre FX"}},
         kRP250);
    s.exportUserText();
    const std::filesystem::path txt = dir.path() / "source.xml.txt";
    EXPECT_EQ(m.texts(), std::vector<std::string>{"Saved to " + txt.string()});
    EXPECT_EQ(pwtest::readFile(txt), pwtest::readFile(pwtest::dataFile("golden/clean_user.txt")));

    m.clear();
    m.answers = {Answer::Yes};
    s.exportCompleteText();
    EXPECT_EQ(m.texts(),
              (std::vector<std::string>{
                  txt.string() + " Already Exists. Do you want to overwrite the existing file?",
                  "Saved to " + txt.string()}));
    EXPECT_EQ(pwtest::readFile(txt),
              pwtest::readFile(pwtest::dataFile("golden/clean_complete.txt")));

    m.clear();
    s.exportUserText();  // No to the overwrite question
    EXPECT_EQ(m.last(), "Saving patch canceled.");
    EXPECT_EQ(pwtest::readFile(txt),
              pwtest::readFile(pwtest::dataFile("golden/clean_complete.txt")));
}

TEST_F(ExportTest, ClearsTheFlagsAndRebuildsOnlyForRP255AndRP355) {
    open("RP150Preset", "Small", kCleanParams, kRP250);
    s.filter();
    s.setPatchName("Typed");
    ASSERT_EQ(s.rows().count(), 9u);
    s.exportUserText();
    EXPECT_FALSE(s.filtered());
    EXPECT_TRUE(s.buttons().filter && s.buttons().ampA && s.buttons().ampB);
    EXPECT_EQ(s.patchName(), "Small");
    EXPECT_EQ(s.rows().count(), 9u);  // RP250: the filtered rows are exported as they stand
    EXPECT_NE(pwtest::readFile(dir.path() / "source.xml.txt").find("V-Switch Assign"),
              std::string::npos);

    ASSERT_TRUE(s.selectTarget(kRP255));
    s.filter();
    m.answers = {Answer::Yes};
    s.exportCompleteText();
    EXPECT_EQ(s.rows().count(), 1u);  // RP255: rebuilt from the opened document
    EXPECT_FALSE(s.buttons().ampA);   // and the pass set the buttons again
    EXPECT_EQ(pwtest::readFile(dir.path() / "source.xml.txt").find("V-Switch"), std::string::npos);
}

}  // namespace
