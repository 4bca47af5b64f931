// The reader against the pugixml-based reference reader: the same answer for every
// document, well-formed or not.

#include <gtest/gtest.h>

#include <filesystem>

#include "document/preset_document.h"
#include "reference_reader.h"
#include "test_support.h"

namespace {

void expectSameReading(const std::string& bytes, const std::string& what) {
    const auto ours = pw::document::parsePreset(bytes);
    const auto reference = pwtest::parseWithPugixml(bytes);
    ASSERT_EQ(ours.ok(), reference.ok()) << what << ": " << ours.error << " / " << reference.error;
    EXPECT_EQ(ours.document.firstName, reference.document.firstName) << what;
    ASSERT_EQ(ours.document.params.size(), reference.document.params.size()) << what;
    for (std::size_t i = 0; i < ours.document.params.size(); ++i) {
        const auto& a = ours.document.params[i];
        const auto& b = reference.document.params[i];
        EXPECT_EQ(a.name, b.name) << what << " Param " << i + 1;
        EXPECT_EQ(a.id, b.id) << what << " Param " << i + 1;
        EXPECT_EQ(a.position, b.position) << what << " Param " << i + 1;
        EXPECT_EQ(a.value, b.value) << what << " Param " << i + 1;
        EXPECT_EQ(a.text, b.text) << what << " Param " << i + 1;
    }
}

TEST(ReaderAgreesWithReference, OnTheSamplesAndTheFuzzSeeds) {
    std::size_t files = 0;
    for (const auto& folder :
         {std::filesystem::path(PW_TEST_DATA_DIR),
          std::filesystem::path(PW_TEST_DATA_DIR) / ".." / ".." / "fuzz" / "corpus"}) {
        if (!std::filesystem::exists(folder)) continue;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            if (!entry.is_regular_file()) continue;
            expectSameReading(pwtest::readFile(entry.path()), entry.path().filename().string());
            ++files;
        }
    }
    EXPECT_GT(files, 7u);
}

TEST(ReaderAgreesWithReference, OnMixedContentAndLineEnds) {
    const char* docs[] = {
        "<R><Name> </Name></R>",
        "<R><Name>a\r\nb\rc\n</Name></R>",
        "<R><Name>a<![CDATA[x\r\ny]]>b&#13;&#10;\r</Name></R>",
        "<R><Name><b>x</b> <b>y</b></Name></R>",
        "<R><Name> <!-- c --> <?pi x?> </Name></R>",
        "<R><Param><Name>a<Param><Name>in</Name><ID>1</ID></Param>b</Name><ID>2</ID><ID>3</ID></"
        "Param></R>",
        "<R><Param><Name/><ID></ID><Position> </Position><Value>&lt;&amp;&gt;&apos;&quot;</Value>"
        "<Text>&#x1F3B8;</Text></Param></R>",
        "<R xmlns='urn:x'><Name a='&amp;&#65;'>n</Name><Param><p:ID "
        "xmlns:p='urn:p'>9</p:ID><ID>1</ID></Param></R>",
        "<Name>root<Name>inner</Name></Name>",
        "<Param><Name>self</Name></Param>",
        "<R><Param><Param><Name>deep</Name></Param><Name>outer</Name></Param></R>",
        "<R><Name>a]b]]c</Name></R>",
        "<R><Name>a]]>b</Name></R>",
    };
    for (const char* doc : docs)
        expectSameReading(doc, doc);
}

}  // namespace
