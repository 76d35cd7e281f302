// What the store holds: the general choices of subkey Setting, and the 36
// per-symbology sizes (ten per ITF kind, eight per JAN kind) with their
// bounds and built-in defaults, taken from the option table. One table
// serves the run's loader, the settings window and its saver.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "model/job.h"
#include "model/options.h"

namespace merrowin {

// The general choices, in subkey Setting.
inline constexpr std::string_view kSettingSection = "Setting";
inline constexpr std::string_view kDefName = "Def";        // "1": stored sizes in force
inline constexpr std::string_view kDrChkName = "DrChk";    // "1": save into SaveDr
inline constexpr std::string_view kSaveDrName = "SaveDr";  // the fixed save folder

// Def and the settings window's CheckBox1 "常に既定値を適用する" hold one
// choice in opposite senses: Def true (stored sizes in force) is the box
// unchecked. Turns either into the other.
constexpr bool InvertDefaultsChoice(bool value) {
    return !value;
}

// The registry value name of a field ("BarHeight", ...).
std::string_view FieldName(SizeField field);

// One stored size, and the edit of the settings grid that shows it.
struct SettingsCell {
    int edit;  // 1 to 36: Edit1 ... Edit36, also UpDown1 ... UpDown36
    SizeField field;
    SymbologyKind kind;
    std::int32_t minimum;   // the settings window's bounds; the store
    std::int32_t maximum;   // and the run do not enforce them
    std::int32_t fallback;  // built-in default and value when absent
};

inline constexpr int kCellCount = 36;

// The settings grid's columns, left to right.
inline constexpr std::array<SymbologyKind, 4> kGridKinds{
    SymbologyKind::Jan13, SymbologyKind::Jan8, SymbologyKind::Itf14, SymbologyKind::Itf16};

// The cells from the option table: one per stored field and kind, row by
// row in the table's order, the window's range and the built-in value.
constexpr std::array<SettingsCell, kCellCount> MakeSettingsCells() {
    std::array<SettingsCell, kCellCount> cells{};
    std::size_t next = 0;
    for (const NumericOption& option : kNumericOptions) {
        for (SymbologyKind kind : kGridKinds) {
            if (!IsStored(option, kind)) continue;
            const Range range = WindowRange(option, kind);
            cells.at(next) = {
                static_cast<int>(next) + 1, option.field, kind, range.minimum, range.maximum,
                BuiltInValue(option, kind)};
            ++next;
        }
    }
    // Fewer cells than the grid has: a missing edit would be a zeroed row.
    if (next != cells.size()) throw "the option table does not fill the settings grid";
    return cells;
}

// In edit order: row by row (bar height first), columns Jan13, Jan8, Itf14,
// Itf16; the JAN columns have no inner margin and no frame width.
inline constexpr std::array<SettingsCell, kCellCount> kSettingsCells = MakeSettingsCells();

// The grid's rows are the fields in their order: kNumericOptions lists them
// so, the command-line-only module width last.
static_assert([] {
    for (std::size_t i = 0; i <= static_cast<std::size_t>(SizeField::CopyRate); ++i)
        if (kNumericOptions.at(i).field != static_cast<SizeField>(i)) return false;
    return true;
}());

// The subkey that holds a cell: its symbology's name ("Jan13", ...).
std::string_view SectionOf(const SettingsCell& cell);

}  // namespace merrowin
