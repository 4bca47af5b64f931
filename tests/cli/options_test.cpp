// SPDX-License-Identifier: GPL-3.0-or-later
// The argument parser: commands, options in any order, and the usage errors.

#include "options.h"
#include "../support/text_table.h"
#include "cli_runner.h"
#include "commands.h"

namespace pw::cli {
namespace {

// A command line of the tables in tests/cli: '' is an empty argument, "-" no argument.
ParseResult parse(const std::string& line) {
    std::vector<std::string> words;
    std::istringstream in(line == "-" ? "" : line);
    for (std::string w; in >> w;)
        words.push_back(w == "''" ? "" : w);
    return parseArguments({words.begin(), words.end()});
}

// The options set, as parsed_options.txt writes them: NAME=VALUE each, in a fixed order.
std::string described(const Options& o) {
    std::string out;
    const auto add = [&](bool set, const std::string& name, std::string_view value = "1") {
        if (set) out += (out.empty() ? "" : " ") + name + "=" + std::string(value);
    };
    add(o.command, "command", o.command ? o.command->name : "");
    for (const std::string& f : o.files)
        add(true, "file", f);
    // A target that cannot be chosen would show a "?" after its caption.
    add(o.target, "target",
        o.target ? std::string(o.target->caption) + (o.target->selectable ? "" : "?") : "");
    add(o.amp.has_value(), "amp", std::string(1, o.amp.value_or(' ')));
    add(o.name.has_value(), "name", o.name.value_or(""));
    add(o.outDir.has_value(), "out", o.outDir.value_or(""));
    add(o.overwrite, "overwrite");
    add(o.json, "json");
    add(o.exportKind != ExportKind::None, "export",
        o.exportKind == ExportKind::User ? "user" : "complete");
    add(o.help, "help");
    add(o.version, "version");
    return out;
}

// Commands, target names in any letter case, options before or after the files, "--"
// ending the options, an empty name, the kinds of export, help and version
// (parsed_options.txt); and the usage errors, each with what it says (usage_errors.txt).
TEST(Options, ParsedOrRefusedAsTheTablesSay) {
    for (const auto& [file, ok, least] :
         {std::tuple("../parsed_options.txt", true, 10u), {"../usage_errors.txt", false, 20u}}) {
        const auto lines = pwtest::tsvFile(testing::cliDataFile(file), 2);
        for (const auto& f : lines) {
            const ParseResult r = parse(f[0]);
            EXPECT_EQ(r.ok(), ok) << f[0] << ": " << r.error;
            EXPECT_EQ(ok ? described(r.options) : r.error, f[1]) << f[0];
        }
        EXPECT_GT(lines.size(), least);
    }
}

}  // namespace
}  // namespace pw::cli
