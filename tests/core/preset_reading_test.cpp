// Reading a preset: the root name search, decoding, the strict well-formedness check
// and what the parse takes from the document.

#include <gtest/gtest.h>

#include "document/preset_document.h"
#include "document/root_names.h"
#include "document/text_decoding.h"
#include "test_support.h"

namespace {

using pw::document::FindRootName;
using pw::document::parsePreset;

TEST(FindRootName, ListOrderDecidesAndCaseIsIgnored) {
    EXPECT_EQ(FindRootName("<RP355Preset><Name>my rp150preset</Name>"), "RP150Preset");
    EXPECT_EQ(FindRootName("<rp1000preset>"), "RP1000Preset");
    EXPECT_EQ(FindRootName("<GNX4PRESET/>"), "Gnx4Preset");
    EXPECT_EQ(FindRootName("<Gnx3kPreset/>"), "Gnx3kPreset");
    EXPECT_EQ(FindRootName("<GSP1101Preset/>"), "GSP1101Preset");
    EXPECT_EQ(FindRootName("<RP255Preset> RP250Preset"), "RP250Preset");
    EXPECT_EQ(FindRootName("<Preset/>"), "");
    EXPECT_EQ(FindRootName(""), "");
}

TEST(FindRootName, FindsTheRootOfUtf16TextAfterDecoding) {
    const std::string text = "<?xml version=\"1.0\"?><RP350Preset/>";
    std::string le = "\xFF\xFE", be = "\xFE\xFF";
    for (char c : text) {
        le += c;
        le += '\0';
        be += '\0';
        be += c;
    }
    EXPECT_EQ(FindRootName(pw::document::decodeLenient(le)), "RP350Preset");
    EXPECT_EQ(FindRootName(pw::document::decodeLenient(be)), "RP350Preset");
}

const std::string kParam =
    "<Param><ID>64</ID><Position>2</Position><Value>66</Value><Name>Pickup Type</Name>"
    "<Text>HB&gt;SC</Text></Param>";

TEST(ParsePreset, ReadsNameAndParamsAlikeWithAndWithoutNamespace) {
    const auto a = parsePreset(
        pwtest::presetXml("RP255Preset", "Surf", {{"64", "2", "66", "Pickup Type", "HB&gt;SC"}}));
    const auto b = parsePreset(pwtest::presetXml(
        "RP255Preset", "Surf", {{"64", "2", "66", "Pickup Type", "HB&gt;SC"}}, false));
    ASSERT_TRUE(a.ok()) << a.error;
    ASSERT_TRUE(b.ok()) << b.error;
    for (const auto* r : {&a, &b}) {
        EXPECT_EQ(r->document.firstName, "Surf");
        ASSERT_EQ(r->document.params.size(), 1u);
        const auto& p = r->document.params[0];
        EXPECT_EQ(p.id, "64");
        EXPECT_EQ(p.position, "2");
        EXPECT_EQ(p.value, "66");
        EXPECT_EQ(p.name, "Pickup Type");
        EXPECT_EQ(p.text, "HB>SC");
    }
}

TEST(ParsePreset, PrefixedElementsAreNotParamsOrNames) {
    const auto r = parsePreset(
        "<p:RP255Preset xmlns:p=\"urn:x\"><p:Name>Pre</p:Name><Params>"
        "<p:Param><ID>1</ID><Position>2</Position><Value>3</Value><Name>N</Name><Text>T</Text></"
        "p:Param>" +
        kParam + "</Params></p:RP255Preset>");
    ASSERT_TRUE(r.ok()) << r.error;
    // The first unprefixed Name is the one inside the prefixed Param.
    EXPECT_EQ(r.document.firstName, "N");
    ASSERT_EQ(r.document.params.size(), 1u);
    EXPECT_EQ(r.document.params[0].id, "64");
}

TEST(ParsePreset, FirstNameInDocumentOrderMayBeAParamName) {
    const auto r =
        parsePreset("<RP250Preset><Params>" + kParam + "</Params><Name>Late</Name></RP250Preset>");
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.document.firstName, "Pickup Type");
}

