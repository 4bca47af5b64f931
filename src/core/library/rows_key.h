// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The key of a preset's rows, strong enough that equal keys are taken for equal rows.

#include <array>
#include <cstdint>
#include <string_view>

namespace pw::library {

struct RowsKey {
    std::uint64_t low = 0;
    std::uint64_t high = 0;
};

// SipHash-2-4 with its 128-bit output, under a key drawn at random once per process:
// nobody knows the key, so not even a preset made on purpose can give rows that differ
// an equal key, and by chance two meet once in 2^128 pairs.
RowsKey rowsKey(std::string_view rows);

// The key rowsKey() hashes under in this process.
using RowsKeySecret = std::array<std::uint64_t, 2>;
// The same hash under another key.
RowsKey rowsKey(std::string_view rows, const RowsKeySecret& secret);
RowsKeySecret rowsKeySecret();
// Makes `secret` the key of this process, so that rows keys kept from an earlier run (in
// the user's collection, which is the user's alone) meet the keys made now. Only before
// the first key is made; true when `secret` is the process's key afterwards.
bool adoptRowsKeySecret(const RowsKeySecret& secret);

// FNV-1a, 64 bits, of the same text: the same in every process and every run, so that
// what is kept by it (the user's marks) is found again; a match is not proof of equal
// rows.
std::uint64_t stableRowsKey(std::string_view rows);

}  // namespace pw::library
