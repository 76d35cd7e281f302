// Core cost per symbol, from the data digits to the finished metafile bytes
// (the picture and its copy at 100 %), for each symbology with its default
// sizes; and the same JAN-13 through libzint's encoder and EMF output.
#include <benchmark/benchmark.h>
#include <zint.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/run.h"
#include "app/switches.h"
#include "settings/load_settings.h"

namespace {

using namespace merrowin;

// A screen of 96 dpi and a font whose digits are 0.6 of their cell wide.
const ScreenFigures kScreen{1280, 1024, 338, 270};
std::vector<std::int32_t> Measure(const FontSpec& font, std::u16string_view text) {
    return std::vector<std::int32_t>(text.size(), font.height * 6 / 10);
}

BarcodeJob JobFor(const char* switchArg, const char* data) {
    BarcodeJob job;
    ApplySwitch(switchArg, job);
    RunCommandLine(merrowin::ParseCommandLine({switchArg, data}).options, job, LoadBuiltInDefaults);
    return job;
}

void DigitsToMetafile(benchmark::State& state, const char* switchArg, const char* data) {
    const BarcodeJob prepared = JobFor(switchArg, data);
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::vector<std::uint8_t> metafile = MakeMetafile(prepared, kScreen, Measure);
        bytes = metafile.size();
        benchmark::DoNotOptimize(metafile.data());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}

// libzint 2.11 writes its EMF only to a file: one in /dev/shm keeps the disk
// out of it.
void LibzintJan13(benchmark::State& state) {
    const unsigned char data[] = "490123456789";
    for (auto _ : state) {
        zint_symbol* symbol = ZBarcode_Create();
        symbol->symbology = BARCODE_EANX;
        std::snprintf(symbol->outfile, sizeof symbol->outfile, "/dev/shm/merrowin-bench.emf");
        const int error = ZBarcode_Encode_and_Print(symbol, data, 12, 0);
        ZBarcode_Delete(symbol);
        if (error >= ZINT_ERROR) state.SkipWithError("libzint failed");
    }
    std::remove("/dev/shm/merrowin-bench.emf");
}

void ParseCommandLine(benchmark::State& state) {
    const std::vector<std::string> arguments{"/j13",   "/bh50",           "/lm12",
                                             "/cr150", "/cd490123456789", "/fl"};
    for (auto _ : state) {
        const CommandLine command = merrowin::ParseCommandLine(arguments);
        BarcodeJob job;
        ApplySwitch(command.symbolSwitch, job);
        benchmark::DoNotOptimize(RunCommandLine(command.options, job, LoadBuiltInDefaults));
    }
}

// Prints the table and keeps each benchmark's CPU time per iteration (the
// machine may be busy with other work: CPU time is what the code costs).
class KeepingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) nanoseconds[run.benchmark_name()] = run.GetAdjustedCPUTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> nanoseconds;
};

}  // namespace

BENCHMARK_CAPTURE(DigitsToMetafile, Jan13, "/j13", "/cd490123456789");
BENCHMARK_CAPTURE(DigitsToMetafile, Jan8, "/j8", "/cd4901234");
BENCHMARK_CAPTURE(DigitsToMetafile, Itf14, "/i14f", "/cd1490123456789");
BENCHMARK_CAPTURE(DigitsToMetafile, Itf16, "/i16", "/cd123456789012345");
BENCHMARK(LibzintJan13);
BENCHMARK(ParseCommandLine);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    KeepingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double ours = reporter.nanoseconds["DigitsToMetafile/Jan13"];
    const double theirs = reporter.nanoseconds["LibzintJan13"];
    if (ours > 0 && theirs > 0)
        std::printf(
            "JAN-13 digits to metafile bytes: merrowin %.0f ns, libzint %.0f ns, ratio %.1f\n",
            ours, theirs, theirs / ours);
    benchmark::Shutdown();
    return 0;
}
