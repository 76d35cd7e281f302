// Element widths of the JAN (EAN) and ITF digits, in drawing units: one
// module is 2 units, an ITF wide element 5. Internal to the encoders.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace merrowin::tables {

// Four elements per JAN digit, 7 modules in all.
using JanDigitTable = std::array<std::string_view, 10>;

// Number set A (odd parity, "L"), GS1 run lengths doubled. In the left half
// the first element is a space; in the right half the same run lengths
// start with a bar and draw number set C.
inline constexpr JanDigitTable kJanSetA{
    "6422",  // 0: 3 2 1 1
    "4442",  // 1: 2 2 2 1
    "4244",  // 2: 2 1 2 2
    "2822",  // 3: 1 4 1 1
    "2264",  // 4: 1 1 3 2
    "2462",  // 5: 1 2 3 1
    "2228",  // 6: 1 1 1 4
    "2624",  // 7: 1 3 1 2
    "2426",  // 8: 1 2 1 3
    "6224",  // 9: 3 1 1 2
};

// Number set B (even parity, "G"): set A's run lengths reversed.
inline constexpr JanDigitTable kJanSetB{
    "2246",  // 0: 1 1 2 3
    "2444",  // 1: 1 2 2 2
    "4424",  // 2: 2 2 1 2
    "2282",  // 3: 1 1 4 1
    "4622",  // 4: 2 3 1 1
    "2642",  // 5: 1 3 2 1
    "8222",  // 6: 4 1 1 1
    "4262",  // 7: 2 1 3 1
    "6242",  // 8: 3 1 2 1
    "4226",  // 9: 2 1 1 3
};

// Parity of the six left-half digits of a JAN-13, chosen by the leading
// digit (the EAN-13 first-digit table).
inline constexpr std::array<std::string_view, 10> kJan13Parity{
    "LLLLLL",  // 0
    "LLGLGG",  // 1
    "LLGGLG",  // 2
    "LLGGGL",  // 3
    "LGLLGG",  // 4
    "LGGLLG",  // 5
    "LGGGLL",  // 6
    "LGLGLG",  // 7
    "LGLGGL",  // 8
    "LGGLGL",  // 9
};

// Guards, one module per element: bar space bar; space bar space bar space.
inline constexpr std::string_view kJanNormalGuard = "222";
inline constexpr std::string_view kJanCentreGuard = "22222";

// Add-on symbols (GS1 GenSpecs, release 18, 5.2.2.5): a guard,
// then the digits from number sets A and B, each pair of digits parted by
// a delineator. Guard: bar 1, space 1, bar 2 modules (1011); delineator:
// space 1, bar 1 (01). A digit's first element is a space, as in the left
// half of a JAN.
inline constexpr std::string_view kAddOnGuard = "224";
inline constexpr std::string_view kAddOnDelineator = "22";

// Number sets of the two-digit add-on, chosen by its value modulo 4
// (5.2.2.5.1).
inline constexpr std::array<std::string_view, 4> kTwoDigitAddOnSets{
    "AA",  // 0
    "AB",  // 1
    "BA",  // 2
    "BB",  // 3
};

// Number sets of the five-digit add-on, chosen by its value V: 3 x (n1 +
// n3 + n5) + 9 x (n2 + n4), modulo 10 (figure 5.2.2.5.2-1).
inline constexpr std::array<std::string_view, 10> kFiveDigitAddOnSets{
    "BBAAA",  // 0
    "BABAA",  // 1
    "BAABA",  // 2
    "BAAAB",  // 3
    "ABBAA",  // 4
    "AABBA",  // 5
    "AAABB",  // 6
    "ABABA",  // 7
    "ABAAB",  // 8
    "AABAB",  // 9
};

// Five elements per Interleaved 2 of 5 digit, two of them wide:
// narrow (N) 2 units, wide (W) 5 units.
using ItfDigitTable = std::array<std::string_view, 10>;

// The same digits serve ITF-14 and ITF-16.
inline constexpr ItfDigitTable kItfDigits{
    "22552",  // 0: N N W W N
    "52225",  // 1: W N N N W
    "25225",  // 2: N W N N W
    "55222",  // 3: W W N N N
    "22525",  // 4: N N W N W
    "52522",  // 5: W N W N N
    "25522",  // 6: N W W N N
    "22255",  // 7: N N N W W
    "52252",  // 8: W N N W N
    "25252",  // 9: N W N W N
};

// Start: narrow bar, narrow space, narrow bar, narrow space.
// Stop: wide bar, narrow space, narrow bar.
inline constexpr std::string_view kItfStart = "2222";
inline constexpr std::string_view kItfStop = "522";

}  // namespace merrowin::tables
