// SPDX-License-Identifier: GPL-3.0-or-later
// Open + check + show of a 30,000-row preset in the real main window, on Qt's
// offscreen platform, against pugixml's bare parse of the same bytes in the same run.
// "Show" is the window refreshing every control from the session and painting itself
// (a grab renders the visible rows of the list).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPixmap>
#include <QTemporaryDir>
#include <cstdio>
#include <fstream>
#include <map>
#include <pugixml.hpp>
#include <sstream>
#include <string>

#include "form1.h"
#include "session/messenger.h"
#include "window_bench_support.h"

namespace {

using pwbench::readText;
using pwbench::SilentMessenger;

// The sample's Param blocks repeated until the preset holds `rows` of them.
std::string grown(const std::string& sample, int rows) {
    const auto first = sample.find("<Param>");
    const auto last = sample.rfind("</Param>") + 8;
    const auto lineStart = sample.rfind('\n', first) + 1;
    const auto lineEnd = sample.find('\n', last) + 1;
    const std::string block = sample.substr(lineStart, lineEnd - lineStart);
    std::vector<std::string> params;
    for (std::size_t at = 0; (at = block.find("<Param>", at)) != std::string::npos;) {
        const auto end = block.find("</Param>", at) + 8;
        const auto from =
            block.rfind('\n', at) == std::string::npos ? 0 : block.rfind('\n', at) + 1;
        const auto to = block.find('\n', end) + 1;
        params.push_back(block.substr(from, to - from));
        at = end;
    }
    std::string out = sample.substr(0, lineStart);
    for (int i = 0; i < rows; ++i)
        out += params[static_cast<std::size_t>(i) % params.size()];
    out += sample.substr(lineEnd);
    return out;
}

class RatioReporter : public benchmark::ConsoleReporter {
  public:
    std::map<std::string, double> seconds;
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs)
            seconds[r.run_name.function_name] = r.GetAdjustedRealTime();
    }
};

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);

    QTemporaryDir dir;
    const std::string bytes = grown(readText(PW_BENCH_DATA_DIR "/surfs_up.rp255p"), 30000);
    const std::string file = dir.filePath(QStringLiteral("large.rp255p")).toStdString();
    std::ofstream(file, std::ios::binary) << bytes;

    SilentMessenger messenger;
    pw::ui::Form1 form(&messenger);
    form.show();
    QCoreApplication::processEvents();

    const char* baseline = "pugixml parse, 30000 rows";
    const char* window = "window: open + check + show, 30000 rows";
    benchmark::RegisterBenchmark(
        baseline,
        [&](benchmark::State& state) {
            for (auto _ : state) {
                pugi::xml_document doc;
                benchmark::DoNotOptimize(doc.load_buffer(bytes.data(), bytes.size()));
            }
        })
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark(window,
                                 [&](benchmark::State& state) {
                                     for (auto _ : state) {
                                         form.openFile(QString::fromStdString(file));
                                         QCoreApplication::processEvents();
                                         benchmark::DoNotOptimize(form.grab().width());
                                     }
                                     if (form.session().rows().count() != 30000)
                                         state.SkipWithError("rows missing");
                                 })
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();

    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    if (reporter.seconds.count(baseline) && reporter.seconds.count(window))
        std::printf("\n%s: %.1f ms, %.2fx %s (target: under 100 ms)\n", window,
                    reporter.seconds[window], reporter.seconds[window] / reporter.seconds[baseline],
                    baseline);
    return 0;
}
