// SPDX-License-Identifier: GPL-3.0-or-later
#include "frm_about.h"

#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include "app_info.h"
#include "twips.h"

namespace pw::ui {
namespace {

// Twips, 15 to the pixel.
QLabel* aboutLabel(QWidget* parent, const char* name, const QString& text, const QRect& place) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setTextFormat(Qt::PlainText);
    // Never lower than one line of text.
    l->setGeometry(
        QRect(place.topLeft(), place.size().expandedTo(QSize(1, l->fontMetrics().height()))));
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}

// The etched separator: a grey line over a white one.
class EtchedLine : public QFrame {
  public:
    using QFrame::QFrame;

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setPen(QColor(128, 128, 128));
        p.drawLine(rect().topLeft(), rect().topRight());
        p.setPen(QColor(255, 255, 255));
        p.drawLine(rect().topLeft() + QPoint(0, 1), rect().topRight() + QPoint(0, 1));
    }
};

}  // namespace

QString FrmAbout::descriptionText() {
    const QString crlf = QStringLiteral("\r\n");
    return tr("Acknowledgements:") + crlf + crlf +
           tr("Thanks to all who shared their parameter values.") + crlf + crlf +
           tr("Special thanks to the players who measured them.");
}

QString FrmAbout::disclaimerText() {
    return tr(
        "Patchwright is not affiliated with any device maker. Model names are "
        "trademarks of their owners. Back up your presets first.");
}

FrmAbout::FrmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(tr("About ") + appTitle());
    setWindowIcon(appIcon());
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_DeleteOnClose);
    if (parent) setFont(parent->font());
    setFixedSize(382, 237);

    picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setGeometry(twips(240, 240, 510, 510));
    picIcon->setPixmap(appIcon().pixmap(picIcon->size()));
    picIcon->setAccessibleName(appTitle());

    lblTitle = aboutLabel(this, "lblTitle", appTitle(), twips(1050, 240, 3885, 480));
    QFont titleFont = font();
    titleFont.setPixelSize(font().pixelSize() > 0 ? font().pixelSize() * 2 : 22);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);

    lblVersion =
        aboutLabel(this, "lblVersion", tr("Version ") + versionText(), twips(1050, 780, 3885, 225));

    lblDescription =
        aboutLabel(this, "lblDescription", descriptionText(), twips(1050, 1125, 3885, 1170));
    lblDescription->setWordWrap(true);

    // An etched line: grey over white.
    Line1 = new EtchedLine(this);
    Line1->setObjectName(QStringLiteral("Line1"));
    Line1->setGeometry(QRect(6, qRound(2450 / 15.0), width() - 12, 2));

    lblDisclaimer =
        aboutLabel(this, "lblDisclaimer", disclaimerText(), twips(255, 2625, 3870, 825));
    lblDisclaimer->setWordWrap(true);

    cmdOK = new QPushButton(tr("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(twips(4245, 2625, 1260, 345));
    cmdOK->setDefault(true);
    cmdOK->setAutoDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::close);
    cmdOK->setFocus();
}

}  // namespace pw::ui
