// A biller's list of payment slips (/cv /bt): each line either the slip's
// 43 or 44 digits (as digits or as the printed lines) and optionally a
// file name, or the parts a spreadsheet of bills holds:
//
//   自由使用欄, 支払期限日, 支払金額[, 再発行区分[, file name]]
//
// with the company code of the command line (/cm) and the stamp flag from
// the amount (/st). The dates and amounts as Excel saves them
// (model/payment_slip.h).
#pragma once

#include <cstddef>
#include <string_view>

#include "app/list/list_line.h"

namespace merrowin {

// The file name's column of a line by parts; a line of the whole digits
// names its file in the column after them.
inline constexpr std::size_t kSlipPartsNameColumn = 4;

// The data field of a slip list line's fields (ListColumns::read); a line
// of the whole digits puts its file name column into `line.name`. Raises
// MerrowinError with the line's error.
DataField SlipOfLine(const ListFields& fields, const ListTerms& terms, bool checkDigitsGiven,
                     ListLine& line);

inline constexpr std::string_view kSlipCompanyMissingMessage =
    "支払期限日と金額で書いた行には請求書発行企業コード (/cm) が要ります";

}  // namespace merrowin
