// What Excel (and a Japanese IME) does to the numbers of a list: full-width
// digits, long numbers in exponent form, leading zeros dropped, and column
// titles in the first row.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "common/text.h"  // DigitAt, HalfWidth: the one reading of typed digits
#include "model/job.h"

namespace merrowin {

// A field read as digits: its digits, full-width ones made ASCII, up to
// the first character that is no digit (`other`; empty when all are).
struct DigitScan {
    std::string digits;
    std::string_view other;
};
DigitScan ScanDigits(std::string_view field);

// A number as Excel shows a long one: "4.90123E+12", "4,9e12", "4E12".
bool IsExponentForm(std::string_view field);

// Whether digits one short of a code of `kind` with its check digit make
// one with a 0 in front: a leading zero Excel dropped.
bool LostLeadingZero(std::string_view digits, SymbologyKind kind);

// Whether a Cコード is digits short of its four: leading zeros Excel dropped.
bool CCodeLostLeadingZeros(std::string_view cCode);

// Whether a data field is a column title: it holds a letter (ASCII or
// not: "JAN", "JAN(13桁)", "商品コード") or no digit, and is not a number in
// Excel's exponent form ("4.90123E+12").
bool IsHeaderField(std::string_view field);

// A number in Excel's exponent form: the CSV has lost the digits, the
// workbook still holds them ("0" repeated `codeDigits` times is the
// column's format that keeps every digit and leading zero).
std::string ExponentFormMessage(std::size_t codeDigits);
inline constexpr std::string_view kDroppedZeroMessage =
    "桁数がほかの行と違います。先頭の 0 が消えていませんか";

}  // namespace merrowin
