#include "settings/schema.h"

#include "model/symbology.h"

namespace merrowin {

std::string_view FieldName(SizeField field) {
    using enum SizeField;
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
        case DotsPerInch:
            return "DotsPerInch";
        case BarReduction:
            return "BarReduction";
    }
    return {};
}

std::string_view SectionOf(const SettingsCell& cell) {
    return Describe(cell.kind)->name;  // every cell has a real kind
}

}  // namespace merrowin
