// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/single_byte_encoding.h"

#include <iconv.h>

#include <cerrno>
#include <string>

namespace pw::document {
namespace {

bool isEncodingName(std::string_view name) {
    if (name.empty() || name.size() > 64) return false;
    const auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    if (!letter(name[0])) return false;
    for (char c : name)
        if (!letter(c) && !(c >= '0' && c <= '9') && c != '.' && c != '_' && c != '-') return false;
    return true;
}

class Converter {
  public:
    explicit Converter(const std::string& from) : cd_(iconv_open("UTF-32LE", from.c_str())) {}
    ~Converter() {
        if (ok()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // The code point one byte stands for on its own: nullopt when the byte needs more
    // bytes or yields other than one character; kUndefinedByte when it is undefined.
    std::optional<char32_t> decodeOne(unsigned char byte) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
        char in[1] = {static_cast<char>(byte)};
        unsigned char out[16] = {};
        char* inp = in;
        char* outp = reinterpret_cast<char*>(out);
        std::size_t inLeft = 1, outLeft = sizeof out;
        if (iconv(cd_, &inp, &inLeft, &outp, &outLeft) == static_cast<std::size_t>(-1))
            return errno == EILSEQ ? std::optional<char32_t>(kUndefinedByte) : std::nullopt;
        if (iconv(cd_, nullptr, nullptr, &outp, &outLeft) == static_cast<std::size_t>(-1))
            return std::nullopt;
        if (inLeft != 0 || sizeof out - outLeft != 4) return std::nullopt;
        return static_cast<char32_t>(out[0] | out[1] << 8 | out[2] << 16 |
                                     static_cast<char32_t>(out[3]) << 24);
    }

  private:
    iconv_t cd_;
};

}  // namespace

static std::optional<SingleByteTable> buildTable(std::string_view name) {
    if (!isEncodingName(name)) return std::nullopt;
    Converter converter{std::string(name)};
    if (!converter.ok()) return std::nullopt;
    SingleByteTable table{};
    for (unsigned byte = 0; byte < 256; ++byte) {
        const std::optional<char32_t> cp = converter.decodeOne(static_cast<unsigned char>(byte));
        if (!cp) return std::nullopt;
        // The markup is ASCII: an encoding that changes it cannot be read this way.
        if (byte < 0x80 && *cp != byte) return std::nullopt;
        table[byte] = *cp;
    }
    return table;
}

std::optional<SingleByteTable> singleByteTable(std::string_view name) {
    // A batch of presets mostly declares one encoding: the last table is kept.
    thread_local std::string lastName;
    thread_local std::optional<SingleByteTable> lastTable;
    if (name != lastName || name.empty()) {
        lastTable = buildTable(name);
        lastName = name;
    }
    return lastTable;
}

}  // namespace pw::document
