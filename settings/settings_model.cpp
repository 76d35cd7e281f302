#include "settings/settings_model.h"

#include "common/errors.h"
#include "common/text.h"

namespace merrowin {
namespace {

using enum SizeField;
constexpr SymbologyKind J13 = SymbologyKind::Jan13;
constexpr SymbologyKind J8 = SymbologyKind::Jan8;
constexpr SymbologyKind I14 = SymbologyKind::Itf14;
constexpr SymbologyKind I16 = SymbologyKind::Itf16;

// The subkeys in the order the settings are written.
constexpr std::array<SymbologyKind, 4> kKinds = {J13, J8, I14, I16};

}  // namespace

// The settings grid row by row, columns Jan13, Jan8, Itf14, Itf16:
//   edit  field         kind  min  max  default
const std::array<SettingsCell, kCellCount> kSettingsCells = {{
    {1, BarHeight, J13, 10, 100, 60},
    {2, BarHeight, J8, 10, 100, 60},
    {3, BarHeight, I14, 10, 100, 60},
    {4, BarHeight, I16, 10, 100, 60},
    {5, TopMargin, J13, 0, 20, 3},
    {6, TopMargin, J8, 0, 20, 3},
    {7, TopMargin, I14, 0, 20, 3},
    {8, TopMargin, I16, 0, 20, 3},
    {9, BottomMargin, J13, 0, 20, 3},
    {10, BottomMargin, J8, 0, 20, 3},
    {11, BottomMargin, I14, 0, 20, 3},
    {12, BottomMargin, I16, 0, 20, 3},
    {13, LeftMargin, J13, 11, 30, 11},
    {14, LeftMargin, J8, 11, 30, 11},
    {15, LeftMargin, I14, 0, 20, 3},
    {16, LeftMargin, I16, 0, 20, 3},
    {17, RightMargin, J13, 7, 30, 7},
    {18, RightMargin, J8, 7, 30, 7},
    {19, RightMargin, I14, 0, 20, 3},
    {20, RightMargin, I16, 0, 20, 3},
    {21, InnerMargin, I14, 10, 100, 10},  // ITF quiet zone only
    {22, InnerMargin, I16, 10, 100, 10},
    {23, Gap, J13, 0, 20, 2},
    {24, Gap, J8, 0, 20, 2},
    {25, Gap, I14, 0, 20, 2},
    {26, Gap, I16, 0, 20, 2},
    {27, FrameWidth, I14, 0, 15, 5},  // bearer frame, ITF only
    {28, FrameWidth, I16, 0, 15, 5},
    {29, FontSize, J13, 10, 28, 18},
    {30, FontSize, J8, 10, 28, 18},
    {31, FontSize, I14, 10, 28, 13},
    {32, FontSize, I16, 10, 28, 13},
    {33, CopyRate, J13, 10, 500, 100},
    {34, CopyRate, J8, 10, 500, 100},
    {35, CopyRate, I14, 10, 500, 100},
    {36, CopyRate, I16, 10, 500, 100},
}};

std::string_view FieldName(SizeField field) {
    switch (field) {
        case BarHeight:
            return "BarHeight";
        case TopMargin:
            return "TopMargin";
        case BottomMargin:
            return "BottomMargin";
        case LeftMargin:
            return "LeftMargin";
        case RightMargin:
            return "RightMargin";
        case InnerMargin:
            return "InnerMargin";
        case Gap:
            return "Gap";
        case FrameWidth:
            return "FrameWidth";
        case FontSize:
            return "FontSize";
        case CopyRate:
            return "CopyRate";
        case ModuleWidth:  // command line only: never stored
            return "ModuleWidth";
    }
    return {};
}

void SetDefaults(WorkingCopy& copy) {
    for (std::size_t i = 0; i < kSettingsCells.size(); ++i)
        copy.values[i] = kSettingsCells[i].fallback;
}

void ReadStoredValues(SettingsAccessor& store, WorkingCopy& copy) {
    for (std::size_t i = 0; i < kSettingsCells.size(); ++i) {
        const SettingsCell& cell = kSettingsCells[i];
        std::int32_t value =
            ReadInteger(store, KindSectionName(cell.kind), FieldName(cell.field), cell.fallback);
        copy.values[i] = NarrowToField(cell.field, value);
    }
}

void RecIni(const WorkingCopy& copy, bool defaultsChecked, std::string_view saveDr,
            SettingsAccessor& store) {
    // Subkey by subkey; within one, the grid's row order.
    for (SymbologyKind kind : kKinds) {
        for (std::size_t i = 0; i < kSettingsCells.size(); ++i) {
            const SettingsCell& cell = kSettingsCells[i];
            if (cell.kind != kind) continue;
            WriteInteger(store, KindSectionName(kind), FieldName(cell.field), copy.values[i]);
        }
    }
    WriteBool(store, kSettingSection, "Def", !defaultsChecked);
    WriteBool(store, kSettingSection, "DrChk", copy.DrChk);
    // An unused folder stays stored as it was, to come back greyed.
    if (copy.DrChk) store.WriteText(kSettingSection, "SaveDr", saveDr);
}

void RegErase(SettingsAccessor& korvane) {
    if (korvane.SectionExists(kStoreKeyName)) korvane.DeleteSection(kStoreKeyName);
}

std::int32_t ClampEditText(std::string& text, std::int32_t minimum, std::int32_t maximum) {
    if (StrToInt(text) > maximum) text = IntToStr(maximum);
    if (StrToInt(text) < minimum) text = IntToStr(minimum);
    return StrToInt(text);
}

bool EditKeyPasses(char32_t ch) {
    return ch == 8 || (ch >= U'0' && ch <= U'9');
}

}  // namespace merrowin
