// SPDX-License-Identifier: GPL-3.0-or-later
// Save's name check for characters a preset cannot hold.

#include "convert/name_check.h"
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
    std::string refused;  // how the message's detail names the character ("" when saved)
};

const NameCase kNames[] = {
    {"start of heading", "q\x01z", "U+0001"},
    {"unit separator", "q\x1Fz", "U+001F"},
    {"nul", std::string("q\0z", 3), "U+0000"},
    {"tab", "q\tz", "U+0009"},
    {"line feed", "q\nz", "U+000A"},
    {"carriage return", "q\rz", "U+000D"},
    {"delete", "q\x7Fz", "U+007F"},
    {"C1 next line", "q\xC2\x85z", "U+0085"},
    {"U+FFFE", "q\xEF\xBF\xBEz", "U+FFFE"},
    {"U+FFFF", "q\xEF\xBF\xBFz", "U+FFFF"},
    {"stray continuation byte", "q\x80z", "the byte 0x80"},
    {"truncated sequence", "q\xC3", "the byte 0xC3"},
    {"overlong slash", "q\xC0\xAFz", "the byte 0xC0"},
    {"surrogate", "q\xED\xA0\x80z", "the byte 0xED"},
    {"beyond U+10FFFF", "q\xF4\x90\x80\x80z", "the byte 0xF4"},
    {"listed before control", "\ta=b", "\"=\""},
    {"listed in list order", "a*b?c", "\"?\""},
    {"accented and U+FFFD", "\xC3\xA9t\xC3\xA9 \xEF\xBF\xBD", ""},
    {"above U+FFFF", "q\xF0\x9F\x8E\xB8z", ""},
    {"no-break space", "q\xC2\xA0z", ""},
};

TEST_F(FidelityTest, SaveRefusesNamesAPresetCannotHold) {
    for (const NameCase& c : kNames) {
        SCOPED_TRACE(c.label);
        openClean();
        saveAs(c.name);
        const auto file = dir.path() / (c.name + ".rp250p");
        if (!c.refused.empty()) {
            EXPECT_EQ(m.texts(), std::vector<std::string>{std::string(text::kBadFileName)});
            EXPECT_EQ(m.shown.front().icon, Icon::Critical);
            EXPECT_EQ(m.shown.front().detail, "the patch name holds " + c.refused);
            EXPECT_EQ(dir.names(), std::vector<std::string>{"source.xml"});
            // --fix-names mends every such name into one Save takes.
            EXPECT_FALSE(refusedNameCharacter(fixedPatchName(c.name)));
        } else {
            EXPECT_EQ(fixedPatchName(c.name), c.name);
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
