#include "model/job.h"

namespace merrowin {

std::int32_t NarrowToField(SizeField field, std::int32_t value) {
    if (field == SizeField::BarHeight || field == SizeField::CopyRate) return value;
    return static_cast<std::uint8_t>(value);
}

void SetJobField(BarcodeJob& job, SizeField field, std::int32_t value) {
    const auto narrowed = NarrowToField(field, value);
    const auto low = static_cast<std::uint8_t>(narrowed);
    switch (field) {
        case SizeField::BarHeight:
            job.BarHeight = narrowed;
            break;
        case SizeField::TopMargin:
            job.TopMargin = low;
            break;
        case SizeField::BottomMargin:
            job.BottomMargin = low;
            break;
        case SizeField::LeftMargin:
            job.LeftMargin = low;
            break;
        case SizeField::RightMargin:
            job.RightMargin = low;
            break;
        case SizeField::InnerMargin:
            job.InnerMargin = low;
            break;
        case SizeField::Gap:
            job.Gap = low;
            break;
        case SizeField::FrameWidth:
            job.FrameWidth = low;
            break;
        case SizeField::FontSize:
            job.FontSize = low;
            break;
        case SizeField::CopyRate:
            job.CopyRate = narrowed;
            break;
    }
}

}  // namespace merrowin
