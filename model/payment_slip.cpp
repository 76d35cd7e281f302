#include "model/payment_slip.h"

#include "common/errors.h"
#include "common/text.h"
#include "encode/check_digit.h"
#include "model/data_field.h"

namespace merrowin {
namespace {

constexpr std::string_view kAi = "91";
constexpr std::string_view kNoDeadline = "999999";

// The text without the blanks and tabs around it.
std::string Trim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

bool AllDigits(std::string_view text) {
    for (const char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

int Number(std::string_view digits) {
    int value = 0;
    for (const char c : digits) value = value * 10 + (c - '0');
    return value;
}

std::string TwoDigits(int value) {
    return std::string{static_cast<char>('0' + value / 10 % 10),
                       static_cast<char>('0' + value % 10)};
}

// Whether 20yy-mm-dd is a day of the Gregorian calendar.
bool IsDate(int yy, int mm, int dd) {
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (mm < 1 || mm > 12 || dd < 1) return false;
    const int year = 2000 + yy;
    const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
    return dd <= kDays[mm - 1] + (mm == 2 && leap ? 1 : 0);
}

bool IsDeadline(std::string_view yymmdd) {
    return yymmdd == kNoDeadline || IsDate(Number(yymmdd.substr(0, 2)), Number(yymmdd.substr(2, 2)),
                                           Number(yymmdd.substr(4, 2)));
}

// The digits of a value written as the printed lines are: a leading "(91)"
// loses its parentheses, hyphens and blanks go.
std::string StripPrinted(std::string_view written) {
    std::string text(written);
    if (text.starts_with("(91)")) text = "91" + text.substr(4);
    std::string digits;
    for (std::size_t at = 0; at < text.size(); at += CharLength(text, at)) {
        const char c = text[at];
        if (c == '-' || c == ' ') continue;
        if (c < '0' || c > '9') throw ConversionError(text.substr(at, CharLength(text, at)));
        digits += c;
    }
    return digits;
}

// A yen sign in front of an amount: ¥ (U+00A5), ￥ (U+FFE5), or the
// backslash that Shift-JIS holds in its place.
std::string_view WithoutYen(std::string_view text) {
    for (const std::string_view sign : {"\u00A5", "\uFFE5", "\\"})
        if (text.starts_with(sign)) return text.substr(sign.size());
    return text;
}

}  // namespace

void CheckCompanyCode(std::string_view company) {
    if (company.size() != 6 || !AllDigits(company) || (company[0] != '5' && company[0] != '9'))
        throw MerrowinError(CompanyCodeMessage(company));
}

void CheckSlipFields(std::string_view data) {
    if (data.substr(0, 2) != kAi) throw MerrowinError(std::string(kSlipAiMessage));
    CheckCompanyCode(data.substr(2, 6));
    const std::string_view deadline = data.substr(30, 6);
    if (!IsDeadline(deadline)) throw MerrowinError(DeadlineMessage(deadline));
    const std::string_view stamp = data.substr(36, 1);
    if (stamp != "0" && stamp != "1") throw MerrowinError(StampFlagMessage(stamp));
}

std::string SlipDataDigits(std::string_view written) {
    const std::string digits = StripPrinted(written);
    if (digits.size() != kSlipDataDigits && digits.size() != kSlipDataDigits + 1)
        throw MerrowinError(DigitCountMessage(digits.size(), kSlipDataDigits));
    const std::string data = digits.substr(0, kSlipDataDigits);
    CheckSlipFields(data);
    const char check = static_cast<char>('0' + CheckDigitOfData(data));
    if (digits.size() == kSlipDataDigits + 1 && digits.back() != check)
        throw MerrowinError(CheckDigitMessage(check));
    return data;
}

std::string SlipDeadline(std::string_view written) {
    const std::string text = Trim(written);
    if (text.empty()) return std::string(kNoDeadline);
    // yyyy, then month and day of one or two digits, by one separator.
    const char separator = text.size() > 4 ? text[4] : '\0';
    const std::size_t second = text.find(separator, 5);
    const auto refuse = [&] { return MerrowinError(DeadlineMessage(written)); };
    if ((separator != '/' && separator != '-') || second == std::string::npos) throw refuse();
    const std::string_view year = std::string_view(text).substr(0, 4);
    const std::string_view month = std::string_view(text).substr(5, second - 5);
    const std::string_view day = std::string_view(text).substr(second + 1);
    for (const std::string_view part : {year, month, day})
        if (part.empty() || !AllDigits(part)) throw refuse();
    if (month.size() > 2 || day.size() > 2 || Number(year) < 2000 || Number(year) > 2099 ||
        !IsDate(Number(year) - 2000, Number(month), Number(day)))
        throw refuse();
    return TwoDigits(Number(year) - 2000) + TwoDigits(Number(month)) + TwoDigits(Number(day));
}

std::int32_t SlipAmount(std::string_view written) {
    const std::string trimmed = Trim(written);
    const std::string_view text = WithoutYen(trimmed);
    // Digits, or groups of three after the first behind commas.
    std::string digits;
    std::size_t group = 0;
    bool grouped = false;
    for (const char c : text) {
        if (c == ',') {
            if (digits.empty() || (grouped && group != 3) || (!grouped && group > 3))
                throw MerrowinError(AmountMessage(written));
            grouped = true;
            group = 0;
        } else if (c >= '0' && c <= '9') {
            digits += c;
            ++group;
        } else {
            throw MerrowinError(AmountMessage(written));
        }
    }
    if (digits.empty() || (grouped && group != 3) || digits.size() > 6 ||
        Number(digits) > kSlipLargestAmount)
        throw MerrowinError(AmountMessage(written));
    return Number(digits);
}

std::string SlipDigitsFromParts(const SlipParts& parts) {
    CheckCompanyCode(parts.company);
    const std::string freeUse = Trim(parts.freeUse);
    if (freeUse.size() > kSlipFreeUseDigits || !AllDigits(freeUse))
        throw MerrowinError(FreeUseMessage(parts.freeUse));
    const std::string reissue = Trim(parts.reissue);
    if (reissue.size() > 1 || !AllDigits(reissue))
        throw MerrowinError(ReissueMessage(parts.reissue));
    const std::string deadline = SlipDeadline(parts.deadline);
    const std::int32_t amount = SlipAmount(parts.amount);
    std::string amountDigits = std::to_string(amount);
    amountDigits.insert(0, 6 - amountDigits.size(), '0');
    std::string data = std::string(kAi) + std::string(parts.company) + freeUse;
    data.append(kSlipFreeUseDigits - freeUse.size(), '0');
    data += reissue.empty() ? "0" : reissue;
    data += deadline;
    data += amount >= parts.stampThreshold ? '1' : '0';
    data += amountDigits;
    return data;
}

std::array<std::string, 2> SlipTextLines(std::string_view code) {
    // Appended piece by piece: GCC 12's -Wrestrict wrongly flags operator+
    // on a literal when optimised.
    std::array<std::string, 2> lines;
    lines[0].append("(").append(code.substr(0, 2)).append(")").append(code.substr(2, 6));
    lines[0].append("-").append(code.substr(8, 22));
    lines[1].append(code.substr(30, 6)).append("-").append(code.substr(36, 1)).append("-");
    lines[1].append(code.substr(37, 6)).append("-").append(code.substr(43, 1));
    return lines;
}

std::string CompanyCodeMessage(std::string_view value) {
    return FillMessage(
        "請求書発行企業コード '%s' は使えません。9 か 5 で始まる 6 桁です "
        "(JAN メーカーコードの先頭の 4 を除いたもの)",
        value);
}

std::string DeadlineMessage(std::string_view value) {
    return FillMessage("支払期限日 '%s' は日付ではありません (期限なしは 999999 か空欄)", value);
}

std::string StampFlagMessage(std::string_view value) {
    return FillMessage("印紙フラグ '%s' は 0 か 1 です", value);
}

std::string FreeUseMessage(std::string_view value) {
    return FillMessage("自由使用欄 '%s' は 21 桁までの数字です", value);
}

std::string ReissueMessage(std::string_view value) {
    return FillMessage("再発行区分 '%s' は 0～9 の 1 桁です", value);
}

std::string AmountMessage(std::string_view value) {
    return FillMessage("支払金額 '%s' は 0～999,999 円の金額ではありません", value);
}

}  // namespace merrowin
