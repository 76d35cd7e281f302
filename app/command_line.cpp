#include "app/command_line.h"

#include <algorithm>

#include "common/errors.h"
#include "common/text.h"
#include "encode/book.h"
#include "model/options.h"
#include "render/slip_layout.h"

namespace merrowin {
namespace {

std::uint8_t& SideMargin(BarcodeJob& job, SizeField field) {
    return field == SizeField::LeftMargin ? job.LeftMargin : job.RightMargin;
}

void ApplyNumeric(const NumericOption& numeric, const CommandOption& option, BarcodeJob& job) {
    if (const ExactOption* exact = ExactOptionOf(numeric.field))
        return SetJobField(job, numeric.field, ReadExact(numeric, *exact, option.value));
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

// A book code is whole with its Cコード and price: both symbols' digits and
// both text lines are made from the three parts.
void JoinBookParts(BarcodeJob& job) {
    if (!job.Book || job.Digits.empty()) return;
    if (job.BookCCode.empty() || job.BookPrice.empty())
        throw MerrowinError(std::string(kBookPartsMessage));
    job.BookParts = MakeBookCode(job.DataValue, job.BookCCode, job.BookPrice);
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
    const TextOption* text = TextOptionOf(key);
    if (!text || !text->apply) return;
    // An option made for one kind is refused with another, never ignored.
    if (text->onlyFor != SymbologyKind::None && job.Kind != SymbologyKind::None &&
        job.Kind != text->onlyFor)
        throw MerrowinError(OtherKindMessage(*text));
    text->apply(option.value, job);
}

bool RunCommandLine(const std::vector<CommandOption>& options, BarcodeJob& job,
                    const SettingsLoader& loadSettings) {
    loadSettings(job);
    for (const CommandOption& option : options) ApplyOption(option, job);
    JoinBookParts(job);
    if (job.Kind == SymbologyKind::PaymentSlip) SizeSlip(job);
    return !job.Digits.empty();
}

}  // namespace merrowin
