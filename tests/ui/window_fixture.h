// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window on the offscreen platform for the window tests: what it says recorded,
// its questions answered by a script, a temporary folder for the presets it opens and
// saves, and its controls and rows looked up by name.

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <QUrl>
#include <deque>
#include <functional>
#include <memory>

#include "app_windows.h"
#include "form1.h"
#include "form2.h"
#include "param_table_model.h"

using namespace Qt::StringLiterals;

namespace pwui {

// The fonts of tests/ui/fonts.conf and no others, set before the application starts.
inline const bool fontsPinned = qputenv("FONTCONFIG_FILE", PW_TEST_DATA_DIR "/../ui/fonts.conf");

// Records every message; answers questions from a script (No when it runs out).
struct ScriptedMessenger : pw::Messenger {
    pw::Answer show(const pw::Message& m) override {
        messages.push_back(m);
        texts << QString::fromStdString(m.text);
        if (m.buttons != pw::Buttons::YesNo) return pw::Answer::Ok;
        if (answers.empty()) return pw::Answer::No;
        const pw::Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    QString last() const { return texts.isEmpty() ? QString() : texts.last(); }
    std::vector<pw::Message> messages;
    QStringList texts;
    std::deque<pw::Answer> answers;
};

class WindowFixture : public QObject {
  protected:
    // For each test's init() and cleanup(); `focused`, a control given the focus before
    // the window is first shown.
    void openWindow(const char* focused = nullptr) {
        dir_ = std::make_unique<QTemporaryDir>();
        // The Library's marks go to a collection of each test's own, never the user's.
        data_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid() && data_->isValid());
        qputenv("XDG_DATA_HOME", QFile::encodeName(data_->path()));
        said_ = std::make_unique<ScriptedMessenger>();
        form_ = std::make_unique<pw::ui::Form1>(said_.get());
        windows_ = std::make_unique<pw::ui::AppWindows>(*form_);
        if (focused) form_->findChild<QWidget*>(focused)->setFocus();
        form_->show();
        form_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    }
    void closeWindow() {
        windows_.reset();
        form_.reset();
        flushDeletes();
        said_.reset();
        dir_.reset();
        data_.reset();
    }
    // The windows' settings in a folder of the test program's own (for initTestCase()).
    void useOwnSettings() {
        settingsDir_ = std::make_unique<QTemporaryDir>();
        QSettings::setDefaultFormat(QSettings::IniFormat);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir_->path());
    }
    static void flushDeletes() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }

    static QByteArray readAll(const QString& file) {
        QFile f(file);
        if (!f.open(QIODevice::ReadOnly)) qFatal("cannot read %s", qPrintable(file));
        return f.readAll();
    }
    // Writes `bytes` to `file`, making its folders.
    static void writeFile(const QString& file, const QByteArray& bytes) {
        QDir().mkpath(QFileInfo(file).absolutePath());
        QFile f(file);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) qFatal("cannot write");
    }
    // The bytes of a sample preset.
    static QByteArray sample(const char* name) {
        return readAll(QStringLiteral(PW_TEST_DATA_DIR "/") + QLatin1String(name));
    }
    // A sample preset copied into the temporary folder, so that saves land there.
    QString copy(const QString& name) const {
        const QString target = dir_->filePath(QFileInfo(name).fileName());
        if (!QFile::copy(QStringLiteral(PW_TEST_DATA_DIR "/") + name, target))
            qFatal("cannot copy %s", qPrintable(name));
        QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
        return target;
    }
    // Drags `files` onto `window` (the main window unless said) and drops them there.
    void drop(const QStringList& files, QWidget* window = nullptr) {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& f : files)
            urls << QUrl::fromLocalFile(f);
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(window ? window : form_.get(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent dropped(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(window ? window : form_.get(), &dropped);
    }

    // Whether `window` (the main window unless said) refuses a link from a web page.
    bool refusesWebLink(QWidget* window = nullptr) {
        QMimeData web;
        web.setUrls({QUrl(u"https://example.com/x.rp250p"_s)});
        QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &web, Qt::LeftButton, {});
        QApplication::sendEvent(window ? window : form_.get(), &enter);
        return !enter.isAccepted();
    }

    // Has the next file dialog, once it shows (within five seconds), looked at by `look`,
    // then `choice` chosen in it.
    static void chooseInFileDialog(const QString& choice,
                                   std::function<void(QFileDialog&)> look = {},
                                   int triesLeft = 500) {
        QTimer::singleShot(10, [=] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog && triesLeft > 0) return chooseInFileDialog(choice, look, triesLeft - 1);
            QVERIFY2(dialog, "no file dialog was shown");
            if (look) look(*dialog);
            answerFileDialog(dialog, choice, 50);
        });
    }
    // Chooses `choice` in `dialog`; a dialog answered before its own event loop ran is
    // shown again by it, and is answered again.
    static void answerFileDialog(QPointer<QFileDialog> dialog, const QString& choice,
                                 int timesLeft) {
        if (!dialog || !dialog->isVisible() || timesLeft == 0) return;
        // Typed whole, the choice does not wait for the dialog to read its folder.
        dialog->findChild<QLineEdit*>(u"fileNameEdit"_s)->setText(choice);
        static_cast<QDialog*>(dialog.data())->accept();  // as its Open or Save button does
        QTimer::singleShot(20, [=] { answerFileDialog(dialog, choice, timesLeft - 1); });
    }

    // The control `name` of `window` (the main window unless said).
    template <typename T>
    T* child(const char* name, const QWidget* window = nullptr) const {
        T* w = (window ? window : form_.get())->findChild<T*>(QLatin1String(name));
        if (!w) qFatal("no control %s", name);
        return w;
    }
    void click(const char* button) {
        QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton);
    }
    QTreeView* lv() const { return child<QTreeView>("lv"); }
    // The target option of the main window with this Index.
    QRadioButton* option(int index) const {
        for (QRadioButton* op : form_->findChildren<QRadioButton*>(u"opModelSelect"_s))
            if (op->property("Index").toInt() == index) return op;
        qFatal("no option %d", index);
    }
    // Opens the list of `box` and clicks the entry `text` in it.
    static void pickWithTheMouse(QComboBox* box, const QString& text) {
        box->showPopup();
        QAbstractItemView* popup = box->view();
        QVERIFY(QTest::qWaitForWindowExposed(popup->window()));
        const QModelIndex entry = popup->model()->index(box->findText(text), 0);
        popup->scrollTo(entry);
        QTest::mouseClick(popup->viewport(), Qt::LeftButton, {}, popup->visualRect(entry).center());
    }

    // The 1-based number of the first row with this ID and Position, or 0.
    int rowOf(const char* id, const char* position) const {
        const pw::ParamList& rows = form_->session().rows();
        for (std::size_t n = 1; n <= rows.count(); ++n)
            if (rows.row(n).id() == id && rows.row(n).position() == position) return int(n);
        return 0;
    }
    QModelIndex cell(const char* id, const char* position, int column) const {
        return form_->model()->index(rowOf(id, position) - 1, column);
    }
    void clickRow(int number) {
        const QModelIndex index = form_->model()->index(number - 1, 0);
        lv()->scrollTo(index);
        QTest::mouseClick(lv()->viewport(), Qt::LeftButton, {}, lv()->visualRect(index).center());
    }
    void doubleClickRow(int number) {
        clickRow(number);
        const QModelIndex index = form_->model()->index(number - 1, 0);
        QTest::mouseDClick(lv()->viewport(), Qt::LeftButton, {}, lv()->visualRect(index).center());
    }

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<QTemporaryDir> data_;  // XDG_DATA_HOME
    std::unique_ptr<ScriptedMessenger> said_;
    std::unique_ptr<pw::ui::Form1> form_;
    std::unique_ptr<pw::ui::AppWindows> windows_;  // the Library beside form_
    std::unique_ptr<QTemporaryDir> settingsDir_;   // see useOwnSettings()
};

}  // namespace pwui
