// Sizes are worked out in 64 bits and saturated to 32: a stored bar height
// or copy rate may hold any 32-bit number, and no sum may wrap round.
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>

namespace merrowin {

// `value` clamped to the range of a signed 32-bit number.
constexpr std::int32_t Saturate(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

}  // namespace merrowin
