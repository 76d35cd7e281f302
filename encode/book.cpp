#include "encode/book.h"

#include <algorithm>
#include <vector>

#include "common/errors.h"
#include "common/text.h"
#include "encode/check_digit.h"

namespace merrowin {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool AllDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), IsDigit);
}

// The check digit of a JAN-13's 12 data digits.
char Jan13CheckDigit(std::string_view twelve) {
    return static_cast<char>('0' + CheckDigitOfData(twelve));
}

// The groups between hyphens, empty ones included.
std::vector<std::string_view> Groups(std::string_view isbn) {
    std::vector<std::string_view> groups;
    for (std::size_t start = 0;;) {
        const std::size_t hyphen = isbn.find('-', start);
        groups.push_back(isbn.substr(start, hyphen - start));
        if (hyphen == std::string_view::npos) return groups;
        start = hyphen + 1;
    }
}

}  // namespace

std::string IsbnDigits(std::string_view isbn) {
    for (std::size_t at = 0; at < isbn.size();) {
        const std::size_t length = CharLength(isbn, at);
        if (length != 1 || (!IsDigit(isbn[at]) && isbn[at] != '-'))
            throw MerrowinError(IsbnCharacterMessage(isbn.substr(at, length)));
        at += length;
    }
    const bool hyphenated = isbn.find('-') != std::string_view::npos;
    std::string digits;
    if (hyphenated) {
        const std::vector<std::string_view> groups = Groups(isbn);
        // The prefix is three digits and the check digit one; the groups
        // between them vary in length with the registrant's size.
        const bool placed =
            groups.size() == kIsbnGroups && groups.front().size() == 3 &&
            groups.back().size() == 1 &&
            std::none_of(groups.begin(), groups.end(), [](auto group) { return group.empty(); });
        if (!placed) throw MerrowinError(IsbnGroupsMessage(isbn));
        for (const std::string_view group : groups) digits += group;
        if (digits.size() != 13) throw MerrowinError(IsbnLengthMessage(isbn, digits.size(), true));
    } else {
        digits = isbn;
        if (digits.size() != 12 && digits.size() != 13)
            throw MerrowinError(IsbnLengthMessage(isbn, digits.size(), false));
    }
    const std::string_view prefix = std::string_view(digits).substr(0, 3);
    if (std::find(std::begin(kIsbnPrefixes), std::end(kIsbnPrefixes), prefix) ==
        std::end(kIsbnPrefixes))
        throw MerrowinError(IsbnPrefixMessage(isbn));
    const char check = Jan13CheckDigit(std::string_view(digits).substr(0, 12));
    if (digits.size() == 13 && digits.back() != check)
        throw MerrowinError(IsbnCheckDigitMessage(check));
    return digits.substr(0, 12) + check;
}

std::string CheckedCCode(std::string_view cCode) {
    if (cCode.size() != kCCodeDigits || !AllDigits(cCode)) throw MerrowinError(CCodeMessage(cCode));
    return std::string(cCode);
}

std::int32_t CheckedBookPrice(std::string_view price) {
    if (price.empty() || price.size() > kBookPriceDigits || !AllDigits(price))
        throw MerrowinError(BookPriceMessage(price));
    return StrToInt(price);  // five digits at most: never beyond kHighestBookPrice
}

std::string BookPriceCode(std::string_view cCode, std::int32_t price) {
    std::string digits = IntToStr(price);
    digits.insert(0, kBookPriceDigits - digits.size(), '0');
    const std::string data = std::string(kBookPriceFlag) + std::string(cCode) + digits;
    return data + Jan13CheckDigit(data);
}

BookCode MakeBookCode(std::string_view isbn, std::string_view cCode, std::string_view price) {
    BookCode book;
    book.isbn = IsbnDigits(isbn);
    const std::string code = CheckedCCode(cCode);
    const std::int32_t yen = CheckedBookPrice(price);
    book.priceCode = BookPriceCode(code, yen);
    // The guide prints the ISBN as its hyphenated form; without hyphens
    // there are no groups to show, so the line is the digits alone.
    const bool hyphenated = isbn.find('-') != std::string_view::npos;
    book.isbnLine = "ISBN" + (hyphenated ? std::string(isbn) : book.isbn);
    // "C", the code, one blank, the yen sign U+00A5, the price as written
    // in figures and "E" (本体価格, before tax): "C0193 ¥820E".
    book.priceLine = "C" + code + " \u00A5" + IntToStr(yen) + "E";
    return book;
}

std::string IsbnCharacterMessage(std::string_view character) {
    return FillMessage("ISBN に数字でない文字「%s」があります", character);
}
std::string IsbnGroupsMessage(std::string_view isbn) {
    return FillMessage(
        "ISBN「%s」のハイフンの位置が違います。978-4-949999-12-0 のように 5 つに区切るか、"
        "数字だけで書いてください",
        isbn);
}
std::string IsbnLengthMessage(std::string_view isbn, std::size_t digits, bool hyphenated) {
    const std::string count =
        FillMessage("ISBN「%s」の数字が ", isbn) + std::to_string(digits) + " 桁です";
    return count + (hyphenated
                        ? " (ハイフンで区切るときはチェックデジットまでの 13 桁)"
                        : " (978 か 979 で始まる 13 桁、またはチェックデジットを除いた 12 桁)");
}
std::string IsbnPrefixMessage(std::string_view isbn) {
    return FillMessage("ISBN「%s」は 978 か 979 で始まっていません", isbn);
}
std::string IsbnCheckDigitMessage(char rightDigit) {
    return FillMessage("ISBN のチェックデジットが違います (正しくは %s)",
                       std::string(1, rightDigit));
}
std::string CCodeMessage(std::string_view cCode) {
    return FillMessage("Cコード「%s」は使えません。Cコードは 4 桁の数字です (C0193 なら 0193)",
                       cCode);
}
std::string CCodeDroppedZeroMessage(std::string_view cCode) {
    return FillMessage(
        "Cコード「%s」が 4 桁ありません。先頭の 0 が消えていませんか "
        "(Excel では列を文字列にして保存し直してください)",
        cCode);
}
std::string BookPriceMessage(std::string_view price) {
    return FillMessage(
        "本体価格「%s」は使えません。本体価格は税抜きの 0～99999 円を数字だけで書きます "
        "(¥ や 円 は付けません)",
        price);
}

}  // namespace merrowin
