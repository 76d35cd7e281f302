#include "common/text.h"

#include <gtest/gtest.h>

#include <optional>

#include "common/cmdline.h"
#include "common/errors.h"
#include "settings/settings_form.h"
#include "settings/store.h"

namespace merrowin {
namespace {

struct ConversionRow {
    const char* text;
    std::optional<std::int32_t> expected;
};

TEST(TextToInteger, AcceptsAndRejectsAsTheConversionRules) {
    const ConversionRow rows[] = {
        {"0", 0},
        {"60", 60},
        {"007", 7},
        {"   42", 42},
        {"+5", 5},
        {"-5", -5},
        {"$1F", 31},
        {"x1f", 31},
        {"X10", 16},
        {"0x10", 16},
        {"0X7fffffff", 2147483647},
        {"$FFFFFFFF", -1},
        {"-$10", -16},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483648LL},
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"99999999999999999999", std::nullopt},
        {"$100000000", std::nullopt},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"+", std::nullopt},
        {"-", std::nullopt},
        {"$", std::nullopt},
        {"0x", std::nullopt},
        {"12 ", std::nullopt},
        {"1x9", std::nullopt},
        {"ab", std::nullopt},
        {"\t5", std::nullopt},
        {"１２", std::nullopt},  // full-width digits are not digits
        {"+-1", std::nullopt},
        {"1.5", std::nullopt},
    };
    for (const ConversionRow& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(TryStrToInt(row.text), row.expected);
    }
}

TEST(TextToInteger, RejectedTextRaisesTheConversionMessage) {
    try {
        StrToInt("ab");
        FAIL() << "no error";
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "'ab' は整数ではありません");
    }
    EXPECT_THROW(StrToInt(""), ConversionError);
}

TEST(IntegerToText, PlainDecimal) {
    EXPECT_EQ(IntToStr(0), "0");
    EXPECT_EQ(IntToStr(100), "100");
    EXPECT_EQ(IntToStr(-1), "-1");
    EXPECT_EQ(IntToStr(-2147483647 - 1), "-2147483648");
}

TEST(Characters, PositionsCountCodePointsNeverSplittingOne) {
    EXPECT_EQ(CountChars("/bh60"), 5u);
    EXPECT_EQ(CountChars("/fl名前"), 5u);
    EXPECT_EQ(CharRange("/fl名前", 4, 5), "名前");
    EXPECT_EQ(CharRange("/fl名前", 5, 5), "前");
    EXPECT_EQ(CharRange("abc", 2, 9), "bc");
    EXPECT_EQ(CharRange("abc", 4, 9), "");
    EXPECT_EQ(CharRange("abc", 3, 2), "");
    // A stray byte counts as one character of its own and is kept.
    EXPECT_EQ(CountChars("a\xff"
                         "b"),
              3u);
    EXPECT_EQ(CharRange("a\xff"
                        "b",
                        2, 2),
              "\xff");
    EXPECT_EQ(CountChars("\xe5\x90"), 2u);  // truncated sequence
}

struct Utf16Row {
    int row;
    const char* text;
    std::u16string expected;
};

class Utf16Table : public testing::TestWithParam<Utf16Row> {};

TEST_P(Utf16Table, OneCharacterEachAsTheyAreCounted) {
    const Utf16Row& row = GetParam();
    EXPECT_EQ(Utf16FromUtf8(row.text), row.expected);
}

const Utf16Row kUtf16Rows[] = {
    /* 0*/ {0, "", u""},
    /* 1*/ {1, "4901234 56789", u"4901234 56789"},
    /* 2*/ {2, "OCRB 名前", u"OCRB \u540d\u524d"},
    /* 3*/ {3, "\xc3\xa9\xe2\x82\xac", u"\u00e9\u20ac"},
    /* 4*/ {4, "\xf0\x9f\x98\x80", u"\xd83d\xde00"},  // outside the BMP: a surrogate pair
                                                      /* 5*/
    {5,
     "a\xff"
     "b",
     u"a\xfffd"
     "b"},                                      // a stray byte
    /* 6*/ {6, "\xe5\x90", u"\xfffd\xfffd"},    // truncated sequence
    /* 7*/ {7, "\xc0\xaf", u"\xfffd"},          // overlong "/"
    /* 8*/ {8, "\xed\xa0\x80", u"\xfffd"},      // a surrogate in UTF-8
    /* 9*/ {9, "\xf4\x90\x80\x80", u"\xfffd"},  // beyond U+10FFFF
    /*10*/ {10, "\x80x", u"\xfffdx"},           // a lone continuation byte
};

