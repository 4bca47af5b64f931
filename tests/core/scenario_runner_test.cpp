// SPDX-License-Identifier: GPL-3.0-or-later
// Runs every folder under tests/scenarios: `steps` drives a session and says, in its
// `expect` lines, what each step must have shown or left; `out/` holds the files it
// wrote. PW_UPDATE_SCENARIOS=1 writes `out/` from the program instead of comparing.

#include <cstdlib>
#include <functional>
#include <map>
#include <memory>

#include "filter/list_edits.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace pwtest {
namespace {

const fs::path kScenarios = fs::path(PW_TEST_DATA_DIR).parent_path() / "scenarios";

// Messages name files in the temporary folder; the transcript calls it <dir>.
std::string withoutFolder(std::string text, const std::string& folder) {
    for (std::size_t at = text.find(folder); at != std::string::npos; at = text.find(folder))
        text.replace(at, folder.size(), "<dir>");
    return text;
}

// The ids as the `expect messages` lines write them, in the order of pw::MessageId.
const char* idName(pw::MessageId id) {
    static constexpr const char* kNames[] = {
        "ReadTestFailed",  "NameLoadError",       "ParameterMissing",  "BadFileName",
        "LoadFileFirst",   "SelectAmpChannel",    "ClickFilter",       "TooManyConflicts",
        "SaveAsQuestion",  "AlreadyExists",       "SavingCanceled",    "SavedTo",
        "SelectFileFirst", "AmpOnlyForBigModels", "ReservedForFuture", "CouldNotWrite",
        "ErrorCount",      "ResolveSummary",      "OnePresetAtATime"};
    static_assert(std::size(kNames) == std::size_t(pw::MessageId::OnePresetAtATime) + 1);
    return kNames[std::size_t(id)];
}

// What the last step left, as an `expect` line names it.
struct Seen {
    std::vector<pw::Message> messages;  // shown by the last step
    std::string result;                 // what the step itself told (a block, the clipboard)
};

// The actual value of `expect KEY ARG`, written as the expected value is written.
std::string actual(const pw::Session& s, const Seen& seen, const std::string& key,
                   const std::string& arg, const std::string& folder) {
    if (key == "messages") {
        std::string ids;
        for (const pw::Message& m : seen.messages)
            ids += (ids.empty() ? "" : " ") + std::string(idName(m.id));
        return ids.empty() ? "none" : ids;
    }
    if (key == "text" || key == "detail") {
        if (seen.messages.empty()) return "(no message)";
        const pw::Message& m = seen.messages.back();
        return quoted(withoutFolder(key == "text" ? m.text : m.detail, folder));
    }
    if (key == "result") return seen.result;
    if (key == "buttons") return state(s).substr(state(s).find(" buttons ") + 9, 5);
    if (key == "filtered") return std::to_string(s.filtered());
    if (key == "amp") return std::to_string(s.ampChannelChosen());
    if (key == "name") return quoted(s.patchName());
    if (key == "root") return quoted(s.sourceRoot());
    if (key == "label") return quoted(s.label4());
    if (key == "count") return s.paramCountCaption();
    if (key == "selected") return std::to_string(s.selectedIndex());
    if (key == "conflicts") return std::to_string(pw::filter::CountErrors(s.rows()));
    if (key == "row") {
        const std::size_t n = std::stoul(arg);
        if (!s.rows().hasRow(static_cast<long long>(n))) return "absent";
        std::string line = rowLine(s.rows().row(n));
        line.pop_back();
        return line;
    }
    ADD_FAILURE() << "unknown expectation " << key;
    return {};
}

// Runs one step and returns what it adds to the transcript beyond messages and state.
// An input named by `open` is looked up in the scenario folder first, then in tests/data.
std::string run(pw::Session& s, ScriptedMessenger& m, const TempDir& dir, const fs::path& folder,
                const std::string& line) {
    std::istringstream in(line);
    std::string verb, arg;
    in >> verb;
    std::getline(in >> std::ws, arg);
    std::string word1, word2;  // of a step that takes two
    std::istringstream(arg) >> word1 >> word2;
    // The steps that only act.
    using Naming = pw::Session::FileNaming;
    const std::map<std::string, std::function<void()>> acts = {
        {"open-written", [&] { s.openFile(dir.path() / arg); }},
        {"target", [&] { s.selectTarget(pw::document::targetByCaption(arg)->option); }},
        {"filter", [&] { s.filter(); }},
        {"reset", [&] { s.reset(); }},
        {"amp", [&] { s.selectAmpChannel(arg[0]); }},
        {"click", [&] { s.clickRow(std::stoll(arg)); }},
        {"remove", [&] { s.keyDown(pw::Session::Key::Delete, true); }},
        {"name", [&] { s.setPatchName(arg == "\"\"" ? "" : arg); }},
        {"answer", [&] { m.answers.push_back(arg == "yes" ? pw::Answer::Yes : pw::Answer::No); }},
        {"resolve", [&] { s.resolveConflicts(); }},
        {"errors", [&] { s.showErrors(); }},
        {"naming", [&] { s.setFileNaming(arg == "bare" ? Naming::BareName : Naming::Path); }},
        {"save", [&] { s.save(); }},
        {"export", [&] { arg == "user" ? s.exportUserText() : s.exportCompleteText(); }}};
    if (const auto act = acts.find(verb); act != acts.end()) {
        act->second();
    } else if (verb == "open") {
        const fs::path copy = dir.path() / fs::path(arg).filename();
        const fs::path local = folder / arg;
        fs::copy_file(fs::exists(local) ? local : dataFile(arg), copy,
                      fs::copy_options::overwrite_existing);
        s.openFile(copy);
    } else if (verb == "double") {
        const auto* block = s.blockForDoubleClick();
        return "block " + std::string(block ? block->nameList : "none");
    } else if (verb == "pick") {  // pick LIST INDEX
        s.UpdateListItem(*pw::catalogue::blockByList(word1), std::stoul(word2));
    } else if (verb == "copy") {
        const auto copied = s.keyDown(pw::Session::Key::C, true);
        return "clipboard " + (copied ? quoted(*copied) : std::string("none"));
    } else if (verb == "same-as") {  // same-as WRITTEN GOLDEN
        const bool same = readFile(dir.path() / word1) == readFile(dataFile(word2));
        return std::string(same ? "same as " : "DIFFERS from ") + word2;
    } else {
        ADD_FAILURE() << "unknown step " << line;
    }
    return "";
}

class Scenario : public testing::TestWithParam<std::string> {};

TEST_P(Scenario, MeetsItsExpectationsAndWritesItsFiles) {
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
    std::vector<std::string> inputs;
    Seen seen;
    int number = 0;
    std::size_t expectations = 0;
    for (std::string line; std::getline(steps, line);) {
        ++number;
        if (line.empty() || line[0] == '#') continue;
        std::istringstream in(line);
        std::string verb, key, arg;
        in >> verb;
        if (verb == "expect") {
            std::string expected;
            in >> key;
            if (key == "row") in >> arg;
            std::getline(in >> std::ws, expected);
            EXPECT_EQ(actual(*s, seen, key, arg, dir.path().string()), expected)
                << "steps line " << number << ": " << line;
            ++expectations;
            continue;
        }
        if (line.rfind("open ", 0) == 0) inputs.push_back(fs::path(line.substr(5)).filename());
        m.clear();
        if (line == "restart")
            restart(), seen.result.clear();
        else
            seen.result = run(*s, m, dir, folder, line);
        seen.messages = m.shown;
    }
    EXPECT_GT(expectations, 0u) << "a scenario says what it expects";

    std::map<std::string, std::string> written;
    for (const auto& name : dir.names())
        if (std::find(inputs.begin(), inputs.end(), name) == inputs.end())
            written[name] = readFile(dir.path() / name);

    if (std::getenv("PW_UPDATE_SCENARIOS")) {
        fs::remove_all(folder / "out");
        if (!written.empty()) fs::create_directories(folder / "out");
        for (const auto& [name, bytes] : written)
            std::ofstream(folder / "out" / name, std::ios::binary) << bytes;
        return;
    }
    std::map<std::string, std::string> expected;
    if (fs::exists(folder / "out"))
        for (const auto& e : fs::directory_iterator(folder / "out"))
            expected[e.path().filename().string()] = readFile(e.path());
    EXPECT_EQ(written, expected);
}

INSTANTIATE_TEST_SUITE_P(Folders, Scenario, testing::ValuesIn(subfolders(kScenarios)),
                         [](const auto& p) { return testName(p.param); });

}  // namespace
}  // namespace pwtest
