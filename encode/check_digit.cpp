#include "encode/check_digit.h"

#include "common/text.h"

namespace merrowin {

std::uint8_t CheckDigit(std::string_view digits) {
    int sum = 0;
    for (std::size_t i = 0; i < 15; ++i) {
        // Each character goes through the integer conversion, so a non-digit
        // fails with the message naming that one character.
        sum += (i % 2 == 0 ? 3 : 1) * StrToInt(CharRange(digits, i + 1, i + 1));
    }
    return static_cast<std::uint8_t>((10 - sum % 10) % 10);
}

}  // namespace merrowin
