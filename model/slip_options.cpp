#include "model/slip_options.h"

#include "common/errors.h"
#include "common/text.h"

namespace merrowin {

void ApplySlipCompany(std::string_view value, BarcodeJob& job) {
    CheckCompanyCode(value);
    job.SlipCompany = std::string(value);
}

void ApplyStampThreshold(std::string_view value, BarcodeJob& job) {
    const std::optional<std::int32_t> amount = TryStrToInt(value);
    if (!amount || *amount < 1 || *amount > kSlipLargestAmount + 1)
        throw MerrowinError(StampThresholdMessage(value));
    job.SlipStampThreshold = *amount;
}

std::string StampThresholdMessage(std::string_view value) {
    return FillMessage("印紙の金額 '%s' は使えません。/st の値は 1～1000000 の整数です", value);
}

}  // namespace merrowin
