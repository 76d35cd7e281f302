#include "app/command_line.h"

#include <array>
#include <cstdint>

#include "common/text.h"
#include "encode/check_digit.h"
#include "model/symbology.h"

namespace merrowin {
namespace {

// What a numeric option stores for a value of a given length: the value
// itself (clamped to `ceiling`), a fixed number, or nothing at all.
struct Take {
    enum Kind : std::uint8_t { Unchanged, Value, Fixed } kind;
    std::int32_t number;  // Fixed: the number; Value: the ceiling (0: none)
};
constexpr Take kKeep{Take::Unchanged, 0};
constexpr Take Val(std::int32_t ceiling = 0) {
    return {Take::Value, ceiling};
}
constexpr Take Fix(std::int32_t number) {
    return {Take::Fixed, number};
}

// One row per key; columns by the argument's length L = 3, 4, 5, 6, 7+.
struct NumericOption {
    std::string_view key;
    SizeField field;
    std::array<Take, 5> byLength;
};

constexpr std::array<NumericOption, 10> kNumericOptions{{
    {"bh", SizeField::BarHeight, {Fix(10), Fix(10), Val(), Fix(100), Fix(100)}},
    {"fw", SizeField::FrameWidth, {kKeep, Val(), Val(15), Fix(15), Fix(15)}},
    {"gp", SizeField::Gap, {kKeep, Val(), Val(20), Fix(20), Fix(20)}},
    {"tm", SizeField::TopMargin, {kKeep, Val(), Val(20), Fix(20), Fix(20)}},
    {"bm", SizeField::BottomMargin, {kKeep, Val(), Val(20), Fix(20), Fix(20)}},
    {"im", SizeField::InnerMargin, {Fix(10), Fix(10), Val(), Fix(100), Fix(100)}},
    {"fs", SizeField::FontSize, {Fix(10), Fix(10), Val(28), Fix(28), Fix(28)}},
    {"cr", SizeField::CopyRate, {Fix(10), Fix(10), Val(), Val(500), Fix(500)}},
    {"lm", SizeField::LeftMargin, {kKeep, Val(), Val(30), Fix(30), Fix(30)}},
    {"rm", SizeField::RightMargin, {kKeep, Val(), Val(30), Fix(30), Fix(30)}},
}};

// The side margins' limits by symbology: JAN needs its quiet zones, ITF's
// outer margins are capped.
void ClampSideMargin(std::uint8_t& margin, SymbologyKind kind, std::uint8_t janMinimum) {
    if (IsJan(kind) && margin < janMinimum) margin = janMinimum;
    if (IsItf(kind) && margin > 20) margin = 20;
}

void ApplyNumeric(const NumericOption& option, std::string_view argument, std::size_t length,
                  BarcodeJob& job) {
    const Take take = option.byLength[std::min<std::size_t>(length, 7) - 3];
    if (take.kind == Take::Fixed) {
        SetJobField(job, option.field, take.number);
    } else if (take.kind == Take::Value) {
        std::int32_t value = StrToInt(CharRange(argument, 4, length));
        if (option.field == SizeField::FrameWidth && length == 4 && value == 1) value = 2;
        if (take.number != 0 && value > take.number) value = take.number;
        SetJobField(job, option.field, value);
    }
    if (option.field == SizeField::LeftMargin) ClampSideMargin(job.LeftMargin, job.Kind, 11);
    if (option.field == SizeField::RightMargin) ClampSideMargin(job.RightMargin, job.Kind, 7);
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
