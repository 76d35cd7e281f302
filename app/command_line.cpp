#include "app/command_line.h"

#include <algorithm>

#include "common/errors.h"
#include "common/text.h"
#include "encode/carton.h"
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

// The data of a carton code: a JAN-13 of 12 digits, or 13 with its check
// digit, which must be right: a wrong one is a typo that would make the
// code of another product.
void TakeCartonData(BarcodeJob& job) {
    const std::string& value = job.DataValue;
    const std::size_t count = CountChars(value);
    for (std::size_t i = 1; i <= count; ++i) {
        const std::string character = CharRange(value, i, i);
        if (character.size() != 1 || character[0] < '0' || character[0] > '9')
            throw ConversionError(character);
    }
    if (count != 12 && count != 13) throw MerrowinError(DigitCountMessage(count, 12));
    const char right = static_cast<char>('0' + CheckDigit("000" + value.substr(0, 12)));
    if (count == 13 && value[12] != right) throw MerrowinError(CheckDigitMessage(right));
    const std::string code = CartonCode(job.CartonIndicator, value);
    job.InputDigits = code.substr(0, 13);
    job.Digits = "00" + job.InputDigits;
    if (!job.FileNameGiven) job.FileName = code;
}

// Forms the data digits and the default file name from the value of "cd".
void TakeData(BarcodeJob& job) {
    const SymbologyDescriptor* symbology = Describe(job.Kind);
    if (!symbology) return;
    if (job.CartonIndicator != 0) return TakeCartonData(job);
    // A value shorter than the kind needs is no data: the run ends in the
    // error state unless a later "cd" supplies a whole one.
    if (CountChars(job.DataValue) < symbology->dataDigits) {
        job.Digits.clear();
        job.InputDigits.clear();
        return;
    }
    job.InputDigits = CharRange(job.DataValue, 1, symbology->dataDigits);
    job.Digits = std::string(symbology->zeroFill) + job.InputDigits;
    if (!job.FileNameGiven) job.FileName = job.InputDigits + IntToStr(CheckDigit(job.Digits));
}

// "id": the packaging indicator of a carton code made from a JAN.
void ApplyIndicator(std::string_view value, BarcodeJob& job) {
    if (job.Kind == SymbologyKind::None) return;
    if (job.Kind != SymbologyKind::Itf14) throw MerrowinError(std::string(kCartonKindMessage));
    if (value.size() != 1 || value[0] < '0' + kFirstIndicator || value[0] > '0' + kLastIndicator)
        throw MerrowinError(IndicatorMessage(value));
    job.CartonIndicator = static_cast<std::uint8_t>(value[0] - '0');
    // Data given before this option is read again as a JAN.
    if (!job.DataValue.empty()) TakeData(job);
}

// "ad": the digits of an EAN-2 or EAN-5 add-on symbol.
void ApplyAddOn(std::string_view value, BarcodeJob& job) {
    if (job.Kind == SymbologyKind::None) return;
    if (job.Kind != SymbologyKind::Jan13) throw MerrowinError(std::string(kAddOnKindMessage));
    const bool digits =
        std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!digits || (value.size() != 2 && value.size() != 5))
        throw MerrowinError(AddOnMessage(value));
    job.AddOn = value;
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
        if (job.Kind == SymbologyKind::None) return;
        job.DataValue = CharRange(argument, 4, length);
        TakeData(job);
    } else if (key == "id") {
        ApplyIndicator(CharRange(argument, 4, length), job);
    } else if (key == "ad") {
        ApplyAddOn(CharRange(argument, 4, length), job);
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
