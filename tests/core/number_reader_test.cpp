// SPDX-License-Identifier: GPL-3.0-or-later
#include "params/number_reader.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct Case {
    const char* text;
    double expected;
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << testing::PrintToString(std::string(c.text)) << " -> " << c.expected;
}

class LeadingNumber : public testing::TestWithParam<Case> {};

TEST_P(LeadingNumber, ReadsTheLeadingNumber) {
    EXPECT_EQ(pw::models::readLeadingNumber(GetParam().text), GetParam().expected)
        << "text: [" << GetParam().text << "]";
}

INSTANTIATE_TEST_SUITE_P(
    Cells, LeadingNumber,
    testing::Values(Case{"65", 65}, Case{"", 0}, Case{"abc", 0}, Case{"65abc", 65}, Case{"6 5", 65},
                    Case{" 2", 2}, Case{"\t1\n9", 19}, Case{"-3", -3}, Case{"+7", 7},
                    Case{"- 7", -7}, Case{"1.5", 1.5}, Case{"1.5.3", 1.5}, Case{".5", 0.5},
                    Case{"18.0", 18}, Case{"1e3", 1000}, Case{"1E+2x", 100}, Case{"2d2", 200},
                    Case{"1e", 1}, Case{"1e+", 1}, Case{"&H10", 16}, Case{"&h1F", 31},
                    Case{"&H19", 25}, Case{"&O17", 15}, Case{"&HFFFF", -1},
                    Case{"&H10000000000000000", 0}, Case{"&H", 0}, Case{"&X1", 0}, Case{"0x10", 0},
                    Case{"019", 19}, Case{"12\r3", 12}, Case{"65.5", 65.5}, Case{"--1", 0},
                    Case{"1,5", 1}));

TEST(LeadingNumber, HugeExponentIsInfiniteNotZero) {
    EXPECT_TRUE(std::isinf(pw::models::readLeadingNumber("1e999")));
}

TEST(WholeNumber, OnlyWholeNumericTextIsANumber) {
    using pw::models::readWholeNumber;
    EXPECT_EQ(readWholeNumber("18"), 18.0);
    EXPECT_EQ(readWholeNumber("18.0"), 18.0);
    EXPECT_EQ(readWholeNumber(" 18 "), 18.0);
    EXPECT_EQ(readWholeNumber("+18"), 18.0);
    EXPECT_EQ(readWholeNumber("0018"), 18.0);
    EXPECT_EQ(readWholeNumber("123456789012345"), 123456789012345.0);
    EXPECT_EQ(readWholeNumber("123456789012345678901"), 123456789012345678901.0);
    EXPECT_FALSE(readWholeNumber("18abc"));
    EXPECT_FALSE(readWholeNumber(""));
    EXPECT_FALSE(readWholeNumber("x"));
    EXPECT_FALSE(readWholeNumber("++1"));
}

}  // namespace
