// The book code of the Japanese book trade, 書籍JANコード: two JAN-13
// symbols, the ISBN-13 above and, below it, "192", the four-digit
// classification (Cコード), the price before tax in five digits and a check
// digit; and beside them the 日本図書コード, the same numbers as two lines
// of text ("ISBN978-4-949999-12-0" and "C3000 ¥2000E").
//
// The rules follow the guide of the Japan ISBN Agency (日本図書コード管理センター,
// run by the Japan Publishing Organization for Information Infrastructure
// Development, JPO): 『ISBNコード/日本図書コード/書籍JANコード 利用の手引き』
// 2010年版, pp. 13-29, summarised at
// https://isbn.jpo.or.jp/index.php/fix__about/fix__about_3/ . Its worked
// example is ISBN 978-4-949999-12-0, C3000, ¥2000: symbols 9784949999120
// and 1923000020009.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace merrowin {

// The ISBN-13's prefixes (the EAN "Bookland" ranges) and the flag that
// opens the lower symbol.
inline constexpr std::string_view kIsbnPrefixes[] = {"978", "979"};
inline constexpr std::string_view kBookPriceFlag = "192";
// An ISBN written with hyphens has five groups: prefix, registration group,
// registrant (出版者記号), publication (書名記号) and check digit.
inline constexpr std::size_t kIsbnGroups = 5;
inline constexpr std::size_t kCCodeDigits = 4;
// The price before tax in yen, five digits in the lower symbol. A book of
// 100,000 yen or more, or one without a fixed price, carries 00000.
inline constexpr std::size_t kBookPriceDigits = 5;
inline constexpr std::int32_t kHighestBookPrice = 99999;

// One title's book code: what the two symbols and the two text lines carry.
struct BookCode {
    std::string isbn;       // the ISBN-13's 13 digits: the upper symbol
    std::string priceCode;  // "192", Cコード, price in five digits, check digit: the lower symbol
    std::string isbnLine;   // "ISBN" and the ISBN as written, or its 13 digits when unhyphenated
    std::string priceLine;  // "C", Cコード, a blank, "¥", the price without leading zeros, "E"
};

// The 13 digits of an ISBN-13 written as 12 or 13 digits, or with hyphens
// between its five groups (then with its check digit; in group 4, Japan,
// the registrant as long as the ISBN agency's ranges say). An ISBN-10 is
// refused with the ISBN-13 it became. Raises MerrowinError with one of the
// messages below.
std::string IsbnDigits(std::string_view isbn);

// The Cコード as given: exactly four ASCII digits, or MerrowinError.
std::string CheckedCCode(std::string_view cCode);

// The price before tax: one to five ASCII digits, or MerrowinError.
std::int32_t CheckedBookPrice(std::string_view price);

// The lower symbol's 13 digits for a checked Cコード and price.
std::string BookPriceCode(std::string_view cCode, std::int32_t price);

// Both symbols and both text lines of a title, every part checked as above
// (the ISBN first, then the Cコード, then the price).
BookCode MakeBookCode(std::string_view isbn, std::string_view cCode, std::string_view price);

// The refusals, in the words the error box shows.
std::string IsbnCharacterMessage(std::string_view character);  // ISBN に数字でない文字「%s」…
std::string IsbnGroupsMessage(std::string_view isbn);  // ISBN「%s」のハイフンの位置…
std::string IsbnLengthMessage(std::string_view isbn, std::size_t digits, bool hyphenated);
std::string IsbnPrefixMessage(std::string_view isbn);  // ISBN「%s」は 978 か 979 で…
// An ISBN-10 told with the ISBN-13 it became: ISBN「%s」は 10 桁の ISBN です…
std::string IsbnTenMessage(std::string_view isbn, std::string_view thirteen);
std::string IsbnTenCheckDigitMessage(std::string_view isbn, char rightDigit);
// A registrant of group 4 cut at another length than its range's.
std::string IsbnRegistrantMessage(std::string_view isbn, std::size_t digits,
                                  std::string_view right);
std::string IsbnCheckDigitMessage(char rightDigit);  // ISBN のチェックデジットが違います…
std::string CCodeMessage(std::string_view cCode);      // Cコード「%s」は使えません…
std::string BookPriceMessage(std::string_view price);  // 本体価格「%s」は使えません…
// A list's Cコード of fewer than four digits: Excel drops leading zeros.
std::string CCodeDroppedZeroMessage(std::string_view cCode);
inline constexpr std::string_view kBookOptionKindMessage =
    "/cc (Cコード) と /pr (本体価格) は書籍JANコード (/bk) でだけ使えます";
inline constexpr std::string_view kBookPartsMessage =
    "書籍JANコード (/bk) には Cコード (/cc) と本体価格 (/pr) を指定してください";

}  // namespace merrowin
