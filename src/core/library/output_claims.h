// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whose file each new preset of a conversion becomes: the one place that decides whether
// an output is free, taken by an earlier input of the run, one of the presets being
// converted, or a file that exists. The plan and the run both ask it, in input order.

#include <sys/types.h>

#include <cstddef>
#include <filesystem>
#include <set>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace pw::library {

class OutputClaims {
  public:
    enum class Verdict {
        Free,      // the input may write it (`existed`: over a file that is there)
        Claimed,   // an earlier input of the run ends in this name (`earlier`)
        IsSource,  // the file is one of the presets being converted
        Exists,    // the file exists and may not be replaced
    };
    struct Claim {
        Verdict verdict = Verdict::Free;
        bool existed = false;
        std::size_t earlier = 0;
    };

    // `sources`: the files being converted, told by their file system identity (letter
    // case and links make no difference).
    explicit OutputClaims(const std::vector<std::filesystem::path>& sources);

    // Claims `fileName` in `folder` for input `index`. `mayReplace` is asked only of a
    // file that exists and is not a source; a kept file claims its name when
    // `keptClaims` (so that a later input does not end in it either).
    template <class MayReplace>
    Claim claim(std::size_t index, const std::string& fileName, const std::filesystem::path& folder,
                MayReplace mayReplace, bool keptClaims) {
        Claim c;
        if (const auto earlier = claimed_.find(fileName); earlier != claimed_.end()) {
            c.verdict = Verdict::Claimed;
            c.earlier = earlier->second;
            return c;
        }
        const std::filesystem::path output = folder / fileName;
        std::error_code ec;
        c.existed = std::filesystem::exists(output, ec);
        if (c.existed && isSource(output)) {
            c.verdict = Verdict::IsSource;
        } else if (c.existed && !mayReplace()) {
            c.verdict = Verdict::Exists;
            if (keptClaims) claimed_.emplace(fileName, index);
        } else {
            claimed_.emplace(fileName, index);
        }
        return c;
    }

  private:
    bool isSource(const std::filesystem::path& output) const;

    std::unordered_map<std::string, std::size_t> claimed_;  // file name -> input
    std::set<std::pair<dev_t, ino_t>> sources_;
};

}  // namespace pw::library
