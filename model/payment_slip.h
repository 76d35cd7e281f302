// The convenience-store payment slip's data (コンビニ収納用バーコード): the 44
// digits of GS1 Japan's 「GS1-128 による標準料金代理収納ガイドライン」
// (2014 edition, 2. バーコードの表示), checked field by field, from what the
// command line gives (the digits, or the two lines as printed) or from the
// parts a biller's list gives.
//
//   digits  field
//    1- 2   91, the application identifier: a company-internal AI (91-99),
//           which the guideline fixes for this use
//    3- 8   請求書発行企業コード: the biller's 7-digit JAN maker code without
//           its leading 4 (45xxxxx, 49xxxxx), so 5 or 9 first; the old
//           5-digit maker code as 9 or 5 and its five digits
//    9-29   自由使用欄, the biller's own 21 digits, filled with 0 on the right
//   30      再発行区分: how often the slip was reissued, 0-9
//   31-36   支払期限日 YYMMDD, 999999 for none
//   37      印紙フラグ: 1 when the store must put a revenue stamp on the receipt
//   38-43   支払金額 in yen, zero-filled
//   44      check digit: GS1 modulo 10 over digits 1-43, "91" included
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace merrowin {

// The digits before the check digit.
inline constexpr std::size_t kSlipDataDigits = 43;
inline constexpr std::size_t kSlipFreeUseDigits = 21;

// A receipt for money of 50,000 yen or more carries revenue stamp duty; below
// it is free (印紙税法 別表第一 第17号文書 非課税物件, the limit raised from
// 30,000 to 50,000 yen for receipts made on or after 1 April 2014 by the 2013
// tax reform; National Tax Agency leaflet 「印紙税の非課税範囲の拡大」). The
// biller may set another limit (/st): the duty is judged on the amount before
// consumption tax when the receipt shows the tax apart.
inline constexpr std::int32_t kSlipStampThreshold = 50000;
inline constexpr std::int32_t kSlipLargestAmount = 999999;

// What a biller's list line gives, with the company code of the command
// line. Empty reissue: 0; empty deadline: none (999999).
struct SlipParts {
    std::string_view company;   // 6 digits (/cm)
    std::string_view freeUse;   // up to 21 digits
    std::string_view deadline;  // as Excel writes a date: 2027/01/31, 2027-01-31
    std::string_view amount;    // 12300, 12,300, ¥12,300
    std::string_view reissue;   // one digit
    std::int32_t stampThreshold = kSlipStampThreshold;
};

// The 43 data digits of a slip as written on the command line: the digits,
// or the printed lines' form ("(91)", hyphens and blanks); 43 digits take
// their check digit, 44 have it verified. Raises, in this order,
// ConversionError (a character that is none of these), DigitCountMessage,
// and the field refusals below, then CheckDigitMessage.
std::string SlipDataDigits(std::string_view written);

// The 43 data digits made from a list line's parts, the stamp flag from the
// amount and the threshold. Raises the field refusals below.
std::string SlipDigitsFromParts(const SlipParts& parts);

// Raises the refusal of the first field of 43 data digits that breaks the
// guideline: not 91, the company code, the deadline, the stamp flag.
void CheckSlipFields(std::string_view data);

// The biller's company code (/cm) checked: 6 digits, 5 or 9 first.
void CheckCompanyCode(std::string_view company);

// A deadline as Excel writes a date (yyyy/mm/dd, yyyy-mm-dd, months and
// days with or without their zero), 2000 to 2099, as YYMMDD; blank is
// 999999.
std::string SlipDeadline(std::string_view written);

// An amount as a list gives it: digits, with commas between groups of three
// and a yen sign in front (¥, ￥, or the backslash a Shift-JIS list holds
// there), at most 999,999.
std::int32_t SlipAmount(std::string_view written);

// The two lines printed under the bars from the 44 digits:
// "(91)912345-0123456789012345678901" and "010331-0-123000-3".
std::array<std::string, 2> SlipTextLines(std::string_view code);

// Refusals, in the user's words.
inline constexpr std::string_view kSlipAiMessage =
    "コンビニ収納用バーコードのデータは 91 で始まります";
std::string CompanyCodeMessage(std::string_view value);  // 請求書発行企業コード '%s' は…
std::string DeadlineMessage(std::string_view value);  // 支払期限日 '%s' は日付ではありません…
std::string StampFlagMessage(std::string_view value);  // 印紙フラグ '%s' は 0 か 1 です
std::string FreeUseMessage(std::string_view value);  // 自由使用欄 '%s' は 21 桁までの数字です
std::string ReissueMessage(std::string_view value);  // 再発行区分 '%s' は 0～9 の 1 桁です
std::string AmountMessage(std::string_view value);  // 支払金額 '%s' は 0～999,999 円の…

}  // namespace merrowin
