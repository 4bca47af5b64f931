// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/output_claims.h"

#include <sys/stat.h>

namespace pw::library {

OutputClaims::OutputClaims(const std::vector<std::filesystem::path>& sources) {
    for (const std::filesystem::path& source : sources)
        if (struct stat st{}; ::stat(source.c_str(), &st) == 0)
            sources_.emplace(st.st_dev, st.st_ino);
}

bool OutputClaims::isSource(const std::filesystem::path& output) const {
    struct stat st {};
    return ::stat(output.c_str(), &st) == 0 && sources_.count({st.st_dev, st.st_ino}) > 0;
}

}  // namespace pw::library
