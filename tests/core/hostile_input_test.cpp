// Hostile and unusual files opened through File > Open: each one either loads as a
// preset or is refused with the usual message, in bounded time and memory, and the
// session is left consistent (buttons, names, labels and list).

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "session/session.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;
using pwtest::P;

constexpr int kRP255 = 1, kRP355 = 2;
const std::string kLoadError = "Element <Name>*</Name> LoadError";

std::string buttons(const pw::ButtonStates& b) {
    std::string s;
    for (bool on : {b.save, b.filter, b.reset, b.ampA, b.ampB})
        s += on ? '1' : '0';
    return s;
}

std::string param(const std::string& id, const std::string& position, const std::string& value,
                  const std::string& name, const std::string& text) {
    return "<Param><ID>" + id + "</ID><Position>" + position + "</Position><Value>" + value +
           "</Value><Name>" + name + "</Name><Text>" + text + "</Text></Param>";
}

// Peak resident memory of this process so far, in MiB.
long peakMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

// Elapsed time, for what could block.
class Stopwatch {
  public:
    double seconds() const {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    }

  private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

// Processor time of this process, for what could compute for too long: a busy machine
// stretches it far less than elapsed time.
class CpuClock {
  public:
    double seconds() const { return static_cast<double>(std::clock() - start_) / CLOCKS_PER_SEC; }

  private:
    std::clock_t start_ = std::clock();
};

class HostileInput : public pwtest::SessionFixture {
  protected:
    fs::path write(const std::string& name, const std::string& bytes) {
        return dir.write(name, bytes);
    }

    // Opens a clean RP255 patch named "Good" with two rows, so that what a refused file
    // leaves behind can be told apart.
    void openGood() {
        s.openFile(
            write("good.rp255p", pwtest::presetXml("RP255Preset", "Good",
                                                   {{"64", "2", "66", "Pickup Type", "HB&gt;SC"},
                                                    {"65", "2", "0", "Pickup Enable", "Off"}})));
        ASSERT_EQ(s.lastOpenOutcome(), pw::OpenOutcome::Loaded);
        ASSERT_EQ(s.rows().count(), 2u);
        m.clear();
    }

    // What a file that cannot be loaded leaves after openGood(): one LoadError message
    // with a reason, the previous rows and names, the new source root.
    void expectRefusedAfterGood(const std::string& newRoot) {
        ASSERT_EQ(m.texts(), std::vector<std::string>{kLoadError});
        EXPECT_EQ(m.shown[0].icon, pw::Icon::Critical);
        EXPECT_FALSE(m.shown[0].detail.empty());
        EXPECT_EQ(s.lastOpenOutcome(), pw::OpenOutcome::NotLoadable);
        EXPECT_FALSE(s.lastOpenProblem().empty());
        EXPECT_EQ(s.sourceRoot(), newRoot);
        EXPECT_EQ(s.patchName(), "Good");
        EXPECT_EQ(s.originalPatchName(), "Good");
        EXPECT_EQ(s.label4(), newRoot + " Original Patch Name: Good");
        ASSERT_EQ(s.rows().count(), 2u);
        EXPECT_EQ(s.paramCountCaption(), "2");
        EXPECT_EQ(s.rows().row(1).name(), "Pickup Type");
        EXPECT_EQ(s.rows().row(2).name(), "Pickup Enable");
        if (newRoot.empty()) {
            EXPECT_EQ(buttons(s.buttons()), "00000");
        }
    }

