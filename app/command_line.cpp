#include "app/command_line.h"

#include <algorithm>

#include "common/text.h"
#include "encode/check_digit.h"
#include "model/options.h"
#include "model/symbology.h"

namespace merrowin {
namespace {

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
    } else if (key == "ol") {
        job.OutlinedText = true;
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
