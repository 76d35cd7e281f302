// Every fact about the numeric options in one table: the key, the job field
// it sets, what a value of each length gives, the floor, the ceiling and the
// side-margin clamps, the built-in value per kind, and the settings window's
// range. The command line, the schema of the store, the run's loader, the
// settings window and the help all read it; the help words it itself
// (usage/help_text.h).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/job.h"
#include "model/slip_options.h"

namespace merrowin {

// What a numeric option stores for a value of a given length: the value
// itself (within the row's limits), a fixed number, or nothing at all.
struct Take {
    enum Kind : std::uint8_t { Unchanged, Value, Fixed } kind;
    std::int32_t number;  // Fixed: the number
};
inline constexpr Take kKeep{Take::Unchanged, 0};
inline constexpr Take kValue{Take::Value, 0};
constexpr Take Fix(std::int32_t number) {
    return {Take::Fixed, number};
}

// The limits of a side margin by symbology, applied after every length
// (also when the field stays unchanged): JAN keeps its quiet zone, ITF's
// outer margins are capped.
struct SideClamp {
    std::int32_t janFloor;
    std::int32_t itfCeiling;
};

// The lengths a numeric option tells apart: 0, 1, 2, 3 and 4 or more digits.
inline constexpr std::size_t kLengthClasses = 5;

// Which kinds keep the field in the store (and show it in the settings grid).
enum class StoredFor : std::uint8_t { None, Itf, Every };

// One row per key. A value taken as written is raised to `floor` and capped
// at `ceiling`; a one-digit 1 becomes `oneDigitOne` where the row names it.
// The settings window takes `windowFloor` to `ceiling` (narrowed by the side
// clamp); a kind without the field in the store keeps the built-in value.
struct NumericOption {
    std::string_view key;
    SizeField field;
    std::array<Take, kLengthClasses> byLength;  // argument length 3, 4, 5, 6, 7+: 0 to 4+ digits
    std::int32_t ceiling;
    std::optional<std::int32_t> floor;
    std::optional<std::int32_t> oneDigitOne;
    std::optional<SideClamp> side;
    StoredFor stored;
    std::int32_t windowFloor;
    std::int32_t janDefault;  // built-in value of the JAN kinds
    std::int32_t itfDefault;  // built-in value of the ITF kinds
};

inline constexpr auto kNoFloor = std::nullopt;
inline constexpr auto kAsTyped = std::nullopt;
inline constexpr auto kAnyKind = std::nullopt;

// clang-format off
// In the order of the settings grid's rows (SizeField), then the command
// line's own.
inline constexpr std::array<NumericOption, 13> kNumericOptions{{
    // key field                     L=3      L=4      L=5     L=6       L=7+      ceiling floor     one digit 1  side margin         stored              window floor, JAN, ITF
    {"bh", SizeField::BarHeight,    {Fix(10), Fix(10), kValue, Fix(100), Fix(100)}, 100, kNoFloor, kAsTyped, kAnyKind,          StoredFor::Every, 10, 60,  60},
    {"tm", SizeField::TopMargin,    {kKeep,   kValue,  kValue, Fix(20),  Fix(20)},  20,  kNoFloor, kAsTyped, kAnyKind,          StoredFor::Every, 0,  3,   3},
    {"bm", SizeField::BottomMargin, {kKeep,   kValue,  kValue, Fix(20),  Fix(20)},  20,  kNoFloor, kAsTyped, kAnyKind,          StoredFor::Every, 0,  3,   3},
    // JAN quiet zone
    {"lm", SizeField::LeftMargin,   {kKeep,   kValue,  kValue, Fix(30),  Fix(30)},  30,  kNoFloor, kAsTyped, SideClamp{11, 20}, StoredFor::Every, 0,  11,  3},
    {"rm", SizeField::RightMargin,  {kKeep,   kValue,  kValue, Fix(30),  Fix(30)},  30,  kNoFloor, kAsTyped, SideClamp{7, 20},  StoredFor::Every, 0,  7,   3},
    // ITF quiet zone; the JAN kinds keep the built-in value
    {"im", SizeField::InnerMargin,  {Fix(10), Fix(10), kValue, Fix(100), Fix(100)}, 100, kNoFloor, kAsTyped, kAnyKind,          StoredFor::Itf,   10, 10,  10},
    {"gp", SizeField::Gap,          {kKeep,   kValue,  kValue, Fix(20),  Fix(20)},  20,  kNoFloor, kAsTyped, kAnyKind,          StoredFor::Every, 0,  2,   2},
    // bearer frame, ITF only
    {"fw", SizeField::FrameWidth,   {kKeep,   kValue,  kValue, Fix(15),  Fix(15)},  15,  kNoFloor, 2,        kAnyKind,          StoredFor::Itf,   0,  5,   5},
    {"fs", SizeField::FontSize,     {Fix(10), Fix(10), kValue, Fix(28),  Fix(28)},  28,  kNoFloor, kAsTyped, kAnyKind,          StoredFor::Every, 10, 18,  13},
    {"cr", SizeField::CopyRate,     {Fix(10), Fix(10), kValue, kValue,   Fix(500)}, 500, kNoFloor, kAsTyped, kAnyKind,          StoredFor::Every, 10, 100, 100},
    // The print sizes, command line only and read as written at every
    // length (kExactOptions): floor to ceiling, anything else refused.
    // The module width in .01 mm that the picture states as its printed
    // size.
    {"mw", SizeField::ModuleWidth,  {kValue,  kValue,  kValue, kValue,   kValue},   200, 10,       kAsTyped, kAnyKind,          StoredFor::None,  10, 0,   0},
    // The printer's resolution in dots per inch: every bar, space and
    // margin becomes whole dots.
    {"dp", SizeField::DotsPerInch,  {kValue,  kValue,  kValue, kValue,   kValue},   4000, 72,      kAsTyped, kAnyKind,          StoredFor::None,  72, 0,   0},
    // Bar width reduction in micrometres: every bar narrower, every space
    // wider by as much.
    {"bw", SizeField::BarReduction, {kValue,  kValue,  kValue, kValue,   kValue},   999, 0,        kAsTyped, kAnyKind,          StoredFor::None,  0,  0,   0},
}};
// clang-format on

// An option read exactly as written, whatever its length: a whole number
// of its unit from the row's floor to its ceiling, or refused with the
// right form (never clamped, never taken by its length). A designer writes
// millimetres ("/mw0.33"), so the refusal turns a decimal of millimetres,
// or a value with its own unit, into the option's form.
struct ExactOption {
    SizeField field;
    std::string_view unit;       // "0.01 mm 単位の整数"
    std::string_view ownUnit;    // its unit after a number: "µm", "dpi"; "" none
    std::int32_t perMillimetre;  // units a millimetre; 0: not a length
    std::string_view example;    // what the example shows without a usable value
    std::string_view rangeNote;  // after the range: " (0.10～2.00 mm)"
};

// clang-format off
inline constexpr std::array<ExactOption, 3> kExactOptions{{
    // field                   unit                              own unit per mm example  range note
    {SizeField::ModuleWidth,  "0.01 mm 単位の整数",               "",      100,   "0.33",  " (0.10～2.00 mm)"},
    {SizeField::DotsPerInch,  "1 インチのドット数 (dpi) の整数",  "dpi",   0,     "2400",  " dpi"},
    {SizeField::BarReduction, "マイクロメートル単位の整数",        "µm",    1000,  "0.025", " µm"},
}};
// clang-format on

// The exact reading of a field; nullptr for a field read by its length.
constexpr const ExactOption* ExactOptionOf(SizeField field) {
    for (const ExactOption& exact : kExactOptions)
        if (exact.field == field) return &exact;
    return nullptr;
}

// The number `value` of an exactly read option stands for; raises
// MerrowinError with the form ("/mw0.33 は使えません。/mw は 0.01 mm 単位
// の整数です。0.33 mm なら /mw33") or the range ("/mw5 は使えません。/mw は
// 10～200 (0.10～2.00 mm) です").
std::int32_t ReadExact(const NumericOption& option, const ExactOption& exact,
                       std::string_view value);

// The row of a field; every SizeField has one.
constexpr const NumericOption& OptionOf(SizeField field) {
    for (const NumericOption& option : kNumericOptions)
        if (option.field == field) return option;
    return kNumericOptions.back();
}

// Whether the store holds the field for `kind`.
constexpr bool IsStored(const NumericOption& option, SymbologyKind kind) {
    return option.stored == StoredFor::Every || (option.stored == StoredFor::Itf && IsItf(kind));
}

// The built-in value of the field for `kind` (the JAN one for None).
constexpr std::int32_t BuiltInValue(const NumericOption& option, SymbologyKind kind) {
    return IsItf(kind) ? option.itfDefault : option.janDefault;
}

// The settings window's bounds of a cell: the row's window floor and
// ceiling, narrowed by the side clamp of the kind.
struct Range {
    std::int32_t minimum;
    std::int32_t maximum;
    bool operator==(const Range&) const = default;
};
constexpr Range WindowRange(const NumericOption& option, SymbologyKind kind) {
    Range range{option.windowFloor, option.ceiling};
    if (option.side && IsJan(kind) && range.minimum < option.side->janFloor)
        range.minimum = option.side->janFloor;
    if (option.side && IsItf(kind) && range.maximum > option.side->itfCeiling)
        range.maximum = option.side->itfCeiling;
    return range;
}

// The numbers an option argument can leave in the field of a job of
// `kind`, from digits only: the fixed numbers and the clamped values.
Range CommandLineRange(const NumericOption& option, SymbologyKind kind);

// The largest number of `digits` digits; the last length class (4 digits
// or more) has no end.
std::int32_t LargestOfDigits(std::size_t digits);

// Sets what an option that is not a number gives the job, from its value
// as written; raises MerrowinError when the option cannot be used so.
using ApplyText = void (*)(std::string_view value, BarcodeJob& job);

// Every fact about an option that is not a number: the key, the shape of
// its value as the help writes it, the one kind it serves, whether a batch
// (/bt) takes it from the list or ignores it, what it does to the job, and
// the help's words. In those, {kind} stands for the kind and its switches
// ("ITF-14 (/i14、/i14f、/i14h)"), {indicators} for the indicator range
// and {add-on lengths} for the add-on's digit counts.
struct TextOption {
    std::string_view key;
    std::string_view value;    // "DIGITS", "N", "NAME"...; "" takes none
    SymbologyKind onlyFor;     // None: every kind; another is refused
    std::string_view subject;  // what a refusal calls it: "/id (集合包装用商品コード)"
    bool impliedInList;        // a batch names its files and takes its data from the list
    ApplyText apply;           // nullptr: read where it is used (bt)
    std::string_view help;
};

void ApplyNoText(std::string_view value, BarcodeJob& job);
void ApplyOutlinedText(std::string_view value, BarcodeJob& job);
void ApplyData(std::string_view value, BarcodeJob& job);
void ApplyIndicator(std::string_view value, BarcodeJob& job);
void ApplyAddOn(std::string_view value, BarcodeJob& job);
void ApplyCCode(std::string_view value, BarcodeJob& job);
void ApplyBookPrice(std::string_view value, BarcodeJob& job);
void ApplyFile(std::string_view value, BarcodeJob& job);
void ApplyFolder(std::string_view value, BarcodeJob& job);
void ApplyNoClipboard(std::string_view value, BarcodeJob& job);
void ApplyFileFormat(std::string_view value, BarcodeJob& job);

// clang-format off
// In the order the help lists them, before the sizes.
inline constexpr std::array<TextOption, 14> kTextOptions{{
    {"cd", "DIGITS", SymbologyKind::None, "", true, ApplyData,
     "データ (必須)。JAN-13 は 12 桁、JAN-8 は 7 桁、ITF-14 は 13 桁、\n"
     "ITF-16 は 15 桁。チェックデジットは自動で計算して付けます。\n"
     "余分な文字は無視します: JAN-13 を 13 桁で書いても 13 桁目は\n"
     "使わず、チェックデジットを計算し直します。そのため 12 桁までの\n"
     "打ち間違いはエラーにならず、別のコードになります。書いた\n"
     "チェックデジットを確かめるのは /id と /bt です。\n"
     "足りないときは「コマンドが正しくありません。」\n"
     "/bk では ISBN (■ 書籍JANコード (/bk))"},
    {"bt", "LIST", SymbologyKind::None, "", true, nullptr,
     "商品リスト LIST の 1 行ごとに 1 つの図をファイルに作ります\n"
     "(一括作成)。チェックデジット付きのデータは検査します。\n"
     "結果は LIST の横の「LIST の名前.report.tsv」に書きます。\n"
     "全行成功で終了コード 0、それ以外は 1。下の「商品リストから\n"
     "一括作成 (/bt)」を参照"},
    {"fl", "NAME", SymbologyKind::None, "", true, ApplyFile,
     "図を NAME.emf (/fm では形式の拡張子) にも保存します。\n"
     "/fl だけのときは、データとチェックデジットを名前にします"},
    {"fm", "FORMAT", SymbologyKind::None, "", false, ApplyFileFormat,
     "ファイルの形式: emf (付けないときと同じ)、eps、pdf\n"
     "(印刷会社用)、svg、png (Web 用)。/fl と同じように\n"
     "ファイルに保存します (■ 印刷会社・Web 用のファイル)。\n"
     "コマンドラインだけのものです"},
    {"dr", "FOLDER", SymbologyKind::None, "", false, ApplyFolder,
     "保存先のフォルダ。* は空白の代わりです。/dr だけのときは\n"
     "設定画面で指定したフォルダをこの実行に限り使いません\n"
     "(設定は変わりません)"},
    {"nc", "", SymbologyKind::None, "", true, ApplyNoClipboard,
     "/fl か /fm の後に書くと、ファイルだけに出力し、\n"
     "クリップボードは変えません"},
    {"no", "", SymbologyKind::None, "", false, ApplyNoText,
     "数字を描きません (/j13b、/j8b、ITF)"},
    {"id", "N", SymbologyKind::Itf14, "/id (集合包装用商品コード)", false, ApplyIndicator,
     "{kind} で、JAN から集合包装用商品コードを\n"
     "作ります。N はインジケータ {indicators}。/cd には JAN-13 を 12 桁か、\n"
     "チェックデジット付きの 13 桁で書きます (違っていればエラー)。\n"
     "ファイル名は 14 桁のコードです"},
    {"ad", "DIGITS", SymbologyKind::Jan13, "/ad (アドオン)", false, ApplyAddOn,
     "{kind} の右にアドオンを付けます。\n"
     "DIGITS は {add-on lengths} (それ以外はエラー)。雑誌コードに使います"},
    // The book code's parts: refused with any switch but /bk; a list gives
    // them in its columns.
    {"cc", "NNNN", SymbologyKind::None, "", true, ApplyCCode,
     "書籍JANコード (/bk) の Cコード 4 桁 (必須。C は付けません)"},
    {"pr", "N", SymbologyKind::None, "", true, ApplyBookPrice,
     "書籍JANコード (/bk) の本体価格 (税抜き) 0～99999 円 (必須)"},
    // A biller's list of payment slips (model/slip_options.h).
    {"cm", "NNNNNN", SymbologyKind::PaymentSlip, "/cm (請求書発行企業コード)", false, ApplySlipCompany,
     "{kind} のリスト (/bt) で、1 行を部分で書くときの\n"
     "請求書発行企業コード 6 桁 (JAN メーカーコードの先頭の 4 を除いたもの)"},
    {"st", "N", SymbologyKind::PaymentSlip, "/st (印紙の金額)", false, ApplyStampThreshold,
     "{kind} のリストで、印紙フラグを 1 にする金額 (円)。\n"
     "付けないときは 50000 (5 万円以上の領収書に収入印紙)"},
    {"ol", "", SymbologyKind::None, "", false, ApplyOutlinedText,
     "数字と文字を OCR-B の輪郭 (塗りつぶした図形) で描きます。\n"
     "フォントがなくても、どのパソコンとプリンターでも同じ形に\n"
     "なります (■ 印刷)。コマンドラインだけのもので、保存されません"},
}};
// clang-format on

// The row of a key; nullptr when no option that is not a number has it.
const TextOption* TextOptionOf(std::string_view key);

// The refusal of an option used with another kind than its own:
// "/id (集合包装用商品コード) は ITF-14 (/i14、/i14f、/i14h) でだけ使えます".
std::string OtherKindMessage(const TextOption& option);

// The indicator range and the add-on lengths in words: "1～8", "2 桁か 5 桁".
std::string IndicatorRangeText();
std::string AddOnLengthsText();

// インジケータ「%s」は使えません。/id の値は 1～8 の 1 桁です
std::string IndicatorMessage(std::string_view value);
// アドオン「%s」は使えません。/ad の値は 2 桁か 5 桁の数字です
std::string AddOnMessage(std::string_view value);

}  // namespace merrowin
