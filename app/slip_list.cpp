#include "app/slip_list.h"

#include "common/errors.h"

namespace merrowin {
namespace {

// Whether a field is a whole slip: 43 or 44 digits once the printed form's
// parentheses, hyphens and blanks are gone. A 自由使用欄 is at most 21.
bool IsWholeSlip(std::string_view field) {
    std::size_t digits = 0;
    for (const char c : field) {
        if (c >= '0' && c <= '9')
            ++digits;
        else if (c != '(' && c != ')' && c != '-' && c != ' ')
            return false;
    }
    return digits == kSlipDataDigits || digits == kSlipDataDigits + 1;
}

}  // namespace

DataField SlipOfLine(const std::vector<std::string>& columns, const SlipListSettings& settings,
                     std::string& name) {
    const auto column = [&columns](std::size_t index) {
        return index < columns.size() ? columns[index] : std::string();
    };
    std::string data;
    if (IsWholeSlip(column(0))) {
        data = SlipDataDigits(column(0));
        // 44 digits checked as written; 43 take their check digit.
        name = column(1);
    } else {
        if (settings.company.empty()) throw MerrowinError(std::string(kSlipCompanyMissingMessage));
        data = SlipDigitsFromParts({settings.company, column(0), column(1), column(2), column(3),
                                    settings.stampThreshold});
        name = column(4);
    }
    return *MakeDataField({SymbologyKind::PaymentSlip, data, 0, GivenCheck::Verified});
}

}  // namespace merrowin
