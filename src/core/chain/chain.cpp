// SPDX-License-Identifier: GPL-3.0-or-later
#include "chain/chain.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

#include "catalogue/effect_catalogue.h"
#include "catalogue/model_settings.h"
#include "params/number_reader.h"

namespace pw::chain {
namespace {

// The blocks in the unit's order. Positions and IDs are compared with the rows' cells as
// text, as every check does. An amp tile holds its cabinet too (at `cabPosition`).
struct Stage {
    std::string_view title;
    char channel;
    std::string_view position;
    std::string_view modelId;
    std::string_view enableId;     // "" for a block that is always on
    std::string_view cabPosition;  // "" for a block without a cabinet
    std::string_view valueLabel;   // for a block whose model row is its only knob: "Level"
};

constexpr std::string_view kCabinetId = "2560";

constexpr Stage kStages[] = {
    {"Pickup", 0, "2", "64", "65", "", ""},
    {"Wah", 0, "3", "128", "129", "", ""},
    {"Compressor", 0, "4", "207", "193", "", ""},
    {"Whammy", 0, "5", "768", "769", "", ""},
    {"Distortion", 0, "6", "2432", "2433", "", ""},
    {"Amp A", 'A', "8", "2496", "265", "9", ""},
    {"EQ A", 'A', "24", "3202", "3212", "", ""},
    {"Amp B", 'B', "10", "2496", "265", "11", ""},
    {"EQ B", 'B', "25", "3202", "3212", "", ""},
    {"Noise Gate", 0, "12", "704", "705", "", ""},
    {"Volume Pre FX", 0, "13", "2626", "", "", "Level"},
    {"Mod/FX", 0, "14", "768", "769", "", ""},
    {"Delay", 0, "15", "1856", "1857", "", ""},
    {"Reverb", 0, "16", "1920", "1921", "", ""},
    {"Volume Post FX", 0, "17", "2626", "", "", "Level"},
};

// The roles of the knobs a tile shows.
constexpr std::string_view kMainRoles[] = {"drive", "level", "time",    "repeats", "speed",
                                           "depth", "mix",   "sustain", "decay"};
// The roles of the knob a one-line chain names.
constexpr std::string_view kHeadlineRoles[] = {"drive", "time"};

template <class List>
bool holds(const List& list, std::string_view item) {
    return std::find(std::begin(list), std::end(list), item) != std::end(list);
}

std::int32_t numberOf(std::string_view text) {
    const double v = models::readLeadingNumber(text);
    return std::isfinite(v) && std::fabs(v) < 2e9 ? static_cast<std::int32_t>(v) : 0;
}

// The model a row holds as the catalogue names it; an unknown one by its text and value.
std::string modelName(const Row& row, const catalogue::Block* block) {
    if (block == nullptr) return row.setting();
    const std::int32_t value = numberOf(row.value());
    for (const catalogue::Entry& e : block->entries)
        if (e.value == value) return std::string(e.name);
    return row.setting().empty() ? row.value() : row.setting() + " (" + row.value() + ")";
}

// A knob as a guitarist names it, when the table does not: the row's Name without the
// block's word and channel ("Amp A Gain": "Gain").
std::string labelFromName(const std::string& name) {
    std::string_view rest = name;
    const auto dropWord = [&rest] {
        const std::size_t space = rest.find(' ');
        rest = space == std::string_view::npos ? std::string_view{} : rest.substr(space + 1);
    };
    dropWord();
    if (rest.size() > 2 && (rest.starts_with("A ") || rest.starts_with("B "))) dropWord();
    return rest.empty() ? name : std::string(rest);
}

bool isStageRow(const Row& row, const Stage& stage) {
    return row.position() == stage.position ||
           (!stage.cabPosition.empty() && row.position() == stage.cabPosition);
}

void addRow(Tile& tile, const Stage& stage, const ParamList& list, std::size_t number,
            const catalogue::Block*& modelBlock, std::int32_t& model) {
    const Row& row = list.row(number);
    tile.rows.push_back(number);
    if (std::find(row.marks.begin(), row.marks.end(), Mark::Conflict) != row.marks.end())
        tile.conflict = true;
    const bool atModel = row.position() == stage.position;
    if (atModel && row.id() == stage.modelId) {
        modelBlock = catalogue::blockOfRow(row.id(), row.position());
        model = numberOf(row.value());
        if (!stage.valueLabel.empty()) {
            tile.model = std::string(stage.title);
            tile.knobs.push_back({std::string(stage.valueLabel), row.setting()});
            return;
        }
        const std::string name = modelName(row, modelBlock);
        tile.model = tile.model.empty() ? name : name + " / " + tile.model;
    } else if (atModel && !stage.enableId.empty() && row.id() == stage.enableId) {
        tile.on = numberOf(row.value()) != 0;
    } else if (!atModel && row.id() == kCabinetId) {
        const std::string name = modelName(row, catalogue::blockOfRow(row.id(), row.position()));
        tile.model = tile.model.empty() ? name : tile.model + " / " + name;
    }
}

// The main knobs, once the model is known (a knob's role may depend on it).
void addKnobs(Tile& tile, const Stage& stage, const ParamList& list,
              const catalogue::Block* modelBlock, std::int32_t model) {
    const std::string_view block = modelBlock != nullptr ? modelBlock->title : std::string_view{};
    const auto known = catalogue::settingsOf(block, model);
    for (std::size_t number : tile.rows) {
        const Row& row = list.row(number);
        if (row.position() != stage.position || row.id() == stage.modelId ||
            row.id() == stage.enableId)
            continue;
        const std::int32_t id = numberOf(row.id());
        const std::string_view role = catalogue::roleOf(block, model, id, row.name());
        if (!holds(kMainRoles, role)) continue;
        const auto setting = std::find_if(known.begin(), known.end(),
                                          [&](const catalogue::Setting& s) { return s.id == id; });
        Knob knob{setting != known.end() ? std::string(setting->label) : labelFromName(row.name()),
                  row.setting()};
        if (tile.headline.empty() && setting != known.end() && holds(kHeadlineRoles, role))
            tile.headline = knob.label + " " + knob.text;
        tile.knobs.push_back(std::move(knob));
    }
}

}  // namespace

bool Chain::twoChannels() const {
    return std::any_of(tiles.begin(), tiles.end(), [](const Tile& t) { return t.channel == 'B'; });
}

Chain chainOf(const ParamList& list) {
    Chain chain;
    for (const Stage& stage : kStages) {
        const bool present = std::any_of(list.begin(), list.end(), [&](const Row& row) {
            return row.position() == stage.position &&
                   (row.id() == stage.modelId ||
                    (!stage.enableId.empty() && row.id() == stage.enableId));
        });
        if (!present) continue;
        Tile tile;
        tile.stage = std::string(stage.title);
        tile.channel = stage.channel;
        const catalogue::Block* modelBlock = nullptr;
        std::int32_t model = 0;
        for (std::size_t number = 1; number <= list.count(); ++number)
            if (isStageRow(list.row(number), stage))
                addRow(tile, stage, list, number, modelBlock, model);
        addKnobs(tile, stage, list, modelBlock, model);
        chain.tiles.push_back(std::move(tile));
    }
    return chain;
}

std::vector<Place> layoutOf(const Chain& chain) {
    const bool two = chain.twoChannels();
    std::vector<Place> places;
    std::vector<std::size_t> last;       // the ends of the path so far
    std::vector<std::size_t> lastOf[2];  // the end of each channel's path
    int column = 0;
    int channelColumn[2] = {0, 0};
    bool inChannels = false;
    for (const Tile& tile : chain.tiles) {
        const std::size_t index = places.size();
        if (two && tile.channel != 0) {
            const int c = tile.channel == 'A' ? 0 : 1;
            if (!inChannels) {
                channelColumn[0] = channelColumn[1] = column;
                lastOf[0] = lastOf[1] = last;
            }
            inChannels = true;
            places.push_back({channelColumn[c]++, 2 * c, lastOf[c]});
            lastOf[c] = {index};
            continue;
        }
        if (inChannels) {
            column = std::max(channelColumn[0], channelColumn[1]);
            last = lastOf[0];
            last.insert(last.end(), lastOf[1].begin(), lastOf[1].end());
        }
        inChannels = false;
        places.push_back({column++, two ? 1 : 0, last});
        last = {index};
    }
    return places;
}

int columnsOf(const std::vector<Place>& places) {
    int columns = 0;
    for (const Place& p : places)
        columns = std::max(columns, p.column + 1);
    return columns;
}

}  // namespace pw::chain
