// SPDX-License-Identifier: GPL-3.0-or-later
// Runs every folder under tests/scenarios: `steps` drives a session, `expected.txt` holds
// what it said and showed after each step and the rows at the end, `out/` the files it
// wrote. PW_UPDATE_SCENARIOS=1 writes them from the program instead of comparing.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "test_support.h"

namespace fs = std::filesystem;

namespace pwtest {
namespace {

const fs::path kScenarios = fs::path(PW_TEST_DATA_DIR).parent_path() / "scenarios";

std::vector<std::string> scenarioNames() {
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(kScenarios))
        if (e.is_directory()) out.push_back(e.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
}

// Messages name files in the temporary folder; the transcript calls it <dir>.
std::string withoutFolder(std::string text, const std::string& folder) {
    for (std::size_t at = text.find(folder); at != std::string::npos; at = text.find(folder))
        text.replace(at, folder.size(), "<dir>");
    return text;
}

// Runs one step and returns what it adds to the transcript beyond messages and state.
// An input named by `open` is looked up in the scenario folder first, then in tests/data.
std::string run(pw::Session& s, ScriptedMessenger& m, const TempDir& dir, const fs::path& folder,
                const std::string& line) {
    std::istringstream in(line);
    std::string verb, arg;
    in >> verb;
    std::getline(in >> std::ws, arg);
    if (verb == "open") {
        const fs::path copy = dir.path() / fs::path(arg).filename();
        const fs::path local = folder / arg;
        fs::copy_file(fs::exists(local) ? local : dataFile(arg), copy,
                      fs::copy_options::overwrite_existing);
        s.openFile(copy);
    } else if (verb == "open-written") {
        s.openFile(dir.path() / arg);
    } else if (verb == "target") {
        s.selectTarget(pw::document::targetByCaption(arg)->option);
    } else if (verb == "filter") {
        s.filter();
    } else if (verb == "reset") {
        s.reset();
    } else if (verb == "amp") {
        s.selectAmpChannel(arg[0]);
    } else if (verb == "click") {
        s.clickRow(std::stoll(arg));
    } else if (verb == "double") {
        const auto* block = s.blockForDoubleClick();
        return "block " + std::string(block ? block->nameList : "none") + "\n";
    } else if (verb == "pick") {
        std::istringstream p(arg);
        std::string list;
        std::size_t index = 0;
        p >> list >> index;
        s.UpdateListItem(*pw::catalogue::blockByList(list), index);
    } else if (verb == "copy") {
        const auto copied = s.keyDown(pw::Session::Key::C, true);
        return "clipboard " + (copied ? quoted(*copied) : std::string("none")) + "\n";
    } else if (verb == "remove") {
        s.keyDown(pw::Session::Key::Delete, true);
    } else if (verb == "name") {
        s.setPatchName(arg == "\"\"" ? "" : arg);
    } else if (verb == "answer") {
        m.answers.push_back(arg == "yes" ? pw::Answer::Yes : pw::Answer::No);
    } else if (verb == "resolve") {
        s.resolveConflicts();
    } else if (verb == "naming") {
        s.setFileNaming(arg == "bare" ? pw::Session::FileNaming::BareName
                                      : pw::Session::FileNaming::Path);
    } else if (verb == "save") {
        s.save();
    } else if (verb == "export") {
        arg == "user" ? s.exportUserText() : s.exportCompleteText();
    } else if (verb == "same-as") {
        std::istringstream p(arg);
        std::string written, golden;
        p >> written >> golden;
        const bool same = readFile(dir.path() / written) == readFile(dataFile(golden));
        return std::string(same ? "same as " : "DIFFERS from ") + golden + "\n";
    } else if (verb == "rows") {
        std::string out;
        for (const pw::Row& r : s.rows())
            out += rowLine(r);
        return out;
    } else {
        ADD_FAILURE() << "unknown step " << line;
    }
    return "";
}

class Scenario : public testing::TestWithParam<std::string> {};

TEST_P(Scenario, MatchesItsExpectedTranscriptAndFiles) {
    const fs::path folder = kScenarios / GetParam();
    TempDir dir;
    ScriptedMessenger m;
    std::unique_ptr<pw::Session> s;
    const auto restart = [&] {
        s = std::make_unique<pw::Session>(m);
        s->start();
        s->setSaveFolder(dir.path());
    };
    restart();
    std::ifstream steps(folder / "steps");
    std::string transcript;
    std::vector<std::string> inputs;
    for (std::string line; std::getline(steps, line);) {
        if (line.empty() || line[0] == '#') continue;
        if (line.rfind("open ", 0) == 0) inputs.push_back(fs::path(line.substr(5)).filename());
        if (line == "restart") restart();
        transcript += "> " + line + "\n" + (line == "restart" ? "" : run(*s, m, dir, folder, line));
        for (const pw::Message& msg : m.shown)
            transcript += "! " + std::string(pw::iconName(msg.icon)) + " " +
                          quoted(withoutFolder(msg.text, dir.path().string())) + "\n";
        m.clear();
        transcript += state(*s);
    }
    transcript += "rows\n";
    for (const pw::Row& r : s->rows())
        transcript += rowLine(r);

    std::map<std::string, std::string> written;
    for (const auto& name : dir.names())
        if (std::find(inputs.begin(), inputs.end(), name) == inputs.end())
            written[name] = readFile(dir.path() / name);

    if (std::getenv("PW_UPDATE_SCENARIOS")) {
        std::ofstream(folder / "expected.txt", std::ios::binary) << transcript;
        fs::remove_all(folder / "out");
        if (!written.empty()) fs::create_directories(folder / "out");
        for (const auto& [name, bytes] : written)
            std::ofstream(folder / "out" / name, std::ios::binary) << bytes;
        return;
    }
    EXPECT_EQ(transcript, readFile(folder / "expected.txt"));
    std::map<std::string, std::string> expected;
    if (fs::exists(folder / "out"))
        for (const auto& e : fs::directory_iterator(folder / "out"))
            expected[e.path().filename().string()] = readFile(e.path());
    EXPECT_EQ(written, expected);
}

INSTANTIATE_TEST_SUITE_P(Folders, Scenario, testing::ValuesIn(scenarioNames()), [](const auto& p) {
    std::string n = p.param;
    for (char& c : n)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return n;
});

}  // namespace
}  // namespace pwtest
