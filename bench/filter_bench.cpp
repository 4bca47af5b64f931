// SPDX-License-Identifier: GPL-3.0-or-later
// How Filter Patch and the reader grow with their input: the RP355-to-RP250 recipe
// (removals, renumbering, the Pre/Post fix) over 1,000 and 64,000 rows, and the read
// of a preset whose one Param element carries 1,000, 64,000 and 256,000 attributes. At
// the end the program prints the CPU time ratio of 64 times the input to the smaller:
// Filter Patch's must stay under 100, else the program exits with status 1. The
// attributes' is printed only: their table of names outgrows the processor's caches,
// so each one costs a memory access more at 64,000 than at 1,000.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>
#include <string>

#include "document/preset_document.h"
#include "document/targets.h"
#include "filter/filter_recipes.h"
#include "models/load_pass.h"

namespace {

std::string sample() {
    std::ifstream in(PW_BENCH_DATA_DIR "/dual_amp_lead.rp355p", std::ios::binary);
    if (!in) throw std::runtime_error("cannot read the sample");
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The sample with its Param elements repeated, round and round, to `rows` of them, or
// with one Param of `attributes` attributes in their place.
std::string preset(std::size_t rows, std::size_t attributes) {
    const std::string s = sample();
    const std::size_t first = s.find("<Param>");
    const std::size_t end = s.rfind("</Param>") + 8;
    std::string out = s.substr(0, first);
    if (attributes > 0) {
        out += "<Param";
        for (std::size_t i = 0; i < attributes; ++i)
            out += " a" + std::to_string(i) + "=\"" + std::to_string(i) + "\"";
        out +=
            "><ID>64</ID><Position>2</Position><Value>66</Value><Name>Pickup Type</Name>"
            "<Text>HB</Text></Param>";
    }
    for (std::size_t at = first, n = 0; n < rows; ++n) {
        const std::size_t close = s.find("</Param>", at) + 8;
        out += s.substr(at, close - at);
        at = s.find("<Param>", close);
        if (at == std::string::npos || at > end) at = first;
    }
    return out + s.substr(end);
}

void filterPatch(benchmark::State& state) {
    const pw::document::Target& target = *pw::document::targetByCaption("RP250");
    const pw::document::ParseResult parsed =
        pw::document::parsePreset(preset(static_cast<std::size_t>(state.range(0)), 0));
    const pw::models::PassResult pass =
        pw::models::runPass(parsed.document, target.family, "RP355Preset", target.root);
    for (auto _ : state) {
        state.PauseTiming();
        pw::ParamList rows = pass.rows;
        state.ResumeTiming();
        pw::filter::FilterPatch(rows, "RP355Preset", target.root);
        benchmark::DoNotOptimize(rows.count());
    }
}

void readManyAttributes(benchmark::State& state) {
    const std::string bytes = preset(0, static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        const pw::document::ParseResult parsed = pw::document::parsePreset(bytes);
        if (!parsed.ok()) state.SkipWithError(parsed.error.c_str());
        benchmark::DoNotOptimize(parsed.document.params.size());
    }
}

BENCHMARK(filterPatch)->Arg(1000)->Arg(64000)->Unit(benchmark::kMillisecond);
BENCHMARK(readManyAttributes)->Arg(1000)->Arg(64000)->Arg(256000)->Unit(benchmark::kMillisecond);

// Keeps every run's time per iteration by name, besides the usual table.
class Collecting : public benchmark::ConsoleReporter {
  public:
    std::map<std::string, double> times;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs)
            times[r.benchmark_name()] = r.GetAdjustedCPUTime();
        ConsoleReporter::ReportRuns(runs);
    }
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    Collecting reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    int status = 0;
    for (const char* name : {"filterPatch", "readManyAttributes"}) {
        const std::string small = std::string(name) + "/1000", big = std::string(name) + "/64000";
        if (!reporter.times.count(small) || !reporter.times.count(big)) continue;
        const double ratio = reporter.times[big] / reporter.times[small];
        const bool bounded = std::string(name) == "filterPatch";
        std::printf("%s: 64 times the input takes %.1f times as long%s\n", name, ratio,
                    bounded ? " (at most 100)" : "");
        if (bounded && ratio > 100) status = 1;
    }
    return status;
}
