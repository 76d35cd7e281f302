// The data field of a symbol: the digits a job draws, in the kind's
// 15-character frame, their check digit and the default file name, formed
// in one place from what the command line or a line of a product list
// gives. A single run, /id, /ad and the batch all come through here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/job.h"

namespace merrowin {

// GS1 Japan gives the packaging indicator of a carton code (集合包装用商品
// コード, GTIN-14) the values 1 to 8: the packing level, the count inside,
// or a promotion unit (https://www.gs1jp.org/code/jan/itf.html).
struct IndicatorRange {
    std::uint8_t first;
    std::uint8_t last;
};
inline constexpr IndicatorRange kIndicators{1, 8};

// What is done with a check digit written after the data digits.
enum class GivenCheck : std::uint8_t {
    // A single /cd: the first data digits are taken and the check digit is
    // worked out; whatever follows them is not read.
    Recomputed,
    // /id and a list line: the data digits alone, or followed by their
    // check digit, which must be right: a wrong one is a typo that would
    // make the code of another product.
    Verified,
};

// What the command line or a list line gives.
struct DataRequest {
    SymbologyKind kind = SymbologyKind::None;
    std::string_view data;       // the characters as written (a list's full-width digits read)
    std::uint8_t indicator = 0;  // ITF-14 made from a JAN-13: its packaging indicator; 0 none
    GivenCheck check = GivenCheck::Recomputed;  // always Verified with an indicator
};

struct DataField {
    std::string digits;  // the kind's zero fill and data digits: 15 characters
    std::string input;   // the data digits (of a carton code: indicator and the JAN's 12)
    char checkDigit = '0';

    // The data digits and the check digit: the default file name, and what
    // a list's report shows.
    std::string Code() const { return input + checkDigit; }
};

// The data field of a request. Nothing when a recomputed value is shorter
// than the kind takes (the command line's "no data" state). Raises
// ConversionError for a character that is not a decimal digit,
// DigitCountMessage for a verified value of another length and
// CheckDigitMessage for a wrong check digit.
std::optional<DataField> MakeDataField(const DataRequest& request);

// Fills the job's Digits, InputDigits and CheckDigit from the field, and
// its FileName unless one was given.
void FillJob(const DataField& field, BarcodeJob& job);

// Whether `digits` are the data digits of `kind` followed by their right
// check digit.
bool IsValidCode(std::string_view digits, SymbologyKind kind);

// チェックデジットが違います (正しくは %s)
std::string CheckDigitMessage(char rightDigit);
// データが N 桁です (D 桁、またはチェックデジット付きの D+1 桁)
std::string DigitCountMessage(std::size_t count, std::size_t dataDigits);

}  // namespace merrowin
