// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Helpers shared by the core tests: a messenger that records what the session says and
// answers from a script, preset documents built from rows, and temporary folders.

#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include "../support/text_table.h"
#include "params/param_list.h"
#include "session/messenger.h"
#include "session/session.h"

namespace pwtest {

class ScriptedMessenger : public pw::Messenger {
  public:
    std::vector<pw::Message> shown;
    std::deque<pw::Answer> answers;  // for questions; a question without a script gets No

    pw::Answer show(const pw::Message& m) override {
        shown.push_back(m);
        if (m.buttons == pw::Buttons::Ok) return pw::Answer::Ok;
        if (answers.empty()) return pw::Answer::No;
        const pw::Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    std::string last() const { return shown.empty() ? std::string() : shown.back().text; }
    void clear() { shown.clear(); }
};

// A Param row as written in a preset: ID, Position, Value, Name, Text.
struct P {
    std::string id, position, value, name, text;
};

inline std::string presetXml(const std::string& root, const std::string& name,
                             const std::vector<P>& params) {
    std::string x = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<" + root +
                    " SchemaVersion=\"1.2\" xmlns=\"http://www.digitech.com/xml/preset\">\r\n"
                    "  <Name>" +
                    name + "</Name>\r\n  <Params>\r\n";
    for (const P& p : params) {
        x += "    <Param>\r\n      <ID>" + p.id + "</ID>\r\n      <Position>" + p.position +
             "</Position>\r\n      <Value>" + p.value + "</Value>\r\n      <Name>" + p.name +
             "</Name>\r\n      <Text>" + p.text + "</Text>\r\n    </Param>\r\n";
    }
    x += "  </Params>\r\n</" + root + ">\r\n";
    return x;
}

class TempDir {
  public:
    TempDir() {
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() /
                ("pwtest-" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(path_, ec);
    }
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path write(const std::string& name, const std::string& bytes) const {
        const auto p = path_ / name;
        std::ofstream(p, std::ios::binary) << bytes;
        return p;
    }
    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (const auto& e : std::filesystem::directory_iterator(path_))
            out.push_back(e.path().filename().string());
        return out;
    }

  private:
    std::filesystem::path path_;
};

inline std::string readFile(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::filesystem::path dataFile(const std::string& name) {
    return std::filesystem::path(PW_TEST_DATA_DIR) / name;
}

// The bytes of a preset of tests/data.
inline std::string sample(const std::string& name) {
    return readFile(dataFile(name));
}

// Writes `bytes` to `file`, making its folders.
inline void put(const std::filesystem::path& file, const std::string& bytes) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
}

// Runs `statements` on the database at `db`.
inline void sql(const std::filesystem::path& db, const char* statements) {
    sqlite3* h = nullptr;
    ASSERT_EQ(sqlite3_open(db.c_str(), &h), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(h, statements, nullptr, nullptr, nullptr), SQLITE_OK)
        << sqlite3_errmsg(h);
    sqlite3_close(h);
}

// Makes the collection at `db` refuse every write of marks and tags, as a disk that
// fails would: its triggers abort the statement.
inline void refuseMarkWrites(const std::filesystem::path& db) {
    std::string statements;
    for (const char* table : {"marks", "tags"})
        for (const char* what : {"INSERT", "DELETE"})
            statements += std::string("CREATE TRIGGER refuse_") + table + "_" + what + " BEFORE " +
                          what + " ON " + table + " BEGIN SELECT RAISE(ABORT, 'refused'); END;";
    sql(db, statements.c_str());
}

// What tests/data/`name` holds, to compare with the text `made` by the program;
// PW_UPDATE_SCENARIOS=1 first writes the file from `made` (read the diff before committing).
inline std::string golden(const std::string& name, const std::string& made) {
    const std::filesystem::path file = dataFile(name);
    if (std::getenv("PW_UPDATE_SCENARIOS")) put(file, made);
    return readFile(file);
}

// The marks of a row as a five-letter text: "-" default, "R" conflict, "B" change.
inline std::string marks(const pw::Row& row) {
    std::string s;
    for (pw::Mark m : row.marks)
        s += m == pw::Mark::Conflict ? 'R' : m == pw::Mark::Change ? 'B' : '-';
    return s;
}

// A row of these cells, the `conflicts` cells marked.
inline pw::Row row(std::string name, std::string setting, std::string id, std::string position,
                   std::string value, std::initializer_list<pw::Column> conflicts = {}) {
    pw::Row r;
    r.cells = {std::move(name), std::move(setting), std::move(id), std::move(position),
               std::move(value)};
    for (pw::Column c : conflicts)
        r.mark(c, pw::Mark::Conflict);
    return r;
}

// A text in double quotes, with quotes, backslashes and control characters escaped.
inline std::string quoted(const std::string& s) {
    std::string out = "\"";
    for (unsigned char c : s) {
        if (c == '"' || c == '\\')
            out += {'\\', static_cast<char>(c)};
        else if (c < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            out += buf;
        } else
            out += static_cast<char>(c);
    }
    return out + "\"";
}

// A row as the transcripts show it: its cells and its marks.
inline std::string rowLine(const pw::Row& r) {
    std::string s = "[";
    for (const auto& cell : r.cells)
        s += quoted(cell) + ",";
    return s + quoted(marks(r)) + "]\n";
}

// What the window shows of the session but its rows, on one line.
inline std::string state(const pw::Session& s) {
    const pw::ButtonStates& b = s.buttons();
    std::string buttons;
    for (auto [on, c] :
         {std::pair{b.save, 'S'}, {b.filter, 'F'}, {b.reset, 'R'}, {b.ampA, 'A'}, {b.ampB, 'B'}})
        buttons += on ? c : '-';
    return "= " + std::string(s.target().caption) + " root " + quoted(s.sourceRoot()) + " name " +
           quoted(s.patchName()) + " filtered " + std::to_string(s.filtered()) + " amp " +
           std::to_string(s.ampChannelChosen()) + " buttons " + buttons + " count " +
           s.paramCountCaption() + " selected " + std::to_string(s.selectedIndex()) + " label4 " +
           quoted(s.label4()) + " label5 " + quoted(s.label5()) + "\n";
}

// The tab-separated lines of a file in tests/data, comment lines left out.
inline std::vector<std::vector<std::string>> tsv(const std::string& name, std::size_t fields = 0) {
    return tsvFile(dataFile(name), fields);
}

// A started session (target RP255) that saves into its own temporary folder and
// records what it says.
class SessionFixture : public testing::Test {
  protected:
    TempDir dir;
    ScriptedMessenger m;
    pw::Session s{m};
    void SetUp() override {
        s.start();
        s.setSaveFolder(dir.path());
    }
};

}  // namespace pwtest
