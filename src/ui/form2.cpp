// SPDX-License-Identifier: GPL-3.0-or-later
#include "form2.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTimer>

#include "app_info.h"

namespace pw::ui {
namespace {

// The outer size of the window, frame included.
constexpr QSize kOuterSize(330, 82);
constexpr QRect kListRect(16, 16, 185, 21);
constexpr QRect kCancelRect(216, 16, 89, 25);

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

}  // namespace

Form2::Form2(Session& session, QWidget* parent) : QDialog(parent), session_(session) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(tr("Model Select"));
    setWindowIcon(appIcon());
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setSizeGripEnabled(false);
    setFont(parent ? parent->font() : font());

    const auto blocks = catalogue::blocks();
    lists_.reserve(blocks.size());
    for (std::size_t b = 0; b < blocks.size(); ++b) {
        const catalogue::Block& block = blocks[b];
        auto* cbo = new QComboBox(this);
        cbo->setObjectName(qs(block.nameList));
        cbo->setAccessibleName(qs(block.title));
        cbo->setEditable(true);
        cbo->setInsertPolicy(QComboBox::NoInsert);
        cbo->setCompleter(nullptr);
        cbo->setMaxVisibleItems(20);
        for (const catalogue::Entry& entry : block.entries)
            cbo->addItem(qs(entry.name));
        cbo->setCurrentIndex(-1);
        cbo->setEditText(qs(block.prompt));
        cbo->lineEdit()->setPlaceholderText(qs(block.prompt));
        // Enter reaches the combo box itself, which would take a typed name as a choice.
        cbo->installEventFilter(this);
        cbo->lineEdit()->installEventFilter(this);
        // The drop-down shows every entry whole, wider than the field if need be.
        cbo->view()->setTextElideMode(Qt::ElideNone);
        cbo->view()->setMinimumWidth(cbo->view()->sizeHintForColumn(0) +
                                     cbo->style()->pixelMetric(QStyle::PM_ScrollBarExtent) +
                                     2 * cbo->view()->frameWidth() + 8);
        cbo->setGeometry(kListRect);
        cbo->setVisible(false);
        // activated is the user's choice from the list (mouse or arrow keys); typing
        // into the text field picks nothing.
        connect(cbo, &QComboBox::activated, this, [this, b](int index) { cbo_Click(b, index); });
        lists_.push_back(cbo);
    }

    cmdCancel = new QPushButton(tr("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setGeometry(kCancelRect);
    cmdCancel->setAutoDefault(false);
    cmdCancel->setDefault(false);
    connect(cmdCancel, &QPushButton::clicked, this, &Form2::cmdCancel_Click);

    // Without a window frame (before the window system has decorated the window)
    // the outer size is the client size.
    setFixedSize(kOuterSize);
}

QComboBox* Form2::list(const catalogue::Block& block) const {
    const auto blocks = catalogue::blocks();
    for (std::size_t b = 0; b < blocks.size(); ++b)
        if (&blocks[b] == &block) return lists_[b];
    return nullptr;
}

void Form2::openBlock(const catalogue::Block& block) {
    show();
    raise();
    activateWindow();
    if (QComboBox* cbo = list(block)) {
        cbo->setVisible(true);
        cbo->raise();
        cbo->setFocus();
    }
}

void Form2::cbo_Click(std::size_t block, int index) {
    if (index < 0) return;
    QComboBox* cbo = lists_[block];
    session_.UpdateListItem(catalogue::blocks()[block], std::size_t(index));
    cbo->setVisible(false);
    hide();  // stays loaded: the lists keep their entries and the picked name
    emit listItemUpdated();
}

void Form2::cmdCancel_Click() {
    close();
}

void Form2::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    fitOuterSize();
    // The window system may tell the frame's size only after the window is shown.
    QTimer::singleShot(0, this, &Form2::fitOuterSize);
}

bool Form2::event(QEvent* event) {
    const bool handled = QDialog::event(event);
    // A frame that arrives or changes comes with a move or a resize.
    if (event->type() == QEvent::Move || event->type() == QEvent::Resize) fitOuterSize();
    return handled;
}

void Form2::fitOuterSize() {
    // The frame comes off the client area, so the window as a whole keeps its outer size.
    const QSize frame = frameGeometry().size() - geometry().size();
    const QSize client = (kOuterSize - frame).expandedTo(QSize(kCancelRect.right() + 8, 41));
    if (size() != client || minimumSize() != client || maximumSize() != client)
        setFixedSize(client);
}

bool Form2::eventFilter(QObject* watched, QEvent* event) {
    // Enter in a list's text field would pick a name that was only typed; only a
    // choice from the open list picks.
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace pw::ui
