// The record of one generation run, filled by the switch, the stored
// settings and the command-line options, then drawn and written out.
#pragma once

#include <cstdint>
#include <string>

#include "encode/book.h"
#include "model/file_format.h"
#include "model/payment_slip.h"

namespace merrowin {

enum class SymbologyKind : std::uint8_t {
    None = 0,  // the switch was not recognised
    Jan13 = 1,
    Jan8 = 2,
    Itf14 = 3,
    Itf16 = 4,
    PaymentSlip = 5,  // the convenience-store payment slip, GS1-128 (model/payment_slip.h)
};

constexpr bool IsJan(SymbologyKind kind) {
    return kind == SymbologyKind::Jan13 || kind == SymbologyKind::Jan8;
}
constexpr bool IsItf(SymbologyKind kind) {
    return kind == SymbologyKind::Itf14 || kind == SymbologyKind::Itf16;
}

// Field names follow the domain; every field starts zeroed, false or empty.
struct BarcodeJob {
    SymbologyKind Kind = SymbologyKind::None;
    std::string Digits;             // 15 characters: zero fill + data, no check digit
    char CheckDigit = '\0';         // of Digits, '0' to '9'; none before the data field is made
    std::uint8_t TopMargin = 0;     // modules
    std::uint8_t BottomMargin = 0;  // modules
    std::uint8_t InnerMargin = 0;   // modules, ITF quiet zone
    std::uint8_t LeftMargin = 0;    // modules
    std::uint8_t RightMargin = 0;   // modules
    std::int32_t CopyRate = 0;      // percent
    std::int32_t BarHeight = 0;     // modules
    std::uint8_t Gap = 0;           // drawing units
    std::uint8_t FrameWidth = 0;    // modules
    std::uint8_t FontSize = 0;      // drawing units
    std::int32_t ModuleWidth = 0;   // .01 mm, command line only; 0: the screen decides
    std::int32_t DotsPerInch = 0;   // the printer's, command line only; 0: no dot grid
    std::int32_t BarReduction = 0;  // micrometres off every bar, command line only
    bool ExtendedGuards = false;
    bool PrefixedText = false;
    bool NoText = false;
    bool BearerFrame = false;
    bool BearerBarsOnly = false;  // with BearerFrame: the bars above and below, no sides
    bool SaveFile = false;
    bool FileNameGiven = false;
    bool NoClipboard = false;
    bool DrChk = false;
    bool OutlinedText = false;  // the digits as filled OCR-B outlines, command line only
    std::string FileName;       // no folder; the format's extension is added unless it ends so
    FileFormat Format = FileFormat::Emf;  // of the saved file (/fm), command line only
    std::string InputDigits;              // the data characters as given
    std::string DataValue;             // the value of "cd" as written, read again when "id" follows
    std::string SaveDr;                // folder of the saved file; empty: default
    std::uint8_t CartonIndicator = 0;  // ITF-14 from a JAN: the packaging indicator 1-8; 0 none
    std::string AddOn;                 // JAN-13: the add-on's 2 or 5 digits; empty none
    // The book code (/bk): a JAN-13 job whose Digits are the ISBN's, drawn
    // over a second JAN-13 of 192, the Cコード and the price, with the
    // 日本図書コード beside them.
    bool Book = false;
    std::string BookCCode;  // the Cコード of "cc", checked; empty until given
    std::string BookPrice;  // the price of "pr" as written, checked; empty until given
    BookCode BookParts;     // both symbols' digits and both text lines, once cd, cc and pr are in
    // A biller's list of payment slips (/cv /bt): the company code given
    // once (/cm) and the amount from which the stamp flag is 1 (/st).
    std::string SlipCompany;
    std::int32_t SlipStampThreshold = kSlipStampThreshold;
};

// The sizes of a job that options and stored settings set.
enum class SizeField : std::uint8_t {
    BarHeight,
    TopMargin,
    BottomMargin,
    LeftMargin,
    RightMargin,
    InnerMargin,
    Gap,
    FrameWidth,
    FontSize,
    CopyRate,
    ModuleWidth,   // command line only, never stored
    DotsPerInch,   // command line only, never stored
    BarReduction,  // command line only, never stored
};

// A number as the job's field keeps it: BarHeight and CopyRate whole, the
// 8-bit fields its low eight bits (300 -> 44, -1 -> 255).
std::int32_t NarrowToField(SizeField field, std::int32_t value);

// Stores a number into the job's field, narrowed as NarrowToField says.
void SetJobField(BarcodeJob& job, SizeField field, std::int32_t value);

// The number the job keeps in a size field.
std::int32_t JobField(const BarcodeJob& job, SizeField field);

}  // namespace merrowin
