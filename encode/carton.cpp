#include "encode/carton.h"

#include "common/text.h"
#include "encode/check_digit.h"

namespace merrowin {

std::string CartonCode(std::uint8_t indicator, std::string_view jan) {
    std::string data = IntToStr(indicator);
    data += jan.substr(0, 12);
    // The 13 data digits in the 15-character frame, behind ITF-14's "00".
    return data + IntToStr(CheckDigit("00" + data));
}

}  // namespace merrowin
