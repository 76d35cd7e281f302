#include "app/command_line.h"

#include <algorithm>

#include "common/errors.h"
#include "common/text.h"
#include "encode/book.h"
#include "encode/carton.h"
#include "encode/check_digit.h"
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
    const std::string code =
        CartonCode(job.CartonIndicator, WithCheckDigit(value, SymbologyKind::Jan13));
    job.InputDigits = code.substr(0, 13);
    job.Digits = "00" + job.InputDigits;
    if (!job.FileNameGiven) job.FileName = code;
}

// The ISBN of a book code: checked at once, the Cコード and the price
// joined to it once every option is read.
void TakeBookData(BarcodeJob& job) {
    const std::string isbn = IsbnDigits(job.DataValue);
    job.InputDigits = isbn.substr(0, 12);
    job.Digits = "000" + job.InputDigits;
    if (!job.FileNameGiven) job.FileName = isbn;
}

// Forms the data digits and the default file name from the value of "cd".
void TakeData(BarcodeJob& job) {
    const SymbologyDescriptor* symbology = Describe(job.Kind);
    if (!symbology) return;
    if (job.CartonIndicator != 0) return TakeCartonData(job);
    if (job.Book) return TakeBookData(job);
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
    if (job.Kind != SymbologyKind::Jan13 || job.Book)
        throw MerrowinError(std::string(kAddOnKindMessage));
    const bool digits =
        std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!digits || (value.size() != 2 && value.size() != 5))
        throw MerrowinError(AddOnMessage(value));
    job.AddOn = value;
}

// "cc" and "pr": the Cコード and the price of a book code, checked as given.
void ApplyBookPart(const CommandOption& option, BarcodeJob& job) {
    if (job.Kind == SymbologyKind::None) return;
    if (!job.Book) throw MerrowinError(std::string(kBookOptionKindMessage));
    if (option.key == "cc") {
        job.BookCCode = CheckedCCode(option.value);
    } else {
        CheckedBookPrice(option.value);
        job.BookPrice = option.value;
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
    } else if (key == "cc" || key == "pr") {
        ApplyBookPart(option, job);
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
    JoinBookParts(job);
    return !job.Digits.empty();
}

}  // namespace merrowin
