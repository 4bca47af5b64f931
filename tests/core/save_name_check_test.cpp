// SPDX-License-Identifier: GPL-3.0-or-later
// Save's name check for characters a preset cannot hold.

#include <gtest/gtest.h>

#include "session/messages.h"
#include "test_support.h"

namespace {

using namespace pw;
using pwtest::P;

constexpr int kRP250 = 4;

class FidelityTest : public pwtest::SessionFixture {
  protected:
    void openClean() {
        ASSERT_TRUE(s.selectTarget(kRP250));
        s.openFile(dir.write(
            "source.xml",
            pwtest::presetXml("RP250Preset", "Clean", {P{"64", "2", "66", "Pickup", "HB"}})));
        m.clear();
    }
    // Saves under `name`, answering Yes to every question.
    void saveAs(const std::string& name) {
        s.setPatchName(name);
        m.answers = {Answer::Yes, Answer::Yes};
        s.save();
    }
};

struct NameCase {
    const char* label;
    std::string name;
    bool refused;
};

const NameCase kNames[] = {
    {"start of heading", "q\x01z", true},
    {"unit separator", "q\x1Fz", true},
    {"nul", std::string("q\0z", 3), true},
    {"U+FFFE", "q\xEF\xBF\xBEz", true},
    {"U+FFFF", "q\xEF\xBF\xBFz", true},
    {"stray continuation byte", "q\x80z", true},
    {"truncated sequence", "q\xC3", true},
    {"overlong slash", "q\xC0\xAFz", true},
    {"surrogate", "q\xED\xA0\x80z", true},
    {"beyond U+10FFFF", "q\xF4\x90\x80\x80z", true},
    {"tab", "q\tz", false},
    {"accented and U+FFFD", "\xC3\xA9t\xC3\xA9 \xEF\xBF\xBD", false},
    {"above U+FFFF", "q\xF0\x9F\x8E\xB8z", false},
    {"U+007F", "q\x7Fz", false},
};

TEST_F(FidelityTest, SaveRefusesNamesAPresetCannotHold) {
    for (const NameCase& c : kNames) {
        SCOPED_TRACE(c.label);
        openClean();
        saveAs(c.name);
        const auto file = dir.path() / (c.name + ".rp250p");
        if (c.refused) {
            EXPECT_EQ(m.texts(), std::vector<std::string>{std::string(text::kBadFileName)});
            EXPECT_EQ(m.shown.front().icon, Icon::Critical);
            EXPECT_EQ(dir.names(), std::vector<std::string>{"source.xml"});
        } else {
            ASSERT_EQ(m.last(), std::string(text::kSavedTo) + file.string());
            // What Save writes, Patchwright opens again under the same name.
            s.openFile(file);
            EXPECT_EQ(s.lastOpenOutcome(), OpenOutcome::Loaded);
            EXPECT_EQ(s.originalPatchName(), c.name);
            std::filesystem::remove(file);
        }
    }
}

}  // namespace
