// A list line's columns into the data field of its symbol and its file name.
#include "app/list/list_line.h"

#include <algorithm>
#include <iterator>

#include "app/list/excel.h"
#include "app/list/slip_line.h"
#include "common/errors.h"
#include "encode/book.h"
#include "model/symbology.h"

namespace merrowin {
namespace {

// The columns of a list of data digits: the data, then the file name.
constexpr std::size_t kDataNameColumn = kDataColumn + 1;

// The data field of a line of data digits.
DataField DataOfLine(const ListFields& fields, const ListTerms& terms, bool checkDigitsGiven,
                     ListLine&) {
    return CheckedData(fields.Column(kDataColumn), terms.kind, terms.cartonIndicator,
                       checkDigitsGiven);
}

// The columns of a book-code list.
enum BookColumn : std::size_t {
    kIsbnColumn = kDataColumn,
    kCCodeColumn,
    kPriceColumn,
    kBookNameColumn
};

// The book code of a line (ISBN, Cコード, price) into `line`, and the data
// field of its upper tier. An ISBN in Excel's exponent form and a Cコード
// that lost its leading zeros in Excel are told as such.
DataField BookOfLine(const ListFields& fields, const ListTerms&, bool, ListLine& line) {
    const std::string isbn = HalfWidth(fields.Column(kIsbnColumn));
    if (isbn.empty()) throw MerrowinError(std::string(kNoDataMessage));
    if (IsExponentForm(isbn)) throw MerrowinError(ExponentFormMessage(13));
    const std::string cCode = HalfWidth(fields.Column(kCCodeColumn));
    if (CCodeLostLeadingZeros(cCode)) throw MerrowinError(CCodeDroppedZeroMessage(cCode));
    line.book = MakeBookCode(isbn, cCode, HalfWidth(fields.Column(kPriceColumn)));
    return *MakeDataField({SymbologyKind::Jan13, line.book.isbn, 0, GivenCheck::Verified});
}

constexpr ListColumns kListColumns[] = {
    {ListLayout::Data, kDataNameColumn, DataOfLine},
    {ListLayout::Book, kBookNameColumn, BookOfLine},
    {ListLayout::Slip, kSlipPartsNameColumn, SlipOfLine},
};

}  // namespace

ListTerms ListTermsOf(const BarcodeJob& job) {
    const ListLayout layout = job.Book                                 ? ListLayout::Book
                              : job.Kind == SymbologyKind::PaymentSlip ? ListLayout::Slip
                                                                       : ListLayout::Data;
    return {job.Kind, job.CartonIndicator, job.Format,
            layout,   job.SlipCompany,     job.SlipStampThreshold};
}

SymbologyKind ListDataKind(SymbologyKind kind, std::uint8_t cartonIndicator) {
    return cartonIndicator != 0 ? SymbologyKind::Jan13 : kind;
}

const ListColumns& ColumnsOf(ListLayout layout) {
    const auto* row = std::find_if(std::begin(kListColumns), std::end(kListColumns),
                                   [layout](const ListColumns& r) { return r.layout == layout; });
    return row != std::end(kListColumns) ? *row : kListColumns[0];
}

bool CarriesCheckDigit(std::string_view field, SymbologyKind kind) {
    const DigitScan scan = ScanDigits(field);
    return scan.other.empty() && scan.digits.size() == Describe(kind)->dataDigits + 1;
}

DataField CheckedData(std::string_view field, SymbologyKind kind, std::uint8_t indicator,
                      bool checkDigitsGiven) {
    if (field.empty()) throw MerrowinError(std::string(kNoDataMessage));
    const SymbologyKind dataKind = ListDataKind(kind, indicator);
    if (IsExponentForm(field))
        throw MerrowinError(ExponentFormMessage(Describe(dataKind)->dataDigits + 1));
    const DigitScan scan = ScanDigits(field);
    if (!scan.other.empty()) throw MerrowinError(NotDigitMessage(scan.other));
    // Among lines that carry their check digit, a line one digit short
    // lost its leading zero in Excel when a 0 in front makes a valid code;
    // otherwise it is the data digits alone.
    if (checkDigitsGiven && LostLeadingZero(scan.digits, dataKind))
        throw MerrowinError(std::string(kDroppedZeroMessage));
    return *MakeDataField({kind, scan.digits, indicator, GivenCheck::Verified});
}

std::string NotDigitMessage(std::string_view character) {
    return FillMessage("データに数字でない文字「%s」があります", character);
}

}  // namespace merrowin
