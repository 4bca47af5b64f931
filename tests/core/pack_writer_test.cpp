// SPDX-License-Identifier: GPL-3.0-or-later
// A pack of selected presets: every member at the top of the pack whatever its name,
// twins told apart, the report inside, read back by the library's own reader.

#include "library/pack_writer.h"
#include "library/archive_reader.h"
#include "test_support.h"

namespace {

TEST(PackWriter, EveryMemberStaysInsideThePack) {
    pwtest::TempDir dir;
    // The presets and the members they become (tests/data/pack_members.tsv).
    std::vector<pw::library::PackEntry> entries;
    std::vector<std::string> names;
    std::vector<std::pair<std::string, std::string>> members;  // each name and its bytes
    for (const auto& f : pwtest::tsv("pack_members.tsv", 3)) {
        entries.push_back({pwtest::unescaped(f[0]), f[1]});
        names.push_back(f[2]);
        members.emplace_back(f[2], entries.back().bytes);
    }
    names.push_back("report.csv");
    members.emplace_back("report.csv", "file,status\n");
    const std::filesystem::path out = dir.path() / "share.zip";
    const auto result =
        pw::library::writePack(pw::document::systemFileWriter(), out, entries, "file,status\n");
    ASSERT_TRUE(result.io.ok()) << result.io.error;
    EXPECT_EQ(result.members, names);
    pw::library::ArchiveReader reader(out);
    pw::library::ArchiveMember member;
    std::vector<std::pair<std::string, std::string>> read;
    while (reader.next(member, [](std::string_view, std::size_t) { return true; }))
        read.emplace_back(member.name, member.bytes);
    EXPECT_TRUE(reader.problem().empty()) << reader.problem();
    EXPECT_EQ(read, members);
}

}  // namespace
