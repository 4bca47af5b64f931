// SPDX-License-Identifier: GPL-3.0-or-later
#include "params/number_reader.h"

#include <algorithm>
#include <charconv>
#include <clocale>
#include <cstdint>
#include <cstdlib>
#include <string>

#include <locale.h>

namespace pw::models {

namespace {

bool skipped(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

// The text with every blank, tab and line feed taken out: "6 5" continues as "65".
std::string squeezed(std::string_view text) {
    std::string out;
    for (char c : text)
        if (!skipped(c)) out.push_back(c);
    return out;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

int digitValue(char c, int base) {
    int v = -1;
    if (c >= '0' && c <= '9')
        v = c - '0';
    else if (c >= 'a' && c <= 'f')
        v = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        v = c - 'A' + 10;
    return v < base ? v : -1;
}

// &H and &O numbers are whole numbers; up to 16 bits they read as a signed 16-bit
// value and up to 32 bits as a signed 32-bit value, as the original number reader
// wrapped them (&HFFFF reads -1). The string's terminating zero ends the digits.
double readRadix(const std::string& s, std::size_t i, int base) {
    std::uint64_t v = 0;  // no digit at all reads 0
    bool overflow = false;
    for (;; ++i) {
        const int d = digitValue(s[i], base);
        if (d < 0) break;
        if (v > (UINT64_MAX - static_cast<unsigned>(d)) / static_cast<unsigned>(base))
            overflow = true;
        else
            v = v * static_cast<unsigned>(base) + static_cast<unsigned>(d);
    }
    if (overflow) return 0;
    if (v <= 0xFFFF) return static_cast<double>(static_cast<std::int16_t>(v));
    if (v <= 0xFFFFFFFFu) return static_cast<double>(static_cast<std::int32_t>(v));
    return static_cast<double>(v);
}

}  // namespace

double readLeadingNumber(std::string_view text) {
    // The usual cell: a few plain digits.
    if (!text.empty() && text.size() <= 9 &&
        std::all_of(text.begin(), text.end(), [](char c) { return isDigit(c); })) {
        long value = 0;
        for (char c : text)
            value = value * 10 + (c - '0');
        return static_cast<double>(value);
    }
    // Read up to the first character that cannot continue the number; the string's
    // terminating zero is one, so no index goes past it.
    const std::string s = squeezed(text);
    if (s[0] == '&') {
        if (s[1] == 'H' || s[1] == 'h') return readRadix(s, 2, 16);
        if (s[1] == 'O' || s[1] == 'o') return readRadix(s, 2, 8);
        return 0;
    }
    std::size_t i = 0;
    std::string number;
    if (s[i] == '+' || s[i] == '-') number.push_back(s[i++]);
    bool digits = false;
    for (; isDigit(s[i]); digits = true)
        number.push_back(s[i++]);
    if (s[i] == '.') {
        number.push_back(s[i++]);
        for (; isDigit(s[i]); digits = true)
            number.push_back(s[i++]);
    }
    if (!digits) return 0;
    if (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D') {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (s[j] == '+' || s[j] == '-') exponent.push_back(s[j++]);
        if (isDigit(s[j])) {
            while (isDigit(s[j]))
                exponent.push_back(s[j++]);
            number += exponent;
        }
    }
    // The decimal point is always ".", whatever locale the program runs in.
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return strtod_l(number.c_str(), nullptr, cLocale);
}

std::optional<double> readWholeNumber(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty() || text.front() == '+') return std::nullopt;
    // The usual cell: a few plain digits, whose value a double holds exactly.
    if (text.size() <= 15 && std::all_of(text.begin(), text.end(), isDigit)) {
        std::int64_t whole = 0;
        for (char c : text)
            whole = whole * 10 + (c - '0');
        return static_cast<double>(whole);
    }
    double value = 0;
    const auto [end, ec] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

}  // namespace pw::models
