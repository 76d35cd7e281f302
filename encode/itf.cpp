// ITF-14 and ITF-16: Interleaved 2 of 5 over the data digits and the check
// digit, the first digit of each pair in the bars, the second in the spaces.
#include <algorithm>
#include <array>

#include "encode/check_digit.h"
#include "encode/encoders.h"
#include "encode/width_tables.h"

namespace merrowin {
namespace {

// Encodes characters `firstData` to 15 of the digit string and the check
// digit; their count is even for both kinds (14 or 16).
std::string ItfPattern(std::string_view text, std::size_t firstData,
                       const tables::ItfDigitTable& table) {
    const DigitValues digits = ReadDigits(text);
    std::array<std::uint8_t, 16> values{};
    const std::size_t count = 15 - firstData + 1;
    std::copy(digits.begin() + static_cast<std::ptrdiff_t>(firstData - 1), digits.end(),
              values.begin());
    values[count] = CheckDigit(digits);

    // Five bars and five spaces a pair of digits.
    std::string pattern;
    pattern.reserve(tables::kItfStart.size() + 5 * count + tables::kItfStop.size());
    pattern += tables::kItfStart;
    for (std::size_t i = 0; i + 1 <= count; i += 2) {
        const std::string_view bars = table[values[i]];
        const std::string_view spaces = table[values[i + 1]];
        for (std::size_t k = 0; k < bars.size(); ++k) {
            pattern += bars[k];
            pattern += spaces[k];
        }
    }
    pattern += tables::kItfStop;
    return pattern;
}

}  // namespace

std::string EncodeItf14(std::string_view digits) {
    // c1 and c2 are the zero fill: they count in the check digit only.
    return ItfPattern(digits, 3, tables::kItfDigits);
}

std::string EncodeItf16(std::string_view digits) {
    return ItfPattern(digits, 1, tables::kItfDigits);
}

}  // namespace merrowin
