#include "app/command_line.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/switches.h"
#include "common/errors.h"

namespace merrowin {
namespace {

// Stored sizes a run might start from; distinct so "unchanged" is visible.
void StoredSizes(BarcodeJob& job) {
    job.BarHeight = 61;
    job.TopMargin = 4;
    job.BottomMargin = 5;
    job.LeftMargin = 12;
    job.RightMargin = 8;
    job.InnerMargin = 11;
    job.Gap = 3;
    job.FrameWidth = 6;
    job.FontSize = 17;
    job.CopyRate = 99;
    job.SaveFile = job.FileNameGiven = job.NoClipboard = false;
}

// The options of arguments 2 to n as the program reads them.
std::vector<CommandOption> Options(const std::vector<std::string>& arguments) {
    std::vector<std::string> command{"/j13"};
    command.insert(command.end(), arguments.begin(), arguments.end());
    return ParseCommandLine(command).options;
}

BarcodeJob RunJob(std::string_view switchArg, const std::vector<std::string>& options,
                  bool* outcome = nullptr) {
    BarcodeJob job;
    ApplySwitch(switchArg, job);
    bool result = RunCommandLine(Options(options), job, StoredSizes);
    if (outcome) *outcome = result;
    return job;
}

struct SwitchRow {
    const char* argument;
    SymbologyKind kind;
    bool extendedGuards, prefixedText, bearerFrame;
    bool bearerBarsOnly = false;
};

TEST(SymbologySwitch, WholeArgumentSelectsKindAndStyle) {
    const SwitchRow rows[] = {
        {"/j13", SymbologyKind::Jan13, true, false, false},
        {"/j13b", SymbologyKind::Jan13, false, false, false},
        {"/j13t", SymbologyKind::Jan13, false, true, false},
        {"/j8", SymbologyKind::Jan8, true, false, false},
        {"/j8b", SymbologyKind::Jan8, false, false, false},
        {"/j8f", SymbologyKind::Jan8, false, true, false},
        {"/J8F", SymbologyKind::Jan8, false, true, false},
        {"/J13B", SymbologyKind::Jan13, false, false, false},
        {"/i14", SymbologyKind::Itf14, false, false, false},
        {"/i14f", SymbologyKind::Itf14, false, false, true},
        {"/i16", SymbologyKind::Itf16, false, false, false},
        {"/I16F", SymbologyKind::Itf16, false, false, true},
        {"/i14h", SymbologyKind::Itf14, false, false, true, true},
        {"/I16H", SymbologyKind::Itf16, false, false, true, true},
        {"/j13x", SymbologyKind::None, false, false, false},
        {"j13", SymbologyKind::None, false, false, false},
        {"-j13", SymbologyKind::None, false, false, false},
        {"/j8f ", SymbologyKind::None, false, false, false},
        {"", SymbologyKind::None, false, false, false},
        {"/ｊ13", SymbologyKind::None, false, false, false},
    };
    for (const SwitchRow& row : rows) {
        SCOPED_TRACE(row.argument);
        BarcodeJob job;
        EXPECT_EQ(ApplySwitch(row.argument, job), row.kind != SymbologyKind::None);
        EXPECT_EQ(job.Kind, row.kind);
        EXPECT_EQ(job.ExtendedGuards, row.extendedGuards);
        EXPECT_EQ(job.PrefixedText, row.prefixedText);
        EXPECT_EQ(job.BearerFrame, row.bearerFrame);
        EXPECT_EQ(job.BearerBarsOnly, row.bearerBarsOnly);
        EXPECT_FALSE(job.NoText);
    }
}

// One row per option argument: the field it sets and the value it leaves,
// covering every key by length class (no value, one digit, two, three,
// more), or the exact message of a value that must be an integer and is not
// (nothing after the failing option is applied then).
struct OptionRow {
    int row;
    const char* switchArg;
    const char* option;
    SizeField field;
    std::int32_t expected;
    const char* error;
};

class NumericOptions : public ::testing::TestWithParam<OptionRow> {};

using enum SizeField;
#define MW_FORM "/mw は 0.01 mm 単位の整数です。"
#define MW_RANGE "/mw は 10～200 (0.10～2.00 mm) です"
#define DP_FORM "/dp は 1 インチのドット数 (dpi) の整数です。"
#define DP_RANGE "/dp は 72～4000 dpi です"
#define BW_FORM "/bw はマイクロメートル単位の整数です。"
#define BW_RANGE "/bw は 0～999 µm です"
// clang-format off
const OptionRow kOptionRows[] = {
    {0,  "/j13", "/bh",      BarHeight,    10,  ""},
    {1,  "/j13", "/bh5",     BarHeight,    10,  ""},
    {2,  "/j13", "/bh05",    BarHeight,    5,   ""},
    {3,  "/j13", "/bh60",    BarHeight,    60,  ""},
    {4,  "/j13", "/bh150",   BarHeight,    100, ""},
    {5,  "/j13", "/bh1x9",   BarHeight,    100, ""},
    {6,  "/j13", "/bh12345", BarHeight,    100, ""},
    {7,  "/i14", "/fw",      FrameWidth,   6,   ""},
    {8,  "/i14", "/fw1",     FrameWidth,   2,   ""},
    {9,  "/i14", "/fw3",     FrameWidth,   3,   ""},
    {10, "/i14", "/fw01",    FrameWidth,   1,   ""},
    {11, "/i14", "/fw20",    FrameWidth,   15,  ""},
    {12, "/i14", "/fw999",   FrameWidth,   15,  ""},
    {13, "/j13", "/gp",      Gap,          3,   ""},
    {14, "/j13", "/gp5",     Gap,          5,   ""},
    {15, "/j13", "/gp25",    Gap,          20,  ""},
    {16, "/j13", "/gp100",   Gap,          20,  ""},
    {17, "/j13", "/tm",      TopMargin,    4,   ""},
    {18, "/j13", "/tm9",     TopMargin,    9,   ""},
    {19, "/j13", "/tm21",    TopMargin,    20,  ""},
    {20, "/j13", "/tm123",   TopMargin,    20,  ""},
    {21, "/j13", "/bm",      BottomMargin, 5,   ""},
    {22, "/j13", "/bm0",     BottomMargin, 0,   ""},
    {23, "/j13", "/bm15",    BottomMargin, 15,  ""},
    {24, "/j13", "/bm9999",  BottomMargin, 20,  ""},
    {25, "/i16", "/im",      InnerMargin,  10,  ""},
    {26, "/i16", "/im7",     InnerMargin,  10,  ""},
    {27, "/i16", "/im05",    InnerMargin,  5,   ""},
    {28, "/i16", "/im200",   InnerMargin,  100, ""},
    {30, "/j13", "/fs9",     FontSize,     10,  ""},
    {31, "/j13", "/fs12",    FontSize,     12,  ""},
    {32, "/j13", "/fs30",    FontSize,     28,  ""},
    {34, "/j13", "/cr",      CopyRate,     10,  ""},
    {36, "/j13", "/cr50",    CopyRate,     50,  ""},
    {38, "/j13", "/cr750",   CopyRate,     500, ""},
    {39, "/j13", "/cr1000",  CopyRate,     500, ""},
    // Side margins: JAN keeps its quiet zones, ITF is capped at 20.
    {41, "/j13", "/lm",      LeftMargin,   12,  ""},
    {42, "/j13", "/lm05",    LeftMargin,   11,  ""},
    {43, "/j13", "/lm5",     LeftMargin,   11,  ""},
    {44, "/j13", "/lm25",    LeftMargin,   25,  ""},
    {45, "/j13", "/lm99",    LeftMargin,   30,  ""},
    {46, "/j8",  "/rm03",    RightMargin,  7,   ""},
    {47, "/j8",  "/rm",      RightMargin,  8,   ""},
    {48, "/j8",  "/rm555",   RightMargin,  30,  ""},
    {49, "/i14", "/lm05",    LeftMargin,   5,   ""},
    {50, "/i14", "/rm25",    RightMargin,  20,  ""},
    {51, "/i14", "/lm99",    LeftMargin,   20,  ""},
    {52, "/i16", "/lm0",     LeftMargin,   0,   ""},
    {53, "/zz",  "/lm05",    LeftMargin,   5,   ""},
    {54, "/zz",  "/rm99",    RightMargin,  30,  ""},
    // Keys compare case-blind; the prefix character is not examined.
    {55, "/j13", "/BH60",    BarHeight,    60,  ""},
    {56, "/j13", "-bh60",    BarHeight,    60,  ""},
    {57, "/j13", "xbh60",    BarHeight,    60,  ""},
    {58, "/j13", "/Bh07",    BarHeight,    7,   ""},
    // Hex and blanks convert like any integer.
    {59, "/j13", "/bh$1",    BarHeight,    1,   ""},
    {60, "/j13", "/bhx9",    BarHeight,    9,   ""},
    {61, "/j13", "/gp$A",    Gap,          10,  ""},
    {62, "/j13", "/gp 7",    Gap,          7,   ""},
    // A value that is no integer stops the run, naming the value.
    {63, "/j13", "/tmab",    TopMargin,    0,   "'ab' は整数ではありません"},
    {64, "/j13", "/bhq9",    BarHeight,    0,   "'q9' は整数ではありません"},
    {65, "/j13", "/gp+",     Gap,          0,   "'+' は整数ではありません"},
    {66, "/j13", "/fw1 ",    FrameWidth,   0,   "'1 ' は整数ではありません"},
    {67, "/j13", "/cr1 0",   CopyRate,     0,   "'1 0' は整数ではありません"},
    {68, "/j13", "/lm名",    LeftMargin,   0,   "'名' は整数ではありません"},
    // The print sizes are read as written at every length: a whole number
    // of their unit within the range, or refused with the form or the
    // range (the example made from a decimal of millimetres or a number
    // with the unit as typed), never clamped.
    // Module width: 10 to 200 hundredths of a millimetre.
    {69, "/j13", "/mw",      ModuleWidth,  0,   "/mw は使えません。" MW_FORM "0.33 mm なら /mw33"},
    {70, "/j13", "/mw5",     ModuleWidth,  0,   "/mw5 は使えません。" MW_RANGE},
    {71, "/j13", "/mw05",    ModuleWidth,  0,   "/mw05 は使えません。" MW_RANGE},
    {72, "/j13", "/mw33",    ModuleWidth,  33,  ""},
    {73, "/i14", "/mw150",   ModuleWidth,  150, ""},
    {74, "/i14", "/mw250",   ModuleWidth,  0,   "/mw250 は使えません。" MW_RANGE},
    {75, "/j8",  "/mw010",   ModuleWidth,  10,  ""},
    {76, "/j8",  "/mw1000",  ModuleWidth,  0,   "/mw1000 は使えません。" MW_RANGE},
    {77, "/j13", "/mw-5",    ModuleWidth,  0,   "/mw-5 は使えません。" MW_RANGE},
    {78, "/j13", "/mwab",    ModuleWidth,  0,   "/mwab は使えません。" MW_FORM "0.33 mm なら /mw33"},
    {90, "/j13", "/mw0.33",  ModuleWidth,  0,   "/mw0.33 は使えません。" MW_FORM "0.33 mm なら /mw33"},
    {91, "/j13", "/mw0.5",   ModuleWidth,  0,   "/mw0.5 は使えません。" MW_FORM "0.5 mm なら /mw50"},
    {92, "/j13", "/MW.26mm", ModuleWidth,  0,   "/mw.26mm は使えません。" MW_FORM "0.26 mm なら /mw26"},
    {93, "/j13", "/mw0.40 MM", ModuleWidth, 0,  "/mw0.40 MM は使えません。" MW_FORM "0.40 mm なら /mw40"},
    {94, "/j13", "/mw33mm",  ModuleWidth,  0,   "/mw33mm は使えません。" MW_FORM "0.33 mm なら /mw33"},
    {95, "/j13", "/mwabcd",  ModuleWidth,  0,   "/mwabcd は使えません。" MW_FORM "0.33 mm なら /mw33"},
    {96, "/j13", "/mw0.333", ModuleWidth,  0,   "/mw0.333 は使えません。" MW_FORM "0.33 mm なら /mw33"},
    {97, "/j13", "/mw0.05",  ModuleWidth,  0,   "/mw0.05 は使えません。" MW_FORM "0.33 mm なら /mw33"},
    {98, "/j13", "/mw200",   ModuleWidth,  200, ""},
    {99, "/j13", "/mw99999999999", ModuleWidth, 0, "/mw99999999999 は使えません。" MW_RANGE},
    // The printer's dots per inch: 72 to 4000, every one exact.
    {79, "/j13", "/dp",      DotsPerInch,  0,   "/dp は使えません。" DP_FORM "2400 dpi なら /dp2400"},
    {80, "/j13", "/dp5",     DotsPerInch,  0,   "/dp5 は使えません。" DP_RANGE},
    {81, "/i14", "/dp203",   DotsPerInch,  203, ""},
    {82, "/j8",  "/dp1200",  DotsPerInch,  1200, ""},
    {83, "/j13", "/dp09600", DotsPerInch,  0,   "/dp09600 は使えません。" DP_RANGE},
    {84, "/j13", "/dp6OO",   DotsPerInch,  0,   "/dp6OO は使えません。" DP_FORM "2400 dpi なら /dp2400"},
    {100, "/j13", "/dp72",   DotsPerInch,  72,  ""},
    {101, "/j13", "/dp2540", DotsPerInch,  2540, ""},
    {102, "/j13", "/dp4000", DotsPerInch,  4000, ""},
    {103, "/j13", "/dp4001", DotsPerInch,  0,   "/dp4001 は使えません。" DP_RANGE},
    {104, "/j13", "/dp600dpi", DotsPerInch, 0,  "/dp600dpi は使えません。" DP_FORM "600 dpi なら /dp600"},
    {105, "/j13", "/dp2540.5", DotsPerInch, 0,  "/dp2540.5 は使えません。" DP_FORM "2400 dpi なら /dp2400"},
    // Bar width reduction: 0 to 999 micrometres.
    {85, "/j13", "/bw",      BarReduction, 0,   "/bw は使えません。" BW_FORM "0.025 mm なら /bw25"},
    {86, "/j13", "/bw0",     BarReduction, 0,   ""},
    {87, "/i16", "/bw25",    BarReduction, 25,  ""},
    {88, "/j13", "/bw999",   BarReduction, 999, ""},
    {89, "/j13", "/bw1000",  BarReduction, 0,   "/bw1000 は使えません。" BW_RANGE},
    {106, "/j13", "/bw0.025", BarReduction, 0,  "/bw0.025 は使えません。" BW_FORM "0.025 mm なら /bw25"},
    {107, "/j13", "/bw0.02mm", BarReduction, 0, "/bw0.02mm は使えません。" BW_FORM "0.02 mm なら /bw20"},
    {108, "/j13", "/bw25um", BarReduction, 0,   "/bw25um は使えません。" BW_FORM "25 µm なら /bw25"},
    {109, "/j13", "/bw30μm", BarReduction, 0,   "/bw30μm は使えません。" BW_FORM "30 µm なら /bw30"},
    {110, "/j13", "/bw0.0255", BarReduction, 0, "/bw0.0255 は使えません。" BW_FORM "0.025 mm なら /bw25"},
    {111, "/j13", "/bw1.5",  BarReduction, 0,   "/bw1.5 は使えません。" BW_FORM "0.025 mm なら /bw25"},
    {112, "/j13", "/bw0.000000000000000000025", BarReduction, 0,
     "/bw0.000000000000000000025 は使えません。" BW_FORM "0.025 mm なら /bw25"},
};
// clang-format on
#undef MW_FORM
#undef MW_RANGE
#undef DP_FORM
#undef DP_RANGE
#undef BW_FORM
#undef BW_RANGE

TEST_P(NumericOptions, ValueByArgumentLength) {
    const OptionRow& row = GetParam();
    BarcodeJob job;
    ApplySwitch(row.switchArg, job);
    std::vector<std::string> options{row.option};
    if (row.error[0]) options.push_back("/cd490123456789");  // must not be reached
    std::string error;
    try {
        RunCommandLine(Options(options), job, StoredSizes);
    } catch (const MerrowinError& e) {
        error = e.what();
    }
    EXPECT_EQ(error, row.error);
    if (error.empty())
        EXPECT_EQ(JobField(job, row.field), row.expected);
    else
        EXPECT_TRUE(job.Digits.empty()) << "nothing after the failing option is applied";
}

INSTANTIATE_TEST_SUITE_P(, NumericOptions, ::testing::ValuesIn(kOptionRows),
                         [](const auto& info) { return "row" + std::to_string(info.param.row); });

struct DataRow {
    const char* switchArg;
    std::vector<std::string> options;
    const char* digits;
    const char* fileName;
};

TEST(DataOption, DigitsAndDefaultFileNameByKind) {
    const DataRow rows[] = {
        {"/j13", {"/cd123456789012"}, "000123456789012", "1234567890128"},
        {"/j8", {"/cd1234567"}, "000000001234567", "12345670"},
        {"/i14", {"/cd1234567890123"}, "001234567890123", "12345678901231"},
        {"/i16", {"/cd123456789012345"}, "123456789012345", "1234567890123452"},
        {"/j8", {"/cd12345678"}, "000000001234567", "12345670"},  // 8th ignored
        {"/j13", {"/CD490123456789"}, "000490123456789", "4901234567894"},
        // An explicit name wins, before or after the data.
        {"/j13", {"/fllabel", "/cd490123456789"}, "000490123456789", "label"},
        {"/j13", {"/cd490123456789", "/fllabel"}, "000490123456789", "label"},
        {"/j13", {"/cd490123456789", "/fl"}, "000490123456789", "4901234567894"},
        // A later data argument replaces the earlier one and its name.
        {"/j13", {"/cd123456789012", "/cd490123456789"}, "000490123456789", "4901234567894"},
        {"/j13", {"/fl名前 付き", "/cd490123456789"}, "000490123456789", "名前 付き"},
        // Full-width digits, as a Japanese IME types them and a list takes them.
        {"/j13", {"/cd４９０１２３４５６７８９"}, "000490123456789", "4901234567894"},
        {"/j8", {"/cd49０1２34"}, "000000004901234", "49012347"},
        {"/bk",
         {"/cd９７８－４－９４９９９９－１２－０", "/cc0193", "/pr820"},
         "000978494999912",
         "9784949999120"},
    };
    for (const DataRow& row : rows) {
        SCOPED_TRACE(std::string(row.switchArg) + " " + row.options.front());
        bool outcome{};
        BarcodeJob job = RunJob(row.switchArg, row.options, &outcome);
        EXPECT_EQ(outcome, true);
        EXPECT_EQ(job.Digits, row.digits);
        EXPECT_EQ(job.FileName, row.fileName);
    }
}

TEST(DataOption, MissingOrShortDataEndsInTheErrorState) {
    const struct {
        const char* switchArg;
        std::vector<std::string> options;
    } rows[] = {
        {"/j13", {}},
        {"/j13", {"/bh60", "/fl"}},
        {"/j13", {"/cd12345678901"}},  // one digit short
        {"/j13", {"/cd"}},
        {"/i16", {"/cd12345678901234"}},
        {"/j13", {"/cd490123456789", "/cd12"}},  // the later, short data wins
        {"/j13x", {"/cd490123456789"}},          // unrecognised switch: no data taken
        {"/j13", {"/c"}},
        {"/j13", {"cd"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.switchArg);
        bool outcome{};
        BarcodeJob job = RunJob(row.switchArg, row.options, &outcome);
        EXPECT_EQ(outcome, false);
        EXPECT_TRUE(job.Digits.empty());
    }
}

TEST(DataOption, NonDigitIsMetWhenTheDataFieldIsFormed) {
    BarcodeJob job;
    ApplySwitch("/j13", job);
    try {
        RunCommandLine(Options({"/cd12345678901x"}), job, StoredSizes);
        FAIL() << "no error";
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "'x' は整数ではありません");
    }
    // A given name changes nothing: the data field is formed all the same.
    BarcodeJob named;
    ApplySwitch("/j13", named);
    EXPECT_THROW(RunCommandLine(Options({"/flx", "/cd12345678901x"}), named, StoredSizes),
                 ConversionError);
}

// The codes around a JAN: a carton code made from it (id), an add-on (ad)
// and the book code (/bk with cc and pr). A refusal names what is wrong
// and stops the run.
struct CodeRow {
    int row;
    const char* switchArg;
    std::vector<std::string> options;
    const char* digits;
    const char* fileName;
    const char* addOn;
    std::string error;
    const char* lower = "";  // a book code's lower tier
};

const std::string kCountOf11 = "データが 11 桁です (12 桁、またはチェックデジット付きの 13 桁)";
const std::string kCountOf14 = "データが 14 桁です (12 桁、またはチェックデジット付きの 13 桁)";
const std::string kCarton(
    "/id (集合包装用商品コード) は ITF-14 (/i14、/i14f、/i14h) でだけ使えます");
const std::string kAddOn("/ad (アドオン) は JAN-13 (/j13、/j13b、/j13t) でだけ使えます");
const std::string kBookOption(kBookOptionKindMessage);
const std::string kBookParts(kBookPartsMessage);

// clang-format off
const CodeRow kCodeRows[] = {
    // GS1 Japan's example: the case of JAN 4901234567894, indicator 1.
    {0,  "/i14",  {"/id1", "/cd4901234567894"},  "001490123456789", "14901234567891", "", ""},
    {1,  "/i14",  {"/id1", "/cd490123456789"},   "001490123456789", "14901234567891", "", ""},
    {2,  "/i14",  {"/cd4901234567894", "/id1"},  "001490123456789", "14901234567891", "", ""},
    {3,  "/i14",  {"/cd490123456789", "/id1"},   "001490123456789", "14901234567891", "", ""},
    {4,  "/i14f", {"/id8", "/cd490123456789"},   "008490123456789", "84901234567890", "", ""},
    {5,  "/i14h", {"/id2", "/cd491234567890", "/flcase"}, "002491234567890", "case", "", ""},
    {6,  "/I14",  {"/ID3", "/cd490123456789", "/id1"}, "001490123456789", "14901234567891", "", ""},
    {7,  "/i14",  {"/id1", "/cd4901234567890"},  "", "", "", "チェックデジットが違います (正しくは 4)"},
    {8,  "/i14",  {"/cd4901234567890", "/id1"},  "", "", "", "チェックデジットが違います (正しくは 4)"},
    {9,  "/i14",  {"/id1", "/cd49012345678"},    "", "", "", kCountOf11},
    {10, "/i14",  {"/id1", "/cd49012345678945"}, "", "", "", kCountOf14},
    {11, "/i14",  {"/id1", "/cd49012345678x"},   "", "", "", "'x' は整数ではありません"},
    {12, "/i14",  {"/id9", "/cd490123456789"},   "", "", "", "インジケータ「9」は使えません。/id の値は 1～8 の 1 桁です"},
    {13, "/i14",  {"/id"},                       "", "", "", "インジケータ「」は使えません。/id の値は 1～8 の 1 桁です"},
    {14, "/i14",  {"/id12"},                     "", "", "", "インジケータ「12」は使えません。/id の値は 1～8 の 1 桁です"},
    {15, "/i16",  {"/id1", "/cd490123456789"},   "", "", "", kCarton},
    {16, "/j13",  {"/cd490123456789", "/id1"},   "", "", "", kCarton},
    // Without id a 13-digit ITF-14 is data as always.
    {17, "/i14",  {"/cd1490123456789"},          "001490123456789", "14901234567891", "", ""},
    // A magazine: JAN 491 0 12345 01 4 (reserve, magazine code, issue,
    // year), the add-on the reserve digit 0 and the price 980.
    {18, "/j13",  {"/cd491012345014", "/ad00980"}, "000491012345014", "4910123450148", "00980", ""},
    {19, "/j13b", {"/ad12", "/cd490123456789"},  "000490123456789", "4901234567894", "12", ""},
    {20, "/j13t", {"/ad12", "/ad34567", "/cd490123456789"}, "000490123456789", "4901234567894", "34567", ""},
    {21, "/j13",  {"/ad123"},                    "", "", "", "アドオン「123」は使えません。/ad の値は 2 桁か 5 桁の数字です"},
    {22, "/j13",  {"/ad"},                       "", "", "", "アドオン「」は使えません。/ad の値は 2 桁か 5 桁の数字です"},
    {23, "/j13",  {"/ad1a"},                     "", "", "", "アドオン「1a」は使えません。/ad の値は 2 桁か 5 桁の数字です"},
    {24, "/j13",  {"/ad１２"},                   "", "", "", "アドオン「１２」は使えません。/ad の値は 2 桁か 5 桁の数字です"},
    {25, "/j8",   {"/ad12"},                     "", "", "", kAddOn},
    {26, "/i14",  {"/ad12345"},                  "", "", "", kAddOn},
    // An unrecognised switch takes no data: the error state, not a box.
    {27, "/j13x", {"/id1", "/ad12", "/cd490123456789"}, "", "", "", ""},
    // The book code: the ISBN with its Cコード and price, named by its 13
    // digits or as given; the lower tier 192, Cコード, price, check digit.
    {28, "/bk",   {"/cd978-4-10-101001-4", "/cc0193", "/pr820"}, "000978410101001", "9784101010014", "", "", "1920193008203"},
    {29, "/BK",   {"/CD9784949999120", "/CC3000", "/PR2000", "/flbook"}, "000978494999912", "book", "", "", "1923000020009"},
    {30, "/bk",   {"/cd978-4-10-101001-6", "/cc0193", "/pr820"}, "", "", "", "ISBN のチェックデジットが違います (正しくは 4)"},
    {31, "/bk",   {"/cd9784101010014", "/pr820"}, "", "", "", kBookParts},
    {32, "/bk",   {"/cc193"}, "", "", "", "Cコード「193」は使えません。Cコードは 4 桁の数字です (C0193 なら 0193)"},
    {33, "/j13",  {"/cd490123456789", "/cc0193"}, "", "", "", kBookOption},
    {34, "/bk",   {"/cd9784101010014", "/cc0193", "/pr820", "/ad12"}, "", "", "", kAddOn},
    // Without cd there is no data: the error state, not a box.
    {35, "/bk",   {"/cc0193", "/pr820"}, "", "", "", ""},
};
// clang-format on

class CodeOptions : public testing::TestWithParam<CodeRow> {};

TEST_P(CodeOptions, CartonCodeAndAddOn) {
    const CodeRow& row = GetParam();
    BarcodeJob job;
    ApplySwitch(row.switchArg, job);
    try {
        const bool made = RunCommandLine(Options(row.options), job, StoredSizes);
        EXPECT_EQ(row.error, "");
        EXPECT_EQ(made, *row.digits != '\0');
        EXPECT_EQ(job.Digits, row.digits);
        EXPECT_EQ(job.FileName, row.fileName);
        EXPECT_EQ(job.AddOn, row.addOn);
        EXPECT_EQ(job.BookParts.priceCode, row.lower);
    } catch (const MerrowinError& error) {
        EXPECT_EQ(error.what(), row.error);
    }
}

INSTANTIATE_TEST_SUITE_P(, CodeOptions, testing::ValuesIn(kCodeRows),
                         [](const auto& i) { return "row" + std::to_string(i.param.row); });

TEST(OutputOptions, FileClipboardAndFolder) {
    BarcodeJob plain = RunJob("/j13", {"/cd490123456789"});
    EXPECT_FALSE(plain.SaveFile);
    EXPECT_FALSE(plain.NoClipboard);

    BarcodeJob fileOnly = RunJob("/j13", {"/fl", "/nc", "/cd490123456789"});
    EXPECT_TRUE(fileOnly.SaveFile);
    EXPECT_TRUE(fileOnly.NoClipboard);
    EXPECT_FALSE(fileOnly.FileNameGiven);

    BarcodeJob ncFirst = RunJob("/j13", {"/nc", "/fl", "/cd490123456789"});
    EXPECT_TRUE(ncFirst.SaveFile);
    EXPECT_FALSE(ncFirst.NoClipboard) << "nc before fl is ignored";

    EXPECT_FALSE(RunJob("/j13", {"/nc", "/cd490123456789"}).NoClipboard);

    EXPECT_EQ(RunJob("/j13", {"/drC:\\My*Labels"}).SaveDr, "C:\\My Labels");
    EXPECT_EQ(RunJob("/j13", {"/dr*a**b*"}).SaveDr, " a  b ");
    EXPECT_EQ(RunJob("/j13", {"/drD:\\名前*x"}).SaveDr, "D:\\名前 x");
}

TEST(OutputOptions, DrWithoutValueDiscardsTheStoredFolder) {
    BarcodeJob job;
    ApplySwitch("/j13", job);
    RunCommandLine(Options({"/dr"}), job, [](BarcodeJob& j) {
        j.DrChk = true;
        j.SaveDr = "C:\\Stored";
    });
    EXPECT_EQ(job.SaveDr, "");
}

TEST(NoTextOption, IgnoredByPrefixedStyles) {
    EXPECT_TRUE(RunJob("/j13b", {"/no"}).NoText);
    EXPECT_TRUE(RunJob("/j13", {"/no"}).NoText);
    EXPECT_TRUE(RunJob("/i14", {"/noanything"}).NoText);
    EXPECT_FALSE(RunJob("/j13t", {"/no"}).NoText);
    EXPECT_FALSE(RunJob("/j8f", {"/NO"}).NoText);
}

TEST(OutlineOption, SetByAnyValueAndNeverByOthers) {
    EXPECT_TRUE(RunJob("/j13", {"/ol"}).OutlinedText);
    EXPECT_TRUE(RunJob("/i14f", {"/OL1"}).OutlinedText);
    EXPECT_FALSE(RunJob("/j13", {"/o", "/no"}).OutlinedText);
}

TEST(IgnoredArguments, ShortOrUnknownChangeNothing) {
    BarcodeJob reference = RunJob("/j13", {"/cd490123456789"});
    for (const char* option : {"/b", "", "/", "/zz9", "/xx", "/bz60", "/名前", "/c名"}) {
        SCOPED_TRACE(option);
        BarcodeJob job = RunJob("/j13", {option, "/cd490123456789"});
        EXPECT_EQ(job.BarHeight, reference.BarHeight);
        EXPECT_EQ(job.Gap, reference.Gap);
        EXPECT_EQ(job.SaveFile, reference.SaveFile);
        EXPECT_EQ(job.Digits, reference.Digits);
    }
}

// Each argument after the switch split into key and value once, counting
// characters: a non-ASCII character is never split.
struct ShapeRow {
    int row;
    std::vector<std::string> arguments;
    const char* symbolSwitch;
    std::vector<std::pair<std::string, std::string>> options;  // key, value
};

class CommandShape : public testing::TestWithParam<ShapeRow> {};

TEST_P(CommandShape, SwitchThenKeysAndValuesAsWritten) {
    const ShapeRow& row = GetParam();
    const CommandLine command = ParseCommandLine(row.arguments);
    EXPECT_EQ(command.symbolSwitch, row.symbolSwitch);
    std::vector<std::pair<std::string, std::string>> options;
    for (const CommandOption& option : command.options)
        options.emplace_back(option.key, option.value);
    EXPECT_EQ(options, row.options);
}

const ShapeRow kShapeRows[] = {
    {0, {}, "", {}},
    {1, {"/J13B"}, "/J13B", {}},
    {2, {"/j13", "/BH60", "-Cr150", "/fl"}, "/j13", {{"bh", "60"}, {"cr", "150"}, {"fl", ""}}},
    {3, {"/j13", "/b", "", "/", "/nc"}, "/j13", {{"nc", ""}}},
    {4,
     {"/j13", "/fl名前.emf", "/名前x", "/c名"},
     "/j13",
     {{"fl", "名前.emf"}, {"名前", "x"}, {"c名", ""}}},
    {5,
     {"/i14", "/drC:\\My*Labels", "/bt\"a b\""},
     "/i14",
     {{"dr", "C:\\My*Labels"}, {"bt", "\"a b\""}}},
};

INSTANTIATE_TEST_SUITE_P(, CommandShape, testing::ValuesIn(kShapeRows),
                         [](const auto& info) { return "row" + std::to_string(info.param.row); });

// "merrowin /?" and its kin, as argument 1 only; none of them is a switch.
struct HelpRequestRow {
    int row;
    std::vector<std::string> arguments;
    bool help;
};

class HelpRequest : public testing::TestWithParam<HelpRequestRow> {};

TEST_P(HelpRequest, FirstArgumentAsksForTheHelp) {
    const HelpRequestRow& row = GetParam();
    EXPECT_EQ(IsHelpRequest(ParseCommandLine(row.arguments)), row.help);
    if (row.help) {
        BarcodeJob job;
        EXPECT_FALSE(ApplySwitch(row.arguments.front(), job));
    }
}

const HelpRequestRow kHelpRequestRows[] = {
    {1, {"/?"}, true},      {2, {"/h"}, true},          {3, {"/H"}, true},
    {4, {"-?"}, true},      {5, {"-h"}, true},          {6, {"/?", "/cd490123456789", "/fl"}, true},
    {7, {}, false},         {8, {"/j13", "/?"}, false}, {9, {"/j13", "/h"}, false},
    {10, {"/help"}, false}, {11, {"?"}, false},         {12, {"/? "}, false},
    {13, {"x?"}, false},    {14, {"/？"}, false},       {15, {"//?"}, false},
    {16, {""}, false},
};

INSTANTIATE_TEST_SUITE_P(, HelpRequest, testing::ValuesIn(kHelpRequestRows),
                         [](const auto& info) { return "row" + std::to_string(info.param.row); });

TEST(Settings, LoadedFirstAndOverriddenByOptions) {
    BarcodeJob job;
    ApplySwitch("/j13", job);
    job.SaveFile = true;  // the loader resets the output flags
    RunCommandLine(Options({"/gp7"}), job, StoredSizes);
    EXPECT_EQ(job.Gap, 7);
    EXPECT_EQ(job.BarHeight, 61);
    EXPECT_FALSE(job.SaveFile);
}

}  // namespace
}  // namespace merrowin
