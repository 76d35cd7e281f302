#include "encode/encoders.h"

#include "common/errors.h"
#include "common/text.h"
#include "encode/width_tables.h"

namespace merrowin {

int DigitAt(std::string_view digits, std::size_t position) {
    const std::string character = CharRange(digits, position, position);
    const int value = StrToInt(character);
    // One character converts to 0..9 or fails; the check keeps the tables'
    // indexing safe whatever the conversion accepts.
    if (value < 0 || value > 9) throw ConversionError(character);
    return value;
}

void EncodeForKind(SymbologyKind kind, std::string_view digits, std::string& pattern) {
    switch (kind) {
        case SymbologyKind::Jan13:
            EncodeJan13(digits, pattern);
            break;
        case SymbologyKind::Jan8:
            EncodeJan8(digits, pattern);
            break;
        case SymbologyKind::Itf14:
            EncodeItf14(digits, pattern);
            break;
        case SymbologyKind::Itf16:
            EncodeItf16(digits, pattern);
            break;
        case SymbologyKind::None:
            break;
    }
}

}  // namespace merrowin
