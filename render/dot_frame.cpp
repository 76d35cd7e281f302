#include "render/dot_frame.h"

#include <algorithm>
#include <climits>
#include <numeric>

namespace merrowin {

std::int32_t ExactFrameDots(std::int32_t dots, std::int32_t dpi) {
    constexpr std::int64_t kHundredthsMmPerInch = 2540;
    constexpr std::int64_t kLongestRun = 127;  // 1.27 mm in .01 mm
    if (dots < 1 || dpi < 1) return dots;
    const std::int64_t common = std::gcd(std::int64_t{dpi}, kHundredthsMmPerInch);
    // `run` dots are kHundredthsMmPerInch / common hundredths of a mm.
    if (kHundredthsMmPerInch / common > kLongestRun) return dots;
    const std::int64_t run = dpi / common;
    const std::int64_t widened = (dots + run - 1) / run * run;
    return static_cast<std::int32_t>(std::min<std::int64_t>(widened, INT32_MAX));
}

}  // namespace merrowin
