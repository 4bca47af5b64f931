// SPDX-License-Identifier: GPL-3.0-or-later
// patchwright [FILE | FOLDER | PACK...]: the main window; a FILE is opened at start as
// File > Open would, folders and packs open in the Library window beside it.

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>

#include "app_info.h"
#include "app_windows.h"
#include "form1.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(pw::ui::appTitle());
    // The Library's output folder is kept in ~/.config/Patchwright/Patchwright.conf.
    QApplication::setOrganizationName(pw::ui::appTitle());
    QApplication::setApplicationVersion(pw::ui::versionText());
    QApplication::setDesktopFileName(QStringLiteral("patchwright"));
    QApplication::setWindowIcon(pw::ui::appIcon());

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Opens, checks, converts and saves RP series preset files."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(
        QStringLiteral("FILE"),
        QStringLiteral("A preset file to open, or folders and packs (.zip, ...) to show in "
                       "the Library."),
        QStringLiteral("[FILE | FOLDER | PACK...]"));
    parser.process(app);

    pw::ui::Form1 window;
    pw::ui::AppWindows windows(window);
    window.show();
    QStringList inputs;
    for (const QString& argument : parser.positionalArguments())
        inputs << QFileInfo(argument).absoluteFilePath();
    windows.openArguments(inputs);
    return QApplication::exec();
}
