#include "app/symbology.h"

#include <algorithm>
#include <array>

#include "common/text.h"

namespace merrowin {
namespace {

struct SwitchRow {
    std::string_view text;
    SymbologyKind kind;
    bool extendedGuards;
    bool prefixedText;
    bool bearerFrame;
};

// Flags not named by a switch stay false.
constexpr std::array<SwitchRow, 10> kSwitches{{
    {"/j13", SymbologyKind::Jan13, true, false, false},
    {"/j13b", SymbologyKind::Jan13, false, false, false},
    {"/j13t", SymbologyKind::Jan13, false, true, false},
    {"/j8", SymbologyKind::Jan8, true, false, false},
    {"/j8b", SymbologyKind::Jan8, false, false, false},
    {"/j8f", SymbologyKind::Jan8, false, true, false},
    {"/i14", SymbologyKind::Itf14, false, false, false},
    {"/i14f", SymbologyKind::Itf14, false, false, true},
    {"/i16", SymbologyKind::Itf16, false, false, false},
    {"/i16f", SymbologyKind::Itf16, false, false, true},
}};

// The ways a Windows command is asked for its help.
constexpr std::array<std::string_view, 4> kHelpSwitches{"/?", "/h", "-?", "-h"};

}  // namespace

bool ApplySwitch(std::string_view argument, BarcodeJob& job) {
    const std::string lowered = AsciiLower(argument);
    for (const SwitchRow& row : kSwitches) {
        if (lowered != row.text) continue;
        job.Kind = row.kind;
        job.ExtendedGuards = row.extendedGuards;
        job.PrefixedText = row.prefixedText;
        job.NoText = false;
        job.BearerFrame = row.bearerFrame;
        return true;
    }
    return false;
}

bool IsHelpRequest(const std::vector<std::string>& arguments) {
    if (arguments.empty()) return false;
    const std::string lowered = AsciiLower(arguments.front());
    return std::find(kHelpSwitches.begin(), kHelpSwitches.end(), lowered) != kHelpSwitches.end();
}

}  // namespace merrowin
