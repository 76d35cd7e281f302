#include "usage/help_text.h"

#include <algorithm>
#include <array>
#include <utility>

#include "common/text.h"
#include "model/options.h"
#include "model/symbology.h"

namespace merrowin {
namespace {

// clang-format off
// What each size is, in the settings window's own words; the value line
// under it comes from the option table.
constexpr std::array<std::pair<SizeField, std::string_view>, 13> kSizeMeanings{{
    {SizeField::BarHeight,    "バーの高さ (モジュール)。GS1 の標準は JAN-13 で 22.85 mm、0.33 mm の\n"
                              "モジュールで 69.24 (/bh69 で 22.77 mm)、JAN-8 で 18.23 mm (55.24)"},
    {SizeField::TopMargin,    "上マージン (モジュール)"},
    {SizeField::BottomMargin, "下マージン (モジュール)"},
    {SizeField::LeftMargin,   "左マージン (モジュール)"},
    {SizeField::RightMargin,  "右マージン (モジュール)"},
    {SizeField::InnerMargin,  "ITF の内マージン (クワイエットゾーン、モジュール)"},
    {SizeField::Gap,          "ギャップ: バーと数字の間隔 (描画単位)"},
    {SizeField::FrameWidth,   "枠幅: ITF のベアラーフレームの幅 (モジュール)"},
    {SizeField::FontSize,     "文字サイズ: 中央 1 行の数字の大きさ (描画単位)"},
    {SizeField::CopyRate,     "コピー倍率 (%): クリップボードとファイルの図の大きさ"},
    {SizeField::ModuleWidth,  "モジュール幅 (1/100 mm。0.33 mm は /mw33、0.26 mm は /mw26)。\n"
                              "指定すると図の大きさを画面ではなくこの幅 (×コピー倍率) から\n"
                              "決めるので、どのパソコンでも同じ大きさで印刷されます。\n"
                              "コマンドラインだけのもので、保存されません"},
    {SizeField::DotsPerInch,  "プリンターの解像度 (dpi)。モジュール、マージン、高さ、文字を\n"
                              "プリンターのドットの整数倍にします (■ 印刷)。コマンドライン\n"
                              "だけのもので、保存されません"},
    {SizeField::BarReduction, "バー幅の縮小 (µm)。バーをこの幅だけ細く、スペースを同じだけ\n"
                              "太くします (■ 印刷)。コマンドラインだけのもので、保存されません"},
}};
// clang-format on

// Replaces the one `marker` in `text`, if any, by `value`.
void Replace(std::string& text, std::string_view marker, std::string_view value) {
    const std::size_t at = text.find(marker);
    if (at != std::string::npos) text.replace(at, marker.size(), value);
}

// Where the text of a list row starts: two blanks, then the term padded.
constexpr std::size_t kTermColumn = 14;
// The widest text of a list row, in display columns.
constexpr std::size_t kTextColumns = 60;

// The digit counts that are taken as written: first..last.
struct ValueDigits {
    std::size_t first = kLengthClasses;
    std::size_t last = 0;
};
ValueDigits ValueDigitsOf(const NumericOption& option) {
    ValueDigits digits;
    for (std::size_t i = 0; i < kLengthClasses; ++i) {
        if (option.byLength[i].kind != Take::Value) continue;
        digits.first = std::min(digits.first, i);
        digits.last = i;
    }
    return digits;
}

std::string DashRange(Range range, std::string_view dash) {
    return IntToStr(range.minimum).append(dash).append(IntToStr(range.maximum));
}

// "1 桁以下は 10", "3 桁以上は 100", "値なしは 10": a run of lengths
// [first, last] that give one fixed number.
std::string FixedPhrase(std::size_t first, std::size_t last, std::int32_t number,
                        std::string_view particle) {
    std::string digits;
    if (last + 1 == kLengthClasses)
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

// Display columns of UTF-8 text: one for ASCII, two for the full-width
// characters that every other character of the help is.
std::size_t DisplayWidth(std::string_view text) {
    std::size_t width = 0;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) ++width;
        if (byte >= 0xC0) width += 2;
    }
    return width;
}

void AppendList(std::string& out, const std::vector<HelpEntry>& entries) {
    for (const HelpEntry& entry : entries) {
        std::size_t lineStart = out.size();
        out.append("  ").append(entry.term);
        std::string_view text = entry.text;
        for (;;) {
            const std::size_t column = out.size() - lineStart;
            out.append(column < kTermColumn ? kTermColumn - column : 1, ' ');
            const std::size_t end = text.find('\n');
            out.append(text.substr(0, end)).append("\n");
            if (end == std::string_view::npos) break;
            text.remove_prefix(end + 1);
            lineStart = out.size();
        }
    }
}

}  // namespace

