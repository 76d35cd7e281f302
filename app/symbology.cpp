#include "app/symbology.h"

#include "common/text.h"
#include "model/symbology.h"

namespace merrowin {

bool ApplySwitch(std::string_view argument, BarcodeJob& job) {
    const std::string lowered = AsciiLower(argument);
    for (const SymbologyDescriptor& symbology : Symbologies()) {
        for (const SwitchStyle& style : symbology.switches) {
            if (lowered != style.text) continue;
            // Flags not named by the switch stay false.
            job.Kind = symbology.kind;
            job.ExtendedGuards = style.extendedGuards;
            job.PrefixedText = style.prefixedText;
            job.NoText = false;
            job.BearerFrame = style.bearerFrame;
            return true;
        }
    }
    return false;
}

}  // namespace merrowin
