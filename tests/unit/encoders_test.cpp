#include "encode/encoders.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>

#include "common/errors.h"
#include "encode/book.h"
#include "encode/check_digit.h"
#include "encode/code128.h"
#include "model/data_field.h"
#include "model/payment_slip.h"
#include "model/symbology.h"

namespace merrowin {
namespace {

std::string Repeat(std::string_view piece, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += piece;
    return out;
}

std::string Encode(SymbologyKind kind, std::string_view digits) {
    return EncodeForKind(kind, digits);
}

struct CheckDigitRow {
    const char* digits;
    int expected;
};

TEST(CheckDigit, WorkedExamples) {
    // clang-format off
    const CheckDigitRow rows[] = {
        {"000000000000000", 0},
        {"000123456789012", 8},  // JAN-13
        {"000400000000000", 6},  // JAN-13, leading 4
        {"000000001234567", 0},  // JAN-8
        {"001234567890123", 1},  // ITF-14
        {"000000000000001", 7},  // ITF-14, final 1
        {"123456789012345", 2},  // ITF-16
        {"000000000000055", 0},  // sum 20: 0, never 10
        {"000000000000009", 3},  // 27
        {"999999999999999", 1},  // the largest sum, 279
    };
    // clang-format on
    for (const CheckDigitRow& row : rows) {
        SCOPED_TRACE(row.digits);
        EXPECT_EQ(CheckDigit(row.digits), row.expected);
    }
}

struct PatternRow {
    SymbologyKind kind;
    const char* digits;
    std::string expected;
};

TEST(Encoders, WorkedExamples) {
    // clang-format off
    const PatternRow rows[] = {
        // JAN-13, twelve zeros: every digit from number set A, then C.
        {SymbologyKind::Jan13, "000000000000000",
         "222" + Repeat("6422", 6) + "22222" + Repeat("6422", 6) + "222"},
        // Leading 1 gives L L G L G G; check digit 8.
        {SymbologyKind::Jan13, "000123456789012",
         "222" "4244" "2822" "4622" "2462" "8222" "4262" "22222"
         "2426" "6224" "6422" "4442" "4244" "2426" "222"},
        // Leading 4 gives L G L L G G; check digit 6 ends the right half.
        {SymbologyKind::Jan13, "000400000000000",
         "222" "6422" "2246" "6422" "6422" "2246" "2246" "22222"
         "6422" "6422" "6422" "6422" "6422" "2228" "222"},
        {SymbologyKind::Jan8, "000000001234567",
         "222" "4442" "4244" "2822" "2264" "22222" "2462" "2228" "2624" "6422" "222"},
        {SymbologyKind::Itf14, "000000000000000",
         "2222" + Repeat("2222555522", 7) + "522"},
        // Pairs (1,2) (3,4) (5,6) (7,8) (9,0) (1,2) (3,check 1).
        {SymbologyKind::Itf14, "001234567890123",
         "2222" "5225222255" "5252252225" "5225552222" "2522225552" "2252255522"
         "5225222255" "5552222225" "522"},
        // Last pair (1, check 7).
        {SymbologyKind::Itf14, "000000000000001",
         "2222" + Repeat("2222555522", 6) + "5222222555" + "522"},
        {SymbologyKind::Itf16, "000000000000000",
         "2222" + Repeat("2222555522", 8) + "522"},
        // Last pair (5, check 2).
        {SymbologyKind::Itf16, "123456789012345",
         "2222" "5225222255" "5252252225" "5225552222" "2522225552" "2252255522"
         "5225222255" "5252252225" "5225522225" "522"},
    };
    // clang-format on
    for (const PatternRow& row : rows) {
        SCOPED_TRACE(std::string("kind ") + std::to_string(static_cast<int>(row.kind)) + " " +
                     row.digits);
        EXPECT_EQ(Encode(row.kind, row.digits), row.expected);
    }
}

struct ShapeRow {
    SymbologyKind kind;
    std::size_t fill;
    std::size_t length;
    int widthSum;
    std::string_view widths;  // the element widths that may occur
};

constexpr ShapeRow kShapes[] = {
    {SymbologyKind::Jan13, 3, 59, 190, "2468"},
    {SymbologyKind::Jan8, 8, 43, 134, "2468"},
    {SymbologyKind::Itf14, 2, 77, 241, "25"},
    {SymbologyKind::Itf16, 0, 87, 273, "25"},
};

TEST(Encoders, ShapeDependsOnKindAlone) {
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> digit(0, 9);
    for (const ShapeRow& row : kShapes) {
        for (int run = 0; run < 500; ++run) {
            std::string digits(row.fill, '0');
            while (digits.size() < 15) digits += static_cast<char>('0' + digit(random));
            SCOPED_TRACE(digits);
            const std::string pattern = Encode(row.kind, digits);
            ASSERT_EQ(pattern.size(), row.length);
            int sum = 0;
            for (const char c : pattern) {
                ASSERT_NE(row.widths.find(c), std::string_view::npos) << c;
                sum += c - '0';
            }
            EXPECT_EQ(sum, row.widthSum);
        }
    }
}

TEST(Encoders, NonDigitAnywhereFails) {
    for (const ShapeRow& row : kShapes) {
        for (std::size_t position = 0; position < 15; ++position) {
            for (const std::string bad : {"x", " ", "+", "é"}) {
                std::string digits = "123456789012345";
                digits.replace(position, 1, bad);
                SCOPED_TRACE(std::to_string(static_cast<int>(row.kind)) + " '" + digits + "'");
                try {
                    EncodeForKind(row.kind, digits);
                    ADD_FAILURE() << "no error";
                } catch (const ConversionError& error) {
                    EXPECT_EQ(std::string(error.what()), "'" + bad + "' は整数ではありません");
                }
            }
        }
    }
}

TEST(CheckDigit, NonDigitNamesTheCharacter) {
    try {
        CheckDigit("0001234a6789012");
        ADD_FAILURE() << "no error";
    } catch (const ConversionError& error) {
        EXPECT_STREQ(error.what(), "'a' は整数ではありません");
    }
}

TEST(Encoders, UnknownKindHasNoPattern) {
    EXPECT_EQ(EncodeForKind(SymbologyKind::None, "000000000000000"), "");
}

// Add-on symbols: guard 1011, the digits from number sets A and B as the
// add-on's own rule picks them, a delineator 01 between digits.
struct AddOnRow {
    int row;
    const char* digits;
    const char* sets;  // the number sets the rule gives, as the source states them
    std::string expected;
};

// clang-format off
const AddOnRow kAddOnRows[] = {
    // EAN-2: the value modulo 4 picks AA, AB, BA or BB (GS1 GenSpecs,
    // release 18, 5.2.2.5.1).
    {0, "12", "AA", "224" "4442" "22" "4244"},        // 12 mod 4 = 0
    {1, "05", "AB", "224" "6422" "22" "2642"},        // 5 mod 4 = 1
    {2, "34", "BA", "224" "2282" "22" "2264"},        // 34 mod 4 = 2
    {3, "99", "BB", "224" "4226" "22" "4226"},        // 99 mod 4 = 3
    // EAN-5: GS1's worked example 86104: V = 3 x (8 + 1 + 4) + 9 x (6 + 0)
    // = 93, so V = 3 and the sets are B A A A B (figure 5.2.2.5.2-1, page 233).
    {4, "86104", "BAAAB", "224" "6242" "22" "2228" "22" "4442" "22" "6422" "22" "4622"},
    // V = 0: B B A A A.
    {5, "00000", "BBAAA", "224" "2246" "22" "2246" "22" "6422" "22" "6422" "22" "6422"},
    // A magazine's price 980 yen behind the reserve digit 0: V = 3 x (0 +
    // 9 + 0) + 9 x (0 + 8) = 99, V = 9: A A B A B.
    {6, "00980", "AABAB", "224" "6422" "22" "6422" "22" "4226" "22" "2426" "22" "2246"},
};
// clang-format on

class AddOnPatterns : public testing::TestWithParam<AddOnRow> {};

TEST_P(AddOnPatterns, WorkedExamples) {
    const AddOnRow& row = GetParam();
    const std::string pattern = EncodeAddOn(row.digits);
    EXPECT_EQ(pattern, row.expected);
    // Element count and width: 13 elements and 20 modules (EAN-2), 31 and
    // 47 (EAN-5), bar first and last.
    const bool two = std::string_view(row.digits).size() == 2;
    EXPECT_EQ(pattern.size(), two ? 13u : 31u);
    int sum = 0;
    for (const char c : pattern) sum += c - '0';
    EXPECT_EQ(sum, two ? 40 : 94);
}

INSTANTIATE_TEST_SUITE_P(, AddOnPatterns, testing::ValuesIn(kAddOnRows),
                         [](const auto& i) { return "row" + std::to_string(i.param.row); });

TEST(AddOn, OnlyTwoOrFiveDigits) {
    for (const char* digits : {"", "1", "123", "1234", "123456", "1a", "1234x"}) {
        SCOPED_TRACE(digits);
        EXPECT_THROW(EncodeAddOn(digits), std::invalid_argument);
    }
}

// The data field from what the command line or a list line gives: the
// 15-character frame, and the data digits with their check digit (the
// default file name), or the refusal.
struct FieldRow {
    int row;
    SymbologyKind kind;
    const char* data;
    std::uint8_t indicator;
    GivenCheck check;
    const char* digits;  // "" with an error, or for no data
    const char* code;
    const char* error;
};
using enum GivenCheck;
using K = SymbologyKind;
// clang-format off
constexpr FieldRow kFieldRows[] = {
    // A single /cd: the first data digits, the check digit worked out anew.
    { 0, K::Jan13, "490123456789",     0, Recomputed, "000490123456789", "4901234567894",    ""},
    { 1, K::Jan13, "4901234567890",    0, Recomputed, "000490123456789", "4901234567894",    ""},
    { 2, K::Jan13, "49012345678",      0, Recomputed, "",                "",                 ""},
    { 3, K::Jan8,  "4901234",          0, Recomputed, "000000004901234", "49012347",         ""},
    { 4, K::Itf14, "1490123456789",    0, Recomputed, "001490123456789", "14901234567891",   ""},
    { 5, K::Itf16, "123456789012345",  0, Recomputed, "123456789012345", "1234567890123452", ""},
    { 6, K::Jan13, "49012345678x9",    0, Recomputed, "",                "",                 "'x' は整数ではありません"},
    { 7, K::Jan13, "4901234567８9",    0, Recomputed, "",                "",                 "'８' は整数ではありません"},
    // A list line: the data digits, or with a check digit that must be right.
    { 8, K::Jan13, "4901234567894",    0, Verified,   "000490123456789", "4901234567894",    ""},
    { 9, K::Jan13, "4901234567890",    0, Verified,   "",                "",                 "チェックデジットが違います (正しくは 4)"},
    {10, K::Jan8,  "49012347",         0, Verified,   "000000004901234", "49012347",         ""},
    {11, K::Itf16, "1234567890123",    0, Verified,   "",                "",                 "データが 13 桁です (15 桁、またはチェックデジット付きの 16 桁)"},
    {12, K::Itf14, "14901234567891",   0, Verified,   "001490123456789", "14901234567891",   ""},
    // A carton code: the indicator and the JAN's first 12 digits, the JAN's
    // check digit verified either way (GS1 Japan's example is row 13).
    {13, K::Itf14, "4901234567894",    1, Recomputed, "001490123456789", "14901234567891",   ""},
    {14, K::Itf14, "490123456789",     1, Verified,   "001490123456789", "14901234567891",   ""},
    {15, K::Itf14, "4901234567894",    8, Verified,   "008490123456789", "84901234567890",   ""},
    {16, K::Itf14, "4912345678904",    2, Recomputed, "002491234567890", "24912345678908",   ""},
    {17, K::Itf14, "0000000000000",    1, Recomputed, "001000000000000", "10000000000007",   ""},
    {18, K::Itf14, "4901234567890",    1, Recomputed, "",                "",                 "チェックデジットが違います (正しくは 4)"},
    {19, K::Itf14, "4901234567",       1, Recomputed, "",                "",                 "データが 10 桁です (12 桁、またはチェックデジット付きの 13 桁)"},
    {20, K::Itf14, "4901234567-94",    1, Recomputed, "",                "",                 "'-' は整数ではありません"},
};
// clang-format on

class DataFields : public testing::TestWithParam<FieldRow> {};

TEST_P(DataFields, FrameCodeOrRefusal) {
    const FieldRow& row = GetParam();
    try {
        const std::optional<DataField> field =
            MakeDataField({row.kind, row.data, row.indicator, row.check});
        EXPECT_STREQ(row.error, "");
        EXPECT_EQ(field ? field->digits : "", row.digits);
        EXPECT_EQ(field ? field->Code() : "", row.code);
    } catch (const MerrowinError& error) {
        EXPECT_STREQ(error.what(), row.error);
    }
}

INSTANTIATE_TEST_SUITE_P(, DataFields, testing::ValuesIn(kFieldRows),
                         [](const auto& i) { return "row" + std::to_string(i.param.row); });

// The book code's data rule: both symbols' digits and both text lines from
// the ISBN, the Cコード and the price, or the refusal's exact words.
struct BookRow {
    int row;
    const char* isbn;
    const char* cCode;
    const char* price;
    const char* upper;  // the ISBN-13
    const char* lower;  // 192, Cコード, price in five digits, check digit
    const char* isbnLine;
    const char* priceLine;
    std::string error;
};

// clang-format off
const BookRow kBookRows[] = {
    // The Japan ISBN Agency's worked example: 9784949999120 over 1923000020009.
    { 0, "978-4-949999-12-0", "3000", "2000", "9784949999120", "1923000020009",
         "ISBN978-4-949999-12-0", "C3000 \u00A52000E", ""},
    // 12 digits: the check digit is worked out and printed.
    { 1, "978494999912",      "3000", "2000", "9784949999120", "1923000020009",
         "ISBN9784949999120", "C3000 \u00A52000E", ""},
    // A bunkobon at 820 yen: price 00820 in the symbol, 820 in the line.
    { 2, "978-4-10-101001-4", "0193", "820",  "9784101010014", "1920193008203",
         "ISBN978-4-10-101001-4", "C0193 \u00A5820E", ""},
    { 3, "979-10-00000-00-8", "0193", "00820", "9791000000008", "1920193008203",
         "ISBN979-10-00000-00-8", "C0193 \u00A5820E", ""},
    { 4, "9784101010014",     "9999", "99999", "9784101010014", "1929999999999",
         "ISBN9784101010014", "C9999 \u00A599999E", ""},
    { 5, "9784101010014",     "0000", "0",     "9784101010014", "1920000000000",
         "ISBN9784101010014", "C0000 \u00A50E", ""},
    // A wrong check digit names the right one.
    { 6, "978-4-10-101001-6", "0193", "820", "", "", "", "",
         "ISBN のチェックデジットが違います (正しくは 4)"},
    // Not a book's: a JAN.
    { 7, "4901234567894",     "0193", "820", "", "", "", "",
         "ISBN「4901234567894」は 978 か 979 で始まっていません"},
    // An ISBN-10, hyphenated or bare, told with the ISBN-13 it became
    // (9784101010014 above; 978481561234 weighs 106, check digit 4); its
    // own check digit is modulo 11 (4101010013: 63 + 3 = 66).
    { 8, "4-10-101001-3",     "0193", "820", "", "", "", "",
         "ISBN「4-10-101001-3」は 10 桁の ISBN です。書籍JANコードには 978 で始まる 13 桁の "
         "ISBN を書きます: 978-4-10-101001-4"},
    { 9, "4101010013",        "0193", "820", "", "", "", "",
         "ISBN「4101010013」は 10 桁の ISBN です。書籍JANコードには 978 で始まる 13 桁の "
         "ISBN を書きます: 9784101010014"},
    {21, "4-8156-1234-X",     "0193", "820", "", "", "", "",
         "ISBN「4-8156-1234-X」は 10 桁の ISBN です。書籍JANコードには 978 で始まる 13 桁の "
         "ISBN を書きます: 978-4-8156-1234-4"},
    {22, "481561234x",        "0193", "820", "", "", "", "",
         "ISBN「481561234x」は 10 桁の ISBN です。書籍JANコードには 978 で始まる 13 桁の "
         "ISBN を書きます: 9784815612344"},
    {23, "4-10-101001-5",     "0193", "820", "", "", "", "",
         "ISBN「4-10-101001-5」は 10 桁の ISBN ですが、チェックデジットが違います (正しくは 3)"},
    {24, "48156X1234",        "0193", "820", "", "", "", "",
         "ISBN に数字でない文字「X」があります"},
    {25, "4-8156-12345-X",    "0193", "820", "", "", "", "",
         "ISBN「4-8156-12345-X」の数字が 11 桁です (ハイフンで区切るときはチェックデジットまでの 13 桁)"},
    // Group 4's registrant ranges (the ISBN agency's): 8156... is 4 digits
    // (7000000-8499999), 949999 6 (9000000-9499999), 10 2 (0-1999999).
    {26, "978-4-81561-234-4", "0193", "820", "", "", "", "",
         "ISBN「978-4-81561-234-4」のハイフンの位置が違います。この出版者記号は日本 (4) の範囲では "
         "4 桁です: 978-4-8156-1234-4"},
    {27, "4-81561-234-X",     "0193", "820", "", "", "", "",
         "ISBN「4-81561-234-X」のハイフンの位置が違います。この出版者記号は日本 (4) の範囲では "
         "4 桁です: 4-8156-1234-X"},
    {28, "978-4-8156-1234-4", "0193", "820", "9784815612344", "1920193008203",
         "ISBN978-4-8156-1234-4", "C0193 \u00A5820E", ""},
    {29, "978-4-94999-912-0", "0193", "820", "", "", "", "",
         "ISBN「978-4-94999-912-0」のハイフンの位置が違います。この出版者記号は日本 (4) の範囲では "
         "6 桁です: 978-4-949999-12-0"},
    {30, "978-4-9999999-0-?", "0193", "820", "", "", "", "",
         "ISBN に数字でない文字「?」があります"},
    {31, "978-4-9500000-0-6", "0193", "820", "9784950000006", "1920193008203",
         "ISBN978-4-9500000-0-6", "C0193 \u00A5820E", ""},
    {32, "978-4-199-99999-4", "0193", "820", "", "", "", "",
         "ISBN「978-4-199-99999-4」のハイフンの位置が違います。この出版者記号は日本 (4) の範囲では "
         "2 桁です: 978-4-19-999999-4"},
    // Hyphens: an empty group, six groups, a check digit cut wrong.
    {10, "978-4--101001-4",   "0193", "820", "", "", "", "",
         "ISBN「978-4--101001-4」のハイフンの位置が違います。978-4-949999-12-0 のように "
         "5 つに区切るか、数字だけで書いてください"},
    {11, "978-4-10-1010-01-4", "0193", "820", "", "", "", "",
         "ISBN「978-4-10-1010-01-4」のハイフンの位置が違います。978-4-949999-12-0 のように "
         "5 つに区切るか、数字だけで書いてください"},
    {12, "978-4-10-10100-14", "0193", "820", "", "", "", "",
         "ISBN「978-4-10-10100-14」のハイフンの位置が違います。978-4-949999-12-0 のように "
         "5 つに区切るか、数字だけで書いてください"},
    // Five groups, a digit short.
    {13, "978-4-10-10100-4",  "0193", "820", "", "", "", "",
         "ISBN「978-4-10-10100-4」の数字が 12 桁です (ハイフンで区切るときはチェックデジットまでの 13 桁)"},
    {14, "ISBN9784101010014", "0193", "820", "", "", "", "",
         "ISBN に数字でない文字「I」があります"},
    {15, "",                  "0193", "820", "", "", "", "",
         "ISBN「」の数字が 0 桁です (978 か 979 で始まる 13 桁、またはチェックデジットを除いた 12 桁)"},
    // Cコード: four digits exactly.
    {16, "9784101010014", "193",   "820", "", "", "", "",
         "Cコード「193」は使えません。Cコードは 4 桁の数字です (C0193 なら 0193)"},
    {17, "9784101010014", "C0193", "820", "", "", "", "",
         "Cコード「C0193」は使えません。Cコードは 4 桁の数字です (C0193 なら 0193)"},
    // Price: one to five digits, nothing else.
    {18, "9784101010014", "0193", "100000", "", "", "", "",
         "本体価格「100000」は使えません。本体価格は税抜きの 0～99999 円を数字だけで書きます "
         "(¥ や 円 は付けません)"},
    {19, "9784101010014", "0193", "820円", "", "", "", "",
         "本体価格「820円」は使えません。本体価格は税抜きの 0～99999 円を数字だけで書きます "
         "(¥ や 円 は付けません)"},
    // The ISBN is judged first.
    {20, "9784101010015", "C", "x", "", "", "", "",
         "ISBN のチェックデジットが違います (正しくは 4)"},
};
// clang-format on

class BookCodes : public testing::TestWithParam<BookRow> {};

TEST_P(BookCodes, DataRule) {
    const BookRow& row = GetParam();
    try {
        const BookCode book = MakeBookCode(row.isbn, row.cCode, row.price);
        EXPECT_EQ(row.error, "");
        EXPECT_EQ(book.isbn, row.upper);
        EXPECT_EQ(book.priceCode, row.lower);
        EXPECT_EQ(book.isbnLine, row.isbnLine);
        EXPECT_EQ(book.priceLine, row.priceLine);
    } catch (const MerrowinError& error) {
        EXPECT_EQ(error.what(), row.error);
    }
}

INSTANTIATE_TEST_SUITE_P(, BookCodes, testing::ValuesIn(kBookRows),
                         [](const auto& i) { return "row" + std::to_string(i.param.row); });

// The payment slip's symbol characters: GS1 Japan's worked example
// 91912345012345678901234567890101033101230003 in code set C behind Start C
// and FNC1, and the symbol check character worked by hand: 105 + 1 x 102 +
// 2 x 91 + 3 x 91 + ... + 23 x 3 = 6601 = 64 x 103 + 9... taken mod 103.
TEST(Code128, SlipCodewordsAndWidths) {
    const std::array<std::string_view, 1> element{"91912345012345678901234567890101033101230003"};
    const std::vector<int> expected{105, 102, 91, 91, 23, 45, 1,  23, 45, 67, 89, 1, 23,
                                    45,  67,  89, 1,  1,  3,  31, 1,  23, 0,  3,  79};
    EXPECT_EQ(Gs1128Codewords(element), expected);
    // 25 characters of six elements and the Stop's seven: 288 modules, the
    // same modules as zint draws for [91]9191...0003 (its --dump, row one).
    const std::string pattern = EncodePaymentSlip("9191234501234567890123456789010103310123000");
    std::string bits;
    for (std::size_t i = 0; i < pattern.size(); ++i)
        bits.append(static_cast<std::size_t>((pattern[i] - '0') / 2), i % 2 == 0 ? '1' : '0');
    EXPECT_EQ(pattern.size(), 157u);
    EXPECT_EQ(bits.substr(0, 24), "110100111001111010111011");  // Start C D3 9E, FNC1 from BB
    EXPECT_EQ(bits.substr(bits.size() - 13), "1100011101011");  // Stop
    EXPECT_EQ(bits.size(), 288u);
    // Odd digit counts and non-digits are for the caller to refuse first.
    const std::array<std::string_view, 1> odd{"123"};
    EXPECT_THROW(Gs1128Codewords(odd), std::invalid_argument);
    const std::array<std::string_view, 2> two{"0104912345678904", "1012"};
    EXPECT_EQ(Gs1128Codewords(two)[10], kCode128Fnc1);  // between the two element strings
}

// The payment slip's data rule, written on the command line: the 44 digits
// or the 43 before the check digit, as digits or as the lines are printed.
struct SlipRow {
    int row;
    const char* written;
    const char* code;  // the 44 digits
    std::string error;
};

// clang-format off
const SlipRow kSlipRows[] = {
    // GS1 Japan's worked example, in three forms.
    { 0, "9191234501234567890123456789010103310123000",  "91912345012345678901234567890101033101230003", ""},
    { 1, "91912345012345678901234567890101033101230003", "91912345012345678901234567890101033101230003", ""},
    { 2, "(91)912345-0123456789012345678901 010331-0-123000-3",
         "91912345012345678901234567890101033101230003", ""},
    // Worked by hand: digits weighing 3 (every other one from the right)
    // add up to 36, the others to 30: 3 x 36 + 30 = 138, check digit 2.
    { 3, "9151234520270010000000000000002701311054000",  "91512345202700100000000000000027013110540002", ""},
    // Too long is refused, not cut as a JAN's extra digits are.
    { 4, "9191234501234567890123456789010999999001230000", "", "データが 46 桁です (43 桁、またはチェックデジット付きの 44 桁)"},
    // No deadline; a leap day.
    { 5, "9191234501234567890123456789019999990123000",  "91912345012345678901234567890199999901230009", ""},
    { 6, "9191234501234567890123456789012802290123000",  "91912345012345678901234567890128022901230006", ""},
    // Refusals, one per field.
    { 7, "91912345012345678901234567890101033101230004", "", "チェックデジットが違います (正しくは 3)"},
    { 8, "9291234501234567890123456789010103310123000",  "", "コンビニ収納用バーコードのデータは 91 で始まります"},
    { 9, "9141234501234567890123456789010103310123000",  "", "請求書発行企業コード '412345' は使えません。9 か 5 で始まる 6 桁です (JAN メーカーコードの先頭の 4 を除いたもの)"},
    {10, "9191234501234567890123456789012702290123000",  "", "支払期限日 '270229' は日付ではありません (期限なしは 999999 か空欄)"},
    {11, "9191234501234567890123456789012713010123000",  "", "支払期限日 '271301' は日付ではありません (期限なしは 999999 か空欄)"},
    {12, "9191234501234567890123456789010103312123000",  "", "印紙フラグ '2' は 0 か 1 です"},
    {13, "919123450123456789012345678901010331012300",   "", "データが 42 桁です (43 桁、またはチェックデジット付きの 44 桁)"},
    {14, "(91)912345/0123456789012345678901",            "", "'/' は整数ではありません"},
    // A field is judged before the check digit it would change.
    {15, "92912345012345678901234567890101033101230003", "", "コンビニ収納用バーコードのデータは 91 で始まります"},
};
// clang-format on

class SlipData : public testing::TestWithParam<SlipRow> {};

TEST_P(SlipData, DigitsOrRefusal) {
    const SlipRow& row = GetParam();
    try {
        const std::optional<DataField> field =
            MakeDataField({SymbologyKind::PaymentSlip, row.written, 0, GivenCheck::Recomputed});
        EXPECT_EQ(row.error, "");
        EXPECT_EQ(field->Code(), row.code);
        EXPECT_EQ(field->digits, std::string(row.code).substr(0, 43));
    } catch (const MerrowinError& error) {
        EXPECT_EQ(error.what(), row.error);
    }
}

INSTANTIATE_TEST_SUITE_P(, SlipData, testing::ValuesIn(kSlipRows),
                         [](const auto& i) { return "row" + std::to_string(i.param.row); });

// A biller's list line by its parts, as Excel saves them: the 43 digits,
// or the refusal.
struct SlipPartsRow {
    int row;
    const char* company;
    const char* freeUse;
    const char* deadline;
    const char* amount;
    const char* reissue;
    std::int32_t threshold;
    const char* data;
    std::string error;
};

// clang-format off
const SlipPartsRow kSlipPartsRows[] = {
    // The hand-worked example: 54,000 yen is stamped.
    { 0, "512345", "2027001", "2027/01/31", "54000",    "",  50000, "9151234520270010000000000000002701311054000", ""},
    { 1, "512345", "2027001", "2027-01-31", "54,000",   "0", 50000, "9151234520270010000000000000002701311054000", ""},
    { 2, "512345", "2027001", "2027/1/31",  "¥54,000",  "",  50000, "9151234520270010000000000000002701311054000", ""},
    { 3, "512345", "2027001", "2027/1/31",  "￥54,000", "",  50000, "9151234520270010000000000000002701311054000", ""},
    // Shift-JIS puts its yen sign where ASCII has the backslash.
    { 4, "512345", "2027001", " 2027/1/31", "\\54,000", "",  50000, "9151234520270010000000000000002701311054000", ""},
    // The stamp flag from the threshold; no deadline; a reissue.
    { 5, "912345", "1",       "",           "49999",    "2", 50000, "9191234510000000000000000000029999990049999", ""},
    { 6, "912345", "1",       "",           "50000",    "",  50000, "9191234510000000000000000000009999991050000", ""},
    { 7, "912345", "1",       "",           "30000",    "",  30000, "9191234510000000000000000000009999991030000", ""},
    // GS1 Japan's example: 123,000 yen unstamped, as a threshold above
    // every amount leaves it.
    { 8, "912345", "012345678901234567890", "2001/03/31", "123,000", "1", 1000000,
         "9191234501234567890123456789010103310123000", ""},
    // Refusals.
    { 9, "412345", "1", "", "100", "", 50000, "", "請求書発行企業コード '412345' は使えません。9 か 5 で始まる 6 桁です (JAN メーカーコードの先頭の 4 を除いたもの)"},
    {10, "912345", "0123456789012345678901", "", "100", "", 50000, "", "自由使用欄 '0123456789012345678901' は 21 桁までの数字です"},
    {11, "912345", "A-1", "", "100", "", 50000, "", "自由使用欄 'A-1' は 21 桁までの数字です"},
    {12, "912345", "1", "", "100", "10", 50000, "", "再発行区分 '10' は 0～9 の 1 桁です"},
    {14, "912345", "1", "31/01/2027", "100", "", 50000, "", "支払期限日 '31/01/2027' は日付ではありません (期限なしは 999999 か空欄)"},
    {15, "912345", "1", "1999/12/31", "100", "", 50000, "", "支払期限日 '1999/12/31' は日付ではありません (期限なしは 999999 か空欄)"},
    {16, "912345", "1", "2027/1/31/", "100", "", 50000, "", "支払期限日 '2027/1/31/' は日付ではありません (期限なしは 999999 か空欄)"},
    {17, "912345", "1", "", "12,30",     "", 50000, "", "支払金額 '12,30' は 0～999,999 円の金額ではありません"},
    {18, "912345", "1", "", "1,000,000", "", 50000, "", "支払金額 '1,000,000' は 0～999,999 円の金額ではありません"},
    {19, "912345", "1", "", "12300円",   "", 50000, "", "支払金額 '12300円' は 0～999,999 円の金額ではありません"},
    {20, "912345", "1", "", "",          "", 50000, "", "支払金額 '' は 0～999,999 円の金額ではありません"},
    {21, "912345", "1", "", "1234,567",  "", 50000, "", "支払金額 '1234,567' は 0～999,999 円の金額ではありません"},
};
// clang-format on

class SlipParts_ : public testing::TestWithParam<SlipPartsRow> {};

TEST_P(SlipParts_, DigitsOrRefusal) {
    const SlipPartsRow& row = GetParam();
    try {
        const std::string data = SlipDigitsFromParts(
            {row.company, row.freeUse, row.deadline, row.amount, row.reissue, row.threshold});
        EXPECT_EQ(row.error, "");
        EXPECT_EQ(data, row.data);
    } catch (const MerrowinError& error) {
        EXPECT_EQ(error.what(), row.error);
    }
}

INSTANTIATE_TEST_SUITE_P(, SlipParts_, testing::ValuesIn(kSlipPartsRows),
                         [](const auto& i) { return "row" + std::to_string(i.param.row); });

// The two lines under the bars.
TEST(SlipText, TwoLinesAsPrinted) {
    const auto lines = SlipTextLines("91912345012345678901234567890101033101230003");
    EXPECT_EQ(lines[0], "(91)912345-0123456789012345678901");
    EXPECT_EQ(lines[1], "010331-0-123000-3");
}

}  // namespace
}  // namespace merrowin