std::string ValueRule(const NumericOption& option) {
    if (const ExactOption* exact = ExactOptionOf(option.field))
        return "値: " + std::string(exact->unit) + "。範囲 " +
               DashRange(CommandLineRange(option, SymbologyKind::None), "～") +
               std::string(exact->rangeNote) + "。範囲外や整数でない値はエラー";
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
    const bool capped = LargestOfDigits(digits.last) > option.ceiling;
    if (capped)
        phrases.push_back(IntToStr(option.ceiling) + " を超えると " + IntToStr(option.ceiling));
    // The fixed numbers of the longer lengths ("も" when it is the cap said
    // just before).
    if (digits.last + 1 < kLengthClasses) {
        const Take take = option.byLength[digits.last + 1];
        const bool same = capped && take.number == option.ceiling;
        phrases.push_back(
            FixedPhrase(digits.last + 1, kLengthClasses - 1, take.number, same ? "も " : "は "));
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
        out.append(DashRange(CommandLineRange(option, SymbologyKind::None), "～"));
    return out;
}

std::string RangeText(const NumericOption& option) {
    if (!option.side) return DashRange(CommandLineRange(option, SymbologyKind::None), "–");
    return "JAN " + DashRange(CommandLineRange(option, SymbologyKind::Jan13), "–") + ", ITF " +
           DashRange(CommandLineRange(option, SymbologyKind::Itf14), "–");
}

std::vector<HelpEntry> HelpSwitches() {
    std::vector<HelpEntry> entries;
    for (const SymbologyDescriptor& symbology : AllSymbologies())
        for (const SwitchStyle& style : symbology.switches)
            entries.push_back({std::string(style.text), std::string(style.help)});
    return entries;
}

std::vector<HelpEntry> HelpOptions() {
    std::vector<HelpEntry> entries;
    for (const TextOption& option : kTextOptions) {
        std::string text(option.help);
        Replace(text, "{kind}",
                option.onlyFor == SymbologyKind::None ? "" : KindAndSwitches(option.onlyFor));
        Replace(text, "{indicators}", IndicatorRangeText());
        Replace(text, "{add-on lengths}", AddOnLengthsText());
        // Appended rather than "/" + key: GCC 12's -Wrestrict wrongly
        // flags operator+ on a literal when optimised.
        std::string term("/");
        term.append(option.key).append(option.value);
        entries.push_back({std::move(term), std::move(text)});
    }
    for (auto [field, meaning] : kSizeMeanings) {
        const NumericOption& option = OptionOf(field);
        // The placeholder shows the fewest digits taken as written.
        const bool twoDigits = option.byLength[1].kind != Take::Value;
        HelpEntry entry;
        entry.term.append("/").append(option.key).append(twoDigits ? "NN" : "N");
        entry.text.append(meaning).append("\n").append(WrapText(ValueRule(option), kTextColumns));
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::string WrapText(std::string_view text, std::size_t columns) {
    std::string out;
    std::string line;
    // Pieces end after "、" and "。"; a line holds whole pieces.
    while (!text.empty()) {
        std::size_t end = text.size();
        for (std::string_view mark : {std::string_view("、"), std::string_view("。")}) {
            const std::size_t at = text.find(mark);
            if (at != std::string_view::npos) end = std::min(end, at + mark.size());
        }
        const std::string_view piece = text.substr(0, end);
        if (!line.empty() && DisplayWidth(line) + DisplayWidth(piece) > columns) {
            out.append(line).append("\n");
            line.clear();
        }
        line.append(piece);
        text.remove_prefix(end);
    }
    return out.append(line);
}

std::string HelpText() {
    std::string out;
    std::string_view source = HelpSource();
    while (!source.empty()) {
        const std::size_t end = source.find('\n');
        const std::string_view line = source.substr(0, end);
        source.remove_prefix(end == std::string_view::npos ? source.size() : end + 1);
        if (line == kCaptionMarker)
            out.append(kUsageCaption).append("\n");
        else if (line == kSwitchesMarker)
            AppendList(out, HelpSwitches());
        else if (line == kOptionsMarker)
            AppendList(out, HelpOptions());
        else
            out.append(line).append("\n");
    }
    return out;
}

}  // namespace merrowin
