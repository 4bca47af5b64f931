// SPDX-License-Identifier: GPL-3.0-or-later
#include "params/mark_colours.h"

#include <algorithm>
#include <cmath>

namespace pw {
namespace {

double linear(int channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

// A base is dark when white text on it reads better than black text.
bool isDark(Rgb base) {
    return contrastRatio(base, Rgb{255, 255, 255}) > contrastRatio(base, Rgb{0, 0, 0});
}

Rgb towardsWhite(Rgb c, int step) {
    const auto mix = [step](int channel) {
        return channel + int(std::lround((255 - channel) * step / 255.0));
    };
    return Rgb{mix(c.r), mix(c.g), mix(c.b)};
}

}  // namespace

double relativeLuminance(Rgb colour) {
    return 0.2126 * linear(colour.r) + 0.7152 * linear(colour.g) + 0.0722 * linear(colour.b);
}

double contrastRatio(Rgb a, Rgb b) {
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Rgb markColourOn(Rgb pure, Rgb base) {
    if (!isDark(base)) return pure;
    for (int step = 0; step < 255; ++step) {
        const Rgb tone = towardsWhite(pure, step);
        if (contrastRatio(tone, base) >= kReadableContrast) return tone;
    }
    return towardsWhite(pure, 255);
}

}  // namespace pw
