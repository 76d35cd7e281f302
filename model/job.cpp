#include "model/job.h"

namespace merrowin {

std::int32_t NarrowToField(SizeField field, std::int32_t value) {
    if (field == SizeField::BarHeight || field == SizeField::CopyRate ||
        field == SizeField::ModuleWidth)
        return value;
    return static_cast<std::uint8_t>(value);
}

void SetJobField(BarcodeJob& job, SizeField field, std::int32_t value) {
    const std::int32_t whole = NarrowToField(field, value);
    const auto low = static_cast<std::uint8_t>(whole);
    // clang-format off
    switch (field) {
        case SizeField::BarHeight:    job.BarHeight = whole; break;
        case SizeField::TopMargin:    job.TopMargin = low; break;
        case SizeField::BottomMargin: job.BottomMargin = low; break;
        case SizeField::LeftMargin:   job.LeftMargin = low; break;
        case SizeField::RightMargin:  job.RightMargin = low; break;
        case SizeField::InnerMargin:  job.InnerMargin = low; break;
        case SizeField::Gap:          job.Gap = low; break;
        case SizeField::FrameWidth:   job.FrameWidth = low; break;
        case SizeField::FontSize:     job.FontSize = low; break;
        case SizeField::CopyRate:     job.CopyRate = whole; break;
        case SizeField::ModuleWidth:  job.ModuleWidth = whole; break;
    }
    // clang-format on
}

}  // namespace merrowin
