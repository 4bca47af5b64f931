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
#include <QWheelEvent>
#include <functional>

#include "app_info.h"
#include "ui_text.h"

namespace pw::ui {
namespace {

constexpr QRect kListRect(16, 16, 185, 21);
constexpr QRect kCancelRect(216, 16, 89, 25);

// An editable drop-down that hands on only an entry chosen from its open list (a click
// on an entry, or Return on its highlight). The text field alone would also take a
// typed name as a choice when it loses the focus, on Enter, the arrow keys or the
// wheel. Typing moves the open list's highlight to the first entry the text begins.
class ModelList : public QComboBox {
  public:
    ModelList(QWidget* parent, std::function<void(int)> onChoice)
        : QComboBox(parent), onChoice_(std::move(onChoice)) {
        setEditable(true);
        // After the list's own filters, so that this one sees each event first.
        view()->installEventFilter(this);
        view()->viewport()->installEventFilter(this);
        connect(this, &QComboBox::activated, this, [this](int index) {
            if (!chosen_) return;
            chosen_ = false;
            onChoice_(index);
        });
    }

    void showPopup() override {
        chosen_ = false;
        QComboBox::showPopup();
        const QString typed = lineEdit()->text();
        if (typed.isEmpty()) return;
        const int match = findText(typed, Qt::MatchStartsWith);
        if (match >= 0)
            view()->selectionModel()->setCurrentIndex(model()->index(match, modelColumn()),
                                                      QItemSelectionModel::ClearAndSelect);
    }
    void hidePopup() override {
        QComboBox::hidePopup();
        // A choice is handed on as soon as the list has closed; one that was not made
        // (a release beside the entries) must not linger for the text field's turn.
        QTimer::singleShot(0, this, [this] { chosen_ = false; });
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // The open list takes Return already when it is offered as a shortcut.
        const bool keyEvent =
            event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride;
        const auto* key = keyEvent ? static_cast<QKeyEvent*>(event) : nullptr;
        // Only while the list is open: the key that closed it may arrive once more.
        if ((watched == view() || watched == view()->viewport()) && view()->isVisible()) {
            if (event->type() == QEvent::MouseButtonPress) pressed_ = true;
            if (event->type() == QEvent::MouseButtonRelease) {
                chosen_ = pressed_;  // a press that began on the arrow chooses nothing
                pressed_ = false;
            }
            if (key && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter))
                chosen_ = true;
        }
        return QComboBox::eventFilter(watched, event);
    }
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            event->accept();  // a typed name is no choice
            return;
        }
        if ((event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) &&
            event->modifiers() == Qt::NoModifier) {
            showPopup();  // the arrows open the list instead of stepping through it unseen
            return;
        }
        QComboBox::keyPressEvent(event);
    }
    void wheelEvent(QWheelEvent* event) override { event->ignore(); }

  private:
    std::function<void(int)> onChoice_;
    bool chosen_ = false;
    bool pressed_ = false;
};

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
    for (std::size_t b = 0; b < blocks.size(); ++b) {
        const catalogue::Block& block = blocks[b];
        auto* cbo = new ModelList(this, [this, b](int index) { cbo_Click(b, index); });
        cbo->setObjectName(qs(block.nameList));
        cbo->setAccessibleName(qs(block.title));
        cbo->setInsertPolicy(QComboBox::NoInsert);
        cbo->setCompleter(nullptr);
        cbo->setMaxVisibleItems(20);
        for (const catalogue::Entry& entry : block.entries)
            cbo->addItem(qs(entry.name));
        cbo->setCurrentIndex(-1);
        cbo->setEditText(qs(block.prompt));
        cbo->lineEdit()->setPlaceholderText(qs(block.prompt));
        // The drop-down shows every entry whole, wider than the field if need be.
        cbo->view()->setTextElideMode(Qt::ElideNone);
        cbo->view()->setMinimumWidth(cbo->view()->sizeHintForColumn(0) +
                                     cbo->style()->pixelMetric(QStyle::PM_ScrollBarExtent) +
                                     2 * cbo->view()->frameWidth() + 8);
        cbo->setGeometry(kListRect);
        cbo->setVisible(false);
        lists_.push_back(cbo);
    }

    cmdCancel = new QPushButton(tr("&Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setGeometry(kCancelRect);
    cmdCancel->setAutoDefault(false);
    cmdCancel->setDefault(false);
    connect(cmdCancel, &QPushButton::clicked, this, &Form2::cmdCancel_Click);

    // Without a window frame (before the window system has decorated the window)
    // the outer size is the client size.
    setFixedSize(kOuterSize);
}

void Form2::placeAt(QPoint frameTopLeft, QMargins expectedFrame) {
    setFixedSize(kOuterSize.shrunkBy(expectedFrame));
    move(frameTopLeft);
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

void Form2::reject() {
    // Closing hides through here too; either way the dialog is unloaded.
    QDialog::reject();
    deleteLater();
}

QMargins Form2::frameOf(const QWidget& window) {
    const QRect outer = window.frameGeometry();
    const QRect inner = window.geometry();
    return QMargins(inner.left() - outer.left(), inner.top() - outer.top(),
                    outer.right() - inner.right(), outer.bottom() - inner.bottom());
}

void Form2::hideEvent(QHideEvent* event) {
    emit leaving(pos(), frameOf(*this));
    QDialog::hideEvent(event);
}

void Form2::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    fitOuterSize();
    // The window system may tell the frame's size only a while after the window is
    // shown, and then without a move or a resize.
    for (int after : {0, 100, 400})
        QTimer::singleShot(after, this, &Form2::fitOuterSize);
}

bool Form2::event(QEvent* event) {
    const bool handled = QDialog::event(event);
    // A frame that arrives or changes comes with a move or a resize.
    if (event->type() == QEvent::Move || event->type() == QEvent::Resize) fitOuterSize();
    return handled;
}

void Form2::fitOuterSize() {
    // The frame comes off the client area, so the window as a whole keeps its outer size.
    // Until the window system tells the frame, the size placeAt() expected stands.
    if (!isVisible() || frameOf(*this).isNull()) return;
    const QSize client =
        kOuterSize.shrunkBy(frameOf(*this)).expandedTo(QSize(kCancelRect.right() + 8, 41));
    if (size() != client || minimumSize() != client || maximumSize() != client)
        setFixedSize(client);
}

}  // namespace pw::ui
