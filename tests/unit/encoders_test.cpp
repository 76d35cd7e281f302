#include <gtest/gtest.h>

#include <random>
#include <string>

#include "common/errors.h"
#include "encode/check_digit.h"
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

}  // namespace
}  // namespace merrowin
