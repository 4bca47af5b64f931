// SPDX-License-Identifier: GPL-3.0-or-later
#include "help.h"

#include <algorithm>
#include <functional>
#include <string_view>
#include <vector>

#include "commands.h"
#include "model_lists.h"
#include "pw_version.h"
#include "session/messages.h"
#include "session/messenger.h"

namespace pw::cli {

namespace {

#define PW_STR2(x) #x
#define PW_STR(x) PW_STR2(x)

constexpr const char* kHelp = R"(Usage:
@USAGE@  patchwright-cli --help | --version

Opens RP series preset files, checks them against a target model, filters them for
it and saves them, exactly as the Patchwright window does.

MODEL is one of @TARGETS@ (letter case ignored). RP155 is not
a target: its presets can be opened, but it cannot be chosen, as in the window.

Commands:
@COMMANDS@
Options:
  --target MODEL  The target model (check, export and diff: default RP255).
  --json          Print one JSON document instead of the table: filter the list,
                  check every file (see Check output), diff the differences, convert
                  its report instead of the summary line. A file name (or any text)
                  that is not UTF-8 reads with U+FFFD for each stray byte, and its
                  exact bytes follow in base64 under the same key with "_bytes" added
                  ("file_bytes", "member_bytes", "input_bytes", ...).
  --amp A|B       Keep amp channel A or B of an RP350/RP355 patch. filter: a refused
                  click (the preset is not an RP35x one) prints its message, no list,
                  and exits with status 3.
  --name NAME     convert: the patch name to save under, replacing the one in FILE
                  (after --amp has shortened it).
  --out DIR       convert: the folder for the new presets (default: the current one;
                  with --dry-run it need not exist).
  --dry-run       convert: print the report of the conversion, write nothing.
  --pick ROW=MODEL
                  convert (repeatable, in order): pick catalogue model MODEL, as Model
                  Select does, for every row whose Name is ROW (letter case ignored in
                  both; a preset without such a row is left as it is).
                  MODEL must be in the catalogue, and some preset of the run must have
                  a row named ROW (else a usage error, before anything is written); a
                  preset where MODEL is not a model of that row's block, or where ROW
                  selects no model, is refused with its reason. Picks come before
                  --resolve and so take precedence over its substitutes; the --json
                  report lists the rows picked.
  --resolve       convert: run Tools > Resolve Conflicts after the filter and amp
                  steps (when the window would offer it): a model the target does not
                  know gets its substitute, then the rows the target does not know are
                  removed. One line per file tells how many rows were substituted and
                  removed and how many conflicts are left, then one indented line per
                  row changed: "Row", its number after Resolve, its Name, the old and
                  the new model and what the two share; or "removed:", the Name, the
                  setting lost and why.
  --fix-names     convert: each character refused in a patch name becomes "_":
                  the characters of Save's list, control characters (tab, line feed
                  and carriage return among them), the bidirectional controls (U+202E
                  and the others, refused by convert and scan though not by the
                  window's Save), U+FFFE, U+FFFF and each byte that is not UTF-8. The
                  change is printed.
  --quiet         convert: print only the messages of files that were refused or
                  failed; the summary line stays.
  --summary       check: one line per file instead of its list.
  --find TEXT     scan: only presets whose patch name, file name or folders (below
                  the PATH scanned) hold TEXT (letter case and accents ignored: "uber"
                  and "ÜBER" find "Über Lead"); "ROW=MODEL" (as "Amp A Type=57 Tweed
                  Champ") finds the presets with a row of that Name whose Setting, or
                  catalogue model, is MODEL. TEXT is a search: words separated by
                  blanks, each of which must hold, "-" before a word for not; a word
                  is found in the names and folders, as the model or in a model used;
                  "two words" in quotes stay together; tag:WORD, style:WORD (as
                  style:"high gain"), model:RP355, uses:tweed, row:"ROW=MODEL", fav
                  and hidden ask for just that (tags, favourites and hidden presets
                  are the marks of patchwright-cli mark).
  --uses TEXT     scan: only presets that use a catalogue model (amp, cabinet or
                  effect) whose name holds TEXT, as "Tweed".
  --model MODEL   scan: only presets of MODEL (any of the eleven models, "RP355").
  --duplicates    scan: only presets that have a twin, by duplicate group.
  --csv           scan: print the presets as CSV (the JSON keys as columns, "uses"
                  and the tags joined by "; ", the marks as the last four: favourite,
                  hidden, tags, note) instead of a table. Control characters are escaped
                  as in the table, so each preset is one line, and a cell starting
                  with "=", "+", "-" or "@" starts with an apostrophe instead, so that
                  no spreadsheet takes it for a formula.
  --favourite, --unfavourite, --hide, --unhide
                  mark: make the presets favourites or not, hide them or show them.
  --tag WORD, --untag WORD
                  mark: give the presets the tag WORD, or take it away (each as often
                  as needed).
  --note TEXT     mark: the presets' note; an empty TEXT clears it.
  --svg OUT.svg   chain: write the picture to OUT.svg instead of printing the line.
  --overwrite     Replace an existing preset or text file (pack: the zip). Without it
                  the question
                  "...@ALREADY_EXISTS@" is
                  answered No: the file is kept unchanged and "@CANCELED@"
                  is printed. The question "@SAVE_AS@..."
                  is always answered Yes.
  -h, --help      Show this help.
  --version       Show the version.

Messages:
  Every message and question of the program goes to stderr, exactly as the window
  shows it; a question is followed by its answer in brackets, and a message that has
  a reason underneath (a file system error, say) is followed by it on an indented
  line. Every line starts with "patchwright-cli: FILE: ", FILE being the file it is
  about. Control characters in file and patch names are shown as escapes (\n, \t,
  \xNN), so that every message stays on its line. "BAD File Name, ..." is followed by
  the character that was refused.

Convert report (convert --json):
  {"files": [{"input": FILE as given, "outcome": "written" | "refused" | "failed",
              "output": the new preset written or meant, in DIR as typed ("" when
                        none),
              "message": the last message about the file,
              "detail": what went wrong underneath ("" when nothing was said),
              "patch_name_fixed": {"from", "to"} or null,
              "substitutions": [{"row", "name", "old_setting", "old_value",
                                 "new_setting", "new_value", "character", "reason",
                                 "settings"}, ...],
              "removals": [{"name", "id", "position", "setting", "value", "reason"}, ...]
                          (rows Filter Patch and the amp channel took come first),
              "picks": [{"row", "name", "old_setting", "old_value", "new_setting",
                         "new_value", "settings"}, ...],
              "settings": the knobs the model got, [{"setting", "value", "from": the
                          old knob whose value it took ("" for the same knob or none),
                          "neutral": true when nothing was carried}, ...],
              "conflicts_left": conflict-marked cells after Resolve}, ...],
   "problems": [{"path", "problem", "detail"}, ...] as scan reports them,
   "converted", "refused", "failed": the counts, "skipped": files and pack members
   that are no preset}
  Rows count from 1 in the list as Resolve left it.

Table output (check, filter):
  A header with the file, the source and target roots, the patch names, the filtered
  flag and the amp channel flag, then one numbered line per row: Name, Setting, ID,
  Position, Value, then "Number of errors N". When stdout is a terminal and NO_COLOR
  is not set (or empty), conflict cells are shown in red and changed cells in blue.
  Otherwise each marked cell is followed by a marker:
    !   the cell carries the conflict mark (the target does not know it)
    *   the cell carries the change mark (written by filtering)
  Control characters in cell texts are shown as escapes (\n, \t, \xNN, and \uNNNN
  for C1 controls and bidirectional controls such as U+202E). Columns are as wide
  as a terminal shows their texts (CJK two columns a character, combining marks
  none); a cell wider than 80 columns is cut and ends in an ellipsis (U+2026);
  --json keeps every text whole.

List output (filter --json):
  {"file": FILE as given, "source_root": the root found in the file ("" if none),
   "target_root": "RP255Preset" etc., "patch_name": the current patch name,
   "original_patch_name": the name read from the file, "filtered": the filtered flag,
   "amp_channel": the amp channel flag (true once Amp A or Amp B was applied),
   "errors": the number of conflict-marked cells (what the Errors button counts),
   "rows": [{"name", "setting", "id", "position", "value",
             "marks": [five of "default" | "conflict" | "change", in the order
                       Name, Setting, ID, Position, Value]}, ...]}

Check output (check --json):
  One document, whatever the number of files:
  {"files": [{"file": FILE as given,
              "verdict": "clean" | "conflicts" | "not loadable",
              "reason": the message that refused the file ("" when it was loaded),
              "detail": what went wrong underneath ("" when nothing was said),
              then the keys of the list output from "source_root" on (with
              --summary only "source_root" and "errors"), and "missing_settings":
              ["Dist Type Screamer TS9: no Drive, Tone, Level", ...] when a model
              lacks knobs of its own}, ...],
   "clean", "conflicts", "not_loadable": the counts}

Scan report (scan --json):
  {"target", "amp": "A" | "B" | null,
   "presets": [{"file": the file or archive, "member": the member inside the archive
                or null, "model": "RP355" ("" for no known model), "name", "rows",
                "status", "substitutions", "removals", "reason": "" unless cannot,
                view-only or unreadable, "name_refused", "fixed_name", "uses": the
                catalogue models used, "style": what it is from its rows (the amp's
                character, pushed by its drive, both channels of a two-amp preset,
                then fuzz, wah, modulated, pitch, ambient: "crunch, ambient"),
                "duplicate_group": a number or null, "marks": {"favourite",
                "hidden", "tags": [...], "note"} as the collection keeps them (all
                unset for a preset without marks), or null when the collection
                cannot be used}, ...],
   "problems": [{"path", "problem", "detail"}, ...],
   "summary": {"presets": listed, one count per status, "found",
               "duplicate_groups", "skipped", "archives", "folders",
               "unreadable_folders", "problems"}}

Diff output:
  A header with both files, source roots and patch names and the target root, then
  one line per difference, in list order: the row numbers in A and B ("-" where the
  row is missing), "only in A", "only in B" or "changed", and the row's Name, ID,
  Setting, Position and Value, a changed cell as "old -> new". Then "The patch names
  differ." when they do, and the counts of each kind. With --json:
  {"a": {"file", "source_root", "patch_name"}, "b": {the same for B},
   "target_root", "equal": no row differs and the patch names agree,
   "patch_names_differ", "only_in_a", "only_in_b", "changed": the counts,
   "rows": [{"change": "only_in_a" | "only_in_b" | "changed", "row_a", "row_b":
             row numbers or null, "a", "b": {"name", "setting", "id", "position",
             "value"} or null, "differs": the keys of the changed cells}, ...]}

Exit status:
  0   done (check: no conflict mark; diff: the presets are equal)
  1   check: at least one cell carries the conflict mark; diff: the presets differ
  2   a file (diff: either file) could not be loaded (a missing or unreadable
      file, "@LOAD_ERROR@" or "@MISSING@");
      its message is on stderr; scan: no preset could be read
  3   refused: an Amp click refused by filter; a Save refused by one of its checks, a
      view-only preset, or an existing file kept because --overwrite was not given
      (convert, export)
  64  usage error (unknown command or option, missing or bad argument, RP155 or an
      unknown model as target)
  73  a file could not be created or written; any existing file is left unchanged
  74  standard output could not be written (a full disk, a closed pipe)
  130 scan: interrupted (Ctrl+C); what was read is printed
  check and convert exit with the highest status of any of their files.

Environment:
  NO_COLOR        When set to a non-empty value, tables never use colour.
)";

void replaceAll(std::string& text, std::string_view placeholder, std::string_view by) {
    for (std::size_t at = text.find(placeholder); at != std::string::npos;
         at = text.find(placeholder, at + by.size()))
        text.replace(at, placeholder.size(), by);
}

}  // namespace

// Each command's usage and entry come from the table of commands; the messages quoted in
// the help are the program's own texts; the model lists come from the table of roots.
std::string helpText() {
    std::string help = kHelp;
    std::string usages, what;
    for (const Command* command : commands()) {
        usages += command->usage;
        what += command->help;
    }
    replaceAll(help, "@USAGE@", usages);
    replaceAll(help, "@COMMANDS@", what);
    replaceAll(help, "@ALREADY_EXISTS@", text::kAlreadyExists);
    replaceAll(help, "@CANCELED@", text::kSavingCanceled);
    replaceAll(help, "@SAVE_AS@", text::kSaveAsQuestion);
    replaceAll(help, "@LOAD_ERROR@", text::kNameLoadError);
    replaceAll(help, "@MISSING@", text::parameterMissing("X"));
    replaceAll(help, "@TARGETS@", targetModels(", "));
    replaceAll(help, "@SAVABLE@", savableModels(" and "));
    replaceAll(help, "@VIEW_ONLY@", viewOnlyModels(" or "));
    return help;
}

namespace {

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

// Indented by exactly two spaces: the first line of an entry of a section.
bool entryStart(const std::string& line) {
    return line.size() > 2 && line.compare(0, 2, "  ") == 0 && line[2] != ' ';
}

// The entries of section `title` ("Options:") that `keep` accepts by their first line,
// each with the lines indented under it. A section runs to the next line that is not
// indented, and each of its entries to the next entry's first line.
std::string entries(const std::vector<std::string>& lines, std::string_view title,
                    const std::function<bool(const std::string&)>& keep) {
    std::string out;
    const auto begin = std::find(lines.begin(), lines.end(), title);
    if (begin == lines.end()) return out;
    const auto end = std::find_if(begin + 1, lines.end(), [](const std::string& line) {
        return line.empty() || line[0] != ' ';
    });
    for (auto entry = begin + 1; entry != end;) {
        const auto next = std::find_if(entry + 1, end, entryStart);
        if (keep(*entry))
            for (auto line = entry; line != next; ++line)
                out += *line + '\n';
        entry = next;
    }
    return out;
}

}  // namespace

std::string commandHelp(std::string_view command) {
    const std::vector<std::string> lines = linesOf(helpText());
    const std::string usageStart = "  patchwright-cli " + std::string(command) + " ";
    const std::string usage = entries(
        lines, "Usage:", [&](const std::string& line) { return line.rfind(usageStart, 0) == 0; });
    const std::string word = "  " + std::string(command) + " ";
    const std::string what = entries(
        lines, "Commands:", [&](const std::string& line) { return line.rfind(word, 0) == 0; });
    // The options its usage names, and --help.
    const std::string options = entries(lines, "Options:", [&](const std::string& line) {
        const std::size_t dashes = line.find("--");
        const std::string option = line.substr(dashes, line.find(' ', dashes) - dashes);
        return option == "--help" || usage.find(option) != std::string::npos;
    });
    return "Usage:\n" + usage + "\n" + what + "\nOptions:\n" + options;
}

std::string versionText() {
    return std::string("patchwright-cli (") + std::string(kAppTitle) + ") " +
           PW_STR(PW_VERSION_MAJOR) "." PW_STR(PW_VERSION_MINOR) "." PW_STR(PW_VERSION_PATCH) "\n";
}

std::string usageHint() {
    return "Try 'patchwright-cli --help' for more information.\n";
}

}  // namespace pw::cli
