// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/text_export.h"

namespace pw::document {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kGap = "  ";

std::string header(std::string_view sourceRoot, std::string_view originalName) {
    std::string out = "Patch Name: ";
    out += sourceRoot;
    out += kGap;
    out += originalName;
    out += kLineEnd;
    out += kLineEnd;
    return out;
}

std::string without(std::string_view text, std::string_view dropped) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (dropped.find(c) == std::string_view::npos) out += c;
    return out;
}

}  // namespace

std::string compactName(std::string_view name) {
    return without(name, " /-");
}

std::string compactSetting(std::string_view setting) {
    std::string out = without(setting, " ");
    for (char& c : out)
        if (c == '>') c = '2';
    return out;
}

std::string renderUserText(std::string_view sourceRoot, std::string_view originalName,
                           const ParamList& rows) {
    std::string out = header(sourceRoot, originalName);
    for (const Row& row : rows) {
        out += row.name();
        out += kGap;
        out += row.setting();
        out += kGap;
        out += kLineEnd;
    }
    return out;
}

std::string renderCompleteText(std::string_view sourceRoot, std::string_view originalName,
                               const ParamList& rows) {
    std::string out = header(sourceRoot, originalName);
    for (const Row& row : rows) {
        const std::string name = compactName(row.name());
        const std::string setting = compactSetting(row.setting());
        out += name + "ID=" + row.id() + std::string(kLineEnd);
        out += name + "Position=" + row.position() + std::string(kLineEnd);
        out += name + setting + "Value=" + row.value() + std::string(kLineEnd);
        out += name + "Text=" + setting + std::string(kLineEnd);
        out += kLineEnd;
    }
    return out;
}

}  // namespace pw::document
