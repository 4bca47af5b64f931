// SPDX-License-Identifier: GPL-3.0-or-later
// The reader against the pugixml-based reference reader: the same answer for every
// document, well-formed or not.

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
        EXPECT_EQ(std::tie(a.name, a.id, a.position, a.value, a.text),
                  std::tie(b.name, b.id, b.position, b.value, b.text))
            << what << " Param " << i + 1;
    }
}

std::size_t readEachFile(const std::filesystem::path& folder, int mustBeOk) {
    std::size_t files = 0;
    if (!std::filesystem::exists(folder)) return 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (!entry.is_regular_file() || entry.path().filename().string()[0] == '.') continue;
        const std::string bytes = pwtest::readFile(entry.path());
        const std::string what = entry.path().filename().string();
        expectSameReading(bytes, what);
        if (mustBeOk >= 0) {
            const auto ours = pw::document::parsePreset(bytes);
            EXPECT_EQ(ours.ok(), mustBeOk == 1) << what;
            // A refused document leaves nothing read behind.
            EXPECT_TRUE(ours.ok() || (ours.document.params.empty() && !ours.document.firstName))
                << what;
        }
        ++files;
    }
    return files;
}

// Good documents must be read, bad ones refused, both readers alike; the samples and
// the fuzzer's seeds only alike.
TEST(ReaderAgreesWithReference, OnGoodAndBadDocumentsTheSamplesAndTheFuzzSeeds) {
    const std::filesystem::path data(PW_TEST_DATA_DIR);
    EXPECT_GT(readEachFile(data / "reader" / "good", 1), 10u);
    EXPECT_GT(readEachFile(data / "reader" / "bad", 0), 30u);
    EXPECT_GT(readEachFile(data, -1), 6u);
    readEachFile(data / ".." / ".." / "fuzz" / "corpus", -1);
}

// What the reader says of each bad document, as the user reads it: the kind of fault and
// its description with the byte it was found at (tests/data/reader/bad_faults.tsv; set
// PW_UPDATE_SCENARIOS to rewrite it).
TEST(ReaderFaults, EachBadDocumentIsDescribed) {
    const std::filesystem::path data(PW_TEST_DATA_DIR);
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(data / "reader" / "bad"))
        files.push_back(entry.path().filename().string());
    std::sort(files.begin(), files.end());
    std::string got;
    for (const std::string& file : files) {
        const auto r = pw::document::parsePreset(pwtest::readFile(data / "reader" / "bad" / file));
        const char* kinds[] = {"ok", "unreadable", "encoding", "not well-formed"};
        got += file + "\t" + kinds[static_cast<int>(r.status)] + "\t" + r.error + "\n";
    }
    EXPECT_EQ(got, pwtest::golden("reader/bad_faults.tsv", got));
}

}  // namespace
