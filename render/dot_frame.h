// A printer's picture whose frame states its dots exactly.
#pragma once

#include <cstdint>

namespace merrowin {

// A side of `dots` dots at `dpi`, widened so that its length is a whole
// number of .01 mm: up to the next multiple of the shortest run of dots
// that is, when that run is at most 1.27 mm (0.05 in: at 300, 600, 1200
// and 2400 dpi exactly that); `dots` itself where no such run is that short
// (at 203 dpi it is 25.4 mm) and the frame keeps its nearest .01 mm.
std::int32_t ExactFrameDots(std::int32_t dots, std::int32_t dpi);

}  // namespace merrowin
