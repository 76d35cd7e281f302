// JAN-13 (EAN-13) and JAN-8 (EAN-8): start guard, left half, centre guard,
// right half (data digits, then the check digit), end guard.
#include <algorithm>
#include <array>
#include <span>
#include <stdexcept>

#include "encode/check_digit.h"
#include "encode/encoders.h"
#include "encode/width_tables.h"

namespace merrowin {
namespace {

using tables::JanDigitTable;

// Builds the pattern of a JAN symbol whose data digits fill the end of the
// 15-character frame: leftSets.size() digits in the left half, each drawn
// from its own number set, then one digit fewer in the right half, drawn
// from `rightSet`, followed by the check digit.
std::string JanPattern(const DigitValues& digits, std::span<const JanDigitTable* const> leftSets,
                       const JanDigitTable& rightSet) {
    const std::size_t half = leftSets.size();
    const std::size_t firstLeft = 15 - (2 * half - 1) + 1;
    std::string pattern;
    // Four elements a digit.
    pattern.reserve(2 * tables::kJanNormalGuard.size() + tables::kJanCentreGuard.size() +
                    4 * 2 * half);
    pattern += tables::kJanNormalGuard;
    for (std::size_t i = 0; i < half; ++i) {
        pattern += (*leftSets[i])[digits[firstLeft + i - 1]];
    }
    pattern += tables::kJanCentreGuard;
    for (std::size_t position = firstLeft + half; position <= 15; ++position) {
        pattern += rightSet[digits[position - 1]];
    }
    pattern += rightSet[CheckDigit(digits)];
    pattern += tables::kJanNormalGuard;
    return pattern;
}

}  // namespace

std::string EncodeJan13(std::string_view text) {
    const DigitValues digits = ReadDigits(text);
    // The leading digit (c4) has no bars of its own; it picks the number set
    // of each of the six left-half digits.
    const std::string_view parity = tables::kJan13Parity[digits[3]];
    std::array<const JanDigitTable*, 6> leftSets{};
    for (std::size_t i = 0; i < leftSets.size(); ++i) {
        leftSets[i] = parity[i] == 'G' ? &tables::kJanSetB : &tables::kJanSetA;
    }
    return JanPattern(digits, leftSets, tables::kJanSetA);
}

std::string EncodeJan8(std::string_view text) {
    const DigitValues digits = ReadDigits(text);
    // JAN-8 draws every digit from number sets A and C: the same run lengths.
    const std::array<const JanDigitTable*, 4> leftSets{&tables::kJanSetA, &tables::kJanSetA,
                                                       &tables::kJanSetA, &tables::kJanSetA};
    return JanPattern(digits, leftSets, tables::kJanSetA);
}

std::string EncodeAddOn(std::string_view digits) {
    if (std::find(kAddOnLengths.begin(), kAddOnLengths.end(), digits.size()) == kAddOnLengths.end())
        throw std::invalid_argument("an add-on holds 2 or 5 digits");
    int values[5]{};
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (digits[i] < '0' || digits[i] > '9')
            throw std::invalid_argument("an add-on holds digits only");
        values[i] = digits[i] - '0';
    }
    const std::string_view sets =
        digits.size() == 2 ? tables::kTwoDigitAddOnSets[(10 * values[0] + values[1]) % 4]
                           : tables::kFiveDigitAddOnSets[(3 * (values[0] + values[2] + values[4]) +
                                                          9 * (values[1] + values[3])) %
                                                         10];
    std::string pattern(tables::kAddOnGuard);
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0) pattern += tables::kAddOnDelineator;
        pattern += (sets[i] == 'B' ? tables::kJanSetB : tables::kJanSetA)[values[i]];
    }
    return pattern;
}

}  // namespace merrowin
