// Code 128 (ISO/IEC 15417) in its GS1 form, GS1-128: symbol characters
// (codewords) from GS1 element strings, and their element widths.
//
// GS1-128 is Code 128 whose first data character is FNC1 (GS1
// GenSpecs, 5.4.1: the symbol begins Start A, B or C, FNC1). Numeric
// element strings go in code set C, two digits a symbol character, the
// densest form: every element string of the Japanese payment slip, and of
// the carton labels' (00), (01), (17) and an all-digit (10), is digits.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace merrowin {

// Symbol character values with a meaning of their own in code set C.
inline constexpr int kCode128Fnc1 = 102;
inline constexpr int kCode128StartC = 105;
inline constexpr int kCode128Stop = 106;

// The modulo-103 symbol check character of the codewords from the start
// character on: the start character's value plus each following value
// times its position (1, 2, ...).
int Code128CheckCharacter(std::span<const int> codewords);

// The codewords of a GS1-128 symbol in code set C, without the Stop:
// Start C, FNC1, the element strings' digit pairs with FNC1 between two
// element strings (the separator that ends a variable-length one; give a
// run of predefined-length strings as one), and the symbol check
// character. Each element string (AI and data) must be an even number of
// digits; anything else raises std::invalid_argument, for the caller
// checks its data first.
std::vector<int> Gs1128Codewords(std::span<const std::string_view> elementStrings);

// The element widths of `codewords` followed by Stop, in the encoders'
// pattern form (encode/encoders.h: one character per element, its width in
// half modules): six elements of 11 modules a codeword, seven of 13 for
// Stop. A value outside 0 to 105 raises std::invalid_argument.
std::string Code128Pattern(std::span<const int> codewords);

// The convenience-store payment slip's symbol from the slip's 43 data
// digits (model/payment_slip.h), its check digit worked out: AI 91, the
// 44 digits in 22 code set C characters; 157 elements, 288 modules.
std::string EncodePaymentSlip(std::string_view digits);

}  // namespace merrowin
