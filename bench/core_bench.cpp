// Core cost per symbol, from the data digits to the finished metafile bytes
// (the picture and its copy at 100 %), for each symbology with its default
// sizes; and the same JAN-13, and the payment slip's GS1-128, through
// libzint's encoder and EMF output.
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

// The file of each format (/fm) for the same JAN-13, digits to bytes.
void DigitsToFile(benchmark::State& state, FileFormat format) {
    BarcodeJob prepared = JobFor("/j13", "/cd490123456789");
    prepared.Format = format;
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::vector<std::uint8_t> file = MakeFile(prepared, kScreen, Measure, 0);
        bytes = file.size();
        benchmark::DoNotOptimize(file.data());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}

// libzint 2.11 writes its files only to a file, of the format its name's
// extension gives: one in /dev/shm keeps the disk out of it. At `scale` (a
// PNG's pixels: 4 gives 8 a module, as the 600 dpi PNG has).
void LibzintJan13(benchmark::State& state, const char* extension, float scale) {
    const unsigned char data[] = "490123456789";
    const std::string path = std::string("/dev/shm/merrowin-bench.") + extension;
    for (auto _ : state) {
        zint_symbol* symbol = ZBarcode_Create();
        symbol->symbology = BARCODE_EANX;
        symbol->scale = scale;
        std::snprintf(symbol->outfile, sizeof symbol->outfile, "%s", path.c_str());
        const int error = ZBarcode_Encode_and_Print(symbol, data, 12, 0);
        ZBarcode_Delete(symbol);
        if (error >= ZINT_ERROR) state.SkipWithError("libzint failed");
    }
    std::remove(path.c_str());
}

// The payment slip's 44 digits as GS1-128 through libzint, its AI in
// brackets as libzint takes GS1 data.
void LibzintSlip(benchmark::State& state) {
    const unsigned char data[] = "[91]912345012345678901234567890101033101230003";
    const std::string path = "/dev/shm/merrowin-bench-slip.emf";
    for (auto _ : state) {
        zint_symbol* symbol = ZBarcode_Create();
        symbol->symbology = BARCODE_GS1_128;
        std::snprintf(symbol->outfile, sizeof symbol->outfile, "%s", path.c_str());
        const int error =
            ZBarcode_Encode_and_Print(symbol, data, static_cast<int>(sizeof data - 1), 0);
        ZBarcode_Delete(symbol);
        if (error >= ZINT_ERROR) state.SkipWithError("libzint failed");
    }
    std::remove(path.c_str());
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
BENCHMARK_CAPTURE(LibzintJan13, emf, "emf", 1.0f);
BENCHMARK_CAPTURE(DigitsToMetafile, Slip, "/cv", "/cd9191234501234567890123456789010103310123000");
BENCHMARK(LibzintSlip);
BENCHMARK_CAPTURE(DigitsToFile, Eps, FileFormat::Eps);
BENCHMARK_CAPTURE(LibzintJan13, eps, "eps", 1.0f);
BENCHMARK_CAPTURE(DigitsToFile, Pdf, FileFormat::Pdf);
BENCHMARK_CAPTURE(DigitsToFile, Svg, FileFormat::Svg);
BENCHMARK_CAPTURE(LibzintJan13, svg, "svg", 1.0f);
BENCHMARK_CAPTURE(DigitsToFile, Png, FileFormat::Png);
BENCHMARK_CAPTURE(LibzintJan13, png, "png", 4.0f);
BENCHMARK(ParseCommandLine);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    KeepingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double ours = reporter.nanoseconds["DigitsToMetafile/Jan13"];
    const double theirs = reporter.nanoseconds["LibzintJan13/emf"];
    if (ours > 0 && theirs > 0)
        std::printf(
            "JAN-13 digits to metafile bytes: merrowin %.0f ns, libzint %.0f ns, ratio %.1f\n",
            ours, theirs, theirs / ours);
    const double slip = reporter.nanoseconds["DigitsToMetafile/Slip"];
    const double zintSlip = reporter.nanoseconds["LibzintSlip"];
    if (slip > 0 && zintSlip > 0)
        std::printf(
            "Payment slip (GS1-128) digits to metafile bytes: merrowin %.0f ns, libzint %.0f ns, "
            "ratio %.1f\n",
            slip, zintSlip, zintSlip / slip);
    // Each file format beside libzint's of the same format (none for PDF).
    for (const char* format : {"Eps", "Pdf", "Svg", "Png"}) {
        std::string lower = format;
        for (char& c : lower) c = static_cast<char>(c | 0x20);
        const double file = reporter.nanoseconds[std::string("DigitsToFile/") + format];
        const double zint = reporter.nanoseconds["LibzintJan13/" + lower];
        if (zint > 0)
            std::printf("JAN-13 digits to %s file: merrowin %.0f ns, libzint %.0f ns, ratio %.1f\n",
                        format, file, zint, zint / file);
        else
            std::printf("JAN-13 digits to %s file: merrowin %.0f ns (libzint writes none)\n",
                        format, file);
    }
    benchmark::Shutdown();
    return 0;
}
