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

}  // namespace

Answer QtMessenger::show(const Message& message) {
    if (beforeShow_) beforeShow_();
    QMessageBox box(parent_);
    box.setWindowTitle(appTitle());
    box.setIcon(boxIcon(message.icon));
    box.setText(QString::fromStdString(message.text));
    box.setTextFormat(Qt::PlainText);
    if (!message.detail.empty()) box.setInformativeText(QString::fromStdString(message.detail));
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
