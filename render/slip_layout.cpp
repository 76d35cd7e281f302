#include "render/slip_layout.h"

#include <algorithm>

#include "common/errors.h"
#include "common/saturate.h"
#include "model/payment_slip.h"
#include "render/print_grid.h"

namespace merrowin {
namespace {

constexpr std::int64_t kMicrometresPerInch = 25400;
constexpr std::int32_t kWidthModules = kSlipSymbolModules + 2 * kSlipQuietModules;
// Above and below the picture's content, and from the bars to the first
// line, in modules: the slip's form has its own margins round the picture.
constexpr std::int32_t kEdgeModules = 2;
constexpr std::int32_t kGapModules = 2;
// Each text line's cell, in half modules: 12 modules, 2.28 mm at the
// fitting module. OCR-B's advance is 723/1274 of its cell, so the first
// line's 33 characters take 225 of the symbol's 288 modules.
constexpr std::int32_t kTextHalfModules = 24;
constexpr std::int32_t kLineGapHalfModules = 2;

// "0.190": micrometres as millimetres with three decimals (rounded down).
std::string Millimetres(std::int64_t micrometres) {
    const std::string thousandths = std::to_string(1000 + micrometres % 1000);
    return std::to_string(micrometres / 1000) + "." + thousandths.substr(1);
}

// The module as printed, in micrometres times `dpi` (exact with dots):
// with /dp dots x 25400, else .01 mm x 10 x dpi; `per` is what divides it.
struct Module {
    std::int64_t micrometresTimesPer;
    std::int64_t per;
};

Module PrintedSlipModule(const BarcodeJob& job) {
    if (job.DotsPerInch > 0) return {SlipModuleDots(job) * kMicrometresPerInch, job.DotsPerInch};
    return {std::int64_t{job.ModuleWidth} * 10, 1};
}

// The fewest modules that make at least `micrometres`.
std::int64_t ModulesFor(std::int64_t micrometres, const Module& module) {
    return (micrometres * module.per + module.micrometresTimesPer - 1) /
           std::max<std::int64_t>(module.micrometresTimesPer, 1);
}

// The most dots a module of `dpi` may have within 60 mm.
std::int32_t FittingDots(std::int32_t dpi) {
    return static_cast<std::int32_t>(std::int64_t{kSlipWidthLimitMicrometres} * dpi /
                                     (kMicrometresPerInch * kWidthModules));
}

bool ReadableDots(std::int32_t dots, std::int32_t dpi) {
    return dots * kMicrometresPerInch >= std::int64_t{kSlipSmallestModuleMicrometres} * dpi;
}

}  // namespace

std::int32_t SlipModuleDots(const BarcodeJob& job) {
    const std::int32_t dpi = job.DotsPerInch;
    if (job.ModuleWidth > 0)
        return ModuleDots(std::int64_t{job.ModuleWidth} * 100, dpi, kSlipSmallestModuleMicrometres);
    return std::max(FittingDots(dpi), 1);
}

void SizeSlip(BarcodeJob& job) {
    job.CopyRate = 100;
    if (job.ModuleWidth <= 0 && job.DotsPerInch <= 0) job.ModuleWidth = kSlipFittingModule;
    const Module module = PrintedSlipModule(job);
    const std::int64_t micrometres = module.micrometresTimesPer / module.per;
    // A printer on whose dots no readable module fits 60 mm is named as
    // such, /mw or not: no module width would help there.
    if (job.DotsPerInch > 0 &&
        !ReadableDots(std::max(FittingDots(job.DotsPerInch), 1), job.DotsPerInch)) {
        std::string working;
        for (const std::int32_t dpi : kCommonPrinterDpi) {
            if (!ReadableDots(FittingDots(dpi), dpi)) continue;
            working += (working.empty() ? "" : "、") + std::to_string(dpi);
        }
        throw MerrowinError(SlipPrinterMessage(job.DotsPerInch, working));
    }
    if (module.micrometresTimesPer < std::int64_t{kSlipSmallestModuleMicrometres} * module.per)
        throw MerrowinError(SlipTooNarrowMessage(Millimetres(micrometres)));
    // The symbol with its quiet zones to the micrometre, rounded up: what
    // the 60 mm rule judges (slip_layout.h), whatever white a printer's
    // dots then add to the picture.
    const std::int64_t width =
        (module.micrometresTimesPer * kWidthModules + module.per - 1) / module.per;
    if (width > kSlipWidthLimitMicrometres)
        throw MerrowinError(SlipTooWideMessage(Millimetres(micrometres), Millimetres(width)));
}

SymbolLayout LayOutSlip(const BarcodeJob& job, const Grid& grid) {
    const std::int64_t bars = ModulesFor(kSlipBarHeightMicrometres, PrintedSlipModule(job));
    SymbolLayout layout;
    layout.grid = grid;
    layout.P = (6 * 25 + 7) / 2;  // bar-and-space pairs before the Stop's last bar
    const std::int64_t quiet = grid.Units(2 * kSlipQuietModules);
    const std::int64_t symbol = grid.Units(2 * kSlipSymbolModules);
    const std::int64_t top = grid.Units(2 * kEdgeModules);
    const std::int64_t text = 2 * grid.Units(kTextHalfModules) + grid.Units(kLineGapHalfModules);
    layout.W = Saturate(2 * quiet + symbol);
    layout.x0 = Saturate(quiet);
    layout.Y1 = Saturate(top);
    layout.Y2 = Saturate(top + grid.Units(2 * bars));
    layout.H = Saturate(std::int64_t{layout.Y2} + grid.Units(2 * kGapModules) + text +
                        grid.Units(2 * kEdgeModules));
    return layout;
}

void DrawSlip(const BarcodeJob& job, std::string_view pattern, const SymbolLayout& layout,
              Canvas& canvas) {
    const Grid& grid = layout.grid;
    // The bars; a reduction comes off half on each side.
    const std::int64_t cutLeft = grid.reduction / 2;
    const std::int64_t cutRight = grid.reduction - cutLeft;
    std::int64_t x = layout.x0;
    for (std::size_t i = 0; i < pattern.size(); i += 2) {
        const std::int64_t bar = grid.Element(pattern[i]);
        canvas.FillRect(
            {Saturate(x + cutLeft), layout.Y1, Saturate(x + bar - cutRight), layout.Y2});
        if (i + 1 < pattern.size()) x += bar + grid.Element(pattern[i + 1]);
    }
    const std::int64_t symbol = x + grid.Element(pattern.back()) - layout.x0;
    const int height = Saturate(grid.Units(kTextHalfModules));
    std::int64_t top = std::int64_t{layout.Y2} + grid.Units(2 * kGapModules);
    for (const std::string& line : SlipTextLines(job.InputDigits + job.CheckDigit)) {
        const std::int64_t indent =
            std::max<std::int64_t>(0, (symbol - canvas.TextWidth(height, line)) / 2);
        canvas.PutText(Saturate(layout.x0 + indent), Saturate(top), height, line);
        top += height + grid.Units(kLineGapHalfModules);
    }
}

std::string SlipTooWideMessage(std::string_view module, std::string_view width) {
    return "モジュール幅 " + std::string(module) + " mm ではコンビニ収納用バーコードの幅が " +
           std::string(width) + " mm になり、60 mm を超えます (クワイエットゾーンを含めて)";
}

std::string SlipTooNarrowMessage(std::string_view module) {
    return "モジュール幅 " + std::string(module) +
           " mm はコンビニ収納用バーコードには細すぎます (" +
           Millimetres(kSlipSmallestModuleMicrometres) + " mm 以上)";
}

std::string SlipPrinterMessage(std::int32_t dpi, std::string_view working) {
    const std::int32_t dots = std::max(FittingDots(dpi), 1);
    return std::to_string(dpi) + " dpi のプリンターでは 60 mm に収まるモジュールが " +
           std::to_string(dots) + " ドット (" + Millimetres(dots * kMicrometresPerInch / dpi) +
           " mm) で、読み取れる幅になりません。印刷できるのは " + std::string(working) +
           " dpi のプリンターです";
}

}  // namespace merrowin
