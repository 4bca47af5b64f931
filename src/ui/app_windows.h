// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's two windows wired together: the main window asks for the Library (File >
// Open Folder, a drop, the command line) and the Library asks for a preset to be opened.
// Neither window knows the other; only this does.

#include <QObject>
#include <QPointer>
#include <QStringList>

namespace pw::ui {

class Form1;
class LibraryWindow;

class AppWindows : public QObject {
    Q_OBJECT

  public:
    explicit AppWindows(Form1& form, QObject* parent = nullptr);
    ~AppWindows() override;

    // The Library window over `inputs` (folders, packs or presets), opened beside the main
    // window: made the first time, reused after.
    LibraryWindow* openLibrary(const QStringList& inputs);
    // What the command line names: a folder or a pack first takes them all to the Library,
    // else the first preset opens in the main window.
    void openArguments(const QStringList& inputs);
    // The Library window while it is open, else null.
    LibraryWindow* library() const;

  private:
    void showForm();

    Form1& form_;
    QPointer<LibraryWindow> library_;
};

}  // namespace pw::ui
