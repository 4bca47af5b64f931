// SPDX-License-Identifier: GPL-3.0-or-later
#include "options.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "catalogue/effect_catalogue.h"
#include "model_lists.h"

namespace pw::cli {
namespace {

struct CommandName {
    Command command;
    std::string_view name;
};
constexpr std::array<CommandName, 7> kCommands = {{
    {Command::Check, "check"},
    {Command::Filter, "filter"},
    {Command::Convert, "convert"},
    {Command::Export, "export"},
    {Command::Diff, "diff"},
    {Command::Scan, "scan"},
    {Command::Chain, "chain"},
}};

// The options each command accepts.
bool accepts(Command command, std::string_view option) {
    using namespace std::string_view_literals;
    switch (command) {
        case Command::Check:
            return option == "--target"sv || option == "--json"sv || option == "--summary"sv;
        case Command::Diff:
            return option == "--target"sv || option == "--json"sv;
        case Command::Chain:
            return option == "--target"sv || option == "--svg"sv;
        case Command::Filter:
            return option == "--target"sv || option == "--json"sv || option == "--amp"sv;
        case Command::Convert:
            return option == "--target"sv || option == "--amp"sv || option == "--name"sv ||
                   option == "--out"sv || option == "--overwrite"sv || option == "--json"sv ||
                   option == "--resolve"sv || option == "--pick"sv || option == "--fix-names"sv ||
                   option == "--quiet"sv || option == "--dry-run"sv;
        case Command::Export:
            return option == "--target"sv || option == "--user"sv || option == "--complete"sv ||
                   option == "--overwrite"sv;
        case Command::Scan:
            return option == "--target"sv || option == "--amp"sv || option == "--find"sv ||
                   option == "--uses"sv || option == "--model"sv || option == "--duplicates"sv ||
                   option == "--json"sv || option == "--csv"sv;
        case Command::None:
            break;
    }
    return false;
}

bool takesValue(std::string_view option) {
    return option == "--target" || option == "--amp" || option == "--name" || option == "--out" ||
           option == "--pick" || option == "--find" || option == "--uses" || option == "--model" ||
           option == "--svg";
}

std::string quoted(std::string_view s) {
    return "'" + std::string(s) + "'";
}

std::string applyTarget(Options& o, std::string_view value) {
    const document::Target* t = document::targetByCaption(value);
    const std::string choose = " (choose " + targetModels(" or ") + ")";
    if (!t) return "unknown target model " + quoted(value) + choose;
    if (!t->selectable) return std::string(t->caption) + " cannot be chosen as a target" + choose;
    o.target = t;
    return {};
}

std::string applyAmp(Options& o, std::string_view value) {
    if (value.size() == 1) {
        const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(value[0])));
        if (c == 'A' || c == 'B') {
            o.amp = c;
            return {};
        }
    }
    return "--amp takes A or B, not " + quoted(value);
}

// ROW=MODEL: MODEL must be a model of the catalogue (which block is checked per file).
std::string applyPick(Options& o, std::string_view value) {
    const std::size_t eq = value.find('=');
    if (eq == std::string_view::npos || eq == 0 || eq + 1 == value.size())
        return "--pick takes ROW=MODEL, not " + quoted(value);
    const std::string_view model = value.substr(eq + 1);
    if (!catalogue::entryNamed(model))
        return "--pick: no model is named " + quoted(model) + " in the catalogue";
    o.picks.emplace_back(value.substr(0, eq), model);
    return {};
}

