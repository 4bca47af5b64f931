// SPDX-License-Identifier: GPL-3.0-or-later
#include "problems_dialog.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace pw::ui {

ProblemsDialog::ProblemsDialog(const QStringList& problems, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("scanProblems"));
    setWindowTitle(tr("Scan Problems"));
    auto* layout = new QVBoxLayout(this);
    auto* list = new QPlainTextEdit(problems.join(QLatin1Char('\n')), this);
    list->setObjectName(QStringLiteral("problemList"));
    list->setReadOnly(true);
    list->setLineWrapMode(QPlainTextEdit::NoWrap);
    list->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    layout->addWidget(list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* copy = buttons->addButton(tr("&Copy All"), QDialogButtonBox::ActionRole);
    copy->setObjectName(QStringLiteral("copyProblems"));
    connect(copy, &QPushButton::clicked, this,
            [list] { QApplication::clipboard()->setText(list->toPlainText()); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(640, 320);
}

}  // namespace pw::ui
