// The values of the 15-character digit string, and the GS1 modulo-10 check
// digit over them.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace merrowin {

// c1 to c15 of the digit string, each 0 to 9.
using DigitValues = std::array<std::uint8_t, 15>;

// Converts the 15 characters from the left; the first that is not a decimal
// digit (or a missing one) raises ConversionError naming that character.
DigitValues ReadDigits(std::string_view digits);

// Weights 3 on odd positions, 1 on even ones, counted from the left of the
// 15-character frame; the zero fill adds nothing.
std::uint8_t CheckDigit(const DigitValues& values);

// The same, straight from the digit string (raises as ReadDigits).
std::uint8_t CheckDigit(std::string_view digits);

// The check digit of data digits of any count, weighted from the right as
// GS1 counts (3 on the digit beside the check digit): what the frame gives
// them behind any zero fill. A character that is not a decimal digit
// raises ConversionError naming it.
std::uint8_t CheckDigitOfData(std::string_view data);

}  // namespace merrowin