TEST(ParsePreset, ParamsAtAnyDepthInDocumentOrderAndMissingChildren) {
    const auto r =
        parsePreset("<X><Name>n</Name><A><B>" + kParam +
                    "</B></A><Param><ID>7</ID><Param><Name>inner</Name></Param></Param></X>");
    ASSERT_TRUE(r.ok()) << r.error;
    ASSERT_EQ(r.document.params.size(), 3u);
    EXPECT_EQ(r.document.params[1].id, "7");
    EXPECT_FALSE(r.document.params[1].name);  // the inner Param's Name is not a child
    EXPECT_EQ(r.document.params[2].name, "inner");
    EXPECT_FALSE(r.document.params[2].id);
}

TEST(ParsePreset, ElementTextIsAllCharacterDataExactly) {
    const auto r = parsePreset(
        "<R><Name> </Name><Param><ID> 64 </ID><Position>2</Position><Value><![CDATA[6<6]]>x</Value>"
        "<Name>a<!-- c -->b<i>c</i>d</Name><Text>&#x1F3B8;&amp;&#233;</Text></Param></R>");
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(r.document.firstName, " ");
    const auto& p = r.document.params[0];
    EXPECT_EQ(p.id, " 64 ");
    EXPECT_EQ(p.value, "6<6x");
    EXPECT_EQ(p.name, "abcd");
    EXPECT_EQ(p.text, "\xF0\x9F\x8E\xB8&\xC3\xA9");
}

TEST(ParsePreset, LineEndsInTextAreNormalised) {
    const auto r = parsePreset("<R><Name>a\r\nb\rc</Name></R>");
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.document.firstName, "a\nb\nc");
}

TEST(ParsePreset, HonoursDeclaredLatin1AndUtf16) {
    const auto latin =
        parsePreset("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><R><Name>Caf\xE9</Name></R>");
    ASSERT_TRUE(latin.ok()) << latin.error;
    EXPECT_EQ(latin.document.firstName, "Caf\xC3\xA9");

    const std::u16string text =
        u"<?xml version=\"1.0\" encoding=\"UTF-16\"?><R><Name>\u00e9\U0001F3B8</Name></R>";
    std::string le = "\xFF\xFE";
    for (char16_t c : text) {
        le += static_cast<char>(c & 0xFF);
        le += static_cast<char>(c >> 8);
    }
    const auto utf16 = parsePreset(le);
    ASSERT_TRUE(utf16.ok()) << utf16.error;
    EXPECT_EQ(utf16.document.firstName, "\xC3\xA9\xF0\x9F\x8E\xB8");
}

// Single-byte encodings other than Latin-1 are decoded through the C library's iconv.
TEST(ParsePreset, DecodesSingleByteEncodingsIconvKnows) {
    const std::pair<const char*, const char*> cases[] = {
        {"windows1252.xml", "Caf\u00e9 \u201cLead\u201d \u20ac"},
        {"iso8859_15.xml", "\u20acuro C\u0178ur \u0153"},
    };
    for (const auto& [file, name] : cases) {
        const auto r = parsePreset(pwtest::readFile(std::filesystem::path(PW_TEST_DATA_DIR) / ".." /
                                                    ".." / "fuzz" / "corpus" / file));
        ASSERT_TRUE(r.ok()) << file << ": " << r.error;
        EXPECT_EQ(r.document.firstName, name) << file;
        ASSERT_EQ(r.document.params.size(), 1u) << file;
    }
}

struct Refused {
    const char* what;
    std::string bytes;
};

class NotWellFormed : public testing::TestWithParam<Refused> {};

