// The settings window's working copy of the store: what a showing loads,
// how the edits' texts are brought into bounds, and how an apply writes it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "settings/schema.h"
#include "settings/store.h"

namespace merrowin {

// The window's copy of the stored values, indexed like kSettingsCells.
struct WorkingCopy {
    bool DrChk = false;
    std::array<std::int32_t, kCellCount> values{};
};

// Built-in defaults in every cell; DrChk untouched.
void SetDefaults(WorkingCopy& copy);

// What a showing of the settings window displays.
struct ShownSettings {
    WorkingCopy copy;             // the 36 edits and CheckBox2 (DrChk)
    bool defaultsChecked = true;  // CheckBox1 "常に既定値を適用する"
    std::string saveDr;           // Edit37, shown greyed while DrChk is off
};

// Reads the store as a showing does: with Def set, the 36 stored values in
// table order, each narrowed like its job field; without it, the built-in
// defaults (the stored numbers are not read). A value of the wrong type
// stops it with that value's error.
ShownSettings LoadWorkingCopy(SettingsAccessor& store);

// Writes the 36 values per subkey, then Def (the opposite of the defaults
// box), DrChk and, when DrChk is set, SaveDr. Stops at a failing write.
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
