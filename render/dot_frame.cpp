#include "render/dot_frame.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <numeric>

namespace merrowin {

std::int32_t ExactFrameDots(std::int32_t dots, std::int32_t dpi) {
    constexpr std::int64_t kHundredthsMmPerInch = 2540;
    constexpr std::int64_t kLongestRun = 127;  // 1.27 mm in .01 mm
    if (dots < 1 || dpi < 1) return dots;
    const std::int64_t common = std::gcd(std::int64_t{dpi}, kHundredthsMmPerInch);
    // `run` dots are kHundredthsMmPerInch / common hundredths of a mm.
    if (kHundredthsMmPerInch / common <= kLongestRun) {
        const std::int64_t run = dpi / common;
        const std::int64_t widened = (dots + run - 1) / run * run;
        return static_cast<std::int32_t>(std::min<std::int64_t>(widened, INT32_MAX));
    }
    // No exact run that short: the first size within 1.27 mm whose frame,
    // to the nearest .01 mm, is within a sixteenth of a dot of its dots;
    // failing that (a resolution a hair off a simple fraction of 2540 dpi,
    // as 1269 or 2539, which no printer has), the nearest of them.
    const std::int64_t reach = kLongestRun * dpi / kHundredthsMmPerInch;
    std::int64_t best = dots;
    std::int64_t bestOff = INT64_MAX;
    for (std::int64_t size = dots; size <= dots + reach && size <= INT32_MAX; ++size) {
        const std::int64_t length = size * kHundredthsMmPerInch;  // in .01 mm / dpi
        const std::int64_t frame = (2 * length + dpi) / (2 * std::int64_t{dpi});
        const std::int64_t off = std::abs(frame * dpi - length);  // in dots / 2540
        if (16 * off <= kHundredthsMmPerInch) return static_cast<std::int32_t>(size);
        if (off < bestOff) {
            best = size;
            bestOff = off;
        }
    }
    return static_cast<std::int32_t>(best);
}

}  // namespace merrowin
