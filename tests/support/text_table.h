// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Tables of cases kept in text files: fields separated by tabs, lines starting with # left
// out, and escapes for the bytes a text file cannot show; folders of cases; test names.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace pwtest {

// `text` with \n \r \t, \s (a space) and \xNN (a byte) read as what they stand for; a
// backslash before another character stands for that character.
inline std::string unescaped(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char c = text[++i];
        if (c == 'x' && i + 2 < text.size()) {
            out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += c == 'n' ? '\n' : c == 'r' ? '\r' : c == 't' ? '\t' : c == 's' ? ' ' : c;
        }
    }
    return out;
}

// The fields of each line of `file`, empty and comment lines left out; a line has at
// least `fields` fields, those it lacks empty. A table without a case is a failure.
inline std::vector<std::vector<std::string>> tsvFile(const std::filesystem::path& file,
                                                     std::size_t fields = 0) {
    std::ifstream in(file);
    std::vector<std::vector<std::string>> out;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream split(line);
        out.emplace_back();
        for (std::string f; std::getline(split, f, '\t');)
            out.back().push_back(f);
        if (out.back().size() < fields) out.back().resize(fields);
    }
    if (out.empty()) ADD_FAILURE() << "no case in " << file;
    return out;
}

// The folders in `root`, by name: a case each.
inline std::vector<std::string> subfolders(const std::filesystem::path& root) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(root))
        if (entry.is_directory()) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// `text` as a test's name: every character but a letter or a digit becomes "_".
inline std::string testName(std::string text) {
    for (char& c : text)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return text;
}

}  // namespace pwtest
