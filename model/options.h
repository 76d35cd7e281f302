// Every fact about the numeric options in one table: the key, the job field
// it sets, what a value of each length gives, the floor, the ceiling and the
// side-margin clamps, the built-in value per kind, and the settings window's
// range. The command line, the schema of the store, the run's loader, the
// settings window and the help all read it; the help words it itself
// (usage/help_text.h).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "model/job.h"

namespace merrowin {

// What a numeric option stores for a value of a given length: the value
// itself (within the row's limits), a fixed number, or nothing at all.
struct Take {
    enum Kind : std::uint8_t { Unchanged, Value, Fixed } kind;
    std::int32_t number;  // Fixed: the number
};
inline constexpr Take kKeep{Take::Unchanged, 0};
inline constexpr Take kValue{Take::Value, 0};
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

// The lengths a numeric option tells apart: 0, 1, 2, 3 and 4 or more digits.
inline constexpr std::size_t kLengthClasses = 5;

// Which kinds keep the field in the store (and show it in the settings grid).
enum class StoredFor : std::uint8_t { None, Itf, Every };

// One row per key. A value taken as written is raised to `floor` and capped
// at `ceiling`; a one-digit 1 becomes `oneDigitOne` where the row names it.
// The settings window takes `windowFloor` to `ceiling` (narrowed by the side
// clamp); a kind without the field in the store keeps the built-in value.
struct NumericOption {
    std::string_view key;
    SizeField field;
    std::array<Take, kLengthClasses> byLength;  // argument length 3, 4, 5, 6, 7+: 0 to 4+ digits
    std::int32_t ceiling;
    std::optional<std::int32_t> floor;
    std::optional<std::int32_t> oneDigitOne;
    std::optional<SideClamp> side;
    StoredFor stored;
    std::int32_t windowFloor;
    std::int32_t janDefault;  // built-in value of the JAN kinds
    std::int32_t itfDefault;  // built-in value of the ITF kinds
};

inline constexpr auto kNoFloor = std::nullopt;
inline constexpr auto kAsTyped = std::nullopt;
inline constexpr auto kAnyKind = std::nullopt;

// clang-format off
// In the order of the settings grid's rows (SizeField), then the command
// line's own.
inline constexpr std::array<NumericOption, 13> kNumericOptions{{
    // key field                     L=3      L=4      L=5     L=6       L=7+      ceiling floor     one digit 1  side margin         stored              window floor, JAN, ITF
    {"bh", SizeField::BarHeight,    {Fix(10), Fix(10), kValue, Fix(100), Fix(100)}, 100, kNoFloor, kAsTyped, kAnyKind,          StoredFor::Every, 10, 60,  60},
    {"tm", SizeField::TopMargin,    {kKeep,   kValue,  kValue, Fix(20),  Fix(20)},  20,  kNoFloor, kAsTyped, kAnyKind,          StoredFor::Every, 0,  3,   3},
    {"bm", SizeField::BottomMargin, {kKeep,   kValue,  kValue, Fix(20),  Fix(20)},  20,  kNoFloor, kAsTyped, kAnyKind,          StoredFor::Every, 0,  3,   3},
    // JAN quiet zone
    {"lm", SizeField::LeftMargin,   {kKeep,   kValue,  kValue, Fix(30),  Fix(30)},  30,  kNoFloor, kAsTyped, SideClamp{11, 20}, StoredFor::Every, 0,  11,  3},
    {"rm", SizeField::RightMargin,  {kKeep,   kValue,  kValue, Fix(30),  Fix(30)},  30,  kNoFloor, kAsTyped, SideClamp{7, 20},  StoredFor::Every, 0,  7,   3},
    // ITF quiet zone; the JAN kinds keep the built-in value
    {"im", SizeField::InnerMargin,  {Fix(10), Fix(10), kValue, Fix(100), Fix(100)}, 100, kNoFloor, kAsTyped, kAnyKind,          StoredFor::Itf,   10, 10,  10},
    {"gp", SizeField::Gap,          {kKeep,   kValue,  kValue, Fix(20),  Fix(20)},  20,  kNoFloor, kAsTyped, kAnyKind,          StoredFor::Every, 0,  2,   2},
    // bearer frame, ITF only
    {"fw", SizeField::FrameWidth,   {kKeep,   kValue,  kValue, Fix(15),  Fix(15)},  15,  kNoFloor, 2,        kAnyKind,          StoredFor::Itf,   0,  5,   5},
    {"fs", SizeField::FontSize,     {Fix(10), Fix(10), kValue, Fix(28),  Fix(28)},  28,  kNoFloor, kAsTyped, kAnyKind,          StoredFor::Every, 10, 18,  13},
    {"cr", SizeField::CopyRate,     {Fix(10), Fix(10), kValue, kValue,   Fix(500)}, 500, kNoFloor, kAsTyped, kAnyKind,          StoredFor::Every, 10, 100, 100},
    // The module width in .01 mm that the picture states as its printed
    // size: command line only.
    {"mw", SizeField::ModuleWidth,  {Fix(10), Fix(10), kValue, kValue,   Fix(200)}, 200, 10,       kAsTyped, kAnyKind,          StoredFor::None,  10, 0,   0},
    // The printer's resolution in dots per inch: every bar, space and
    // margin becomes whole dots. Command line only.
    {"dp", SizeField::DotsPerInch,  {kKeep,   kValue,  kValue, kValue,   kValue},   2400, 72,      kAsTyped, kAnyKind,          StoredFor::None,  72, 0,   0},
    // Bar width reduction in micrometres: every bar narrower, every space
    // wider by as much. Command line only.
    {"bw", SizeField::BarReduction, {kKeep,   kValue,  kValue, kValue,   Fix(999)}, 999, kNoFloor, kAsTyped, kAnyKind,          StoredFor::None,  0,  0,   0},
}};
// clang-format on

// The row of a field; every SizeField has one.
constexpr const NumericOption& OptionOf(SizeField field) {
    for (const NumericOption& option : kNumericOptions)
        if (option.field == field) return option;
    return kNumericOptions.back();
}

// Whether the store holds the field for `kind`.
constexpr bool IsStored(const NumericOption& option, SymbologyKind kind) {
    return option.stored == StoredFor::Every || (option.stored == StoredFor::Itf && IsItf(kind));
}

// The built-in value of the field for `kind` (the JAN one for None).
constexpr std::int32_t BuiltInValue(const NumericOption& option, SymbologyKind kind) {
    return IsItf(kind) ? option.itfDefault : option.janDefault;
}

// The settings window's bounds of a cell: the row's window floor and
// ceiling, narrowed by the side clamp of the kind.
struct Range {
    std::int32_t minimum;
    std::int32_t maximum;
    bool operator==(const Range&) const = default;
};
constexpr Range WindowRange(const NumericOption& option, SymbologyKind kind) {
    Range range{option.windowFloor, option.ceiling};
    if (option.side && IsJan(kind) && range.minimum < option.side->janFloor)
        range.minimum = option.side->janFloor;
    if (option.side && IsItf(kind) && range.maximum > option.side->itfCeiling)
        range.maximum = option.side->itfCeiling;
    return range;
}

// The numbers an option argument can leave in the field of a job of
// `kind`, from digits only: the fixed numbers and the clamped values.
Range CommandLineRange(const NumericOption& option, SymbologyKind kind);

// The largest number of `digits` digits; the last length class (4 digits
// or more) has no end.
std::int32_t LargestOfDigits(std::size_t digits);

}  // namespace merrowin
