// SPDX-License-Identifier: GPL-3.0-or-later
#include "app_windows.h"

#include "form1.h"
#include "library/library_inputs.h"
#include "library/library_window.h"

namespace pw::ui {

AppWindows::AppWindows(Form1& form, QObject* parent) : QObject(parent), form_(form) {
    connect(&form_, &Form1::libraryRequested, this, &AppWindows::openLibrary);
}

AppWindows::~AppWindows() {
    delete library_;
}

void AppWindows::showForm() {
    form_.show();
    form_.raise();
    form_.activateWindow();
}

LibraryWindow* AppWindows::openLibrary(const QStringList& inputs) {
    if (!library_) {
        library_ = new LibraryWindow(form_, form_.session().target());
        connect(library_, &LibraryWindow::openFileRequested, this, [this](const QString& file) {
            form_.openFile(file);
            showForm();
        });
        connect(library_, &LibraryWindow::openBytesRequested, this,
                [this](const QString& name, const QString& folder, const std::string& bytes) {
                    form_.openBytes(name, folder, bytes);
                    showForm();
                });
    }
    library_->show();
    library_->raise();
    library_->activateWindow();
    library_->openInputs(inputs);
    return library_;
}

void AppWindows::openArguments(const QStringList& inputs) {
    if (inputs.isEmpty()) return;
    if (isLibraryInput(inputs.first()))
        openLibrary(inputs);
    else
        form_.openFile(inputs.first());
}

LibraryWindow* AppWindows::library() const {
    return library_;
}

}  // namespace pw::ui