    void expectLoaded(const std::string& root, const std::string& name, std::size_t rows) {
        EXPECT_TRUE(m.shown.empty()) << m.last();
        EXPECT_EQ(s.lastOpenOutcome(), pw::OpenOutcome::Loaded) << s.lastOpenProblem();
        EXPECT_EQ(s.sourceRoot(), root);
        EXPECT_EQ(s.patchName(), name);
        EXPECT_EQ(s.originalPatchName(), name);
        EXPECT_EQ(s.label4(), root + " Original Patch Name: " + name);
        EXPECT_EQ(s.rows().count(), rows);
        EXPECT_EQ(s.paramCountCaption(), std::to_string(rows));
    }
};

// --- files that are no XML at all ---------------------------------------------------

TEST_F(HostileInput, EmptyFileIsRefusedAndViewOnly) {
    openGood();
    s.openFile(write("empty.rp255p", ""));
    expectRefusedAfterGood("");
}

TEST_F(HostileInput, EmptyFileInAFreshSession) {
    s.openFile(write("empty.rp255p", ""));
    EXPECT_EQ(m.texts(), std::vector<std::string>{kLoadError});
    EXPECT_TRUE(s.rows().empty());
    EXPECT_EQ(s.paramCountCaption(), "0");
    EXPECT_EQ(s.patchName(), "");
    EXPECT_EQ(s.label4(), " Original Patch Name: ");
    EXPECT_EQ(buttons(s.buttons()), "00000");
}

TEST_F(HostileInput, BinaryGarbageIsRefused) {
    std::mt19937 random(20240607);
    for (int round = 0; round < 20; ++round) {
        std::string bytes(1000 + 997 * static_cast<std::size_t>(round), '\0');
        for (char& c : bytes)
            c = static_cast<char>(random() & 0xFF);
        if (round % 2 == 1) bytes.insert(0, "<RP255Preset>");  // a root name in the garbage
        openGood();
        s.openFile(write("garbage.rp255p", bytes));
        expectRefusedAfterGood(round % 2 == 1 ? "RP255Preset" : "");
    }
}

TEST_F(HostileInput, TruncatedDocumentsAreRefusedWhereverTheyEnd) {
    const std::string whole = pwtest::readFile(pwtest::dataFile("surfs_up.rp255p"));
    ASSERT_GT(whole.size(), 1000u);
    const std::size_t rootEnd = whole.find("<RP255Preset") + 12;
    for (std::size_t cut = 0; cut + 3 < whole.size(); cut += 211) {
        openGood();
        s.openFile(write("cut.rp255p", whole.substr(0, cut)));
        expectRefusedAfterGood(cut >= rootEnd ? "RP255Preset" : "");
    }
    // Only the final line end may go.
    openGood();
    s.openFile(write("cut.rp255p", whole.substr(0, whole.size() - 2)));
    expectLoaded("RP255Preset", "Surf's Up", 66);
}

// --- Param elements without one of their children -----------------------------------

struct MissingChild {
    const char* children;
    const char* message;
};

class MissingParamChild : public HostileInput, public testing::WithParamInterface<MissingChild> {};

TEST_P(MissingParamChild, StopsThePassAndClosesThePatch) {
    openGood();
    const std::string doc =
        "<RP355Preset><Name>Half</Name><Params>" + param("64", "2", "66", "Pickup Type", "HB") +
        "<Param>" + GetParam().children + "</Param>" +
        param("65", "2", "0", "Pickup Enable", "Off") + "</Params></RP355Preset>";
    s.openFile(write("half.rp355p", doc));
    ASSERT_EQ(m.texts(), std::vector<std::string>{GetParam().message});
    EXPECT_EQ(m.shown[0].icon, pw::Icon::Critical);
    EXPECT_EQ(s.lastOpenOutcome(), pw::OpenOutcome::ParameterMissing);
    EXPECT_TRUE(s.rows().empty());
    EXPECT_EQ(s.paramCountCaption(), "0");
    EXPECT_EQ(s.patchName(), "");
    EXPECT_EQ(s.originalPatchName(), "Half");
    EXPECT_EQ(s.sourceRoot(), "");
    EXPECT_TRUE(s.openedFile().empty());
    EXPECT_FALSE(s.filtered());
    EXPECT_FALSE(s.ampChannelChosen());
    EXPECT_TRUE(s.buttons().filter && s.buttons().ampA && s.buttons().ampB);

    // Nothing is open any more: Save and the exports say so, and nothing is written.
    m.clear();
    s.save();
    EXPECT_EQ(m.texts(), std::vector<std::string>{"Please Load A File First."});
    m.clear();
    s.exportCompleteText();
    EXPECT_EQ(m.texts(), std::vector<std::string>{"Please select a file first."});
    EXPECT_FALSE(fs::exists(dir.path() / "half.rp355p.txt"));
    // Another target runs the pass over the same document: the same stop.
    m.clear();
    s.selectTarget(kRP255);
    EXPECT_EQ(m.texts(), std::vector<std::string>{GetParam().message});
    EXPECT_TRUE(s.rows().empty());
}

INSTANTIATE_TEST_SUITE_P(
    EachChild, MissingParamChild,
    testing::Values(MissingChild{"<ID>1</ID><Position>2</Position><Value>3</Value><Text>t</Text>",
                                 "Parameter <Name> missing."},
                    MissingChild{
                        "<Name>n</Name><Position>2</Position><Value>3</Value><Text>t</Text>",
                        "Parameter <ID> missing."},
                    MissingChild{"<Name>n</Name><ID>1</ID><Value>3</Value><Text>t</Text>",
                                 "Parameter <Position> missing."},
                    MissingChild{"<Name>n</Name><ID>1</ID><Position>2</Position><Text>t</Text>",
                                 "Parameter <Value> missing."},
                    MissingChild{"<Name>n</Name><ID>1</ID><Position>2</Position><Value>3</Value>",
                                 "Parameter <Text> missing."}));

// --- document type declarations -----------------------------------------------------

TEST_F(HostileInput, EntityExpansionBombIsRefusedQuickly) {
    std::string doc = "<?xml version=\"1.0\"?>\n<!DOCTYPE RP255Preset [\n  <!ENTITY l0 \"lol\">\n";
    for (int i = 1; i <= 12; ++i)
        doc += "  <!ENTITY l" + std::to_string(i) + " \"" + [&] {
            std::string ten;
            for (int k = 0; k < 10; ++k)
                ten += "&l" + std::to_string(i - 1) + ";";
            return ten;
        }() + "\">\n";
    doc += "]>\n<RP255Preset><Name>&l12;</Name><Params>" +
           param("64", "2", "66", "&l12;", "&l12;") + "</Params></RP255Preset>\n";

    openGood();
    const long before = peakMiB();
    const CpuClock clock;
    s.openFile(write("bomb.rp255p", doc));
    EXPECT_LT(clock.seconds(), 2.0);
    EXPECT_LT(peakMiB() - before, 64);
    expectRefusedAfterGood("RP255Preset");
    for (const pw::Row& r : s.rows())
        for (const std::string& cell : r.cells)
            EXPECT_EQ(cell.find("lol"), std::string::npos);
}

TEST_F(HostileInput, ExternalEntitiesNeverReadTheNamedFile) {
    const std::string marker = "PW-SECRET-7f3a9c21-MARKER";
    const fs::path secret = write("secret.txt", marker);
    const std::string uri = "file://" + secret.string();
    const std::string body = "<RP255Preset><Name>&x;</Name><Params>" +
                             param("64", "2", "66", "&x;", "&x;") + "</Params></RP255Preset>\n";
    const std::vector<std::string> docs = {
        "<?xml version=\"1.0\"?>\n<!DOCTYPE RP255Preset [<!ENTITY x SYSTEM \"" + uri + "\">]>\n" +
            body,
        "<!DOCTYPE RP255Preset [<!ENTITY x SYSTEM \"" + secret.string() + "\">]>\n" + body,
        "<!DOCTYPE RP255Preset [<!ENTITY x SYSTEM \"secret.txt\">]>\n" + body,
        "<!DOCTYPE RP255Preset [<!ENTITY % p SYSTEM \"" + uri + "\"> %p;]>\n" + body,
        "<!DOCTYPE RP255Preset SYSTEM \"" + uri + "\">\n" + body,
        // Without any declaration the reference names an undefined entity.
        body,
    };
    for (const std::string& doc : docs) {
        openGood();
        s.openFile(write("external.rp255p", doc));
        expectRefusedAfterGood("RP255Preset");
        auto clean = [&](const std::string& text) {
            EXPECT_EQ(text.find(marker), std::string::npos) << text;
        };
        for (const pw::Row& r : s.rows())
            for (const std::string& cell : r.cells)
                clean(cell);
        clean(s.patchName());
        clean(s.originalPatchName());
        clean(s.label4());
        clean(s.label5());
        clean(s.paramCountCaption());
        clean(s.lastOpenProblem());
        for (const pw::Message& msg : m.shown) {
            clean(msg.text);
            clean(msg.detail);
        }
    }
}

// --- sizes and depths ---------------------------------------------------------------

TEST_F(HostileInput, HundredThousandDeepNestingLoadsWithoutCrashing) {
    constexpr int kDepth = 100000;
    std::string open, close;
    open.reserve(kDepth * 3);
    close.reserve(kDepth * 4);
    for (int i = 0; i < kDepth; ++i) {
        open += "<a>";
        close += "</a>";
    }
    const std::string doc = "<RP255Preset><Name>Deep</Name>" + open +
                            param("64", "2", "66", "Pickup Type", "HB") + close + "</RP255Preset>";
    const CpuClock clock;
    s.openFile(write("deep.rp255p", doc));
    expectLoaded("RP255Preset", "Deep", 1);
    EXPECT_EQ(s.rows().row(1).setting(), "HB");

    // The same depth, never closed, and deep Params inside one Param's Text.
    openGood();
    s.openFile(write("open.rp255p", "<RP255Preset><Name>Deep</Name>" + open));
    expectRefusedAfterGood("RP255Preset");
    s.openFile(write("text.rp255p",
                     "<RP255Preset><Name>Deep</Name><Param><Name>n</Name>"
                     "<ID>1</ID><Position>2</Position><Value>3</Value><Text>" +
                         open + "x" + close + "</Text></Param></RP255Preset>"));
    EXPECT_EQ(s.rows().count(), 1u);
    EXPECT_EQ(s.rows().row(1).setting(), "x");
    EXPECT_LT(clock.seconds(), 20.0);
}

TEST_F(HostileInput, FortyThousandRowsAreAllListed) {
    constexpr int kRows = 40000;
    std::string doc =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<RP255Preset SchemaVersion=\"1.2\" "
        "xmlns=\"http://www.digitech.com/xml/preset\">\r\n<Name>Many</Name>\r\n<Params>\r\n";
    for (int i = 1; i <= kRows; ++i)
        doc += param(std::to_string(64 + i % 3), "2", std::to_string(i), "Row " + std::to_string(i),
                     "T" + std::to_string(i)) +
               "\r\n";
    doc += "</Params>\r\n</RP255Preset>\r\n";
    ASSERT_TRUE(s.selectTarget(kRP255));
    const CpuClock clock;
    s.openFile(write("many.rp255p", doc));
    expectLoaded("RP255Preset", "Many", kRows);
    EXPECT_LT(clock.seconds(), 20.0);
    for (int i : {1, 2, 16384, 32767, 32768, 32769, 39999, 40000}) {
        const pw::Row& r = s.rows().row(static_cast<std::size_t>(i));
        EXPECT_EQ(r.name(), "Row " + std::to_string(i));
        EXPECT_EQ(r.setting(), "T" + std::to_string(i));
        EXPECT_EQ(r.value(), std::to_string(i));
    }
    // Reset and another target rebuild all of them from the document in memory.
    s.selectTarget(kRP355);
    EXPECT_EQ(s.rows().count(), std::size_t{kRows});
    EXPECT_EQ(s.paramCountCaption(), "40000");
}

TEST_F(HostileInput, ThirtyMegabyteDocumentLoadsInBoundedTimeAndMemory) {
    constexpr std::size_t kSize = 30u * 1024 * 1024;
    const std::string head =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<RP355Preset><Name>Huge</Name><Params>\r\n";
    const std::string tail = "</Params></RP355Preset>\r\n";
    // Rows with a long Setting, so the file is large without millions of rows.
    const std::string filler(900, 'x');
    std::string doc = head;
    doc.reserve(kSize + 4096);
    std::size_t rows = 0;
    while (doc.size() + tail.size() < kSize) {
        doc += param("2496", "8", std::to_string(rows), "Amp A Type", filler) + "\r\n";
        ++rows;
    }
    doc += tail;
    ASSERT_GE(doc.size(), kSize);
    const fs::path file = write("huge.rp355p", doc);
    doc = std::string();

    openGood();
    const long before = peakMiB();
    const CpuClock clock;
    s.openFile(file);
    expectLoaded("RP355Preset", "Huge", rows);
    EXPECT_LT(clock.seconds(), 30.0);
    // The bytes, their decoded copy, the parsed tree and the rows: a few times the file.
    EXPECT_LT(peakMiB() - before, 1024);
    EXPECT_EQ(s.rows().row(rows).value(), std::to_string(rows - 1));
    EXPECT_EQ(s.rows().row(rows).setting(), filler);
}

// --- encodings ----------------------------------------------------------------------

std::string utf16(const std::u16string& text, bool little) {
    std::string out = little ? "\xFF\xFE" : "\xFE\xFF";
    for (char16_t u : text) {
        const char lo = static_cast<char>(u & 0xFF), hi = static_cast<char>(u >> 8);
        out += little ? lo : hi;
        out += little ? hi : lo;
    }
    return out;
}

TEST_F(HostileInput, Utf16WithByteOrderMarkInBothByteOrders) {
    const std::u16string doc =
        u"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n<RP355Preset SchemaVersion=\"1.2\">\r\n"
        u"<Name>Dual \u263A \U0001D11E</Name>\r\n<Params>\r\n"
        u"<Param><ID>2496</ID><Position>8</Position><Value>313</Value><Name>Amp A Type</Name>"
        u"<Text>Caf\u00E9</Text></Param>\r\n"
        u"<Param><ID>2496</ID><Position>10</Position><Value>313</Value><Name>Amp B Type</Name>"
        u"<Text>\u00DCber</Text></Param>\r\n</Params>\r\n</RP355Preset>\r\n";
    const std::string name = "Dual \xE2\x98\xBA \xF0\x9D\x84\x9E";
    for (bool little : {true, false}) {
        m.clear();
        s.openFile(write(little ? "le.rp355p" : "be.rp355p", utf16(doc, little)));
        expectLoaded("RP355Preset", name, 2);
        EXPECT_EQ(s.rows().row(1).setting(), "Caf\xC3\xA9");
        EXPECT_EQ(s.rows().row(2).setting(),
                  "\xC3\x9C"
                  "ber");
        EXPECT_EQ(s.rows().row(2).name(), "Amp B Type");
        EXPECT_EQ(buttons(s.buttons()), "11111");  // RP355 checked for RP255
    }
}

TEST_F(HostileInput, DeclaredIso88591IsDecodedToUtf8) {
    std::string doc =
        "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<RP250Preset>"
        "<Name>Caf\xE9 \xC9t\xE9 \xFF</Name><Params>" +
        param("64", "2", "66", "Pickup \xB0", "\xA9\xE0\xBF") + "</Params></RP250Preset>\r\n";
    s.openFile(write("latin.rp250p", doc));
    expectLoaded("RP250Preset", "Caf\xC3\xA9 \xC3\x89t\xC3\xA9 \xC3\xBF", 1);
    EXPECT_EQ(s.rows().row(1).name(), "Pickup \xC2\xB0");
    EXPECT_EQ(s.rows().row(1).setting(), "\xC2\xA9\xC3\xA0\xC2\xBF");

    // The same bytes declared as UTF-8 are not valid there.
    doc.replace(doc.find("ISO-8859-1"), 10, "utf-8");
    openGood();
    s.openFile(write("latin.rp250p", doc));
    expectRefusedAfterGood("RP250Preset");
}

// --- a file that changes between the read test and the parse -------------------------

TEST_F(HostileInput, FileThatVanishesAfterTheReadTest) {
    openGood();
    const fs::path file =
        write("gone.rp355p",
              pwtest::presetXml("RP355Preset", "Gone", {{"2496", "8", "313", "Amp A Type", "x"}}));
    s.Read_Test(file);
    EXPECT_TRUE(m.shown.empty());
    EXPECT_EQ(s.sourceRoot(), "RP355Preset");
    fs::remove(file);
    s.LoadPatch(file);
    expectRefusedAfterGood("RP355Preset");
    // As the read test of an RP355 preset left them; Reset stays as the RP255 open left it.
    EXPECT_EQ(buttons(s.buttons()), "11011");
}

TEST_F(HostileInput, FileThatBecomesUnreadableAfterTheReadTest) {
    const std::string doc =
        pwtest::presetXml("RP355Preset", "Locked", {{"2496", "8", "313", "Amp A Type", "x"}});
    enum class How { Permissions, Folder, Fifo };
    std::vector<How> ways = {How::Folder, How::Fifo};
    // Permissions do not stop the superuser from reading.
    if (geteuid() != 0) ways.push_back(How::Permissions);
    for (How how : ways) {
        openGood();
        const fs::path file = write("locked.rp355p", doc);
        s.Read_Test(file);
        EXPECT_EQ(s.sourceRoot(), "RP355Preset");
        switch (how) {
            case How::Permissions:
                fs::permissions(file, fs::perms::none);
                break;
            case How::Folder:
                fs::remove(file);
                fs::create_directory(file);
                break;
            case How::Fifo:
                fs::remove(file);
                ASSERT_EQ(mkfifo(file.c_str(), 0600), 0);
                break;
        }
        const Stopwatch clock;
        s.LoadPatch(file);  // a FIFO without a writer must not block
        EXPECT_LT(clock.seconds(), 5.0);
        expectRefusedAfterGood("RP355Preset");
        fs::remove(file);
    }
}

// --- texts that only character references can carry ----------------------------------

TEST_F(HostileInput, CarriageReturnFromAReferenceSurvivesSaveAndReopen) {
    ASSERT_TRUE(s.selectTarget(kRP255));
    s.openFile(write("cr.rp255p", pwtest::presetXml("RP255Preset", "Ret",
                                                    {{"64", "2", "66", "Pickup&#13;Type",
                                                      "HB&#13;&#10;SC&#9;"}})));
    expectLoaded("RP255Preset", "Ret", 1);
    EXPECT_EQ(s.rows().row(1).name(), "Pickup\rType");
    EXPECT_EQ(s.rows().row(1).setting(), "HB\r\nSC\t");
    m.answers = {pw::Answer::Yes};
    s.save();
    ASSERT_FALSE(s.lastWrittenFile().empty()) << m.last();

    pwtest::ScriptedMessenger m2;
    pw::Session again(m2);
    again.start();
    again.openFile(s.lastWrittenFile());
    ASSERT_EQ(again.rows().count(), 1u) << m2.last();
    EXPECT_EQ(again.rows().row(1).cells, s.rows().row(1).cells);
}

}  // namespace
