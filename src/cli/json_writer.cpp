// SPDX-License-Identifier: GPL-3.0-or-later
#include "json_writer.h"

#include <algorithm>
#include <cstdint>
#include <ostream>

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
