// SPDX-License-Identifier: GPL-3.0-or-later
#include "json_writer.h"

#include <algorithm>
#include <cstdint>
#include <ostream>
#include <string>

#include "document/text_decoding.h"

namespace pw::cli {

namespace {

// The document with a "KEY_bytes" member after every member KEY whose text is not UTF-8.
Json withBytes(const Json& value) {
    if (value.is_array()) {
        Json out = Json::array();
        for (const Json& item : value)
            out.push_back(withBytes(item));
        return out;
    }
    if (!value.is_object()) return value;
    Json out = Json::object();
    for (const auto& [key, member] : value.items()) {
        out[key] = withBytes(member);
        if (member.is_string() && !isUtf8(member.get_ref<const std::string&>()))
            out[key + "_bytes"] = base64(member.get_ref<const std::string&>());
    }
    return out;
}

}  // namespace

void writeJson(std::ostream& out, const Json& document) {
    out << withBytes(document).dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
}

std::string jsonText(std::string_view text) {
    // Plain printable ASCII, what nearly every name and path is, stands as it is.
    const bool plain = std::all_of(text.begin(), text.end(), [](char c) {
        return c >= 0x20 && c < 0x7F && c != '"' && c != '\\';
    });
    if (!plain) return Json(std::string(text)).dump(-1, ' ', false, Json::error_handler_t::replace);
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    out += text;
    out += '"';
    return out;
}

void JsonLine::key(std::string_view key) {
    if (out_.size() > 1) out_ += ',';
    out_ += '"';
    out_ += key;
    out_ += "\":";
}

JsonLine& JsonLine::text(std::string_view key, std::string_view value) {
    this->key(key);
    out_ += jsonText(value);
    if (isUtf8(value)) return *this;
    this->key(std::string(key) + "_bytes");
    out_ += '"' + base64(value) + '"';
    return *this;
}

JsonLine& JsonLine::texts(std::string_view key, std::span<const std::string_view> values) {
    this->key(key);
    out_ += '[';
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i) out_ += ',';
        out_ += jsonText(values[i]);
    }
    out_ += ']';
    return *this;
}

JsonLine& JsonLine::number(std::string_view key, std::size_t value) {
    this->key(key);
    out_ += std::to_string(value);
    return *this;
}

JsonLine& JsonLine::number(std::string_view key, std::optional<std::size_t> value) {
    if (value) return number(key, *value);
    return null(key);
}

JsonLine& JsonLine::flag(std::string_view key, bool value) {
    this->key(key);
    out_ += value ? "true" : "false";
    return *this;
}

JsonLine& JsonLine::null(std::string_view key) {
    this->key(key);
    out_ += "null";
    return *this;
}

JsonLine& JsonLine::object(std::string_view key, const JsonLine& value) {
    this->key(key);
    out_ += value.str();
    return *this;
}

JsonListing::JsonListing(std::ostream& out) : out_(out) {
    out_ << '{';
}

void JsonListing::next() {
    out_ << (first_ ? "\n  " : ",\n  ");
    first_ = false;
}

void JsonListing::member(std::string_view key, std::string_view json) {
    next();
    out_ << jsonText(key) << ": " << json;
}

void JsonListing::beginList(std::string_view key) {
    next();
    out_ << jsonText(key) << ": [";
    firstEntry_ = true;
}

void JsonListing::entry(const JsonLine& line) {
    out_ << (firstEntry_ ? "\n    " : ",\n    ") << line.str();
    firstEntry_ = false;
}

void JsonListing::endList() {
    out_ << (firstEntry_ ? "]" : "\n  ]");
}

void JsonListing::end() {
    out_ << (first_ ? "}\n" : "\n}\n");
}

bool isUtf8(std::string_view text) {
    for (std::size_t at = 0; at < text.size();)
        if (!document::nextUtf8(text, at)) return false;
    return true;
}

std::string base64(std::string_view bytes) {
    static constexpr char kDigits[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t n = std::min<std::size_t>(3, bytes.size() - i);
        std::uint32_t group = 0;
        for (std::size_t k = 0; k < 3; ++k)
            group = group << 8 | (k < n ? static_cast<unsigned char>(bytes[i + k]) : 0u);
        for (std::size_t k = 0; k < 4; ++k)
            out += k <= n ? kDigits[(group >> (18 - 6 * k)) & 0x3F] : '=';
    }
    return out;
}

}  // namespace pw::cli
