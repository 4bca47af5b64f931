// SPDX-License-Identifier: GPL-3.0-or-later
// make_variants DATA_DIR OUT_DIR COUNT: writes COUNT realistic variants of each savable
// sample of DATA_DIR into OUT_DIR/<model>/ (tools/convert-matrix.sh converts them).

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "preset_variants.h"

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    if (argc != 4) {
        std::cerr << "usage: make_variants DATA_DIR OUT_DIR COUNT\n";
        return 64;
    }
    const fs::path data = argv[1], out = argv[2];
    const int count = std::atoi(argv[3]);
    const char* samples[][2] = {{"RP150", "crunch_time.rp150p"},
                                {"RP250", "metal_zone.rp250p"},
                                {"RP255", "surfs_up.rp255p"},
                                {"RP350", "big_verb.rp350p"},
                                {"RP355", "dual_amp_lead.rp355p"}};
    for (const auto& [model, sample] : samples) {
        std::ifstream in(data / sample, std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        const pw::document::Target& own = *pw::document::targetByCaption(model);
        fs::create_directories(out / model);
        for (int i = 0; i < count; ++i) {
            // The amp channel keeps the first four characters of a name: they differ.
            char number[16];
            std::snprintf(number, sizeof number, "%04d", i);
            const std::string name = std::string(number) + " " + model;
            std::ofstream(out / model / (name + fs::path(sample).extension().string()),
                          std::ios::binary)
                << pwbench::presetVariant(bytes.str(), own, static_cast<unsigned>(i), name);
        }
    }
    return 0;
}
