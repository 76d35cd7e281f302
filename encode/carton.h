// The carton code of GS1 Japan's 集合包装用商品コード (GTIN-14): the packaging
// indicator, the first 12 digits of the JAN of the item inside, and a check
// digit worked out anew, drawn as an ITF-14.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace merrowin {

// GS1 Japan gives the indicator the values 1 to 8: the packing level, the
// count inside, or a promotion unit (https://www.gs1jp.org/code/jan/itf.html).
inline constexpr std::uint8_t kFirstIndicator = 1;
inline constexpr std::uint8_t kLastIndicator = 8;

// The 14 digits of the carton code for `indicator` and the JAN's first 12
// digits (`jan` holds at least 12 decimal digits; what follows is not
// read). The JAN's own check digit plays no part.
std::string CartonCode(std::uint8_t indicator, std::string_view jan);

}  // namespace merrowin
