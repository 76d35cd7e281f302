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

#include <cstdint>
#include <string>
#include <vector>

#include "model/data_field.h"
#include "model/payment_slip.h"

namespace merrowin {

// What every line of a slip list shares, from the command line.
struct SlipListSettings {
    std::string company;  // /cm; empty when not given
    std::int32_t stampThreshold = kSlipStampThreshold;
};

// The data field of a slip list line's fields, and in `name` the file name
// column (empty when the line gives none). Raises MerrowinError with the
// line's error.
DataField SlipOfLine(const std::vector<std::string>& columns, const SlipListSettings& settings,
                     std::string& name);

inline constexpr std::string_view kSlipCompanyMissingMessage =
    "支払期限日と金額で書いた行には請求書発行企業コード (/cm) が要ります";

}  // namespace merrowin
