#include "model/symbology.h"

#include "encode/code128.h"

namespace merrowin {
namespace {

// One module is 2 drawing units; an ITF wide element is 5.
constexpr int kModule = 2;
constexpr int kItfDigitUnits = 2 * 5 + 3 * 2;  // two wide and three narrow elements

// clang-format off
constexpr SwitchStyle kJan13Switches[] = {
    // text, the help's words; guards prefixed frame bars only
    {"/j13",    "JAN-13。ガードバーを長くし、数字をバーの下に分けて書きます",
     true,  false,   false, false},  // guard bars below the digits line
    {"/j13b",   "JAN-13。バーはすべて同じ高さ、数字は中央に 1 行 (/no で消せます)",
     false, false,   false, false},  // one bar height, one centred line
    {"/j13t",   "/j13b の数字の前に T を付けます (/no は効きません)",
     false, true,    false, false},  // the line preceded by "T"
    // The book code: the ISBN over 192, Cコード and price (render/book_layout.h).
    {"/bk",     "書籍JANコード。ISBN と Cコード・本体価格の 2 段に日本図書コード\n"
                "を添えます (/cd、/cc、/pr。■ 書籍JANコード (/bk))",
     false, false,   false, false, true},
};
constexpr SwitchStyle kJan8Switches[] = {
    {"/j8",     "JAN-8。ガードバーを長くし、数字をバーの下に分けて書きます",
     true,  false,   false, false},
    {"/j8b",    "JAN-8。バーはすべて同じ高さ、数字は中央に 1 行 (/no で消せます)",
     false, false,   false, false},
    {"/j8f",    "/j8b の数字の前に F を付けます (/no は効きません)",
     false, true,    false, false},  // the line preceded by "F"
};
constexpr SwitchStyle kItf14Switches[] = {
    {"/i14",    "ITF-14。ベアラーフレームなし",
     false, false,   false, false},
    {"/i14f",   "ITF-14。ベアラーフレーム付き",
     false, false,   true,  false},  // bearer frame round the bars
    // Bearer bars above and below only, the form GS1 allows on labels;
    // sized as the frame.
    {"/i14h",   "ITF-14。ベアラーバーを上と下だけに付けます (ラベル用)",
     false, false,   true,  true},
};
constexpr SwitchStyle kItf16Switches[] = {
    {"/i16",    "ITF-16。ベアラーフレームなし",
     false, false,   false, false},
    {"/i16f",   "ITF-16。ベアラーフレーム付き",
     false, false,   true,  false},
    {"/i16h",   "ITF-16。ベアラーバーを上と下だけに付けます (ラベル用)",
     false, false,   true,  true},
};

// The convenience-store payment slip: a GS1-128 symbol of its own layout
// (render/slip_layout.h); it keeps no sizes in the settings.
constexpr SwitchStyle kSlipSwitches[] = {
    {"/cv",     "コンビニ収納用バーコード (GS1-128、44 桁)。幅 60 mm 以内、\n"
                "数字 2 行付き (/cd。■ コンビニ収納用バーコード (/cv))",
     false, false,   false, false},
};

// The leading digit stands left of the start guard, then the two halves.
constexpr GuardText kJan13GuardTexts[] = {
    {{4, 4}, false, -22}, {{5, 10}, false, 7}, {{11, 15}, true, 99}};
constexpr GuardText kJan8GuardTexts[] = {{{9, 12}, false, 7}, {{13, 15}, true, 71}};
constexpr DigitGroup kJan13Line[] = {{4, 15}};
constexpr DigitGroup kJan8Line[] = {{9, 15}};
// ITF-14 leaves out the zero fill c1 and c2.
constexpr DigitGroup kItf14Line[] = {{3, 5}, {6, 10}, {11, 15}};
constexpr DigitGroup kItf16Line[] = {{1, 5}, {6, 10}, {11, 15}};

constexpr std::array<SymbologyDescriptor, 5> kSymbologies{{
    {SymbologyKind::Jan13, "Jan13", "JAN-13", 0, kJan13Switches, 12, "000", EncodeJan13,
     3 + 6 * 4 + 5 + 6 * 4 + 3,  // elements: guard, six digits of four, centre, six, guard
     kModule * (3 +      // start guard
                6 * 7 +  // left half: c5 to c10, seven modules each
                5 +      // centre guard
                6 * 7 +  // right half: c11 to c15 and the check digit
                3),      // end guard
     {0, 4, 92, 96, 184, 188}, kJan13GuardTexts, kJan13Line, "", "T"},
    {SymbologyKind::Jan8, "Jan8", "JAN-8", 1, kJan8Switches, 7, "00000000", EncodeJan8,
     3 + 4 * 4 + 5 + 4 * 4 + 3,
     kModule * (3 +      // start guard
                4 * 7 +  // left half: c9 to c12
                5 +      // centre guard
                4 * 7 +  // right half: c13 to c15 and the check digit
                3),      // end guard
     {0, 4, 64, 68, 128, 132}, kJan8GuardTexts, kJan8Line, "", "F"},
    {SymbologyKind::Itf14, "Itf14", "ITF-14", 2, kItf14Switches, 13, "00", EncodeItf14,
     4 + 14 * 5 + 3,  // elements: start, five per digit, stop
     4 * 2 +                // start: narrow bar, space, bar, space
     14 * kItfDigitUnits +  // c3 to c15 and the check digit, interleaved
     5 + 2 + 2,             // stop: wide bar, narrow space, narrow bar
     {}, {}, kItf14Line, " ", ""},
    {SymbologyKind::Itf16, "Itf16", "ITF-16", 3, kItf16Switches, 15, "", EncodeItf16,
     4 + 16 * 5 + 3,
     4 * 2 +                // start
     16 * kItfDigitUnits +  // c1 to c15 and the check digit
     5 + 2 + 2,             // stop
     {}, {}, kItf16Line, " ", ""},
    // Code 128: Start C, FNC1, 22 digit pairs, the symbol check character
    // (six elements, 11 modules each) and Stop (seven, 13 modules).
    {SymbologyKind::PaymentSlip, "", "コンビニ収納用バーコード", -1, kSlipSwitches,
     kSlipDataDigits, "", EncodePaymentSlip,
     25 * 6 + 7,
     kModule * (25 * 11 + 13),
     {}, {}, {}, "", ""},
}};
// clang-format on

static_assert(kSymbologies[0].symbolWidth == 190 && kSymbologies[0].patternLength == 59);
static_assert(kSymbologies[1].symbolWidth == 134 && kSymbologies[1].patternLength == 43);
static_assert(kSymbologies[2].symbolWidth == 241 && kSymbologies[2].patternLength == 77);
static_assert(kSymbologies[3].symbolWidth == 273 && kSymbologies[3].patternLength == 87);
static_assert(kSymbologies[4].symbolWidth == 2 * 288 && kSymbologies[4].patternLength == 157);

// The kinds with stored sizes, one settings column each, come first.
constexpr std::size_t kStoredKinds = 4;

}  // namespace

const SymbologyDescriptor* Describe(SymbologyKind kind) {
    for (const SymbologyDescriptor& descriptor : kSymbologies)
        if (descriptor.kind == kind) return &descriptor;
    return nullptr;
}

std::span<const SymbologyDescriptor> Symbologies() {
    return std::span(kSymbologies).first(kStoredKinds);
}

std::span<const SymbologyDescriptor> AllSymbologies() {
    return kSymbologies;
}

std::string KindAndSwitches(SymbologyKind kind) {
    const SymbologyDescriptor& symbology = *Describe(kind);
    std::string text = std::string(symbology.title) + " (";
    // The book code's switch makes a JAN-13 of its own kind: no option
    // made for JAN-13 symbols applies to it.
    bool first = true;
    for (const SwitchStyle& style : symbology.switches) {
        if (style.book) continue;
        text.append(first ? "" : "、").append(style.text);
        first = false;
    }
    return text + ")";
}

std::string EncodeForKind(SymbologyKind kind, std::string_view digits) {
    const SymbologyDescriptor* symbology = Describe(kind);
    return symbology ? symbology->encode(digits) : std::string();
}

}  // namespace merrowin
