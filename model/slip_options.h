// The options of a biller's list of payment slips (/cv /bt): the company
// code given once for every line, and the amount from which a slip's stamp
// flag is set.
#pragma once

#include <string>
#include <string_view>

#include "model/job.h"

namespace merrowin {

// /cmNNNNNN: the 請求書発行企業コード of every line given by its parts;
// checked at once (CheckCompanyCode).
void ApplySlipCompany(std::string_view value, BarcodeJob& job);

// /stN: the amount in yen from which the store puts a revenue stamp on the
// receipt, 1 to 1000000 (1000000: never, as no slip reaches it).
void ApplyStampThreshold(std::string_view value, BarcodeJob& job);

// 印紙の金額 '%s' は使えません。/st の値は 1～1000000 の整数です
std::string StampThresholdMessage(std::string_view value);

}  // namespace merrowin
