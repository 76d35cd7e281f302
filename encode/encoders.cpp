#include "encode/encoders.h"

#include "common/errors.h"
#include "common/text.h"
#include "encode/width_tables.h"

namespace merrowin {

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
