// Element-width patterns: one decimal character per element, bar first,
// bars and spaces alternating, ending with a bar; each the element's width
// in drawing units (one module = 2 units).
#pragma once

#include <string>
#include <string_view>

namespace merrowin {

// Each encoder reads the 15-character digit string and assigns the pattern
// to `pattern` only once it is complete; a non-digit raises ConversionError
// and leaves `pattern` untouched.
void EncodeJan13(std::string_view digits, std::string& pattern);  // 59 elements
void EncodeJan8(std::string_view digits, std::string& pattern);   // 43 elements
void EncodeItf14(std::string_view digits, std::string& pattern);  // 77 elements
void EncodeItf16(std::string_view digits, std::string& pattern);  // 87 elements

// The pattern of an EAN-2 or EAN-5 add-on symbol for its 2 or 5 digits
// (13 or 31 elements, 40 or 94 units); any other count or a non-digit
// raises std::invalid_argument: the option that takes them checks first.
std::string EncodeAddOn(std::string_view digits);

}  // namespace merrowin
