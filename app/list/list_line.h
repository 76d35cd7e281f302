// A list line into what a symbol draws: which columns hold the data and
// the file name for each layout of list, and the checks of the data.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/list/csv.h"
#include "model/data_field.h"
#include "model/job.h"

namespace merrowin {

// The layouts of list a batch reads, by what their lines hold. Every
// layout holds its data in the first column (kDataColumn), which the
// survey takes for the encoding's evidence and the header is told by.
enum class ListLayout : std::uint8_t {
    Data,  // the data digits (with or without check digit), the file name
    Book,  // /bk: the ISBN, the Cコード, the price, the file name
    Slip,  // /cv: the slip's digits and the file name, or its parts (app/list/slip_line.h)
};
inline constexpr std::size_t kDataColumn = 0;

// What a batch reads a list as: the switch's kind, the packaging indicator
// (option "id": every data field is a JAN-13 that makes a carton code),
// the format of the files (whose names are judged), the layout, and what
// every line of a payment slip list shares (/cm, /st).
struct ListTerms {
    SymbologyKind kind = SymbologyKind::None;
    std::uint8_t cartonIndicator = 0;
    FileFormat format = FileFormat::Emf;
    ListLayout layout = ListLayout::Data;
    std::string slipCompany{};  // empty when not given
    std::int32_t slipStampThreshold = kSlipStampThreshold;
};
ListTerms ListTermsOf(const BarcodeJob& job);

// The kind of data a list's lines hold: with a packaging indicator a
// JAN-13 that each line makes a carton code of; else the switch's.
SymbologyKind ListDataKind(SymbologyKind kind, std::uint8_t cartonIndicator);

// One line of the list, read and judged.
struct ListLine {
    enum class Kind : std::uint8_t { Blank, Header, Good, Error };
    std::size_t number = 0;  // 1-based, counting every record (the row in Excel)
    Kind kind = Kind::Blank;
    std::string data;   // Good: the data digits and check digit; else the field as written
    DataField field;    // Good: what the symbol draws
    std::string name;   // Good: the file's base name, without ".emf"
    std::string error;  // Error: what is wrong with the line
    BookCode book;      // Good, of a book-code list: both tiers and the 日本図書コード
};

// How the columns of one layout make a line's symbol.
struct ListColumns {
    ListLayout layout;
    // The file name's; the data digits name the file without one. A read
    // that sets `line.name` names the file itself.
    std::size_t nameColumn;
    // The data field of a line's fields, with what else the layout holds
    // put into `line` (the book code). Raises MerrowinError with the
    // line's error. `checkDigitsGiven`: the list's other lines carry their
    // check digit.
    DataField (*read)(const ListFields& fields, const ListTerms& terms, bool checkDigitsGiven,
                      ListLine& line);
};
// A new layout of list is a row of the table in list_line.cpp: its name
// column and its function from the fields to the data field.
const ListColumns& ColumnsOf(ListLayout layout);

// Whether a data field holds the data digits and check digit of `kind`.
bool CarriesCheckDigit(std::string_view field, SymbologyKind kind);

// The data field of a line's data for `kind` (and a carton code's
// `indicator`), from a field of the data digits (of a carton code, the
// JAN-13's 12) or those and their check digit, which must be right;
// full-width digits count. Raises MerrowinError with the line's error for
// anything else: a wrong check digit, Excel's exponent form, and, when
// `checkDigitsGiven`, a field one digit short that a leading 0 makes a
// valid code: a zero Excel dropped.
DataField CheckedData(std::string_view field, SymbologyKind kind, std::uint8_t indicator = 0,
                      bool checkDigitsGiven = false);

std::string NotDigitMessage(std::string_view character);  // データに数字でない文字「%s」があります
inline constexpr std::string_view kNoDataMessage = "データがありません";

}  // namespace merrowin
