#include "encode/code128.h"

#include <array>
#include <stdexcept>

#include "encode/check_digit.h"

namespace merrowin {
namespace {

// The bar and space widths in modules of symbol character values 0 to 105,
// bar first (ISO/IEC 15417, Table 1; the same table as GS1
// GenSpecs, Figure 5.4.2-1). Each adds up to 11 modules.
// clang-format off
constexpr std::array<std::string_view, 106> kCode128Widths{
    "212222", "222122", "222221", "121223", "121322",  //   0 -   4
    "131222", "122213", "122312", "132212", "221213",  //   5 -   9
    "221312", "231212", "112232", "122132", "122231",  //  10 -  14
    "113222", "123122", "123221", "223211", "221132",  //  15 -  19
    "221231", "213212", "223112", "312131", "311222",  //  20 -  24
    "321122", "321221", "312212", "322112", "322211",  //  25 -  29
    "212123", "212321", "232121", "111323", "131123",  //  30 -  34
    "131321", "112313", "132113", "132311", "211313",  //  35 -  39
    "231113", "231311", "112133", "112331", "132131",  //  40 -  44
    "113123", "113321", "133121", "313121", "211331",  //  45 -  49
    "231131", "213113", "213311", "213131", "311123",  //  50 -  54
    "311321", "331121", "312113", "312311", "332111",  //  55 -  59
    "314111", "221411", "431111", "111224", "111422",  //  60 -  64
    "121124", "121421", "141122", "141221", "112214",  //  65 -  69
    "112412", "122114", "122411", "142112", "142211",  //  70 -  74
    "241211", "221114", "413111", "241112", "134111",  //  75 -  79
    "111242", "121142", "121241", "114212", "124112",  //  80 -  84
    "124211", "411212", "421112", "421211", "212141",  //  85 -  89
    "214121", "412121", "111143", "111341", "131141",  //  90 -  94
    "114113", "114311", "411113", "411311", "113141",  //  95 -  99
    "114131", "311141", "411131",                      // 100 - 102: code B, code A, FNC1
    "211412", "211214", "211232",                      // 103 - 105: Start A, B, C
};
// clang-format on
constexpr std::string_view kStopWidths = "2331112";  // Stop: 13 modules, ending with a bar

constexpr bool ElevenModulesEach() {
    for (const std::string_view widths : kCode128Widths) {
        int sum = 0;
        for (const char w : widths) sum += w - '0';
        if (sum != 11) return false;
    }
    return true;
}
static_assert(ElevenModulesEach());

// The widths in the pattern form (half modules: '2' a module), worked out
// once at compile time so that a symbol copies six elements at a time.
constexpr std::size_t kCharacterElements = 6;
constexpr char HalfModules(char modules) {
    return static_cast<char>('0' + 2 * (modules - '0'));
}
constexpr auto kHalfModules = [] {
    std::array<std::array<char, kCharacterElements>, kCode128Widths.size()> table{};
    for (std::size_t value = 0; value < table.size(); ++value)
        for (std::size_t i = 0; i < kCharacterElements; ++i)
            table[value][i] = HalfModules(kCode128Widths[value][i]);
    return table;
}();
constexpr auto kStopElements = [] {
    std::array<char, kStopWidths.size()> elements{};
    for (std::size_t i = 0; i < elements.size(); ++i) elements[i] = HalfModules(kStopWidths[i]);
    return elements;
}();

// The slip's application identifier (a company-internal AI, 91 to 99).
constexpr std::string_view kSlipAi = "91";

}  // namespace

int Code128CheckCharacter(std::span<const int> codewords) {
    long sum = 0;
    for (std::size_t i = 0; i < codewords.size(); ++i)
        sum += static_cast<long>(i == 0 ? 1 : i) * codewords[i];
    return static_cast<int>(sum % 103);
}

std::vector<int> Gs1128Codewords(std::span<const std::string_view> elementStrings) {
    std::size_t count = 3;  // Start C, FNC1 and the check character
    for (const std::string_view digits : elementStrings) count += 1 + digits.size() / 2;
    std::vector<int> codewords;
    codewords.reserve(count);
    codewords.push_back(kCode128StartC);
    codewords.push_back(kCode128Fnc1);
    for (std::size_t e = 0; e < elementStrings.size(); ++e) {
        const std::string_view digits = elementStrings[e];
        if (digits.empty() || digits.size() % 2 != 0)
            throw std::invalid_argument("code set C takes digit pairs");
        if (e > 0) codewords.push_back(kCode128Fnc1);
        for (std::size_t i = 0; i < digits.size(); i += 2) {
            const char high = digits[i];
            const char low = digits[i + 1];
            if (high < '0' || high > '9' || low < '0' || low > '9')
                throw std::invalid_argument("code set C takes digits");
            codewords.push_back((high - '0') * 10 + (low - '0'));
        }
    }
    codewords.push_back(Code128CheckCharacter(codewords));
    return codewords;
}

std::string Code128Pattern(std::span<const int> codewords) {
    std::string pattern;
    pattern.reserve(kCharacterElements * codewords.size() + kStopElements.size());
    for (const int value : codewords) {
        if (value < 0 || value >= static_cast<int>(kHalfModules.size()))
            throw std::invalid_argument("no such Code 128 symbol character");
        const auto& elements = kHalfModules[static_cast<std::size_t>(value)];
        pattern.append(elements.data(), elements.size());
    }
    pattern.append(kStopElements.data(), kStopElements.size());
    return pattern;
}

std::string EncodePaymentSlip(std::string_view digits) {
    std::string element;
    element.reserve(digits.size() + 1);
    element.append(digits).push_back(static_cast<char>('0' + CheckDigitOfData(digits)));
    if (element.size() != 44 || !element.starts_with(kSlipAi))
        throw std::invalid_argument("a payment slip is 91 and 42 digits");
    const std::array<std::string_view, 1> strings{element};
    return Code128Pattern(Gs1128Codewords(strings));
}

}  // namespace merrowin
