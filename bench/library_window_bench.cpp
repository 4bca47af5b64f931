// SPDX-License-Identifier: GPL-3.0-or-later
// pw_library_bench [COUNT]: the Library window over COUNT realistic presets (10,000 by
// default, made by bench/preset_variants.h into a temporary folder), on Qt's offscreen
// platform: the time until the first rows are painted, until the whole table is there
// (read, triaged, duplicates found), the time each keystroke in the search field takes
// to filter the table again and paint it (a text search, then a row search that runs on
// the library's thread while the user types), opening the folder again (every row from
// the collection's index, against a bare stat walk of the tree), a retarget, and the
// most memory held.

#include <malloc.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

#include "app_windows.h"
#include "collection/collection_store.h"
#include "collection/index_memory.h"
#include "form1.h"
#include "library/inputs.h"
#include "library/library_model.h"
#include "library/library_window.h"
#include "library/scan.h"
#include "preset_variants.h"
#include "session/messenger.h"
#include "window_bench_support.h"

namespace {

using pwbench::readText;
using pwbench::SilentMessenger;

// The memory held now (resident set), in MB.
double residentMB() {
    long pages = 0, resident = 0;
    std::FILE* statm = std::fopen("/proc/self/statm", "r");
    if (!statm) return 0;
    if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(statm);
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 10000;

    // The marks' collection of its own, not the user's.
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));

    // The five savable samples' variants, COUNT in all, in one folder per model.
    QTemporaryDir dir;
    const char* samples[][2] = {{"RP150", "crunch_time.rp150p"},
                                {"RP250", "metal_zone.rp250p"},
                                {"RP255", "surfs_up.rp255p"},
                                {"RP350", "big_verb.rp350p"},
                                {"RP355", "dual_amp_lead.rp355p"}};
    for (int i = 0; i < count; ++i) {
        const auto& [model, file] = samples[i % 5];
        static std::string bytes[5];
        if (bytes[i % 5].empty())
            bytes[i % 5] = readText(std::string(PW_BENCH_DATA_DIR "/") + file);
        const std::string name = std::to_string(i) + " " + model;
        QDir().mkpath(dir.filePath(QLatin1String(model)));
        std::ofstream(dir.filePath(QStringLiteral("%1/%2%3").arg(
                                       QLatin1String(model), QString::fromStdString(name),
                                       QLatin1String(std::strrchr(file, '.'))))
                          .toStdString(),
                      std::ios::binary)
            << pwbench::presetVariant(bytes[i % 5], *pw::document::targetByCaption(model),
                                      unsigned(i), name);
    }

    // The floor: the core's own scan and triage of the same folder, without a window,
    // measured before and after the window's scan.
    const bool noFloor = qEnvironmentVariableIsSet("PW_BENCH_NO_FLOOR");
    const auto coreScan = [&] {
        if (noFloor) return std::pair(0.0, std::size_t(0));
        QElapsedTimer floorClock;
        floorClock.start();
        pw::library::ScanOptions options;
        options.target = pw::document::targetByCaption("RP255");
        options.amp = 'A';
        options.keepBytes = true;
        options.collect = false;
        std::size_t scanned = 0;
        pw::library::ScanCallbacks callbacks;
        callbacks.batch = [&](std::span<const pw::library::Preset> batch) {
            scanned += batch.size();
        };
        pw::library::scan({QFile::encodeName(dir.path()).toStdString()}, options, callbacks);
        const double floor = double(floorClock.nsecsElapsed()) / 1e6;

        return std::pair(floor, scanned);
    };
    const auto [floorBefore, scanned] = coreScan();

    SilentMessenger messenger;
    pw::ui::Form1 form(&messenger);
    form.show();
    QCoreApplication::processEvents();

    QElapsedTimer clock;
    clock.start();
    pw::ui::AppWindows windows(form);
    pw::ui::LibraryWindow* library = windows.openLibrary({dir.path()});
    double firstRows = -1, lastRows = 0;
    QObject::connect(library->model(), &QAbstractItemModel::rowsInserted,
                     [&] { lastRows = double(clock.nsecsElapsed()) / 1e6; });
    // The window's own event loop runs, as it does for a user; the first rows are
    // painted once they are in.
    QEventLoop loop;
    QObject::connect(library, &pw::ui::LibraryWindow::scanFinished, &loop, &QEventLoop::quit);
    QObject::connect(library->filter(), &QAbstractItemModel::rowsInserted, &loop, [&] {
        if (firstRows >= 0) return;
        firstRows = 0;
        QTimer::singleShot(0, &loop, [&] {
            library->table()->viewport()->grab();
            firstRows = double(clock.nsecsElapsed()) / 1e6;
        });
    });
    if (library->scanning()) loop.exec();
    library->table()->viewport()->grab();
    const double whole = double(clock.nsecsElapsed()) / 1e6;
    const int rows = library->model()->rowCount();
    // What is held after each step, waiting for the library's thread to finish its own
    // work (the index's writing) first.
    struct Held {
        const char* step;
        double resident, inUse, free;
    };
    std::vector<Held> held;
    const auto holding = [&](const char* step) {
        QTest::qWait(3000);
        if (qEnvironmentVariableIsSet("PW_BENCH_TRIM")) malloc_trim(0);
        const struct mallinfo2 heap = mallinfo2();
        held.push_back({step, residentMB(), double(heap.uordblks + heap.hblkhd) / 1048576.0,
                        double(heap.fordblks) / 1048576.0});
    };
    if (qEnvironmentVariableIsSet("PW_BENCH_HELD")) holding("first opening");

    // PW_BENCH_REOPENS=N: only reopen the folder N times, for a profiler.
    if (const int reopens = qEnvironmentVariableIntValue("PW_BENCH_REOPENS"); reopens > 0) {
        for (int i = 0; i < reopens; ++i) {
            QEventLoop again;
            QObject::connect(library, &pw::ui::LibraryWindow::scanFinished, &again,
                             &QEventLoop::quit);
            clock.restart();
            library->openInputs({dir.path()});
            if (library->scanning()) again.exec();
            library->table()->viewport()->grab();
            std::printf("reopen %d: %.1f ms\n", i, double(clock.nsecsElapsed()) / 1e6);
        }
        return 0;
    }
    const double floorAfter = coreScan().first;

    // Typing a search, one key at a time, then taking it back.
    auto* search = library->findChild<QLineEdit*>(QStringLiteral("search"));
    search->setFocus();
    std::vector<double> keys;
    const auto key = [&](auto press) {
        clock.restart();
        press();
        QCoreApplication::processEvents();
        library->table()->viewport()->grab();
        keys.push_back(double(clock.nsecsElapsed()) / 1e6);
    };
    for (const char c : std::string("tweed"))
        key([&] { QTest::keyClick(search, c); });
    for (int i = 0; i < 5; ++i)
        key([&] { QTest::keyClick(search, Qt::Key_Backspace); });
    for (const char c : std::string("0042"))
        key([&] { QTest::keyClick(search, c); });
    std::vector<double> sorted = keys;
    std::sort(sorted.begin(), sorted.end());
    if (!held.empty()) holding("text search");

    // A row search: every preset is read again on the library's thread while typing goes on.
    search->clear();
    QCoreApplication::processEvents();
    std::vector<double> rowKeys;
    for (const char c : std::string("Amp Type=Tweed")) {
        clock.restart();
        QTest::keyClick(search, c);
        QCoreApplication::processEvents();
        library->table()->viewport()->grab();
        rowKeys.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    std::sort(rowKeys.begin(), rowKeys.end());
    search->clear();
    QCoreApplication::processEvents();
    if (!held.empty()) holding("row search");

    // Opening the folder again: every row from the index. The first may wait for the
    // index of the first opening to be written; the second is what a user meets.
    const auto reopen = [&] {
        QEventLoop again;
        QObject::connect(library, &pw::ui::LibraryWindow::scanFinished, &again, &QEventLoop::quit);
        clock.restart();
        library->openInputs({dir.path()});
        if (library->scanning()) again.exec();
        library->table()->viewport()->grab();
        return double(clock.nsecsElapsed()) / 1e6;
    };
    const double reopenFirst = reopen();
    if (!held.empty()) holding("reopen");
    const double reopenAgain = reopen();
    if (!held.empty()) holding("second reopen");
    const int reopenRows = library->model()->rowCount();

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);

    // The core alone, from the index the window wrote: the memory above is the window's.
    // The check of what changed, without a window, against its floor: a bare stat walk.
    const std::filesystem::path root = QFile::encodeName(dir.path()).toStdString();
    clock.restart();
    std::size_t walked = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        struct stat st {};
        walked += ::stat(entry.path().c_str(), &st) == 0;
    }
    const double statWalk = double(clock.nsecsElapsed()) / 1e6;
    clock.restart();
    const std::size_t listed = pw::library::listInputs({root}).files.size();
    const double listing = double(clock.nsecsElapsed()) / 1e6;
    clock.restart();
    pw::collection::IndexMemory memory(pw::collection::Store::defaultPath());
    pw::library::KnownFiles known = memory.recall({root}, library->triageSettings());
    const double recall = double(clock.nsecsElapsed()) / 1e6;
    clock.restart();
    std::size_t rowsRead = 0;
    {
        pw::collection::Store store;
        if (store.open(pw::collection::Store::defaultPath()).ok())
            store.index(root, [&](pw::collection::IndexedPreset&) { ++rowsRead; });
    }
    const double indexRowsOnly = double(clock.nsecsElapsed()) / 1e6;
    clock.restart();
    pw::library::ScanOptions checkOptions;
    checkOptions.target = library->triageSettings().target;
    checkOptions.amp = library->triageSettings().amp;
    checkOptions.collect = false;
    checkOptions.known = [&] { return &known; };
    const pw::library::ScanResult checked = pw::library::scan({root}, checkOptions);
    const double check = double(clock.nsecsElapsed()) / 1e6;
    // What the first opening adds, after its rows are shown: writing the index.
    checkOptions.collect = true;
    checkOptions.known = nullptr;
    pw::library::ScanResult all = pw::library::scan({root}, checkOptions);
    std::vector<pw::library::PresetPtr> presets;
    std::vector<pw::library::Triage> triages;
    for (pw::library::Preset& p : all.presets) {
        triages.push_back(*p.triage);
        presets.push_back(std::make_shared<const pw::library::Preset>(std::move(p)));
    }
    // Into a collection of its own: at a first opening, the index holds nothing yet.
    pw::collection::IndexMemory first(
        std::filesystem::path(QFile::encodeName(data.path()).toStdString()) / "first.sqlite");
    clock.restart();
    first.remember({root}, library->triageSettings(), presets, triages, all.problems);
    const double indexWrite = double(clock.nsecsElapsed()) / 1e6;

    // A retarget: every row triaged again for another model, until the table shows it.
    auto* targets = library->findChild<QComboBox*>(QStringLiteral("target"));
    QEventLoop triaged;
    QObject::connect(library, &pw::ui::LibraryWindow::triageFinished, &triaged, &QEventLoop::quit);
    clock.restart();
    targets->setCurrentIndex((targets->currentIndex() + 1) % targets->count());
    triaged.exec();
    library->table()->viewport()->grab();
    const double retarget = double(clock.nsecsElapsed()) / 1e6;

    std::printf("Library window, %d presets (%d rows):\n", count, rows);
    std::printf("  core scan + triage:   %7.1f ms before, %.1f ms after (%zu presets, no window)\n",
                floorBefore, floorAfter, scanned);
    std::printf("  first rows painted:   %7.1f ms (target 300 ms)\n", firstRows);
    std::printf("  last rows inserted:   %7.1f ms\n", lastRows);
    std::printf("  whole table:          %7.1f ms (target 1000 ms)\n", whole);
    std::printf(
        "  keystroke refilter:   median %.1f ms, slowest %.1f ms over %zu keys (target 50 ms)\n",
        sorted[sorted.size() / 2], sorted.back(), sorted.size());
    std::printf(
        "  row search keystroke: median %.1f ms, slowest %.1f ms over %zu keys (target 50 ms)\n",
        rowKeys[rowKeys.size() / 2], rowKeys.back(), rowKeys.size());
    std::printf(
        "  reopen, every row:    %7.1f ms (%d rows; %.1f ms right after the first opening;"
        " target 1000 ms)\n",
        reopenAgain, reopenRows, reopenFirst);
    std::printf(
        "  check of what changed:%7.1f ms (%zu of %zu files known) + %.1f ms reading the"
        " index; bare stat walk %.1f ms (%zu entries): %.2fx (target 1.5x)\n",
        check, checked.counts.recalled, checked.filesTotal, recall, statWalk, walked,
        check / statWalk);
    std::printf("  of which the listing: %7.1f ms (%zu files)\n", listing, listed);
    std::printf("  index rows alone:     %7.1f ms (%zu rows)\n", indexRowsOnly, rowsRead);
    std::printf(
        "  index written:        %7.1f ms after the first opening's rows (%.0f%% of the"
        " whole table; target 10%%)\n",
        indexWrite, 100 * indexWrite / whole);
    std::printf("  retarget:             %7.1f ms (target 500 ms)\n", retarget);
    std::printf("  most memory held:     %7.1f MB (maximum resident set)\n",
                double(usage.ru_maxrss) / 1024.0);
    for (const Held& h : held)
        std::printf("  held after %-14s %7.1f MB (the heap: %.1f MB in use, %.1f MB free)\n",
                    h.step, h.resident, h.inUse, h.free);
    return rows == count ? 0 : 1;
}
