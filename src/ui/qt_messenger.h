// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Message boxes for the session's messages and questions.

#include <QPointer>
#include <QWidget>
#include <functional>

#include "session/messenger.h"

namespace pw::ui {

class QtMessenger : public Messenger {
  public:
    explicit QtMessenger(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    // Runs before each box is shown, so that the window behind it is up to date.
    void setBeforeShow(std::function<void()> hook) { beforeShow_ = std::move(hook); }
    Answer show(const Message& message) override;

  private:
    QPointer<QWidget> parent_;
    std::function<void()> beforeShow_;
};

}  // namespace pw::ui
