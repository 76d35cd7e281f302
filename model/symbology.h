// What each symbology is made of, in one place: the switches that choose it,
// the data it takes, its encoder, the width its pattern adds up to, where
// its guard bars and digits go, and its settings subkey.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "encode/encoders.h"
#include "model/job.h"

namespace merrowin {

// A switch (argument 1) and the drawing style it selects.
struct SwitchStyle {
    std::string_view text;  // lower case
    std::string_view help;  // what it draws, in the help's words
    bool extendedGuards;
    bool prefixedText;
    bool bearerFrame;
    bool bearerBarsOnly;  // of the frame, only the bars above and below
    bool book = false;    // the book code: two tiers and the 日本図書コード (encode/book.h)
};

// The characters at 1-based positions first..last of the digit string.
struct DigitGroup {
    std::size_t first;
    std::size_t last;
};

// A digit group of the extended-guard styles, drawn at x0 + xOffset; the
// last one carries the check digit.
struct GuardText {
    DigitGroup group;
    bool withCheckDigit;
    int xOffset;
};

using Encoder = std::string (*)(std::string_view digits);

struct SymbologyDescriptor {
    SymbologyKind kind;
    std::string_view name;   // registry subkey of its stored sizes
    std::string_view title;  // as users name it: "JAN-13"
    int settingsColumn;      // 0 to 3, left to right in the settings grid; -1 none
    std::span<const SwitchStyle> switches;
    std::size_t dataDigits;     // characters that "cd" takes
    std::string_view zeroFill;  // in front of them, to 15 characters
    Encoder encode;
    std::size_t patternLength;               // elements, bar first and last
    int symbolWidth;                         // drawing units, the sum of the pattern
    std::array<int, 6> guardOffsets;         // extended guard bars, from x0
    std::span<const GuardText> guardTexts;   // extended-guard style digits
    std::span<const DigitGroup> lineGroups;  // the single centred line
    std::string_view separator;              // between line groups and before the check digit
    std::string_view prefix;                 // in front of the line with PrefixedText

    // Bar-and-space pairs before the last bar.
    constexpr int Pairs() const { return static_cast<int>(patternLength / 2); }
};

// The descriptor of a kind; nullptr for SymbologyKind::None.
const SymbologyDescriptor* Describe(SymbologyKind kind);

// The symbologies with stored sizes, in settings-column order.
std::span<const SymbologyDescriptor> Symbologies();

// Those and the ones that keep no sizes (the payment slip): every switch.
std::span<const SymbologyDescriptor> AllSymbologies();

// The pattern of `digits` by the encoder of `kind`; empty for
// SymbologyKind::None.
std::string EncodeForKind(SymbologyKind kind, std::string_view digits);

// The kind's title and its switches, as the help and refusals name them:
// "ITF-14 (/i14、/i14f、/i14h)".
std::string KindAndSwitches(SymbologyKind kind);

}  // namespace merrowin
