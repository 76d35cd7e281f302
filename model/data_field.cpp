#include "model/data_field.h"

#include "common/errors.h"
#include "common/text.h"
#include "encode/check_digit.h"
#include "model/payment_slip.h"
#include "model/symbology.h"

namespace merrowin {
namespace {

// The check digit of data digits behind the zero fill of `symbology`.
char CheckOf(const SymbologyDescriptor& symbology, std::string_view data) {
    return static_cast<char>('0' + CheckDigit(std::string(symbology.zeroFill) + std::string(data)));
}

// The data digits of `symbology` from a value of digits only, verified as
// GivenCheck::Verified says.
std::string VerifiedData(const SymbologyDescriptor& symbology, std::string_view value) {
    const std::size_t count = symbology.dataDigits;
    if (value.size() != count && value.size() != count + 1)
        throw MerrowinError(DigitCountMessage(value.size(), count));
    const std::string_view data = value.substr(0, count);
    if (value.size() == count + 1) {
        const char check = CheckOf(symbology, data);
        if (value.back() != check) throw MerrowinError(CheckDigitMessage(check));
    }
    return std::string(data);
}

// Raises ConversionError naming the first character of `text` that is not
// a decimal digit.
void RequireDigits(std::string_view text) {
    for (std::size_t at = 0; at < text.size(); at += CharLength(text, at))
        if (text[at] < '0' || text[at] > '9')
            throw ConversionError(text.substr(at, CharLength(text, at)));
}

}  // namespace

std::optional<DataField> MakeDataField(const DataRequest& request) {
    const SymbologyDescriptor* symbology = Describe(request.kind);
    if (!symbology) return std::nullopt;
    DataField field;
    if (request.kind == SymbologyKind::PaymentSlip) {
        // The slip's fields are checked whatever is asked: a slip with a
        // wrong digit sends the payment to another bill.
        field.input = SlipDataDigits(request.data);
        field.digits = field.input;
        field.checkDigit = static_cast<char>('0' + CheckDigitOfData(field.input));
        return field;
    }
    if (request.indicator != 0) {
        // A carton code: the indicator and the first 12 digits of the JAN
        // inside; the JAN's own check digit plays no part beyond its check.
        RequireDigits(request.data);
        field.input = IntToStr(request.indicator) +
                      VerifiedData(*Describe(SymbologyKind::Jan13), request.data);
    } else if (request.check == GivenCheck::Verified) {
        RequireDigits(request.data);
        field.input = VerifiedData(*symbology, request.data);
    } else {
        if (CountChars(request.data) < symbology->dataDigits) return std::nullopt;
        field.input = CharRange(request.data, 1, symbology->dataDigits);
        RequireDigits(field.input);
    }
    field.digits = std::string(symbology->zeroFill) + field.input;
    field.checkDigit = CheckOf(*symbology, field.input);
    return field;
}

void FillJob(const DataField& field, BarcodeJob& job) {
    job.Digits = field.digits;
    job.InputDigits = field.input;
    job.CheckDigit = field.checkDigit;
    if (!job.FileNameGiven) job.FileName = field.Code();
}

bool IsValidCode(std::string_view digits, SymbologyKind kind) {
    const SymbologyDescriptor& symbology = *Describe(kind);
    for (const char c : digits)
        if (c < '0' || c > '9') return false;
    return digits.size() == symbology.dataDigits + 1 &&
           CheckOf(symbology, digits.substr(0, symbology.dataDigits)) == digits.back();
}

std::string CheckDigitMessage(char rightDigit) {
    return "チェックデジットが違います (正しくは " + std::string(1, rightDigit) + ")";
}

std::string DigitCountMessage(std::size_t count, std::size_t dataDigits) {
    return "データが " + std::to_string(count) + " 桁です (" + std::to_string(dataDigits) +
           " 桁、またはチェックデジット付きの " + std::to_string(dataDigits + 1) + " 桁)";
}

}  // namespace merrowin
