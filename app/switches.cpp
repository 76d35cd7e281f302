#include "app/switches.h"

#include <algorithm>
#include <array>

#include "common/text.h"
#include "model/symbology.h"

namespace merrowin {
namespace {

// The ways a Windows command is asked for its help.
constexpr std::array<std::string_view, 4> kHelpSwitches{"/?", "/h", "-?", "-h"};

}  // namespace

bool ApplySwitch(std::string_view argument, BarcodeJob& job) {
    const std::string lowered = AsciiLower(argument);
    for (const SymbologyDescriptor& symbology : AllSymbologies()) {
        for (const SwitchStyle& style : symbology.switches) {
            if (lowered != style.text) continue;
            // Flags not named by the switch stay false.
            job.Kind = symbology.kind;
            job.ExtendedGuards = style.extendedGuards;
            job.PrefixedText = style.prefixedText;
            job.NoText = false;
            job.BearerFrame = style.bearerFrame;
            job.BearerBarsOnly = style.bearerBarsOnly;
            job.Book = style.book;
            return true;
        }
    }
    return false;
}

bool IsHelpRequest(const CommandLine& command) {
    const std::string lowered = AsciiLower(command.symbolSwitch);
    return std::find(kHelpSwitches.begin(), kHelpSwitches.end(), lowered) != kHelpSwitches.end();
}

}  // namespace merrowin
