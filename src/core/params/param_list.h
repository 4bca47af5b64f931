// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The parameter list: one row per preset parameter, five text cells with a mark each.

#include <array>
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace pw {

// The colour a cell carries. The numbers are the colour values the list has always
// used: red for a failed check, blue for what filtering or Model Select wrote.
enum class Mark { Default, Conflict, Change };
inline constexpr int kConflictColour = 255;
inline constexpr int kChangeColour = 16711680;
int colourValue(Mark mark);
const char* markName(Mark mark);  // "default", "conflict", "change"

// Column numbers as the list addresses them: the Name is the row's own text, the
// other four are its sub-items 1 to 4.
enum Column : int { kName = 0, kSetting = 1, kId = 2, kPosition = 3, kValue = 4 };
inline constexpr int kColumnCount = 5;

struct Row {
    std::array<std::string, kColumnCount> cells;
    std::array<Mark, kColumnCount> marks{};

    const std::string& name() const { return cells[kName]; }
    const std::string& setting() const { return cells[kSetting]; }
    const std::string& id() const { return cells[kId]; }
    const std::string& position() const { return cells[kPosition]; }
    const std::string& value() const { return cells[kValue]; }
    void mark(Column column, Mark m) { marks[column] = m; }
    bool operator==(const Row&) const = default;
};

// Rows are numbered from 1 at this interface, as every command counts them.
class ParamList {
  public:
    std::size_t count() const { return rows_.size(); }
    bool empty() const { return rows_.empty(); }
    bool hasRow(long long number) const {
        return number >= 1 && static_cast<std::size_t>(number) <= rows_.size();
    }
    Row& row(std::size_t number) { return rows_.at(number - 1); }
    const Row& row(std::size_t number) const { return rows_.at(number - 1); }

    Row& append(Row r) { return rows_.emplace_back(std::move(r)); }
    // Inserts the rows in their order, the first becoming row `number` (1 .. count()+1).
    void insertAt(std::size_t number, std::vector<Row> rows);
    void remove(std::size_t number);
    // One walk over the rows: `keep(row)` may change the row and says whether it stays;
    // the rows that stay close up in their order.
    template <class Keep>
    void keepIf(Keep keep) {
        auto out = rows_.begin();
        for (auto it = rows_.begin(); it != rows_.end(); ++it) {
            if (!keep(*it)) continue;
            if (out != it) *out = std::move(*it);
            ++out;
        }
        rows_.erase(out, rows_.end());
    }
    void clear() { rows_.clear(); }
    void reserve(std::size_t n) { rows_.reserve(n); }

    const std::vector<Row>& rows() const { return rows_; }
    auto begin() const { return rows_.begin(); }
    auto end() const { return rows_.end(); }

  private:
    std::vector<Row> rows_;
};

}  // namespace pw