INSTANTIATE_TEST_SUITE_P(, Utf16Table, testing::ValuesIn(kUtf16Rows),
                         [](const auto& info) { return "row" + std::to_string(info.param.row); });

TEST(Characters, LowerCasingTouchesAsciiLettersOnly) {
    EXPECT_EQ(AsciiLower("/J13B"), "/j13b");
    EXPECT_EQ(AsciiLower("ÄÖ/BH"), "ÄÖ/bh");
}

TEST(ErrorBox, FullStopAppendedWhenTheLastCharacterSortsAbove) {
    EXPECT_EQ(ErrorBoxText("'ab' は整数ではありません"), "'ab' は整数ではありません.");
    EXPECT_EQ(ErrorBoxText("done."), "done.");
    EXPECT_EQ(ErrorBoxText("wait -"), "wait -");
    EXPECT_EQ(ErrorBoxText("x"), "x.");
    EXPECT_EQ(ErrorBoxText(""), "");
}

struct MessageRow {
    int row;
    std::string (*message)(std::string_view subject);
    const char* subject;
    const char* expected;
};

class Messages : public ::testing::TestWithParam<MessageRow> {};

// A value of thousands of characters is quoted by its first and last 130.
const std::string kLongValue =
    std::string(130, 'a') + std::string(5000, 'b') + "名" + std::string(129, 'c');
const std::string kLongQuoted =
    "ファイル " + std::string(130, 'a') + "…名" + std::string(129, 'c') + " を作成できません";

const MessageRow kMessageRows[] = {
    {0, RegistryTypeMessage, "Gap", "'Gap' のデータ型が不正です"},
    {1, KeyCreateMessage, "Jan13", "キー Jan13 の作成に失敗しました"},
    {2, ValueWriteMessage, "Def", "'Def' の設定に失敗しました"},
    {3, KeyDeleteMessage, "Merrowin", "キー Merrowin の削除に失敗しました"},
    {4, FileCreateMessage, "C:\\a.emf", "ファイル C:\\a.emf を作成できません"},
    {5, CreateFolderQuestion, "D:\\新規", "フォルダ「D:\\新規」はありません。作成しますか?"},
    {6, FolderCreateMessage, "D:\\x%s", "フォルダ「D:\\x%s」を作成できません。"},
    {7, FileCreateMessage, kLongValue.c_str(), kLongQuoted.c_str()},
};

TEST_P(Messages, EachNamesItsSubject) {
    EXPECT_EQ(GetParam().message(GetParam().subject), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(, Messages, ::testing::ValuesIn(kMessageRows),
                         [](const auto& info) { return "row" + std::to_string(info.param.row); });

struct SplitRow {
    const char* line;
    std::vector<std::string> arguments;
};

TEST(CommandLine, BlanksSeparateAndQuotesHoldBlanks) {
    const SplitRow rows[] = {
        {"merrowin.exe", {"merrowin.exe"}},
        {"\"C:\\Program Files\\m.exe\" /j13", {"C:\\Program Files\\m.exe", "/j13"}},
        {"m  /j13\t/cd490123456789  ", {"m", "/j13", "/cd490123456789"}},
        {"m \"/flmy label\" /j8", {"m", "/flmy label", "/j8"}},
        {"m /dr\"C:\\My Labels\"", {"m", "/drC:\\My Labels"}},
        {"m \"/j8f \"", {"m", "/j8f "}},
        {"m \"\"", {"m", ""}},
        {"m \"unterminated stretch", {"m", "unterminated stretch"}},
        {"m C:\\dir\\ /x", {"m", "C:\\dir\\", "/x"}},  // backslashes are plain
        {"", {}},
        {"   ", {}},
    };
    for (const SplitRow& row : rows) {
        SCOPED_TRACE(row.line);
        EXPECT_EQ(SplitCommandLine(row.line), row.arguments);
    }
}

}  // namespace
}  // namespace merrowin
