// SPDX-License-Identifier: GPL-3.0-or-later
// The conversion without a window against the window's own steps: for every sample, target
// and amp channel, the verdict, the refusal and the bytes are those of a session that
// opens the file, filters it, picks the channel and saves.

#include "convert/convert.h"
#include "document/root_names.h"
#include "session/save_refusal.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;
using pw::convert::Verdict;

struct Case {
    std::string sample;
    int target;  // option
    char amp;
    friend void PrintTo(const Case& c, std::ostream* os) {
        *os << c.sample << " to option " << c.target << " amp " << (c.amp ? c.amp : '-');
    }
};

std::vector<Case> cases() {
    std::vector<Case> out;
    for (const auto& entry : fs::directory_iterator(PW_TEST_DATA_DIR)) {
        if (!entry.is_regular_file() || entry.path().extension() == ".tsv" ||
            entry.path().extension() == ".txt")
            continue;
        for (const pw::document::Target& t : pw::document::kTargets)
            if (t.selectable)
                for (char amp : {'\0', 'A', 'B'})
                    out.push_back({entry.path().filename().string(), t.option, amp});
    }
    return out;
}

class AsTheWindow : public pwtest::SessionFixture, public testing::WithParamInterface<Case> {};

TEST_P(AsTheWindow, SameVerdictAndBytes) {
    const Case& c = GetParam();
    const pw::document::Target& target = *pw::document::targetByOption(c.target);
    const std::string bytes = pwtest::sample(c.sample);
    const pw::convert::Result r =
        pw::convert::convertPreset(bytes, {.target = &target, .amp = c.amp});

    s.selectTarget(c.target);
    const pw::OpenResult opened = s.openFile(pwtest::dataFile(c.sample));
    if (!opened.loaded()) {
        EXPECT_EQ(r.verdict, Verdict::Unreadable);
        return;
    }
    ASSERT_NE(r.verdict, Verdict::Unreadable) << r.readDetail;
    EXPECT_EQ(r.sourceRoot, s.sourceRoot());
    if (!s.buttons().save) {
        EXPECT_EQ(r.verdict, Verdict::ViewOnly);
        return;
    }
    if (pw::document::familyOf(s.sourceRoot()) != target.family) s.filter();
    if (c.amp && pw::document::isTwoChannelRoot(s.sourceRoot())) s.selectAmpChannel(c.amp);
    EXPECT_EQ(r.patchName, s.patchName());
    m.clear();
    m.answers = {pw::Answer::Yes};
    const pw::WriteResult saved = s.save();
    if (saved.outcome == pw::WriteOutcome::Written) {
        ASSERT_EQ(r.verdict, Verdict::Saved);
        EXPECT_EQ(r.fileName, saved.file.filename().string());
        EXPECT_EQ(r.bytes, pwtest::readFile(saved.file));
    } else {
        ASSERT_EQ(r.verdict, Verdict::Refused);
        EXPECT_EQ(pw::saveRefusalMessage(*r.refusal, r.patchName).id, saved.message);
        EXPECT_TRUE(r.bytes.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(EverySample, AsTheWindow, testing::ValuesIn(cases()),
                         [](const testing::TestParamInfo<Case>& p) {
                             return pwtest::testName(p.param.sample + "_" +
                                                     std::to_string(p.param.target) + "_" +
                                                     (p.param.amp ? p.param.amp : 'N'));
                         });

// Resolve, picks and names, which the table above leaves out.
TEST(Convert, ResolvePicksAndNames) {
    const std::string bytes = pwtest::sample("dual_amp_lead.rp355p");
    pw::convert::Plan plan{.target = pw::document::targetByCaption("RP250"),
                           .amp = 'A',
                           .picks = {{"AMP A TYPE", "57 tweed deluxe"}},
                           .name = "Rock/Roll"};
    pw::convert::Result r = pw::convert::convertPreset(bytes, plan);
    ASSERT_EQ(r.verdict, Verdict::Refused);
    EXPECT_TRUE(r.refusal == pw::convert::SaveRefusal::BadFileName && r.nameRefused);
    ASSERT_EQ(r.picks.size(), 1u);
    EXPECT_EQ(std::tuple(r.picks[0].newSetting, r.pickMatches),
              std::tuple("57 Tweed Deluxe", std::vector<std::size_t>{1}));

    plan.fixNames = plan.resolve = true;
    r = pw::convert::convertPreset(bytes, plan);
    EXPECT_TRUE(r.verdict == Verdict::Resolved && r.conflictsBeforeResolve > 0u);
    EXPECT_EQ(std::tie(r.patchName, r.fileName), std::tuple("Rock_Roll", "Rock_Roll.rp250p"));
    EXPECT_NE(r.bytes.find("<Text>57 Tweed Deluxe</Text>"), std::string::npos);

    plan.picks = {{"Amp A Type", "Reverb Decay"}, {"No Such Row", "57 Tweed Deluxe"}};
    r = pw::convert::convertPreset(bytes, plan);
    ASSERT_EQ(r.verdict, Verdict::BadPick);
    EXPECT_EQ(r.pickProblem->kind, pw::convert::PickProblem::Kind::NotInBlock);
}

// A Param without one of its five children stops the load, naming the first child that
// is missing in the order they are read (tests/data/param_children.tsv).
TEST(ConvertPreset, NamesTheMissingChildOfAParam) {
    const pw::convert::Plan plan{.target = pw::document::targetByCaption("RP255")};
    for (const auto& f : pwtest::tsv("param_children.tsv")) {
        const auto r = pw::convert::convertPreset("<RP255Preset><Name>p</Name><Params><Param>" +
                                                      f.at(0) + "</Param></Params></RP255Preset>",
                                                  plan);
        EXPECT_EQ(r.load, pw::convert::LoadFailure::ParameterMissing) << f.at(0);
        EXPECT_EQ(r.missingChild, f.at(1)) << f.at(0);
    }
}

}  // namespace
