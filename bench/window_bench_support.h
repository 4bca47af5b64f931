// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the window benchmarks share: a messenger that answers nothing and a file read whole.

#include <fstream>
#include <sstream>
#include <string>

#include "session/messenger.h"

namespace pwbench {

class SilentMessenger : public pw::Messenger {
  public:
    pw::Answer show(const pw::Message&) override { return pw::Answer::No; }
};

inline std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

}  // namespace pwbench
