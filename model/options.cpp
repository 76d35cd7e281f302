#include "model/options.h"

#include <algorithm>

namespace merrowin {
namespace {

// The range before the side clamps.
Range PlainRange(const NumericOption& option) {
    Range range{INT32_MAX, INT32_MIN};
    auto include = [&range](std::int32_t number) {
        range.minimum = std::min(range.minimum, number);
        range.maximum = std::max(range.maximum, number);
    };
    for (std::size_t i = 0; i < kLengthClasses; ++i) {
        const Take take = option.byLength[i];
        if (take.kind == Take::Fixed) include(take.number);
        if (take.kind != Take::Value) continue;
        std::int32_t low = 0;
        std::int32_t high = std::min(LargestOfDigits(i), option.ceiling);
        if (option.floor) {
            low = std::max(low, *option.floor);
            high = std::max(high, *option.floor);
        }
        include(low);
        include(high);
    }
    return range;
}

}  // namespace

std::int32_t LargestOfDigits(std::size_t digits) {
    if (digits + 1 >= kLengthClasses) return INT32_MAX;
    std::int32_t largest = 9;
    for (std::size_t i = 1; i < digits; ++i) largest = largest * 10 + 9;
    return largest;
}

Range CommandLineRange(const NumericOption& option, SymbologyKind kind) {
    Range range = PlainRange(option);
    if (option.side && IsJan(kind)) {
        range.minimum = std::max(range.minimum, option.side->janFloor);
        range.maximum = std::max(range.maximum, option.side->janFloor);
    }
    if (option.side && IsItf(kind)) {
        range.minimum = std::min(range.minimum, option.side->itfCeiling);
        range.maximum = std::min(range.maximum, option.side->itfCeiling);
    }
    return range;
}

}  // namespace merrowin
