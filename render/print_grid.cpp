#include "render/print_grid.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "common/errors.h"
#include "render/slip_layout.h"

namespace merrowin {
namespace {

constexpr std::int64_t kTenthMicrometresPerInch = 254000;

// A fine grid: k units a half module, so every length of the standard grid
// is k times as long and a reduction or an outline point has k times the
// precision.
Grid FineGrid(std::int32_t k, std::int32_t reduction) {
    return {2 * k, 5 * k, reduction};
}

// "0.330": micrometres as millimetres with three decimals.
std::string Millimetres(std::int64_t micrometres) {
    const std::string thousandths = std::to_string(1000 + micrometres % 1000);
    return std::to_string(micrometres / 1000) + "." + thousandths.substr(1);
}

}  // namespace

std::int64_t PrintedModule(const BarcodeJob& job) {
    const std::int64_t nominal = IsItf(job.Kind) ? kItfNominalModule : kJanNominalModule;
    const std::int64_t asked =
        job.ModuleWidth > 0 ? std::int64_t{job.ModuleWidth} * 100 : nominal * 10;
    return asked * job.CopyRate / 100;
}

std::int32_t ModuleDots(std::int64_t printed, std::int32_t dpi, std::int32_t smallest) {
    const std::int64_t nearest =
        (2 * printed * dpi + kTenthMicrometresPerInch) / (2 * kTenthMicrometresPerInch);
    std::int64_t dots = std::max<std::int64_t>(nearest, 1);
    const std::int64_t floor = std::int64_t{smallest} * 10;
    if (printed >= floor) {
        while (dots * kTenthMicrometresPerInch < floor * dpi) ++dots;
    }
    return static_cast<std::int32_t>(std::min<std::int64_t>(dots, INT32_MAX));
}

std::int32_t WideUnits(std::int32_t module) {
    const std::int64_t lowest = (std::int64_t{kWideQuartersMin} * module + 3) / 4;
    const std::int64_t highest = std::int64_t{kWideQuartersMax} * module / 4;
    const std::int64_t below = std::int64_t{kWideQuartersTarget} * module / 4;
    std::int64_t best = std::clamp(below, lowest, highest);
    const std::int64_t above = std::clamp(below + 1, lowest, highest);
    const auto distance = [module](std::int64_t wide) {
        return std::llabs(4 * wide - std::int64_t{kWideQuartersTarget} * module);
    };
    if (distance(above) <= distance(best)) best = above;
    return static_cast<std::int32_t>(best);
}

std::int32_t MicrometresToDots(std::int32_t micrometres, std::int32_t dpi) {
    return static_cast<std::int32_t>(
        (2 * std::int64_t{micrometres} * 10 * dpi + kTenthMicrometresPerInch) /
        (2 * kTenthMicrometresPerInch));
}

Grid GridForJob(const BarcodeJob& job, const SymbolLayout& standard, std::int32_t maxSide,
                std::int32_t outlineUnits) {
    if (!NeedsPrintGrid(job)) return Grid{};
    const std::int64_t printed = PrintedModule(job);
    // A copy rate of 0 or below leaves no picture; the run refuses it.
    if (printed <= 0) return Grid{};
    const std::int64_t reduction = std::max(job.BarReduction, 0);
    const auto refuse = [&](std::int64_t moduleMicrometres) {
        throw MerrowinError(
            BarReductionMessage(std::to_string(reduction), Millimetres(moduleMicrometres)));
    };

    if (job.DotsPerInch > 0) {
        const std::int32_t dpi = job.DotsPerInch;
        const std::int32_t smallest = IsItf(job.Kind) ? kItfSmallestModule : kJanSmallestModule;
        // A module wider than the largest picture (a stored copy rate of
        // millions) leaves a picture the run refuses as too large; capped
        // there, the wide element stays within 32 bits.
        const std::int32_t dots = job.Kind == SymbologyKind::PaymentSlip
                                      ? SlipModuleDots(job)
                                      : ModuleDots(printed, dpi, smallest);
        const std::int32_t module = std::min(dots, maxSide + 1);
        const std::int32_t cut = MicrometresToDots(static_cast<std::int32_t>(reduction), dpi);
        if (2 * std::int64_t{cut} >= module)
            refuse((std::int64_t{module} * kTenthMicrometresPerInch / dpi + 5) / 10);
        return {module, WideUnits(module), cut};
    }

    // No dots to snap to: a grid fine enough for the reduction and the
    // outlines, as fine as the picture's largest side allows.
    if (2 * reduction * 10 >= printed) refuse((printed + 5) / 10);
    const std::int32_t longest = std::max({standard.W, standard.H, 1});
    const std::int32_t finest = std::max(maxSide / longest, 1);
    std::int32_t k = std::min(job.OutlinedText ? outlineUnits : 1, finest);
    if (reduction > 0) {
        // The coarsest grid on which the reduction is a whole number of
        // units (2k units a module of `printed`), else the finest.
        std::int32_t exact = finest;
        for (std::int32_t candidate = k; candidate <= finest; ++candidate) {
            if (reduction * 10 * 2 * candidate % printed == 0) {
                exact = candidate;
                break;
            }
        }
        k = exact;
    }
    const std::int64_t cut = (2 * reduction * 10 * 2 * k + printed) / (2 * printed);
    if (2 * cut >= 2 * k) refuse((printed + 5) / 10);
    return FineGrid(k, static_cast<std::int32_t>(cut));
}

}  // namespace merrowin
