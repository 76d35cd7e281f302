#include "settings/schema.h"

#include "model/symbology.h"

namespace merrowin {
namespace {

using enum SizeField;
constexpr SymbologyKind J13 = SymbologyKind::Jan13;
constexpr SymbologyKind J8 = SymbologyKind::Jan8;
constexpr SymbologyKind I14 = SymbologyKind::Itf14;
constexpr SymbologyKind I16 = SymbologyKind::Itf16;

}  // namespace

// clang-format off
// The settings grid row by row, columns Jan13, Jan8, Itf14, Itf16:
//   edit  field         kind  min  max  default
const std::array<SettingsCell, kCellCount> kSettingsCells = {{
    {1,  BarHeight,    J13, 10, 100, 60},
    {2,  BarHeight,    J8,  10, 100, 60},
    {3,  BarHeight,    I14, 10, 100, 60},
    {4,  BarHeight,    I16, 10, 100, 60},
    {5,  TopMargin,    J13,  0,  20,  3},
    {6,  TopMargin,    J8,   0,  20,  3},
    {7,  TopMargin,    I14,  0,  20,  3},
    {8,  TopMargin,    I16,  0,  20,  3},
    {9,  BottomMargin, J13,  0,  20,  3},
    {10, BottomMargin, J8,   0,  20,  3},
    {11, BottomMargin, I14,  0,  20,  3},
    {12, BottomMargin, I16,  0,  20,  3},
    {13, LeftMargin,   J13, 11,  30, 11},  // JAN quiet zone
    {14, LeftMargin,   J8,  11,  30, 11},
    {15, LeftMargin,   I14,  0,  20,  3},
    {16, LeftMargin,   I16,  0,  20,  3},
    {17, RightMargin,  J13,  7,  30,  7},
    {18, RightMargin,  J8,   7,  30,  7},
    {19, RightMargin,  I14,  0,  20,  3},
    {20, RightMargin,  I16,  0,  20,  3},
    {21, InnerMargin,  I14, 10, 100, 10},  // ITF quiet zone only
    {22, InnerMargin,  I16, 10, 100, 10},
    {23, Gap,          J13,  0,  20,  2},
    {24, Gap,          J8,   0,  20,  2},
    {25, Gap,          I14,  0,  20,  2},
    {26, Gap,          I16,  0,  20,  2},
    {27, FrameWidth,   I14,  0,  15,  5},  // bearer frame, ITF only
    {28, FrameWidth,   I16,  0,  15,  5},
    {29, FontSize,     J13, 10,  28, 18},
    {30, FontSize,     J8,  10,  28, 18},
    {31, FontSize,     I14, 10,  28, 13},
    {32, FontSize,     I16, 10,  28, 13},
    {33, CopyRate,     J13, 10, 500, 100},
    {34, CopyRate,     J8,  10, 500, 100},
    {35, CopyRate,     I14, 10, 500, 100},
    {36, CopyRate,     I16, 10, 500, 100},
}};
// clang-format on

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

std::string_view SectionOf(const SettingsCell& cell) {
    return Describe(cell.kind)->name;  // every cell has a real kind
}

}  // namespace merrowin
