#include "settings/settings_model.h"

#include <gtest/gtest.h>

#include <string>

#include "common/errors.h"
#include "memory_store.h"

namespace merrowin {
namespace {

using testing::MemoryStore;
using Write = MemoryStore::Write;

const SettingsCell& Cell(int edit) { return kSettingsCells.at(static_cast<std::size_t>(edit - 1)); }

TEST(SettingsCells, SpotChecksAgainstTheGrid) {
    struct Row {
        int edit;
        SizeField field;
        SymbologyKind kind;
        std::int32_t minimum, maximum, fallback;
    };
    const Row rows[] = {
        {1, SizeField::BarHeight, SymbologyKind::Jan13, 10, 100, 60},
        {4, SizeField::BarHeight, SymbologyKind::Itf16, 10, 100, 60},
        {6, SizeField::TopMargin, SymbologyKind::Jan8, 0, 20, 3},
        {13, SizeField::LeftMargin, SymbologyKind::Jan13, 11, 30, 11},
        {15, SizeField::LeftMargin, SymbologyKind::Itf14, 0, 20, 3},
        {18, SizeField::RightMargin, SymbologyKind::Jan8, 7, 30, 7},
        {21, SizeField::InnerMargin, SymbologyKind::Itf14, 10, 100, 10},
        {22, SizeField::InnerMargin, SymbologyKind::Itf16, 10, 100, 10},
        {23, SizeField::Gap, SymbologyKind::Jan13, 0, 20, 2},
        {27, SizeField::FrameWidth, SymbologyKind::Itf14, 0, 15, 5},
        {28, SizeField::FrameWidth, SymbologyKind::Itf16, 0, 15, 5},
        {29, SizeField::FontSize, SymbologyKind::Jan13, 10, 28, 18},
        {32, SizeField::FontSize, SymbologyKind::Itf16, 10, 28, 13},
        {33, SizeField::CopyRate, SymbologyKind::Jan13, 10, 500, 100},
        {36, SizeField::CopyRate, SymbologyKind::Itf16, 10, 500, 100},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << "Edit" << row.edit);
        const SettingsCell& cell = Cell(row.edit);
        EXPECT_EQ(cell.edit, row.edit);
        EXPECT_EQ(cell.field, row.field);
        EXPECT_EQ(cell.kind, row.kind);
        EXPECT_EQ(cell.minimum, row.minimum);
        EXPECT_EQ(cell.maximum, row.maximum);
        EXPECT_EQ(cell.fallback, row.fallback);
    }
    for (int edit = 1; edit <= kCellCount; ++edit) {
        SCOPED_TRACE(::testing::Message() << "Edit" << edit);
        EXPECT_EQ(Cell(edit).edit, edit);
        EXPECT_TRUE(Cell(edit).minimum <= Cell(edit).fallback &&
                    Cell(edit).fallback <= Cell(edit).maximum);
        if (IsJan(Cell(edit).kind)) {
            EXPECT_NE(Cell(edit).field, SizeField::InnerMargin);
            EXPECT_NE(Cell(edit).field, SizeField::FrameWidth);
        }
    }
}

TEST(WorkingCopy, ReadsTheStoreInEditOrderNarrowedLikeTheJob) {
    MemoryStore store;
    store.Put("Jan8", "BarHeight", "300");    // Edit2: wide
    store.Put("Itf14", "TopMargin", "300");   // Edit7: low eight bits
    store.Put("Itf16", "InnerMargin", "-1");  // Edit22
    store.Put("Jan13", "Gap", "x");           // Edit23: unconvertible
    store.Put("Itf16", "CopyRate", "1000");   // Edit36
    store.Put("Jan13", "InnerMargin", "50");  // never read
    WorkingCopy copy;
    copy.DrChk = true;
    ReadStoredValues(store, copy);
    WorkingCopy expected;
    expected.DrChk = true;
    SetDefaults(expected);
    expected.values[1] = 300;
    expected.values[6] = 44;
    expected.values[21] = 255;
    expected.values[35] = 1000;
    EXPECT_EQ(copy.values, expected.values);
    EXPECT_TRUE(copy.DrChk);
}

TEST(WorkingCopy, TypeErrorLeavesTheCellsReadBeforeIt) {
    MemoryStore store;
    store.Put("Jan13", "BarHeight", "11");
    store.Put("Itf16", "BottomMargin", "12");   // Edit12
    store.PutNonString("Jan13", "LeftMargin");  // Edit13
    store.Put("Jan8", "LeftMargin", "14");
    WorkingCopy copy;
    copy.values.fill(-7);
    try {
        ReadStoredValues(store, copy);
        FAIL() << "no error";
    } catch (const MerrowinError& e) {
        EXPECT_STREQ(e.what(), "'LeftMargin' のデータ型が不正です");
    }
    EXPECT_EQ(copy.values[0], 11);
    EXPECT_EQ(copy.values[11], 12);
    EXPECT_EQ(copy.values[12], -7);
    EXPECT_EQ(copy.values[13], -7);
}

WorkingCopy Numbered() {
    WorkingCopy copy;
    for (int i = 0; i < kCellCount; ++i) copy.values[static_cast<std::size_t>(i)] = 101 + i;
    return copy;
}

TEST(RecIni, WritesEveryNumberPerSubkeyThenTheChoices) {
    MemoryStore store;
    WorkingCopy copy = Numbered();
    copy.DrChk = true;
    RecIni(copy, true, "", store);
    // Edit numbers + 100: per subkey in the grid's row order.
    const std::vector<Write> expected = {
        {"Jan13", "BarHeight", "101"},    {"Jan13", "TopMargin", "105"},
        {"Jan13", "BottomMargin", "109"}, {"Jan13", "LeftMargin", "113"},
        {"Jan13", "RightMargin", "117"},  {"Jan13", "Gap", "123"},
        {"Jan13", "FontSize", "129"},     {"Jan13", "CopyRate", "133"},
        {"Jan8", "BarHeight", "102"},     {"Jan8", "TopMargin", "106"},
        {"Jan8", "BottomMargin", "110"},  {"Jan8", "LeftMargin", "114"},
        {"Jan8", "RightMargin", "118"},   {"Jan8", "Gap", "124"},
        {"Jan8", "FontSize", "130"},      {"Jan8", "CopyRate", "134"},
        {"Itf14", "BarHeight", "103"},    {"Itf14", "TopMargin", "107"},
        {"Itf14", "BottomMargin", "111"}, {"Itf14", "LeftMargin", "115"},
        {"Itf14", "RightMargin", "119"},  {"Itf14", "InnerMargin", "121"},
        {"Itf14", "Gap", "125"},          {"Itf14", "FrameWidth", "127"},
        {"Itf14", "FontSize", "131"},     {"Itf14", "CopyRate", "135"},
        {"Itf16", "BarHeight", "104"},    {"Itf16", "TopMargin", "108"},
        {"Itf16", "BottomMargin", "112"}, {"Itf16", "LeftMargin", "116"},
        {"Itf16", "RightMargin", "120"},  {"Itf16", "InnerMargin", "122"},
        {"Itf16", "Gap", "126"},          {"Itf16", "FrameWidth", "128"},
        {"Itf16", "FontSize", "132"},     {"Itf16", "CopyRate", "136"},
        {"Setting", "Def", "0"},          {"Setting", "DrChk", "1"},
        {"Setting", "SaveDr", ""},
    };
    EXPECT_EQ(store.writes(), expected);
}

TEST(RecIni, DefDrChkAndSaveDrRules) {
    struct Row {
        bool defaultsChecked, drChk;
        const char* def;
        const char* storedDrChk;
        const char* storedSaveDr;
    };
    const Row rows[] = {
        {true, false, "0", "0", "D:\\old"},
        {false, false, "1", "0", "D:\\old"},
        {false, true, "1", "1", "E:\\新しい"},
        {true, true, "0", "1", "E:\\新しい"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message()
                     << "defaults " << row.defaultsChecked << " DrChk " << row.drChk);
        MemoryStore store;
        store.Put("Setting", "SaveDr", "D:\\old");
        WorkingCopy copy;
        SetDefaults(copy);
        copy.DrChk = row.drChk;
        RecIni(copy, row.defaultsChecked, "E:\\新しい", store);
        EXPECT_EQ(store.writes().size(), row.drChk ? 39u : 38u);
        EXPECT_EQ(store.Get("Setting", "Def"), row.def);
        EXPECT_EQ(store.Get("Setting", "DrChk"), row.storedDrChk);
        EXPECT_EQ(store.Get("Setting", "SaveDr"), row.storedSaveDr);
    }
}

TEST(RecIni, FailingWriteStopsWithTheValuesBeforeItStored) {
    MemoryStore store;
    store.FailWritesOf("InnerMargin");
    WorkingCopy copy = Numbered();
    try {
        RecIni(copy, false, "", store);
        FAIL() << "no error";
    } catch (const MerrowinError& e) {
        EXPECT_STREQ(e.what(), "'InnerMargin' の設定に失敗しました");
    }
    ASSERT_EQ(store.writes().size(), 21u);  // Jan13, Jan8 and Itf14 up to the right margin
    EXPECT_EQ(store.writes().back(), (Write{"Itf14", "RightMargin", "119"}));
    EXPECT_EQ(store.Get("Setting", "Def"), std::nullopt);
}

TEST(RegErase, DeletesTheProgramsKeyOnlyWhenThere) {
    MemoryStore korvane;
    RegErase(korvane);
    EXPECT_TRUE(korvane.deleted().empty());
    korvane.Put("Merrowin", "x", "1");
    korvane.Put("Other", "y", "2");
    RegErase(korvane);
    EXPECT_EQ(korvane.deleted(), std::vector<std::string>{"Merrowin"});
    EXPECT_FALSE(korvane.SectionExists("Merrowin"));
    EXPECT_EQ(korvane.Get("Other", "y"), "2");
}

TEST(ClampEditText, BringsNumbersIntoBounds) {
    struct Row {
        int edit;
        const char* text;
        const char* expectedText;
        std::int32_t expectedValue;
    };
    const Row rows[] = {
        {1, "150", "100", 100},  // bar height above its maximum
        {1, "5", "10", 10},      // below its minimum
        {17, "007", "007", 7},   // within bounds: the text stays
        {5, "007", "007", 7},    {1, "100", "100", 100}, {1, "10", "10", 10},
        {13, "0", "11", 11},  // JAN-13 left margin
        {15, "0", "0", 0},    // ITF-14 left margin
        {33, "501", "500", 500}, {27, "16", "15", 15},   {5, "99999", "20", 20},
        {9, "-3", "0", 0},       {2, " 50", " 50", 50},  {2, "$20", "$20", 32},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << "Edit" << row.edit << " '" << row.text << "'");
        std::string text = row.text;
        EXPECT_EQ(ClampEditText(text, Cell(row.edit).minimum, Cell(row.edit).maximum),
                  row.expectedValue);
        EXPECT_EQ(text, row.expectedText);
    }
}

TEST(ClampEditText, TextThatIsNoIntegerIsAnError) {
    for (const char* bad : {"", "1a", "-", "9999999999"}) {
        SCOPED_TRACE(bad);
        std::string text = bad;
        try {
            ClampEditText(text, 10, 100);
            FAIL() << "no error";
        } catch (const ConversionError& e) {
            EXPECT_EQ(std::string(e.what()), "'" + std::string(bad) + "' は整数ではありません");
        }
        EXPECT_EQ(text, bad);
    }
}

TEST(EditKeyPasses, OnlyBackspaceAndDigits) {
    const std::pair<char32_t, bool> rows[] = {
        {U'0', true},  {U'5', true},  {U'9', true},   {8, true},     {U'/', false}, {U':', false},
        {U'a', false}, {U'-', false}, {U' ', false},  {U'+', false}, {0, false},    {13, false},
        {27, false},   {127, false},  {U'０', false}, {U'$', false}, {U'x', false}, {0x108, false},
    };
    for (auto [ch, passes] : rows) {
        SCOPED_TRACE(::testing::Message() << "char " << static_cast<std::uint32_t>(ch));
        EXPECT_EQ(EditKeyPasses(ch), passes);
    }
}

}  // namespace
}  // namespace merrowin
