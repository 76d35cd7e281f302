#include "model/options.h"

#include <algorithm>

#include "common/errors.h"
#include "common/text.h"
#include "encode/book.h"
#include "encode/encoders.h"
#include "model/data_field.h"
#include "model/symbology.h"

namespace merrowin {
namespace {

// Forms the data field from the value of "cd" and the packaging indicator:
// a single run recomputes a check digit written after the data, a carton
// code verifies the JAN's.
void TakeData(BarcodeJob& job) {
    std::optional<DataField> field;
    if (job.Book) {
        // A book code's ISBN is checked at once: its check digit verified,
        // its hyphens in their places. The Cコード and the price join it
        // once every option is read.
        field = MakeDataField(
            {SymbologyKind::Jan13, IsbnDigits(job.DataValue), 0, GivenCheck::Verified});
    } else {
        field =
            MakeDataField({job.Kind, job.DataValue, job.CartonIndicator, GivenCheck::Recomputed});
    }
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

// The range before the side clamps.
Range PlainRange(const NumericOption& option) {
    Range range{INT32_MAX, INT32_MIN};
    auto include = [&range](std::int32_t number) {
        range.minimum = std::min(range.minimum, number);
        range.maximum = std::max(range.maximum, number);
    };
    for (std::size_t i = 0; i < kLengthClasses; ++i) {
        const Take take = option.byLength[i];
        if (take.kind == Take::Fixed) include(take.number);
        if (take.kind != Take::Value) continue;
        std::int32_t low = 0;
        std::int32_t high = std::min(LargestOfDigits(i), option.ceiling);
        if (option.floor) {
            low = std::max(low, *option.floor);
            high = std::max(high, *option.floor);
        }
        include(low);
        include(high);
    }
    return range;
}

// A number as a designer writes it: digits with at most one ".", and a
// unit after it ("0.33mm", "25 µm", "600dpi"). Empty when it is none.
struct WrittenNumber {
    std::string_view number;
    std::string unit;  // lower case, "µm" for "um" and "μm" too
};
std::optional<WrittenNumber> ReadWrittenNumber(std::string_view value) {
    std::size_t end = 0;
    bool point = false;
    bool digit = false;
    for (; end < value.size(); ++end) {
        const char c = value[end];
        if (c >= '0' && c <= '9') {
            digit = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (!digit) return std::nullopt;
    WrittenNumber written{value.substr(0, end), AsciiLower(value.substr(end))};
    std::string& unit = written.unit;
    unit.erase(0, unit.find_first_not_of(' '));
    for (std::string_view micro : {"u", "\u03BC"})  // Greek mu for the micro sign
        if (unit.starts_with(micro)) unit.replace(0, micro.size(), "\u00B5");
    return written;
}

// `number` (digits and at most one ".") times `scale`, when that is a whole
// number within 32 bits.
std::optional<std::int64_t> Scaled(std::string_view number, std::int64_t scale) {
    std::int64_t value = 0;
    std::int64_t divisor = 1;
    bool point = false;
    for (const char c : number) {
        if (c == '.') {
            point = true;
            continue;
        }
        // Beyond 32 bits or nine decimals it is no value an option takes.
        if (value > INT32_MAX || divisor > 1'000'000'000) return std::nullopt;
        value = value * 10 + (c - '0');
        if (point) divisor *= 10;
    }
    if (value * scale % divisor != 0) return std::nullopt;
    return value * scale / divisor;
}

// "0.33 mm なら /mw33": from what was typed when it names a usable value
// (a decimal of millimetres, or a number with the option's own unit),
// else from the row's example.
std::string FormExample(const NumericOption& option, const ExactOption& exact,
                        std::string_view value, Range range) {
    std::string shown;
    std::string unit;
    std::optional<std::int64_t> units;
    if (const std::optional<WrittenNumber> written = ReadWrittenNumber(value)) {
        const bool decimal = written->number.find('.') != std::string_view::npos;
        if (exact.perMillimetre > 0 &&
            (written->unit == "mm" || (written->unit.empty() && decimal))) {
            unit = "mm";
            units = Scaled(written->number, exact.perMillimetre);
        } else if (!exact.ownUnit.empty() && written->unit == exact.ownUnit) {
            unit = exact.ownUnit;
            units = Scaled(written->number, 1);
        }
        // Appended rather than "0" + number: GCC 12's -Wrestrict wrongly
        // flags operator+ on a literal when optimised.
        if (written->number.starts_with('.')) shown = "0";
        shown.append(written->number);
    }
    if (!units || *units < range.minimum || *units > range.maximum) {
        shown = exact.example;
        unit = exact.perMillimetre > 0 ? "mm" : std::string(exact.ownUnit);
        units = Scaled(exact.example, exact.perMillimetre > 0 ? exact.perMillimetre : 1);
    }
    return shown.append(" ")
        .append(unit)
        .append(" なら /")
        .append(option.key)
        .append(IntToStr(static_cast<std::int32_t>(*units)));
}

}  // namespace

std::int32_t LargestOfDigits(std::size_t digits) {
    if (digits + 1 >= kLengthClasses) return INT32_MAX;
    std::int32_t largest = 9;
    for (std::size_t i = 1; i < digits; ++i) largest = largest * 10 + 9;
    return largest;
}

Range CommandLineRange(const NumericOption& option, SymbologyKind kind) {
    Range range = PlainRange(option);
    if (option.side && IsJan(kind)) {
        range.minimum = std::max(range.minimum, option.side->janFloor);
        range.maximum = std::max(range.maximum, option.side->janFloor);
    }
    if (option.side && IsItf(kind)) {
        range.minimum = std::min(range.minimum, option.side->itfCeiling);
        range.maximum = std::min(range.maximum, option.side->itfCeiling);
    }
    return range;
}

std::int32_t ReadExact(const NumericOption& option, const ExactOption& exact,
                       std::string_view value) {
    const Range range{option.floor.value_or(0), option.ceiling};
    const std::string key = std::string("/").append(option.key);
    const std::string refused = FillMessage(key + "%s は使えません。", value) + key + " は";
    // A blank between Japanese and Latin text, none within Japanese.
    const auto spaced = [](std::string_view text) {
        return std::string(static_cast<unsigned char>(text.front()) < 0x80 ? " " : "").append(text);
    };
    // A whole number: decimal digits, a "-" before them at most.
    const std::string_view digits = value.starts_with('-') ? value.substr(1) : value;
    const bool whole = !digits.empty() && std::all_of(digits.begin(), digits.end(),
                                                      [](char c) { return c >= '0' && c <= '9'; });
    if (!whole)
        throw MerrowinError(refused + spaced(exact.unit) + "です。" +
                            FormExample(option, exact, value, range));
    const std::optional<std::int32_t> number = TryStrToInt(value);
    if (!number || *number < range.minimum || *number > range.maximum)
        throw MerrowinError(refused + " " + IntToStr(range.minimum) + "～" +
                            IntToStr(range.maximum) + std::string(exact.rangeNote) + " です");
    return *number;
}

void ApplyNoText(std::string_view, BarcodeJob& job) {
    if (!job.PrefixedText) job.NoText = true;
}

void ApplyOutlinedText(std::string_view, BarcodeJob& job) {
    job.OutlinedText = true;
}

void ApplyData(std::string_view value, BarcodeJob& job) {
    if (job.Kind == SymbologyKind::None) return;
    // Full-width digits and hyphens are read as a list reads them.
    job.DataValue = HalfWidth(value);
    TakeData(job);
}

void ApplyIndicator(std::string_view value, BarcodeJob& job) {
    if (job.Kind == SymbologyKind::None) return;
    if (value.size() != 1 || value[0] < '0' + kIndicators.first ||
        value[0] > '0' + kIndicators.last)
        throw MerrowinError(IndicatorMessage(value));
    job.CartonIndicator = static_cast<std::uint8_t>(value[0] - '0');
    // Data given before this option is read again as a JAN.
    if (!job.DataValue.empty()) TakeData(job);
}

void ApplyAddOn(std::string_view value, BarcodeJob& job) {
    if (job.Kind == SymbologyKind::None) return;
    // The book code is a JAN-13 without one.
    if (job.Book) throw MerrowinError(OtherKindMessage(*TextOptionOf("ad")));
    const bool digits =
        std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!digits ||
        std::find(kAddOnLengths.begin(), kAddOnLengths.end(), value.size()) == kAddOnLengths.end())
        throw MerrowinError(AddOnMessage(value));
    job.AddOn = value;
}

void ApplyCCode(std::string_view value, BarcodeJob& job) {
    if (job.Kind == SymbologyKind::None) return;
    if (!job.Book) throw MerrowinError(std::string(kBookOptionKindMessage));
    job.BookCCode = CheckedCCode(value);
}

void ApplyBookPrice(std::string_view value, BarcodeJob& job) {
    if (job.Kind == SymbologyKind::None) return;
    if (!job.Book) throw MerrowinError(std::string(kBookOptionKindMessage));
    CheckedBookPrice(value);
    job.BookPrice = value;
}

void ApplyFile(std::string_view value, BarcodeJob& job) {
    job.SaveFile = true;
    if (!value.empty()) {
        job.FileNameGiven = true;
        job.FileName = value;
    }
}

void ApplyFolder(std::string_view value, BarcodeJob& job) {
    job.SaveDr = value;
    std::replace(job.SaveDr.begin(), job.SaveDr.end(), '*', ' ');
}

void ApplyNoClipboard(std::string_view, BarcodeJob& job) {
    if (job.SaveFile) job.NoClipboard = true;
}

void ApplyFileFormat(std::string_view value, BarcodeJob& job) {
    const std::optional<FileFormat> format = ParseFileFormat(value);
    if (!format) throw MerrowinError(FileFormatMessage(value));
    job.Format = *format;
    job.SaveFile = true;
}

const TextOption* TextOptionOf(std::string_view key) {
    for (const TextOption& option : kTextOptions)
        if (option.key == key) return &option;
    return nullptr;
}

std::string OtherKindMessage(const TextOption& option) {
    return std::string(option.subject) + " は " + KindAndSwitches(option.onlyFor) +
           " でだけ使えます";
}

std::string IndicatorRangeText() {
    return std::to_string(kIndicators.first) + "～" + std::to_string(kIndicators.last);
}

std::string AddOnLengthsText() {
    std::string text;
    for (const std::size_t length : kAddOnLengths)
        text.append(text.empty() ? "" : "か ").append(std::to_string(length) + " 桁");
    return text;
}

std::string IndicatorMessage(std::string_view value) {
    return FillMessage("インジケータ「%s」は使えません。/id の値は ", value) +
           IndicatorRangeText() + " の 1 桁です";
}

std::string AddOnMessage(std::string_view value) {
    return FillMessage("アドオン「%s」は使えません。/ad の値は ", value) + AddOnLengthsText() +
           "の数字です";
}

}  // namespace merrowin
