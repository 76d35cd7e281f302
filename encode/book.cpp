#include "encode/book.h"

#include <algorithm>
#include <cctype>
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

// The registrant (出版者記号) lengths of registration group 4, Japan, by
// the first seven digits after the group: the International ISBN Agency's
// range file (RangeMessage.xml, https://www.isbn-international.org/
// range_file_generation), EAN.UCC prefix 978, registration group 978-4,
// <Rules>: 0000000-1999999 length 2, 2000000-6999999 3, 7000000-8499999 4,
// 8500000-8999999 5, 9000000-9499999 6, 9500000-9999999 7.
struct RegistrantRange {
    std::int32_t first;
    std::int32_t last;
    std::size_t digits;
};
constexpr std::string_view kJapanGroup = "4";
constexpr RegistrantRange kJapanRegistrants[] = {
    {0, 1999999, 2},        // 978-4-00 ... 978-4-19
    {2000000, 6999999, 3},  // 978-4-200 ... 978-4-699
    {7000000, 8499999, 4},  // 978-4-7000 ... 978-4-8499
    {8500000, 8999999, 5},  // 978-4-85000 ... 978-4-89999
    {9000000, 9499999, 6},  // 978-4-900000 ... 978-4-949999
    {9500000, 9999999, 7},  // 978-4-9500000 ... 978-4-9999999
};

// The registrant's length in group 4 for the digits after the group
// (registrant, publication and check digit).
std::size_t JapanRegistrantDigits(std::string_view afterGroup) {
    const std::int32_t window = StrToInt(afterGroup.substr(0, 7));
    for (const RegistrantRange& range : kJapanRegistrants)
        if (window >= range.first && window <= range.last) return range.digits;
    return 0;  // every seven digits lie in one range
}

// The ISBN-10's check digit (modulo 11, weights 10 down to 2; 10 is "X")
// of its nine data digits.
char IsbnTenCheckDigit(std::string_view nine) {
    int sum = 0;
    for (std::size_t i = 0; i < nine.size(); ++i) sum += static_cast<int>(10 - i) * (nine[i] - '0');
    const int check = (11 - sum % 11) % 11;
    return check == 10 ? 'X' : static_cast<char>('0' + check);
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

// Raises MerrowinError unless the hyphens of `isbn` (its groups, the
// prefix first: "978" stands before an ISBN-10's) stand where an ISBN
// puts them: the prefix three digits, the check digit one, no group empty,
// and in group 4 (Japan) the registrant as long as its range says. `ten`:
// the ISBN was written as an ISBN-10.
void CheckGroups(std::string_view isbn, const std::vector<std::string_view>& groups, bool ten) {
    const bool placed =
        groups.size() == kIsbnGroups && groups.front().size() == 3 && groups.back().size() == 1 &&
        std::none_of(groups.begin(), groups.end(), [](auto group) { return group.empty(); });
    if (!placed) throw MerrowinError(IsbnGroupsMessage(isbn));
    if (groups[0] != kIsbnPrefixes[0] || groups[1] != kJapanGroup) return;
    const std::string rest =
        std::string(groups[2]) + std::string(groups[3]) + std::string(groups[4]);
    if (rest.size() != 9 || !AllDigits(rest.substr(0, 8))) return;  // told by the length
    const std::size_t registrant = JapanRegistrantDigits(rest);
    if (groups[2].size() == registrant) return;
    // The right hyphens, shown in the form the ISBN was written in.
    const std::string right = (ten ? "" : std::string(kIsbnPrefixes[0]) + "-") +
                              std::string(kJapanGroup) + "-" + rest.substr(0, registrant) + "-" +
                              rest.substr(registrant, 8 - registrant) + "-" + rest.substr(8);
    throw MerrowinError(IsbnRegistrantMessage(isbn, registrant, right));
}

}  // namespace

std::string IsbnDigits(std::string_view isbn) {
    for (std::size_t at = 0; at < isbn.size();) {
        const std::size_t length = CharLength(isbn, at);
        // An ISBN-10 may end in "X", its check digit 10.
        const bool tenCheck = at + 1 == isbn.size() && (isbn[at] == 'X' || isbn[at] == 'x');
        if (length != 1 || (!IsDigit(isbn[at]) && isbn[at] != '-' && !tenCheck))
            throw MerrowinError(IsbnCharacterMessage(isbn.substr(at, length)));
        at += length;
    }
    const bool hyphenated = isbn.find('-') != std::string_view::npos;
    std::vector<std::string_view> groups = Groups(isbn);
    std::string digits;
    for (const std::string_view group : groups) digits += group;
    digits.erase(std::remove(digits.begin(), digits.end(), '-'), digits.end());
    // An ISBN-10 (before 2007): told with the ISBN-13 it became.
    if (digits.size() == 10 || (!digits.empty() && !IsDigit(digits.back()))) {
        if (hyphenated) {
            groups.insert(groups.begin(), kIsbnPrefixes[0]);
            CheckGroups(isbn, groups, true);
        }
        if (digits.size() != 10)
            throw MerrowinError(IsbnLengthMessage(isbn, digits.size(), hyphenated));
        const char tenCheck = IsbnTenCheckDigit(std::string_view(digits).substr(0, 9));
        if (std::toupper(static_cast<unsigned char>(digits.back())) != tenCheck)
            throw MerrowinError(IsbnTenCheckDigitMessage(isbn, tenCheck));
        const std::string twelve = std::string(kIsbnPrefixes[0]) + digits.substr(0, 9);
        std::string thirteen = twelve + Jan13CheckDigit(twelve);
        if (hyphenated) {
            thirteen = std::string(kIsbnPrefixes[0]);
            for (std::size_t i = 1; i + 1 < groups.size(); ++i)
                thirteen.append("-").append(groups[i]);
            thirteen.append("-").push_back(Jan13CheckDigit(twelve));
        }
        throw MerrowinError(IsbnTenMessage(isbn, thirteen));
    }
    if (hyphenated) {
        CheckGroups(isbn, groups, false);
        if (digits.size() != 13) throw MerrowinError(IsbnLengthMessage(isbn, digits.size(), true));
    } else if (digits.size() != 12 && digits.size() != 13) {
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
std::string IsbnTenMessage(std::string_view isbn, std::string_view thirteen) {
    return FillMessage("ISBN「%s」は 10 桁の ISBN です。書籍JANコードには ", isbn) +
           "978 で始まる 13 桁の ISBN を書きます: " + std::string(thirteen);
}
std::string IsbnTenCheckDigitMessage(std::string_view isbn, char rightDigit) {
    return FillMessage("ISBN「%s」は 10 桁の ISBN ですが、チェックデジットが違います (正しくは ",
                       isbn) +
           std::string(1, rightDigit) + ")";
}
std::string IsbnRegistrantMessage(std::string_view isbn, std::size_t digits,
                                  std::string_view right) {
    return FillMessage("ISBN「%s」のハイフンの位置が違います。", isbn) +
           "この出版者記号は日本 (4) の範囲では " + std::to_string(digits) +
           " 桁です: " + std::string(right);
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
