#include "app/job.h"

namespace merrowin {

void SetJobField(BarcodeJob& job, SizeField field, std::int32_t value) {
    const auto low = static_cast<std::uint8_t>(value);
    switch (field) {
        case SizeField::BarHeight: job.BarHeight = value; break;
        case SizeField::TopMargin: job.TopMargin = low; break;
        case SizeField::BottomMargin: job.BottomMargin = low; break;
        case SizeField::LeftMargin: job.LeftMargin = low; break;
        case SizeField::RightMargin: job.RightMargin = low; break;
        case SizeField::InnerMargin: job.InnerMargin = low; break;
        case SizeField::Gap: job.Gap = low; break;
        case SizeField::FrameWidth: job.FrameWidth = low; break;
        case SizeField::FontSize: job.FontSize = low; break;
        case SizeField::CopyRate: job.CopyRate = value; break;
    }
}

}  // namespace merrowin
