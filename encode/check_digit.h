// The GS1 modulo-10 check digit over the 15-character digit string.
#pragma once

#include <cstdint>
#include <string_view>

namespace merrowin {

// Weights 3 on odd positions, 1 on even ones, counted from the left of the
// 15-character frame; the zero fill adds nothing. A non-digit character
// raises ConversionError naming that character.
std::uint8_t CheckDigit(std::string_view digits);

}  // namespace merrowin
