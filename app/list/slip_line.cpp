// A payment slip list's line, whole or by parts, into the slip's data field.
#include "app/list/slip_line.h"

#include "common/errors.h"
#include "common/text.h"
#include "model/payment_slip.h"

namespace merrowin {
namespace {

// The columns of a line by parts.
enum SlipColumn : std::size_t {
    kFreeColumn = kDataColumn,
    kDeadlineColumn,
    kAmountColumn,
    kReissueColumn,
};
static_assert(kReissueColumn + 1 == kSlipPartsNameColumn);

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

DataField SlipOfLine(const ListFields& fields, const ListTerms& terms, bool, ListLine& line) {
    // Digits typed full-width (an IME's) count in the parts; the name keeps them.
    const auto part = [&fields](std::size_t column) { return HalfWidth(fields.Column(column)); };
    std::string data;
    if (IsWholeSlip(part(kDataColumn))) {
        // 44 digits checked as written; 43 take their check digit.
        data = SlipDataDigits(part(kDataColumn));
        line.name = fields.Column(kDataColumn + 1);
    } else {
        if (terms.slipCompany.empty()) throw MerrowinError(std::string(kSlipCompanyMissingMessage));
        data = SlipDigitsFromParts({terms.slipCompany, part(kFreeColumn), part(kDeadlineColumn),
                                    part(kAmountColumn), part(kReissueColumn),
                                    terms.slipStampThreshold});
    }
    return *MakeDataField({SymbologyKind::PaymentSlip, data, 0, GivenCheck::Verified});
}

}  // namespace merrowin
