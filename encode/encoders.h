// Element-width patterns: one decimal character per element, bar first,
// bars and spaces alternating, ending with a bar; each the element's width
// in drawing units (one module = 2 units).
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace merrowin {

// Each encoder reads the 15-character digit string and returns its pattern;
// a non-digit raises ConversionError.
std::string EncodeJan13(std::string_view digits);  // 59 elements
std::string EncodeJan8(std::string_view digits);   // 43 elements
std::string EncodeItf14(std::string_view digits);  // 77 elements
std::string EncodeItf16(std::string_view digits);  // 87 elements

// The digit counts of an add-on symbol: EAN-2 and EAN-5.
inline constexpr std::array<std::size_t, 2> kAddOnLengths{2, 5};

// The pattern of an EAN-2 or EAN-5 add-on symbol for its 2 or 5 digits
// (13 or 31 elements, 40 or 94 units); any other count or a non-digit
// raises std::invalid_argument: the option that takes them checks first.
std::string EncodeAddOn(std::string_view digits);

}  // namespace merrowin
