// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt_messenger.h"

#include <QMessageBox>
#include <QPushButton>

#include "app_info.h"

namespace pw::ui {
namespace {

QMessageBox::Icon boxIcon(Icon icon) {
    switch (icon) {
        case Icon::Critical:
            return QMessageBox::Critical;
        case Icon::Exclamation:
            return QMessageBox::Warning;
        case Icon::Information:
            return QMessageBox::Information;
        case Icon::Question:
            return QMessageBox::Question;
        case Icon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

// Long runs without a blank (a path, a long name) may break after a folder separator
// or, failing that, anywhere: a zero-width space marks each place, so the box wraps
// them instead of running off the screen.
QString breakableAnywhere(const QString& text) {
    constexpr int kLongRun = 40;
    const QChar mark(0x200B);
    QString out;
    out.reserve(text.size() + text.size() / 8);
    int run = 0;
    for (const QChar c : text) {
        if (c.isSpace()) {
            run = 0;
        } else if (++run > kLongRun) {
            out += mark;
            run = 1;
        }
        out += c;
        if (c == QLatin1Char('/') || c == QLatin1Char('\\')) {
            if (run > 1) out += mark;
            run = 0;
        }
    }
    return out;
}

QString shownText(const std::string& text) {
    const QString plain = QString::fromStdString(text);
    for (const QString& word : plain.split(QLatin1Char(' ')))
        if (word.size() > 40) return breakableAnywhere(plain);
    return plain;
}

}  // namespace

Answer QtMessenger::show(const Message& message) {
    if (beforeShow_) beforeShow_();
    QMessageBox box(parent_);
    box.setWindowTitle(appTitle());
    box.setIcon(boxIcon(message.icon));
    box.setTextFormat(Qt::PlainText);
    box.setText(shownText(message.text));
    // The fixed text stands alone; the reason underneath is there on request.
    if (!message.detail.empty()) box.setDetailedText(QString::fromStdString(message.detail));
    if (message.buttons == Buttons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
        return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
    return Answer::Ok;
}

}  // namespace pw::ui