TEST_P(NotWellFormed, IsRefusedWithAnEmptyDocument) {
    const auto r = parsePreset(GetParam().bytes);
    EXPECT_FALSE(r.ok()) << GetParam().what;
    EXPECT_FALSE(r.document.firstName);
    EXPECT_TRUE(r.document.params.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Documents, NotWellFormed,
    testing::Values(
        Refused{"empty", ""}, Refused{"blank", "  \r\n"}, Refused{"text only", "hello"},
        Refused{"truncated", "<R><Name>x</Name><Params><Param><ID>1"},
        Refused{"crossing tags", "<R><Name>x</R></Name>"},
        Refused{"two roots", "<R><Name>x</Name></R><S/>"},
        Refused{"text after root", "<R><Name>x</Name></R>junk"},
        Refused{"doctype", "<!DOCTYPE R><R><Name>x</Name></R>"},
        Refused{"entity bomb",
                "<?xml version=\"1.0\"?><!DOCTYPE R [<!ENTITY a \"aaaa\"><!ENTITY b \"&a;&a;\">]>"
                "<R><Name>&b;</Name></R>"},
        Refused{"external entity",
                "<!DOCTYPE R [<!ENTITY x SYSTEM \"file:///etc/passwd\">]><R><Name>&x;</Name></R>"},
        Refused{"undefined entity", "<R><Name>&nbsp;</Name></R>"},
        Refused{"bare ampersand", "<R><Name>a & b</Name></R>"},
        Refused{"lt in attribute", "<R a=\"<\"><Name>x</Name></R>"},
        Refused{"duplicate attribute", "<R a=\"1\" a=\"2\"><Name>x</Name></R>"},
        Refused{"unquoted attribute", "<R a=1><Name>x</Name></R>"},
        Refused{"unbound element prefix", "<R><p:Name>x</p:Name></R>"},
        Refused{"unbound attribute prefix", "<R p:a=\"1\"><Name>x</Name></R>"},
        Refused{"prefix bound only in sibling", "<R><a xmlns:p=\"urn:x\"/><p:Name>x</p:Name></R>"},
        Refused{"invalid utf-8", "<R><Name>\xC3\x28</Name></R>"},
        Refused{"overlong utf-8", "<R><Name>\xC0\xAF</Name></R>"},
        Refused{"utf-8 surrogate", "<R><Name>\xED\xA0\x80</Name></R>"},
        Refused{"control character", std::string("<R><Name>a\x01</Name></R>")},
        Refused{"nul character", std::string("<R><Name>a\0</Name></R>", 22)},
        Refused{"char ref to forbidden char", "<R><Name>&#1;</Name></R>"},
        Refused{"char ref out of range", "<R><Name>&#x110000;</Name></R>"},
        Refused{"cdata end in text", "<R><Name>a]]>b</Name></R>"},
        Refused{"double hyphen in comment", "<R><!-- a -- b --><Name>x</Name></R>"},
        Refused{"late declaration", "<R><?xml version=\"1.0\"?><Name>x</Name></R>"},
        Refused{"unsupported encoding",
                "<?xml version=\"1.0\" encoding=\"EBCDIC-US\"?><R><Name>x</Name></R>"},
        Refused{"multi-byte encoding",
                "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?><R><Name>\x82\xA0</Name></R>"},
        Refused{"byte windows-1252 leaves undefined",
                "<?xml version=\"1.0\" encoding=\"windows-1252\"?><R><Name>\x81</Name></R>"},
        Refused{"unpaired utf-16 surrogate",
                std::string("\xFF\xFE<\0R\0>\0\x00\xD8<\0/\0R\0>\0", 18)},
        Refused{"bad name start", "<1R><Name>x</Name></1R>"}),
    [](const testing::TestParamInfo<Refused>& p) {
        std::string name;
        for (char c : std::string(p.param.what))
            name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

TEST(ParsePreset, AcceptsWhatWellFormedDocumentsMayHold) {
    const auto r = parsePreset(
        "\xEF\xBB\xBF<?xml version='1.0' encoding='utf-8' standalone='yes'?>\n<!-- lead -->\n"
        "<?app data?><R xmlns:p='urn:p' p:x='1' xml:lang='en'><Name >x</Name ><p:y/><z/></R>\n<!-- "
        "tail -->\n");
    EXPECT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(r.document.firstName, "x");
}

}  // namespace
