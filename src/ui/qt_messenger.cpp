// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt_messenger.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

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

// A message longer than this many lines shows its lines in a scrolling list.
constexpr int kLongMessageLines = 15;

QLabel* plainLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

// The first paragraph above, the last below, everything between in a list that
// scrolls, so that the box fits the screen however many lines there are.
void showLongMessage(QWidget* parent, const Message& message, QMessageBox::Icon icon) {
    const QString all = QString::fromStdString(message.text);
    QStringList paragraphs = all.split(QStringLiteral("\n\n"));
    QString head, tail;
    if (paragraphs.size() == 1) {  // one paragraph: its first line above the rest
        head = all.section(QLatin1Char('\n'), 0, 0);
        paragraphs = {all.section(QLatin1Char('\n'), 1)};
    } else {
        head = paragraphs.takeFirst();
        if (paragraphs.size() > 1) tail = paragraphs.takeLast();
    }
    if (!message.detail.empty()) paragraphs << QString::fromStdString(message.detail);
    QDialog box(parent);
    box.setObjectName(QStringLiteral("longMessage"));
    box.setWindowTitle(appTitle());
    auto* layout = new QVBoxLayout(&box);
    auto* top = new QHBoxLayout;
    if (icon != QMessageBox::NoIcon) {
        auto* glyph = new QLabel(&box);
        const int size = box.style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, &box);
        const QStyle::StandardPixmap kind =
            icon == QMessageBox::Critical   ? QStyle::SP_MessageBoxCritical
            : icon == QMessageBox::Warning  ? QStyle::SP_MessageBoxWarning
            : icon == QMessageBox::Question ? QStyle::SP_MessageBoxQuestion
                                            : QStyle::SP_MessageBoxInformation;
        glyph->setPixmap(box.style()->standardIcon(kind, nullptr, &box).pixmap(size, size));
        top->addWidget(glyph, 0, Qt::AlignTop);
    }
    top->addWidget(plainLabel(head, &box), 1);
    layout->addLayout(top);
    auto* lines = new QPlainTextEdit(paragraphs.join(QStringLiteral("\n\n")), &box);
    lines->setObjectName(QStringLiteral("lines"));
    lines->setReadOnly(true);
    lines->setLineWrapMode(QPlainTextEdit::NoWrap);
    layout->addWidget(lines, 1);
    if (!tail.isEmpty()) layout->addWidget(plainLabel(tail, &box));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &box);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
    layout->addWidget(buttons);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    buttons->button(QDialogButtonBox::Ok)->setFocus();

    // As wide as the longest line wants, as tall as the lines want, within two thirds of
    // the screen.
    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const QSize room = screen->availableGeometry().size() * 2 / 3;
    const QFontMetrics metrics = lines->fontMetrics();
    int widest = 0;
    for (const QString& line : lines->toPlainText().split(QLatin1Char('\n')))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    const int wanted = metrics.lineSpacing() * (lines->blockCount() + 1);
    lines->setMinimumHeight(std::min(wanted, metrics.lineSpacing() * 6));
    box.resize(std::min(room.width(), std::max(360, widest + 60)),
               std::min(room.height(), box.sizeHint().height() + wanted));
    box.exec();
}

}  // namespace

Answer QtMessenger::show(const Message& message) {
    if (beforeShow_) beforeShow_();
    // A box taller than half the screen (a small screen, or a large scale factor) scrolls
    // its lines too.
    const auto lines = std::count(message.text.begin(), message.text.end(), '\n') + 1;
    const QScreen* screen = parent_ ? parent_->screen() : QGuiApplication::primaryScreen();
    const bool tall = lines * QFontMetrics(QApplication::font()).lineSpacing() >
                      screen->availableGeometry().height() / 2;
    if (message.buttons == Buttons::Ok && (lines > kLongMessageLines || tall)) {
        showLongMessage(parent_, message, boxIcon(message.icon));
        return Answer::Ok;
    }
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
