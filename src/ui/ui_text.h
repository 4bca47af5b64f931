// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's texts made from the core's: its UTF-8 text, and counts as the user's
// locale writes them ("3,000").

#include <QLocale>
#include <QString>
#include <cstddef>
#include <string_view>

namespace pw::ui {

inline QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

inline QString number(std::size_t n) {
    return QLocale().toString(qulonglong(n));
}

}  // namespace pw::ui
