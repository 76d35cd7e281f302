// Core cost per symbol: encode, lay out and draw onto a canvas that only
// counts, for each symbology with its default sizes.
#include <benchmark/benchmark.h>

#include <string>

#include "app/command_line.h"
#include "app/symbology.h"
#include "model/symbology.h"
#include "render/layout.h"
#include "settings/load_settings.h"

namespace {

using namespace merrowin;

class CountingCanvas final : public Canvas {
public:
    void FillRect(const Rect&, Colour) override { ++calls; }
    void SetFont(std::string_view, int, int) override { ++calls; }
    int TextWidth(std::string_view text) override { return static_cast<int>(text.size()) * 9; }
    void DrawString(int, int, std::string_view) override { ++calls; }
    long calls = 0;
};

void EncodeAndDraw(benchmark::State& state, const char* switchArg, const char* data) {
    BarcodeJob job;
    ApplySwitch(switchArg, job);
    RunCommandLine({data}, job, LoadBuiltInDefaults);
    CountingCanvas canvas;
    for (auto _ : state) {
        job.Pattern.clear();
        EncodeForKind(job.Kind, job.Digits, job.Pattern);
        const SymbolLayout layout = LayOut(job);
        DrawSymbol(job, layout, canvas);
        benchmark::DoNotOptimize(job.Pattern.data());
    }
    benchmark::DoNotOptimize(canvas.calls);
}

void ParseCommandLine(benchmark::State& state) {
    const std::vector<std::string> options{"/bh50", "/lm12", "/cr150", "/cd490123456789", "/fl"};
    for (auto _ : state) {
        BarcodeJob job;
        ApplySwitch("/j13", job);
        benchmark::DoNotOptimize(RunCommandLine(options, job, LoadBuiltInDefaults));
    }
}

}  // namespace

BENCHMARK_CAPTURE(EncodeAndDraw, Jan13, "/j13", "/cd490123456789");
BENCHMARK_CAPTURE(EncodeAndDraw, Jan8, "/j8", "/cd4901234");
BENCHMARK_CAPTURE(EncodeAndDraw, Itf14, "/i14f", "/cd1490123456789");
BENCHMARK_CAPTURE(EncodeAndDraw, Itf16, "/i16", "/cd123456789012345");
BENCHMARK(ParseCommandLine);
BENCHMARK_MAIN();
