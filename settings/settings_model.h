// The settings window's working copy: the 36 stored sizes (ten per ITF kind,
// eight per JAN kind), their bounds and defaults, how they are read, clamped
// and written. One table serves the loader, the saver and the window.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/job.h"
#include "settings/store.h"

namespace merrowin {

// The registry value name of a field ("BarHeight", ...).
std::string_view FieldName(SizeField field);

// One edit of the settings grid.
struct SettingsCell {
    int edit;  // 1 to 36: Edit1 ... Edit36, also UpDown1 ... UpDown36
    SizeField field;
    SymbologyKind kind;
    std::int32_t minimum;
    std::int32_t maximum;
    std::int32_t fallback;  // built-in default and value when absent
};

inline constexpr int kCellCount = 36;
// In edit order: row by row (bar height first), columns Jan13, Jan8, Itf14,
// Itf16; the JAN columns have no inner margin and no frame width.
extern const std::array<SettingsCell, kCellCount> kSettingsCells;

// The window's copy of the stored values, indexed like kSettingsCells.
struct WorkingCopy {
    bool DrChk = false;
    std::array<std::int32_t, kCellCount> values{};
};

// Built-in defaults in every cell; DrChk untouched.
void SetDefaults(WorkingCopy& copy);

// Reads the 36 stored values into `copy` in table order, each narrowed like
// its job field. Stops with the error of a value of the wrong type, leaving
// the cells read so far filled.
void ReadStoredValues(SettingsAccessor& store, WorkingCopy& copy);

// Writes the 36 values per subkey, then Def ("0" when the defaults box is
// checked), DrChk and, when DrChk is set, SaveDr. Stops at a failing write.
void RecIni(const WorkingCopy& copy, bool defaultsChecked, std::string_view saveDr,
            SettingsAccessor& store);

// Deletes the program's key under Software\Korvane if it is there.
void RegErase(SettingsAccessor& korvane);

// The apply step of one edit: converts its text (ConversionError naming it
// when it is no integer), replaces it by the bound it is over or under, and
// returns the number to store.
std::int32_t ClampEditText(std::string& text, std::int32_t minimum, std::int32_t maximum);

// The grid edits' key filter: backspace and the digits 0 to 9 pass.
bool EditKeyPasses(char32_t ch);

}  // namespace merrowin
