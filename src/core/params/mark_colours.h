// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The colours the list draws its marks in. A light list shows the marks' pure colours;
// a dark list shows lighter tones of the same hues that stay readable on it.

namespace pw {

struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The contrast a lightened mark reaches at least against a dark list.
inline constexpr double kReadableContrast = 4.5;

// Relative luminance of an sRGB colour, 0 (black) to 1 (white).
double relativeLuminance(Rgb colour);
// (lighter + 0.05) / (darker + 0.05): 1 for equal colours, 21 for black on white.
double contrastRatio(Rgb a, Rgb b);
// `pure` as it is over a light `base`; over a dark base, `pure` mixed with the least
// white that reaches kReadableContrast (the mix keeps the hue).
Rgb markColourOn(Rgb pure, Rgb base);

}  // namespace pw
