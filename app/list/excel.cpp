// Excel's artefacts in a list's fields, told apart from the data.
#include "app/list/excel.h"

#include <algorithm>

#include "app/list/characters.h"
#include "common/errors.h"
#include "common/text.h"
#include "encode/book.h"
#include "model/data_field.h"
#include "model/symbology.h"

namespace merrowin {
namespace {

// A letter of a column title: ASCII letters, and any character beyond
// ASCII other than digits, punctuation and symbols (Latin-1's signs,
// general punctuation, CJK punctuation, full-width digits and signs).
bool IsTitleLetter(char32_t c) {
    if (c < 0x80) return IsAsciiLetter(c);
    if (c < 0xC0 || c == 0xD7 || c == 0xF7) return false;
    if (c >= 0x2000 && c <= 0x2BFF) return false;
    if (c >= 0x3000 && c <= 0x303F) return false;
    if (c >= 0xFF01 && c <= 0xFF20) return false;
    return true;
}

bool HasLetter(std::string_view text) {
    const std::u16string wide = Utf16FromUtf8(text);
    return std::any_of(wide.begin(), wide.end(), [](char16_t c) { return IsTitleLetter(c); });
}

bool HasDigit(std::string_view text) {
    const std::string half = HalfWidth(text);
    return std::any_of(half.begin(), half.end(), [](char c) { return IsAsciiDigit(c); });
}

}  // namespace

DigitScan ScanDigits(std::string_view field) {
    DigitScan scan;
    for (std::size_t at = 0; at < field.size();) {
        const std::size_t length = CharLength(field, at);
        const std::optional<char> digit = DigitAt(field, at, length);
        if (!digit) {
            scan.other = field.substr(at, length);
            break;
        }
        scan.digits += *digit;
        at += length;
    }
    return scan;
}

bool IsExponentForm(std::string_view field) {
    std::size_t at = 0;
    const auto digits = [&] {
        const std::size_t start = at;
        while (at < field.size() && IsAsciiDigit(field[at])) ++at;
        return at > start;
    };
    if (!digits()) return false;
    if (at < field.size() && (field[at] == '.' || field[at] == ',')) {
        ++at;
        digits();
    }
    if (at == field.size() || (field[at] != 'E' && field[at] != 'e')) return false;
    ++at;
    if (at < field.size() && (field[at] == '+' || field[at] == '-')) ++at;
    return digits() && at == field.size();
}

bool LostLeadingZero(std::string_view digits, SymbologyKind kind) {
    if (digits.size() != Describe(kind)->dataDigits) return false;
    std::string withZero = "0";
    withZero += digits;
    return IsValidCode(withZero, kind);
}

bool CCodeLostLeadingZeros(std::string_view cCode) {
    return !cCode.empty() && cCode.size() < kCCodeDigits &&
           std::all_of(cCode.begin(), cCode.end(), [](char c) { return IsAsciiDigit(c); });
}

bool IsHeaderField(std::string_view field) {
    return !IsExponentForm(field) && (HasLetter(field) || !HasDigit(field));
}

std::string ExponentFormMessage(std::size_t codeDigits) {
    return FillMessage(
        "Excel の指数表示です。この CSV からは元の数字に戻せません。元のブックで列の表示形式を"
        "ユーザー定義「%s」にして、保存し直してください",
        std::string(codeDigits, '0'));
}

}  // namespace merrowin
