#include "model/options.h"

#include <algorithm>
#include <vector>

#include "common/text.h"

namespace merrowin {
namespace {

constexpr std::size_t kLengths = 5;  // byLength: 0, 1, 2, 3 and 4 or more digits

// The largest number of `digits` digits (the last length class: no end).
std::int32_t LargestOf(std::size_t digits) {
    if (digits + 1 >= kLengths) return INT32_MAX;
    std::int32_t largest = 9;
    for (std::size_t i = 1; i < digits; ++i) largest = largest * 10 + 9;
    return largest;
}

// The digit counts that are taken as written: first..last.
struct ValueDigits {
    std::size_t first = kLengths;
    std::size_t last = 0;
    bool any() const { return first <= last; }
};
ValueDigits ValueDigitsOf(const NumericOption& option) {
    ValueDigits digits;
    for (std::size_t i = 0; i < kLengths; ++i) {
        if (option.byLength[i].kind != Take::Value) continue;
        digits.first = std::min(digits.first, i);
        digits.last = i;
    }
    return digits;
}

// The range before the side clamps.
Range PlainRange(const NumericOption& option) {
    Range range{INT32_MAX, INT32_MIN};
    auto include = [&range](std::int32_t number) {
        range.minimum = std::min(range.minimum, number);
        range.maximum = std::max(range.maximum, number);
    };
    for (std::size_t i = 0; i < kLengths; ++i) {
        const Take take = option.byLength[i];
        if (take.kind == Take::Fixed) include(take.number);
        if (take.kind != Take::Value) continue;
        std::int32_t low = 0;
        std::int32_t high = std::min(LargestOf(i), option.ceiling);
        if (option.floor) {
            low = std::max(low, *option.floor);
            high = std::max(high, *option.floor);
        }
        include(low);
        include(high);
    }
    return range;
}

std::string DashRange(Range range, std::string_view dash) {
    return IntToStr(range.minimum).append(dash).append(IntToStr(range.maximum));
}

// "1 桁以下は 10", "3 桁以上は 100", "値なしは 10": a run of lengths
// [first, last] that give one fixed number.
std::string FixedPhrase(std::size_t first, std::size_t last, std::int32_t number,
                        std::string_view particle) {
    std::string digits;
    if (last + 1 == kLengths)
        digits = IntToStr(static_cast<std::int32_t>(first)).append(" 桁以上");
    else if (first == 0 && last == 0)
        digits = "値なし";
    else if (first == 0)
        digits = IntToStr(static_cast<std::int32_t>(last)).append(" 桁以下");
    else if (first == last)
        digits = IntToStr(static_cast<std::int32_t>(first)).append(" 桁");
    else
        digits = IntToStr(static_cast<std::int32_t>(first))
                     .append("～")
                     .append(IntToStr(static_cast<std::int32_t>(last)))
                     .append(" 桁");
    return digits.append(particle).append(IntToStr(number));
}

}  // namespace

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

std::string ValueRule(const NumericOption& option) {
    const ValueDigits digits = ValueDigitsOf(option);
    std::string out = "値: ";
    if (digits.first == digits.last)
        out.append(IntToStr(static_cast<std::int32_t>(digits.first)));
    else
        out.append(IntToStr(static_cast<std::int32_t>(digits.first)))
            .append("～")
            .append(IntToStr(static_cast<std::int32_t>(digits.last)));
    out.append(" 桁。");

    std::vector<std::string> phrases;
    // The fixed numbers of the shorter lengths.
    for (std::size_t i = 0; i < digits.first;) {
        std::size_t end = i;
        const Take take = option.byLength[i];
        while (end + 1 < digits.first && option.byLength[end + 1].kind == take.kind &&
               option.byLength[end + 1].number == take.number)
            ++end;
        if (take.kind == Take::Fixed) phrases.push_back(FixedPhrase(i, end, take.number, "は "));
        i = end + 1;
    }
    if (option.floor)
        phrases.push_back(IntToStr(*option.floor) + " 未満は " + IntToStr(*option.floor));
    if (option.oneDigitOne) phrases.push_back("1 桁の 1 は " + IntToStr(*option.oneDigitOne));
    const bool capped = LargestOf(digits.last) > option.ceiling;
    if (capped)
        phrases.push_back(IntToStr(option.ceiling) + " を超えると " + IntToStr(option.ceiling));
    // The fixed numbers of the longer lengths ("も" when it is the cap said
    // just before).
    if (digits.last + 1 < kLengths) {
        const Take take = option.byLength[digits.last + 1];
        const bool same = capped && take.number == option.ceiling;
        phrases.push_back(
            FixedPhrase(digits.last + 1, kLengths - 1, take.number, same ? "も " : "は "));
    }
    if (option.side)
        phrases.push_back("JAN は " + IntToStr(option.side->janFloor) + " 未満が " +
                          IntToStr(option.side->janFloor) + "、ITF は " +
                          IntToStr(option.side->itfCeiling) + " を超えると " +
                          IntToStr(option.side->itfCeiling));
    if (option.byLength[0].kind == Take::Unchanged) phrases.push_back("値なしはそのまま");
    for (std::size_t i = 0; i < phrases.size(); ++i)
        out.append(i == 0 ? "" : "、").append(phrases[i]);
    if (!phrases.empty()) out.append("。");

    out.append("範囲 ");
    if (option.side)
        out.append("JAN ")
            .append(DashRange(CommandLineRange(option, SymbologyKind::Jan13), "～"))
            .append("、ITF ")
            .append(DashRange(CommandLineRange(option, SymbologyKind::Itf14), "～"));
    else
        out.append(DashRange(PlainRange(option), "～"));
    return out;
}

std::string RangeText(const NumericOption& option) {
    if (!option.side) return DashRange(PlainRange(option), "–");
    return "JAN " + DashRange(CommandLineRange(option, SymbologyKind::Jan13), "–") + ", ITF " +
           DashRange(CommandLineRange(option, SymbologyKind::Itf14), "–");
}

}  // namespace merrowin
