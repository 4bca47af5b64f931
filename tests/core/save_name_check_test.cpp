// SPDX-License-Identifier: GPL-3.0-or-later
// Save's name check for characters a preset cannot hold.

#include "convert/name_check.h"
#include "session/messages.h"
#include "test_support.h"

namespace {

using namespace pw;

constexpr int kRP250 = 4;

class FidelityTest : public pwtest::SessionFixture {};

// The names of tests/data/save_names.tsv.
TEST_F(FidelityTest, SaveRefusesNamesAPresetCannotHold) {
    const auto source =
        pwtest::presetXml("RP250Preset", "Clean", {{"64", "2", "66", "Pickup", "HB"}});
    for (const auto& f : pwtest::tsv("save_names.tsv")) {
        SCOPED_TRACE(f.at(0));
        const std::string name = pwtest::unescaped(f.at(1)), refused = pwtest::unescaped(f.at(2));
        ASSERT_TRUE(s.selectTarget(kRP250));
        s.openFile(dir.write("source.xml", source));
        m.clear();
        // Saved under `name`, answering Yes to every question.
        s.setPatchName(name);
        m.answers = {Answer::Yes, Answer::Yes};
        s.save();
        const auto file = dir.path() / (name + ".rp250p");
        if (refused != "-") {
            EXPECT_EQ(std::tuple(m.shown.size(), m.last()), std::tuple(1u, text::kBadFileName));
            EXPECT_EQ(m.shown.front().icon, Icon::Critical);
            EXPECT_EQ(m.shown.front().detail, "the patch name holds " + refused);
            EXPECT_EQ(dir.names(), std::vector<std::string>{"source.xml"});
            // --fix-names mends every such name into one Save takes.
            EXPECT_FALSE(refusedNameCharacter(fixedPatchName(name)));
        } else {
            EXPECT_EQ(fixedPatchName(name), name);
            ASSERT_EQ(m.last(), std::string(text::kSavedTo) + file.string());
            // What Save writes, Patchwright opens again under the same name.
            s.openFile(file);
            EXPECT_EQ(s.lastOpenOutcome(), OpenOutcome::Loaded);
            EXPECT_EQ(s.originalPatchName(), name);
            std::filesystem::remove(file);
        }
    }
}

}  // namespace