// Applies one option; returns an error text or "".
std::string applyOption(Options& o, std::string_view option, std::string_view value) {
    if (option == "--target") return applyTarget(o, value);
    if (option == "--amp") return applyAmp(o, value);
    if (option == "--name") {
        o.name = std::string(value);
        return {};
    }
    if (option == "--out") {
        if (value.empty()) return "--out needs a folder";
        o.outDir = std::string(value);
        return {};
    }
    if (option == "--pick") return applyPick(o, value);
    if (option == "--svg") {
        if (value.empty()) return "--svg needs a file";
        o.svg = std::string(value);
        return {};
    }
    if (option == "--find" || option == "--uses" || option == "--model") {
        if (value.empty()) return std::string(option) + " needs a text";
        if (option == "--model" &&
            std::none_of(document::kRoots.begin(), document::kRoots.end(), [&](const auto& root) {
                return std::equal(root.model.begin(), root.model.end(), value.begin(), value.end(),
                                  [](char a, char b) {
                                      return std::toupper(static_cast<unsigned char>(a)) ==
                                             std::toupper(static_cast<unsigned char>(b));
                                  });
            }))
            return "unknown model " + quoted(value);
        (option == "--find" ? o.find : option == "--uses" ? o.uses : o.model) = std::string(value);
        return {};
    }
    if (option == "--duplicates") o.duplicates = true;
    if (option == "--csv") o.csv = true;
    if (option == "--json") o.json = true;
    if (option == "--resolve") o.resolve = true;
    if (option == "--fix-names") o.fixNames = true;
    if (option == "--quiet") o.quiet = true;
    if (option == "--dry-run") o.dryRun = true;
    if (option == "--summary") o.summary = true;
    if (option == "--overwrite") o.overwrite = true;
    if (option == "--user" || option == "--complete") {
        const ExportKind kind = option == "--user" ? ExportKind::User : ExportKind::Complete;
        if (o.exportKind != ExportKind::None && o.exportKind != kind)
            return "choose one of --user and --complete, not both";
        o.exportKind = kind;
    }
    return {};
}

// What each command needs once every argument has been read.
std::string checkComplete(const Options& o) {
    const std::string name(commandName(o.command));
    switch (o.command) {
        case Command::Check:
            if (o.files.empty()) return name + " needs a preset file";
            break;
        case Command::Filter:
        case Command::Export:
        case Command::Chain:
            if (o.files.empty()) return name + " needs a preset file";
            if (o.files.size() > 1) return name + " takes one preset file";
            break;
        case Command::Convert:
            if (o.files.empty()) return "convert needs at least one preset file";
            break;
        case Command::Diff:
            if (o.files.size() != 2) return "diff needs two preset files";
            break;
        case Command::Scan:
            if (o.files.empty()) return "scan needs a file, folder or archive";
            if (o.json && o.csv) return "choose one of --json and --csv, not both";
            break;
        case Command::None:
            break;
    }
    if ((o.command == Command::Filter || o.command == Command::Convert) && !o.target)
        return name + " needs --target MODEL";
    if (o.command == Command::Export && o.exportKind == ExportKind::None)
        return "export needs --user or --complete";
    return {};
}

}  // namespace

std::string_view commandName(Command command) {
    for (const CommandName& c : kCommands)
        if (c.command == command) return c.name;
    return "";
}

ParseResult parseArguments(const std::vector<std::string_view>& args) {
    ParseResult result;
    Options& o = result.options;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        const bool isOption = !optionsEnded && arg.size() > 1 && arg[0] == '-';
        if (isOption && arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (isOption && (arg == "--help" || arg == "-h")) {
            o.help = true;
            continue;
        }
        if (isOption && arg == "--version") {
            o.version = true;
            continue;
        }
        if (o.command == Command::None) {
            if (isOption) {
                result.error = "unknown option " + quoted(arg);
                return result;
            }
            const auto* named = std::find_if(kCommands.begin(), kCommands.end(),
                                             [&](const CommandName& c) { return c.name == arg; });
            if (named == kCommands.end()) {
                result.error = "unknown command " + quoted(arg);
                return result;
            }
            o.command = named->command;
            continue;
        }
        if (!isOption) {
            o.files.emplace_back(arg);
            continue;
        }
        std::string_view option = arg;
        std::optional<std::string_view> value;
        if (const std::size_t eq = arg.find('='); eq != std::string_view::npos) {
            option = arg.substr(0, eq);
            value = arg.substr(eq + 1);
        }
        if (!accepts(o.command, option)) {
            result.error =
                std::string(commandName(o.command)) + " does not take the option " + quoted(option);
            return result;
        }
        if (takesValue(option) && !value) {
            if (i + 1 >= args.size()) {
                result.error = std::string(option) + " needs a value";
                return result;
            }
            value = args[++i];
        } else if (!takesValue(option) && value) {
            result.error = std::string(option) + " takes no value";
            return result;
        }
        if (std::string error = applyOption(o, option, value.value_or("")); !error.empty()) {
            result.error = std::move(error);
            return result;
        }
    }
    if (o.help || o.version) return result;
    if (o.command == Command::None) {
        result.error = "no command given";
        return result;
    }
    result.error = checkComplete(o);
    return result;
}

}  // namespace pw::cli
