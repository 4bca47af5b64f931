// SPDX-License-Identifier: GPL-3.0-or-later
#include "options.h"

#include <algorithm>
#include <cctype>

#include "catalogue/effect_catalogue.h"
#include "commands.h"
#include "model_lists.h"

namespace pw::cli {
namespace {

bool takesValue(std::string_view option) {
    return option == "--target" || option == "--amp" || option == "--name" || option == "--out" ||
           option == "--pick" || option == "--find" || option == "--uses" || option == "--model" ||
           option == "--tag" || option == "--untag" || option == "--note" || option == "--svg";
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
    if (option == "--tag" || option == "--untag") {
        if (value.empty() || value.find_first_of(" \t") != std::string_view::npos)
            return std::string(option) + " takes one word, not " + quoted(value);
        (option == "--tag" ? o.tags : o.untags).emplace_back(value);
        return {};
    }
    if (option == "--svg") {
        if (value.empty()) return "--svg needs a file";
        o.svg = std::string(value);
        return {};
    }
    if (option == "--note") {
        o.note = std::string(value);
        return {};
    }
    if (option == "--favourite" || option == "--unfavourite") {
        if (o.favourite && *o.favourite != (option == "--favourite"))
            return "choose one of --favourite and --unfavourite, not both";
        o.favourite = option == "--favourite";
    }
    if (option == "--hide" || option == "--unhide") {
        if (o.hidden && *o.hidden != (option == "--hide"))
            return "choose one of --hide and --unhide, not both";
        o.hidden = option == "--hide";
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

}  // namespace

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
        if (!o.command) {
            if (isOption) {
                result.error = "unknown option " + quoted(arg);
                return result;
            }
            o.command = commandNamed(arg);
            if (!o.command) {
                result.error = "unknown command " + quoted(arg);
                return result;
            }
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
        if (std::find(o.command->options.begin(), o.command->options.end(), option) ==
            o.command->options.end()) {
            result.error =
                std::string(o.command->name) + " does not take the option " + quoted(option);
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
    if (!o.command) {
        result.error = "no command given";
        return result;
    }
    result.error = o.command->incomplete(o);
    return result;
}

}  // namespace pw::cli
