// SPDX-License-Identifier: GPL-3.0-or-later
#include "filter/default_rows.h"

#include <array>
#include <iterator>
#include <numeric>
#include <span>
#include <string_view>
#include <vector>

#include "params/number_reader.h"

namespace pw::filter {

namespace {

struct DefaultRow {
    std::string_view name, setting, id, position, value;
};

// Each group in list order after its anchor.
constexpr std::array<DefaultRow, 3> kPedalRows = {{
    {"Pedal Assign 1", "Volume Pre FX", "8194", "19", "854594"},  // 13:2626, Volume PedalPreFX
    {"Pedal Min 1", "0", "8195", "19", "0"},
    {"Pedal Max 1", "99", "8196", "19", "99"},
}};

constexpr std::array<DefaultRow, 5> kVSwitchRows = {{
    {"V-Switch Assign", "Wah Enable", "8384", "21", "196737"},  // 3:129
    {"V-Switch Min", "Off", "8385", "21", "0"},
    {"V-Switch Max", "On", "8386", "21", "1"},
    {"V-Switch Type", "Toggle", "8393", "21", "0"},
    {"V-Switch Enable", "Off", "8449", "21", "0"},
}};

constexpr std::array<DefaultRow, 1> kPresenceRow = {{{"EQ A Presence", "0db", "3207", "24", "12"}}};

constexpr std::array<DefaultRow, 5> kLfoRows = {{
    {"LFO1 Assign", "None", "8258", "22", "0"},
    {"LFO1 Min", "0", "8259", "22", "0"},
    {"LFO1 Max", "0", "8260", "22", "0"},
    {"LFO1 Speed", "0.05Hz", "8262", "22", "0"},
    {"LFO1 Waveform", "Tri", "8263", "22", "0"},
}};

constexpr std::array<DefaultRow, 1> kAmpChannelRow = {{{"Amp Channel", "A", "256", "7", "0"}}};

// Inserts a group of rows right after row `anchor` (at the top for 0). An inserted row
// shows the change mark on its Name cell only.
void insertDefaults(ParamList& list, std::size_t anchor, std::span<const DefaultRow> group) {
    std::vector<Row> rows(group.size());
    for (std::size_t k = 0; k < group.size(); ++k) {
        const DefaultRow& d = group[k];
        rows[k].cells = {std::string(d.name), std::string(d.setting), std::string(d.id),
                         std::string(d.position), std::string(d.value)};
        rows[k].mark(kName, Mark::Change);
    }
    list.insertAt(anchor + 1, std::move(rows));
}

// The anchor scans look at rows 1 to n only and keep the previous anchor when they
// find nothing. A cell that is not a number never matches.
class AnchorScan {
  public:
    explicit AnchorScan(const ParamList& list) : list_(list), n_(list.count()) {}
    std::size_t anchor() const { return anchor_; }
    void scan(Column column, double wanted) {
        for (std::size_t i = 1; i <= n_ && i <= list_.count(); ++i) {
            if (readsAsNumber(list_.row(i).cells[column], wanted)) anchor_ = i;
        }
    }

  private:
    static bool readsAsNumber(const std::string& text, double wanted) {
        const auto number = models::readWholeNumber(text);
        return number && *number == wanted;
    }
    const ParamList& list_;
    std::size_t n_;
    std::size_t anchor_ = 0;
};

}  // namespace

const std::size_t kMostRowsAdded = [] {
    const std::size_t sizes[] = {kPedalRows.size(), kVSwitchRows.size(), kPresenceRow.size(),
                                 kLfoRows.size(), kAmpChannelRow.size()};
    return std::accumulate(std::begin(sizes), std::end(sizes), std::size_t{0});
}();

void AddPedalParams(ParamList& list) {
    AnchorScan scan(list);
    scan.scan(kPosition, 18);
    insertDefaults(list, scan.anchor(), kPedalRows);
    scan.scan(kPosition, 20);
    insertDefaults(list, scan.anchor(), kVSwitchRows);
}

void AddLfoParams(ParamList& list) {
    AnchorScan scan(list);
    scan.scan(kId, 3206);
    insertDefaults(list, scan.anchor(), kPresenceRow);
    scan.scan(kPosition, 21);
    insertDefaults(list, scan.anchor(), kLfoRows);
    scan.scan(kPosition, 6);
    insertDefaults(list, scan.anchor(), kAmpChannelRow);
}

void FixPrePost(ParamList& list) {
    bool whammy = false;
    Row* pre = nullptr;
    for (std::size_t i = 1; i <= list.count(); ++i) {
        Row& row = list.row(i);
        if (row.setting() == "Whammy") whammy = true;
        if (!pre && row.setting() == "Pre") pre = &row;
    }
    if (whammy || !pre) return;
    pre->cells[kSetting] = "Post";
    pre->cells[kId] = "770";
    pre->cells[kValue] = "1544";
    for (Column c : {kSetting, kId, kValue})
        pre->mark(c, Mark::Change);
}

}  // namespace pw::filter
