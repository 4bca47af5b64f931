// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/rows_key.h"

#include <array>
#include <bit>
#include <cstring>
#include <mutex>
#include <optional>
#include <random>

namespace pw::library {

namespace {

RowsKeySecret drawKey() {
    std::random_device device;
    RowsKeySecret key{};
    for (std::uint64_t& half : key)
        half = std::uint64_t(device()) << 32 | device();
    return key;
}

class SipHash {
  public:
    explicit SipHash(const std::array<std::uint64_t, 2>& key)
        : v0_(key[0] ^ 0x736f6d6570736575ull),
          v1_(key[1] ^ 0x646f72616e646f6dull ^ 0xee),
          v2_(key[0] ^ 0x6c7967656e657261ull),
          v3_(key[1] ^ 0x7465646279746573ull) {}

    RowsKey hash(std::string_view bytes) {
        const std::size_t whole = bytes.size() / 8 * 8;
        for (std::size_t at = 0; at < whole; at += 8)
            compress(word(bytes.data() + at, 8));
        compress(word(bytes.data() + whole, bytes.size() - whole) | std::uint64_t(bytes.size())
                                                                        << 56);
        v2_ ^= 0xee;
        rounds(4);
        RowsKey key;
        key.low = v0_ ^ v1_ ^ v2_ ^ v3_;
        v1_ ^= 0xdd;
        rounds(4);
        key.high = v0_ ^ v1_ ^ v2_ ^ v3_;
        return key;
    }

  private:
    // Little-endian, whatever the machine.
    static std::uint64_t word(const char* bytes, std::size_t n) {
        std::uint64_t w = 0;
        if constexpr (std::endian::native == std::endian::little) {
            std::memcpy(&w, bytes, n);
            return w;
        }
        for (std::size_t i = 0; i < n; ++i)
            w |= std::uint64_t(static_cast<unsigned char>(bytes[i])) << (8 * i);
        return w;
    }
    void compress(std::uint64_t m) {
        v3_ ^= m;
        rounds(2);
        v0_ ^= m;
    }
    void rounds(int n) {
        for (int i = 0; i < n; ++i) {
            v0_ += v1_;
            v1_ = std::rotl(v1_, 13) ^ v0_;
            v0_ = std::rotl(v0_, 32);
            v2_ += v3_;
            v3_ = std::rotl(v3_, 16) ^ v2_;
            v0_ += v3_;
            v3_ = std::rotl(v3_, 21) ^ v0_;
            v2_ += v1_;
            v1_ = std::rotl(v1_, 17) ^ v2_;
            v2_ = std::rotl(v2_, 32);
        }
    }
    std::uint64_t v0_, v1_, v2_, v3_;
};

std::mutex chosenMutex;
std::optional<RowsKeySecret> chosen;  // once set, never changed

// The key of this process: the one adopted before the first key was made, or drawn then.
const RowsKeySecret& processKey() {
    static const RowsKeySecret key = [] {
        const std::lock_guard lock(chosenMutex);
        if (!chosen) chosen = drawKey();
        return *chosen;
    }();
    return key;
}

}  // namespace

RowsKey rowsKey(std::string_view rows) {
    return rowsKey(rows, processKey());
}

RowsKey rowsKey(std::string_view rows, const RowsKeySecret& secret) {
    return SipHash(secret).hash(rows);
}

RowsKeySecret rowsKeySecret() {
    return processKey();
}

bool adoptRowsKeySecret(const RowsKeySecret& secret) {
    const std::lock_guard lock(chosenMutex);
    if (!chosen) chosen = secret;
    return *chosen == secret;
}

std::uint64_t stableRowsKey(std::string_view rows) {
    std::uint64_t hash = 0xcbf29ce484222325ull;
    for (const char c : rows) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3ull;
    }
    return hash;
}

}  // namespace pw::library
