// SPDX-License-Identifier: GPL-3.0-or-later
#include "params/number_reader.h"

#include "test_support.h"

namespace {

// The texts of tests/data/numbers.tsv.
TEST(LeadingNumber, ReadsTheLeadingNumberOrTheWholeNumber) {
    for (const auto& f : pwtest::tsv("numbers.tsv", 3)) {
        const std::string text = pwtest::unescaped(f[1]);
        const std::optional<double> read = f[0] == "leading" ? pw::models::readLeadingNumber(text)
                                                             : pw::models::readWholeNumber(text);
        EXPECT_EQ(read, f[2] == "-" ? std::nullopt : std::optional(std::stod(f[2])))
            << f[0] << " [" << f[1] << "]";
    }
}

}  // namespace
