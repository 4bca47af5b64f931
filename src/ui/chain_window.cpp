// SPDX-License-Identifier: GPL-3.0-or-later
#include "chain_window.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "chain_view.h"
#include "document/file_writer.h"

namespace pw::ui {

ChainWindow::ChainWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setAttribute(Qt::WA_DeleteOnClose);
    view_ = new ChainView;
    scroll_ = ChainView::scrolled(view_);
    auto* copy = new QPushButton(tr("&Copy Picture"));
    copy->setObjectName(QStringLiteral("copyPicture"));
    auto* save = new QPushButton(tr("&Save as PNG…"));
    save->setObjectName(QStringLiteral("savePicture"));
    connect(copy, &QPushButton::clicked, this, &ChainWindow::copyPicture);
    connect(save, &QPushButton::clicked, this, &ChainWindow::savePictureAs);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(copy);
    buttons->addWidget(save);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(scroll_);
    layout->addLayout(buttons);
}

void ChainWindow::showChain(const ParamList& list, const QString& patchName) {
    patchName_ = patchName;
    setWindowTitle(patchName.isEmpty() ? tr("Signal Chain")
                                       : tr("Signal Chain – %1").arg(patchName));
    view_->showChain(list);
    // As wide as the chain, within the screen; as high as it in any case.
    layout()->activate();
    const QSize wanted = sizeHint();
    const int room =
        screen() != nullptr ? screen()->availableGeometry().width() * 9 / 10 : wanted.width();
    resize(std::max(width(), std::min(wanted.width(), room)), std::max(height(), wanted.height()));
}

void ChainWindow::copyPicture() {
    QApplication::clipboard()->setPixmap(view_->picture());
}

QString ChainWindow::savePicture(const QString& file) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    view_->picture().save(&buffer, "PNG");
    const document::IoResult written = document::replaceFileWhole(
        document::systemFileWriter(), std::filesystem::path(QFile::encodeName(file).toStdString()),
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    return QString::fromStdString(written.error);
}

void ChainWindow::savePictureAs() {
    const QString file = QFileDialog::getSaveFileName(
        this, tr("Save Picture"), patchName_ + QStringLiteral(".png"), tr("PNG pictures (*.png)"));
    if (file.isEmpty()) return;
    const QString error = savePicture(file);
    if (!error.isEmpty())
        QMessageBox::warning(this, tr("Save Picture"),
                             tr("%1 could not be written: %2").arg(file, error));
}

}  // namespace pw::ui
