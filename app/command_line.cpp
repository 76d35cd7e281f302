#include "app/command_line.h"

#include <algorithm>

#include "common/errors.h"
#include "common/text.h"
#include "model/data_field.h"
#include "model/options.h"
#include "model/symbology.h"

namespace merrowin {
namespace {

std::uint8_t& SideMargin(BarcodeJob& job, SizeField field) {
    return field == SizeField::LeftMargin ? job.LeftMargin : job.RightMargin;
}

void ApplyNumeric(const NumericOption& numeric, const CommandOption& option, BarcodeJob& job) {
    const std::size_t digits = CountChars(option.value);
    const Take take = numeric.byLength[std::min(digits, kLengthClasses - 1)];
    if (take.kind == Take::Fixed) {
        SetJobField(job, numeric.field, take.number);
    } else if (take.kind == Take::Value) {
        std::int32_t value = StrToInt(option.value);
        if (numeric.oneDigitOne && digits == 1 && value == 1) value = *numeric.oneDigitOne;
        value = std::min(value, numeric.ceiling);
        if (numeric.floor) value = std::max(value, *numeric.floor);
        SetJobField(job, numeric.field, value);
    }
    if (numeric.side) {
        std::uint8_t& margin = SideMargin(job, numeric.field);
        if (IsJan(job.Kind) && margin < numeric.side->janFloor)
            margin = static_cast<std::uint8_t>(numeric.side->janFloor);
        if (IsItf(job.Kind) && margin > numeric.side->itfCeiling)
            margin = static_cast<std::uint8_t>(numeric.side->itfCeiling);
    }
}

// Forms the data field from the value of "cd" and the packaging indicator:
// a single run recomputes a check digit written after the data, a carton
// code verifies the JAN's.
void TakeData(BarcodeJob& job) {
    const std::optional<DataField> field =
        MakeDataField({job.Kind, job.DataValue, job.CartonIndicator, GivenCheck::Recomputed});
    if (!field) {
        // A value shorter than the kind needs is no data: the run ends in
        // the error state unless a later "cd" supplies a whole one.
        job.Digits.clear();
        job.InputDigits.clear();
        job.CheckDigit = '\0';
        return;
    }
    FillJob(*field, job);
}

// "id": the packaging indicator of a carton code made from a JAN.
void ApplyIndicator(std::string_view value, BarcodeJob& job) {
    if (job.Kind == SymbologyKind::None) return;
    if (job.Kind != SymbologyKind::Itf14) throw MerrowinError(std::string(kCartonKindMessage));
    if (value.size() != 1 || value[0] < '0' + kIndicators.first ||
        value[0] > '0' + kIndicators.last)
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

std::optional<CommandOption> ParseOption(std::string_view argument) {
    const std::size_t length = CountChars(argument);
    if (length < 3) return std::nullopt;
    return CommandOption{AsciiLower(CharRange(argument, 2, 3)), CharRange(argument, 4, length)};
}

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine command;
    if (arguments.empty()) return command;
    command.symbolSwitch = arguments.front();
    for (auto argument = arguments.begin() + 1; argument != arguments.end(); ++argument)
        if (std::optional<CommandOption> option = ParseOption(*argument))
            command.options.push_back(std::move(*option));
    return command;
}

bool OptionGiven(const CommandLine& command, std::string_view key) {
    return std::any_of(command.options.begin(), command.options.end(),
                       [key](const CommandOption& option) { return option.key == key; });
}

void ApplyOption(const CommandOption& option, BarcodeJob& job) {
    const std::string& key = option.key;
    for (const NumericOption& numeric : kNumericOptions)
        if (key == numeric.key) return ApplyNumeric(numeric, option, job);
    if (key == "no") {
        if (!job.PrefixedText) job.NoText = true;
    } else if (key == "ol") {
        job.OutlinedText = true;
    } else if (key == "cd") {
        if (job.Kind == SymbologyKind::None) return;
        job.DataValue = option.value;
        TakeData(job);
    } else if (key == "id") {
        ApplyIndicator(option.value, job);
    } else if (key == "ad") {
        ApplyAddOn(option.value, job);
    } else if (key == "fl") {
        job.SaveFile = true;
        if (!option.value.empty()) {
            job.FileNameGiven = true;
            job.FileName = option.value;
        }
    } else if (key == "dr") {
        job.SaveDr = option.value;
        for (char& c : job.SaveDr)
            if (c == '*') c = ' ';
    } else if (key == "nc") {
        if (job.SaveFile) job.NoClipboard = true;
    }
}

bool RunCommandLine(const std::vector<CommandOption>& options, BarcodeJob& job,
                    const SettingsLoader& loadSettings) {
    loadSettings(job);
    for (const CommandOption& option : options) ApplyOption(option, job);
    return !job.Digits.empty();
}

std::string IndicatorMessage(std::string_view value) {
    return FillMessage("インジケータ「%s」は使えません。/id の値は 1～8 の 1 桁です", value);
}
std::string AddOnMessage(std::string_view value) {
    return FillMessage("アドオン「%s」は使えません。/ad の値は 2 桁か 5 桁の数字です", value);
}

}  // namespace merrowin
