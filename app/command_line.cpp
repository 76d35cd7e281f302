#include "app/command_line.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

#include "common/text.h"
#include "encode/check_digit.h"
#include "model/symbology.h"

namespace merrowin {
namespace {

// What a numeric option stores for a value of a given length: the value
// itself (within the row's limits), a fixed number, or nothing at all.
struct Take {
    enum Kind : std::uint8_t { Unchanged, Value, Fixed } kind;
    std::int32_t number;  // Fixed: the number
};
constexpr Take kKeep{Take::Unchanged, 0};
constexpr Take kValue{Take::Value, 0};
constexpr Take Fix(std::int32_t number) {
    return {Take::Fixed, number};
}

// The limits of a side margin by symbology, applied after every length
// (also when the field stays unchanged): JAN keeps its quiet zone, ITF's
// outer margins are capped.
struct SideClamp {
    std::int32_t janFloor;
    std::int32_t itfCeiling;
};

// One row per key. A value taken as written is raised to `floor` and capped
// at `ceiling`; a one-digit 1 becomes `oneDigitOne` where the row names it.
struct NumericOption {
    std::string_view key;
    SizeField field;
    std::array<Take, 5> byLength;  // L = 3, 4, 5, 6, 7+
    std::int32_t ceiling;
    std::optional<std::int32_t> floor;
    std::optional<std::int32_t> oneDigitOne;
    std::optional<SideClamp> side;
};

constexpr auto kNoFloor = std::nullopt;
constexpr auto kAsTyped = std::nullopt;
constexpr auto kAnyKind = std::nullopt;

// clang-format off
constexpr std::array<NumericOption, 11> kNumericOptions{{
    // key  field                     L=3      L=4      L=5     L=6       L=7+      ceiling floor     one digit 1  side margin
    {"bh", SizeField::BarHeight,    {Fix(10), Fix(10), kValue, Fix(100), Fix(100)}, 100, kNoFloor, kAsTyped, kAnyKind},
    {"fw", SizeField::FrameWidth,   {kKeep,   kValue,  kValue, Fix(15),  Fix(15)},  15,  kNoFloor, 2,        kAnyKind},
    {"gp", SizeField::Gap,          {kKeep,   kValue,  kValue, Fix(20),  Fix(20)},  20,  kNoFloor, kAsTyped, kAnyKind},
    {"tm", SizeField::TopMargin,    {kKeep,   kValue,  kValue, Fix(20),  Fix(20)},  20,  kNoFloor, kAsTyped, kAnyKind},
    {"bm", SizeField::BottomMargin, {kKeep,   kValue,  kValue, Fix(20),  Fix(20)},  20,  kNoFloor, kAsTyped, kAnyKind},
    {"im", SizeField::InnerMargin,  {Fix(10), Fix(10), kValue, Fix(100), Fix(100)}, 100, kNoFloor, kAsTyped, kAnyKind},
    {"fs", SizeField::FontSize,     {Fix(10), Fix(10), kValue, Fix(28),  Fix(28)},  28,  kNoFloor, kAsTyped, kAnyKind},
    {"cr", SizeField::CopyRate,     {Fix(10), Fix(10), kValue, kValue,   Fix(500)}, 500, kNoFloor, kAsTyped, kAnyKind},
    {"lm", SizeField::LeftMargin,   {kKeep,   kValue,  kValue, Fix(30),  Fix(30)},  30,  kNoFloor, kAsTyped, SideClamp{11, 20}},
    {"rm", SizeField::RightMargin,  {kKeep,   kValue,  kValue, Fix(30),  Fix(30)},  30,  kNoFloor, kAsTyped, SideClamp{7, 20}},
    // The module width in .01 mm that the picture states as its printed size.
    {"mw", SizeField::ModuleWidth,  {Fix(10), Fix(10), kValue, kValue,   Fix(200)}, 200, 10,       kAsTyped, kAnyKind},
}};
// clang-format on

std::uint8_t& SideMargin(BarcodeJob& job, SizeField field) {
    return field == SizeField::LeftMargin ? job.LeftMargin : job.RightMargin;
}

void ApplyNumeric(const NumericOption& option, std::string_view argument, std::size_t length,
                  BarcodeJob& job) {
    const Take take = option.byLength[std::min<std::size_t>(length, 7) - 3];
    if (take.kind == Take::Fixed) {
        SetJobField(job, option.field, take.number);
    } else if (take.kind == Take::Value) {
        std::int32_t value = StrToInt(CharRange(argument, 4, length));
        if (option.oneDigitOne && length == 4 && value == 1) value = *option.oneDigitOne;
        value = std::min(value, option.ceiling);
        if (option.floor) value = std::max(value, *option.floor);
        SetJobField(job, option.field, value);
    }
    if (option.side) {
        std::uint8_t& margin = SideMargin(job, option.field);
        if (IsJan(job.Kind) && margin < option.side->janFloor)
            margin = static_cast<std::uint8_t>(option.side->janFloor);
        if (IsItf(job.Kind) && margin > option.side->itfCeiling)
            margin = static_cast<std::uint8_t>(option.side->itfCeiling);
    }
}

void ApplyData(std::string_view argument, std::size_t length, BarcodeJob& job) {
    const SymbologyDescriptor* symbology = Describe(job.Kind);
    if (!symbology) return;
    // A value shorter than the kind needs is no data: the run ends in the
    // error state unless a later "cd" supplies a whole one.
    if (length < 3 + symbology->dataDigits) {
        job.Digits.clear();
        job.InputDigits.clear();
        return;
    }
    job.InputDigits = CharRange(argument, 4, 3 + symbology->dataDigits);
    job.Digits = std::string(symbology->zeroFill) + job.InputDigits;
    if (!job.FileNameGiven) job.FileName = job.InputDigits + IntToStr(CheckDigit(job.Digits));
}

}  // namespace

std::string OptionKey(std::string_view argument) {
    return AsciiLower(CharRange(argument, 2, 3));
}

void ApplyOption(std::string_view argument, BarcodeJob& job) {
    const std::size_t length = CountChars(argument);
    if (length < 3) return;
    const std::string key = OptionKey(argument);
    for (const NumericOption& option : kNumericOptions)
        if (key == option.key) return ApplyNumeric(option, argument, length, job);
    if (key == "no") {
        if (!job.PrefixedText) job.NoText = true;
    } else if (key == "cd") {
        ApplyData(argument, length, job);
    } else if (key == "fl") {
        job.SaveFile = true;
        if (length > 3) {
            job.FileNameGiven = true;
            job.FileName = CharRange(argument, 4, length);
        }
    } else if (key == "dr") {
        job.SaveDr = CharRange(argument, 4, length);
        for (char& c : job.SaveDr)
            if (c == '*') c = ' ';
    } else if (key == "nc") {
        if (job.SaveFile) job.NoClipboard = true;
    }
}

bool RunCommandLine(const std::vector<std::string>& options, BarcodeJob& job,
                    const SettingsLoader& loadSettings) {
    loadSettings(job);
    for (const std::string& argument : options) ApplyOption(argument, job);
    return !job.Digits.empty();
}

}  // namespace merrowin
