// A printer's picture whose frame states its dots exactly.
#pragma once

#include <cstdint>

namespace merrowin {

// A side of `dots` dots at `dpi`, widened so that its length is a whole
// number of .01 mm: up to the next multiple of the shortest run of dots
// that is, when that run is at most 1.27 mm (0.05 in: at 300, 600, 1200
// and 2400 dpi exactly that; at 2540 one dot). Where no such run is that
// short (at 203 dpi it is 25.4 mm), the first size within 1.27 mm whose
// frame to the nearest .01 mm is within 1/16 dot of it, so that a player
// mapping the frame onto the printer's dots puts the far edge within 1/16
// dot: below 318 dpi every size is (a .01 mm is under 1/8 dot), above
// 2540 dpi a .01 mm is more than a dot and the size is chosen; failing
// that, the size within 1.27 mm whose frame is nearest its dots (always
// within half a dot, so the frame converts back to exactly the size).
std::int32_t ExactFrameDots(std::int32_t dots, std::int32_t dpi);

}  // namespace merrowin
