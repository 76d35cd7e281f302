#include "encode/check_digit.h"

#include "common/errors.h"
#include "common/text.h"

namespace merrowin {

DigitValues ReadDigits(std::string_view digits) {
    DigitValues values{};
    for (std::size_t i = 0; i < values.size(); ++i) {
        // Every character before this one was an ASCII digit, so byte i is
        // where character i + 1 starts.
        const char c = i < digits.size() ? digits[i] : '\0';
        if (c < '0' || c > '9') {
            // Anything else fails the integer conversion; the message names
            // the whole character, or the empty text when the string ends.
            throw ConversionError(CharRange(digits, i + 1, i + 1));
        }
        values[i] = static_cast<std::uint8_t>(c - '0');
    }
    return values;
}

std::uint8_t CheckDigit(const DigitValues& values) {
    int sum = 0;
    for (std::size_t i = 0; i < values.size(); ++i) sum += (i % 2 == 0 ? 3 : 1) * values[i];
    return static_cast<std::uint8_t>((10 - sum % 10) % 10);
}

std::uint8_t CheckDigit(std::string_view digits) {
    return CheckDigit(ReadDigits(digits));
}

std::uint8_t CheckDigitOfData(std::string_view data) {
    int sum = 0;
    int weight = 3;
    for (auto c = data.rbegin(); c != data.rend(); ++c) {
        if (*c < '0' || *c > '9') {
            const std::size_t at = static_cast<std::size_t>(data.rend() - c) - 1;
            throw ConversionError(CharRange(data, CountChars(data.substr(0, at)) + 1,
                                            CountChars(data.substr(0, at)) + 1));
        }
        sum += weight * (*c - '0');
        weight = 4 - weight;
    }
    return static_cast<std::uint8_t>((10 - sum % 10) % 10);
}

}  // namespace merrowin
