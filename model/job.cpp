#include "model/job.h"

namespace merrowin {

std::int32_t NarrowToField(SizeField field, std::int32_t value) {
    if (field == SizeField::BarHeight || field == SizeField::CopyRate ||
        field == SizeField::ModuleWidth || field == SizeField::DotsPerInch ||
        field == SizeField::BarReduction)
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
        case SizeField::DotsPerInch:  job.DotsPerInch = whole; break;
        case SizeField::BarReduction: job.BarReduction = whole; break;
    }
    // clang-format on
}

std::int32_t JobField(const BarcodeJob& job, SizeField field) {
    // clang-format off
    switch (field) {
        case SizeField::BarHeight:    return job.BarHeight;
        case SizeField::TopMargin:    return job.TopMargin;
        case SizeField::BottomMargin: return job.BottomMargin;
        case SizeField::LeftMargin:   return job.LeftMargin;
        case SizeField::RightMargin:  return job.RightMargin;
        case SizeField::InnerMargin:  return job.InnerMargin;
        case SizeField::Gap:          return job.Gap;
        case SizeField::FrameWidth:   return job.FrameWidth;
        case SizeField::FontSize:     return job.FontSize;
        case SizeField::CopyRate:     return job.CopyRate;
        case SizeField::ModuleWidth:  return job.ModuleWidth;
        case SizeField::DotsPerInch:  return job.DotsPerInch;
        case SizeField::BarReduction: return job.BarReduction;
    }
    // clang-format on
    return 0;
}

}  // namespace merrowin
