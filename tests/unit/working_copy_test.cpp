#include "settings/working_copy.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/errors.h"
#include "common/text.h"
#include "memory_store.h"
#include "model/symbology.h"
#include "settings/load_settings.h"
#include "settings/settings_form.h"

namespace merrowin {
namespace {

using fakes::MemoryStore;
using Write = MemoryStore::Write;

template <typename Row>
std::string RowName(const ::testing::TestParamInfo<Row>& info) {
    return "row" + std::to_string(info.param.row);
}

const SettingsCell& Cell(int edit) {
    return kSettingsCells.at(static_cast<std::size_t>(edit - 1));
}

// A value put into the store before the test; `text` nullptr poses as a
// value of another type (a REG_DWORD put there by hand).
struct Stored {
    const char* section;
    const char* name;
    const char* text;
};

void Fill(MemoryStore& store, const std::vector<Stored>& values) {
    for (const Stored& value : values) {
        if (value.text)
            store.Put(value.section, value.name, value.text);
        else
            store.PutNonString(value.section, value.name);
    }
}

// The built-in defaults with some cells changed: {edit, value}.
std::array<std::int32_t, kCellCount> DefaultsWith(
    const std::vector<std::pair<int, std::int32_t>>& changes) {
    WorkingCopy copy;
    SetDefaults(copy);
    for (auto [edit, value] : changes) copy.values[static_cast<std::size_t>(edit - 1)] = value;
    return copy.values;
}

TEST(SettingsCells, BoundsHoldTheirDefaultAndJanHasNoInnerMarginOrFrame) {
    for (int edit = 1; edit <= kCellCount; ++edit) {
        SCOPED_TRACE(::testing::Message() << "Edit" << edit);
        EXPECT_EQ(Cell(edit).edit, edit);
        EXPECT_LE(Cell(edit).minimum, Cell(edit).fallback);
        EXPECT_LE(Cell(edit).fallback, Cell(edit).maximum);
        if (IsJan(Cell(edit).kind)) {
            EXPECT_NE(Cell(edit).field, SizeField::InnerMargin);
            EXPECT_NE(Cell(edit).field, SizeField::FrameWidth);
        }
    }
}

// The grid derived from the option table, cell by cell as the window shows
// it: edit, field, kind, bounds, built-in value.
class DerivedCell : public ::testing::TestWithParam<SettingsCell> {};

TEST_P(DerivedCell, MatchesTheWindowsGrid) {
    const SettingsCell& want = GetParam();
    const SettingsCell& got = Cell(want.edit);
    EXPECT_EQ(got.field, want.field);
    EXPECT_EQ(got.kind, want.kind);
    EXPECT_EQ(got.minimum, want.minimum);
    EXPECT_EQ(got.maximum, want.maximum);
    EXPECT_EQ(got.fallback, want.fallback);
}

using enum SizeField;
constexpr SymbologyKind J13 = SymbologyKind::Jan13;
constexpr SymbologyKind J8 = SymbologyKind::Jan8;
constexpr SymbologyKind I14 = SymbologyKind::Itf14;
constexpr SymbologyKind I16 = SymbologyKind::Itf16;

// clang-format off
constexpr SettingsCell kWindowGrid[] = {
    // edit  field       kind  min  max  default
    {1,  BarHeight,    J13, 10, 100, 60},
    {2,  BarHeight,    J8,  10, 100, 60},
    {3,  BarHeight,    I14, 10, 100, 60},
    {4,  BarHeight,    I16, 10, 100, 60},
    {5,  TopMargin,    J13,  0,  20,  3},
    {6,  TopMargin,    J8,   0,  20,  3},
    {7,  TopMargin,    I14,  0,  20,  3},
    {8,  TopMargin,    I16,  0,  20,  3},
    {9,  BottomMargin, J13,  0,  20,  3},
    {10, BottomMargin, J8,   0,  20,  3},
    {11, BottomMargin, I14,  0,  20,  3},
    {12, BottomMargin, I16,  0,  20,  3},
    {13, LeftMargin,   J13, 11,  30, 11},
    {14, LeftMargin,   J8,  11,  30, 11},
    {15, LeftMargin,   I14,  0,  20,  3},
    {16, LeftMargin,   I16,  0,  20,  3},
    {17, RightMargin,  J13,  7,  30,  7},
    {18, RightMargin,  J8,   7,  30,  7},
    {19, RightMargin,  I14,  0,  20,  3},
    {20, RightMargin,  I16,  0,  20,  3},
    {21, InnerMargin,  I14, 10, 100, 10},
    {22, InnerMargin,  I16, 10, 100, 10},
    {23, Gap,          J13,  0,  20,  2},
    {24, Gap,          J8,   0,  20,  2},
    {25, Gap,          I14,  0,  20,  2},
    {26, Gap,          I16,  0,  20,  2},
    {27, FrameWidth,   I14,  0,  15,  5},
    {28, FrameWidth,   I16,  0,  15,  5},
    {29, FontSize,     J13, 10,  28, 18},
    {30, FontSize,     J8,  10,  28, 18},
    {31, FontSize,     I14, 10,  28, 13},
    {32, FontSize,     I16, 10,  28, 13},
    {33, CopyRate,     J13, 10, 500, 100},
    {34, CopyRate,     J8,  10, 500, 100},
    {35, CopyRate,     I14, 10, 500, 100},
    {36, CopyRate,     I16, 10, 500, 100},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(, DerivedCell, ::testing::ValuesIn(kWindowGrid),
                         [](const auto& info) { return "row" + std::to_string(info.param.edit); });

// The grid's columns are the symbologies' settings columns.
TEST(SettingsCells, ColumnsFollowTheSymbologies) {
    for (std::size_t column = 0; column < kGridKinds.size(); ++column)
        EXPECT_EQ(Describe(kGridKinds[column])->settingsColumn, static_cast<int>(column));
}

// What the window saves is what a run of each kind loads: the saver and the
// loader agree on subkeys, value names and cells.
struct RoundTripRow {
    int row;
    SymbologyKind kind;
    // bh, tm, bm, lm, rm, im, gp, fw, fs, cr
    std::array<std::int32_t, 10> sizes;
};

class SavedThenLoaded : public ::testing::TestWithParam<RoundTripRow> {};

// clang-format off
constexpr RoundTripRow kRoundTripRows[] = {
    // Edit numbers + 100; the JAN kinds keep the preset inner margin and frame.
    {0, SymbologyKind::Jan13, {101, 105, 109, 113, 117, 10,  123, 5,   129, 133}},
    {1, SymbologyKind::Jan8,  {102, 106, 110, 114, 118, 10,  124, 5,   130, 134}},
    {2, SymbologyKind::Itf14, {103, 107, 111, 115, 119, 121, 125, 127, 131, 135}},
    {3, SymbologyKind::Itf16, {104, 108, 112, 116, 120, 122, 126, 128, 132, 136}},
};
// clang-format on

TEST_P(SavedThenLoaded, RunGetsTheAppliedNumbers) {
    const RoundTripRow& row = GetParam();
    MemoryStore store;
    WorkingCopy copy;
    for (int i = 0; i < kCellCount; ++i) copy.values[static_cast<std::size_t>(i)] = 101 + i;
    RecIni(copy, false, "", store);
    BarcodeJob job;
    job.Kind = row.kind;
    LoadSettings(job, store);
    const std::array<std::int32_t, 10> loaded = {
        job.BarHeight,   job.TopMargin, job.BottomMargin, job.LeftMargin, job.RightMargin,
        job.InnerMargin, job.Gap,       job.FrameWidth,   job.FontSize,   job.CopyRate};
    EXPECT_EQ(loaded, row.sizes);
}

INSTANTIATE_TEST_SUITE_P(, SavedThenLoaded, ::testing::ValuesIn(kRoundTripRows),
                         RowName<RoundTripRow>);

// What a showing of the settings window displays, from what the store holds.
struct ShowingRow {
    int row;
    std::vector<Stored> store;
    bool defaultsChecked;
    bool drChk;
    const char* saveDr;
    std::vector<std::pair<int, std::int32_t>> cells;  // {edit, value} differing from the defaults
    const char* error;                                // "" when the store reads
};

class Showing : public ::testing::TestWithParam<ShowingRow> {};

const ShowingRow kShowingRows[] = {
    {0, {}, true, false, "", {}, ""},
    // The stored numbers are not read while the defaults are in force.
    {1, {{"Setting", "Def", "0"}, {"Jan13", "BarHeight", "90"}}, true, false, "", {}, ""},
    {2, {{"Setting", "Def", "yes"}, {"Jan13", "BarHeight", "90"}}, true, false, "", {}, ""},
    // In edit order, narrowed like the job's fields; unconvertible gives the default.
    {3,
     {{"Setting", "Def", "1"},
      {"Jan8", "BarHeight", "300"},     // Edit2: whole
      {"Itf14", "TopMargin", "300"},    // Edit7: low eight bits
      {"Itf16", "InnerMargin", "-1"},   // Edit22
      {"Jan13", "Gap", "x"},            // Edit23: unconvertible
      {"Itf16", "CopyRate", "1000"},    // Edit36
      {"Jan13", "InnerMargin", "50"}},  // no such cell
     false,
     false,
     "",
     {{2, 300}, {7, 44}, {22, 255}, {36, 1000}},
     ""},
    {4, {{"Setting", "Def", "-1"}, {"Jan13", "LeftMargin", "0"}}, false, false, "", {{13, 0}}, ""},
    {5,
     {{"Setting", "DrChk", "1"}, {"Setting", "SaveDr", "D:\\out"}},
     true,
     true,
     "D:\\out",
     {},
     ""},
    // An unused folder is shown all the same (greyed by the window).
    {6,
     {{"Setting", "DrChk", "0"}, {"Setting", "SaveDr", "E:\\古い"}},
     true,
     false,
     "E:\\古い",
     {},
     ""},
    {7, {{"Setting", "DrChk", "2"}}, true, true, "", {}, ""},
    {8, {{"Setting", "Def", nullptr}}, true, false, "", {}, "'Def' のデータ型が不正です"},
    {9, {{"Setting", "DrChk", nullptr}}, true, false, "", {}, "'DrChk' のデータ型が不正です"},
    {10,
     {{"Setting", "Def", "1"}, {"Jan13", "LeftMargin", nullptr}},
     true,
     false,
     "",
     {},
     "'LeftMargin' のデータ型が不正です"},
    // Not read in defaults mode, so no error.
    {11, {{"Setting", "Def", "0"}, {"Jan13", "LeftMargin", nullptr}}, true, false, "", {}, ""},
    {12, {{"Setting", "SaveDr", nullptr}}, true, false, "", {}, "'SaveDr' のデータ型が不正です"},
};

TEST_P(Showing, LoadsWhatTheWindowDisplays) {
    const ShowingRow& row = GetParam();
    MemoryStore store;
    Fill(store, row.store);
    std::string error;
    ShownSettings shown;
    try {
        shown = LoadWorkingCopy(store);
    } catch (const MerrowinError& e) {
        error = e.what();
    }
    EXPECT_EQ(error, row.error);
    if (!error.empty()) return;
    EXPECT_EQ(shown.defaultsChecked, row.defaultsChecked);
    EXPECT_EQ(shown.copy.DrChk, row.drChk);
    EXPECT_EQ(shown.saveDr, row.saveDr);
    EXPECT_EQ(shown.copy.values, DefaultsWith(row.cells));
    EXPECT_TRUE(store.writes().empty());
}

INSTANTIATE_TEST_SUITE_P(, Showing, ::testing::ValuesIn(kShowingRows), RowName<ShowingRow>);

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

struct ChoiceRow {
    int row;
    bool defaultsChecked, drChk;
    const char* def;
    const char* storedDrChk;
    const char* storedSaveDr;
};

class RecIniChoices : public ::testing::TestWithParam<ChoiceRow> {};

constexpr ChoiceRow kChoiceRows[] = {
    {0, true, false, "0", "0", "D:\\old"},
    {1, false, false, "1", "0", "D:\\old"},
    {2, false, true, "1", "1", "E:\\新しい"},
    {3, true, true, "0", "1", "E:\\新しい"},
};

TEST_P(RecIniChoices, DefIsTheOppositeOfTheBoxAndSaveDrFollowsDrChk) {
    const ChoiceRow& row = GetParam();
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
    // Shown again, the window comes back as it was applied.
    const ShownSettings shown = LoadWorkingCopy(store);
    EXPECT_EQ(shown.defaultsChecked, row.defaultsChecked);
    EXPECT_EQ(shown.copy.DrChk, row.drChk);
}

INSTANTIATE_TEST_SUITE_P(, RecIniChoices, ::testing::ValuesIn(kChoiceRows), RowName<ChoiceRow>);

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

struct ClampRow {
    int row;
    int edit;
    const char* text;
    const char* expectedText;
    std::int32_t expectedValue;
    const char* error;
};

class ClampEdit : public ::testing::TestWithParam<ClampRow> {};

constexpr ClampRow kClampRows[] = {
    {0, 1, "150", "100", 100, ""},  // bar height above its maximum
    {1, 1, "5", "10", 10, ""},      // below its minimum
    {2, 17, "007", "007", 7, ""},   // within bounds: the text stays
    {3, 5, "007", "007", 7, ""},
    {4, 1, "100", "100", 100, ""},
    {5, 1, "10", "10", 10, ""},
    {6, 13, "0", "11", 11, ""},  // JAN-13 left margin
    {7, 15, "0", "0", 0, ""},    // ITF-14 left margin
    {8, 33, "501", "500", 500, ""},
    {9, 27, "16", "15", 15, ""},
    {10, 5, "99999", "20", 20, ""},
    {11, 9, "-3", "0", 0, ""},
    {12, 2, " 50", " 50", 50, ""},
    {13, 2, "$20", "$20", 32, ""},
    // No integer: the apply stops, the text stays as typed.
    {14, 1, "", "", 0, "'' は整数ではありません"},
    {15, 1, "1a", "1a", 0, "'1a' は整数ではありません"},
    {16, 1, "-", "-", 0, "'-' は整数ではありません"},
    {17, 1, "9999999999", "9999999999", 0, "'9999999999' は整数ではありません"},
};

TEST_P(ClampEdit, BringsTheTextIntoBounds) {
    const ClampRow& row = GetParam();
    std::string text = row.text;
    std::int32_t value = 0;
    std::string error;
    try {
        value = ClampEditText(text, Cell(row.edit).minimum, Cell(row.edit).maximum);
    } catch (const ConversionError& e) {
        error = e.what();
    }
    EXPECT_EQ(error, row.error);
    EXPECT_EQ(value, row.expectedValue);
    EXPECT_EQ(text, row.expectedText);
}

INSTANTIATE_TEST_SUITE_P(, ClampEdit, ::testing::ValuesIn(kClampRows), RowName<ClampRow>);

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

// The settings window's rules against a fake window: the form sees only the
// view, so each row sets up the controls and the store, does one thing and
// checks what the controls, the store and the picker saw.

// A store the fake view lends out for each opening.
class BorrowedStore final : public SettingsAccessor {
public:
    explicit BorrowedStore(SettingsAccessor& store) : store_(store) {}
    std::optional<std::string> ReadText(std::string_view section, std::string_view name) override {
        return store_.ReadText(section, name);
    }
    void WriteText(std::string_view section, std::string_view name,
                   std::string_view text) override {
        store_.WriteText(section, name, text);
    }
    bool SectionExists(std::string_view section) override { return store_.SectionExists(section); }
    void DeleteSection(std::string_view section) override { store_.DeleteSection(section); }

private:
    SettingsAccessor& store_;
};

// The rows name the grid's cells by their edit number (1 to 36) and the
// save folder's edit as 37.
constexpr int kFolderEdit = 37;

class FakeView final : public SettingsView {
public:
    FakeView() {
        for (const SettingsCell& cell : kSettingsCells) texts[cell.edit] = IntToStr(cell.fallback);
        texts[kFolderEdit] = "";
        korvane.Put(kStoreKeyName, "x", "1");
    }
    std::string CellText(SizeField row, SymbologyKind kind) override {
        return texts.at(EditOf(row, kind));
    }
    void SetCellText(SizeField row, SymbologyKind kind, std::string_view text) override {
        SetText(EditOf(row, kind), text);
    }
    std::string FolderText() override { return texts.at(kFolderEdit); }
    void SetFolderText(std::string_view text) override { SetText(kFolderEdit, text); }
    void Enable(SettingsControl control, bool on) override { enabled[control] = on; }
    bool IsChecked(SettingsBox box) override { return boxes[box]; }
    void SetChecked(SettingsBox box, bool checked) override { boxes[box] = checked; }
    bool Confirm(std::string_view text, std::string_view) override {
        questions.emplace_back(text);
        return answer;
    }
    std::optional<std::string> PickFolder(const std::string& start) override {
        pickerStarts.push_back(start);
        if (!picked) return std::nullopt;
        return std::string(picked);
    }
    std::string DocumentsFolder() override { return documents; }
    // The form's store: this view's two in-memory keys.
    StoreOpener Stores() {
        return [this](std::string_view keyPath) -> std::unique_ptr<SettingsAccessor> {
            return std::make_unique<BorrowedStore>(keyPath == kStoreParentPath ? korvane : store);
        };
    }

    std::map<int, std::string> texts;  // Edit n
    int textWrites = 0;
    std::map<SettingsControl, bool> enabled;
    std::map<SettingsBox, bool> boxes{{SettingsBox::Defaults, true}, {SettingsBox::Folder, false}};
    bool answer = false;
    std::vector<std::string> questions;
    const char* picked = nullptr;
    std::vector<std::string> pickerStarts;
    std::string documents;
    MemoryStore store;    // Software\Korvane\Merrowin
    MemoryStore korvane;  // Software\Korvane

private:
    static int EditOf(SizeField row, SymbologyKind kind) {
        return kSettingsCells.at(CellIndex(row, kind)).edit;
    }
    void SetText(int edit, std::string_view text) {
        texts.at(edit) = text;
        ++textWrites;
    }
};

enum class Act { Show, Apply, Defaults, DefaultsBox, FolderBox, Erase, Browse };

struct FormRow {
    int row;
    Act act;
    std::vector<Stored> store = {};                       // before
    std::vector<std::pair<int, const char*>> typed = {};  // edit texts before
    bool defaultsBox = true;
    bool folderBox = false;
    bool answer = false;           // to the erase question
    const char* picked = nullptr;  // by the picker; nullptr: cancelled
    const char* documents = "";
    // After:
    std::vector<std::pair<int, const char*>> texts = {};
    int textWrites = 0;
    std::vector<std::pair<SettingsControl, bool>> enabled = {};
    std::vector<Stored> stored = {};  // nullptr text: absent
    const char* error = "";
    const char* pickerStart = nullptr;
    bool ends = false;
};

class Form : public ::testing::TestWithParam<FormRow> {};

TEST_P(Form, FollowsTheWindowsRules) {
    const FormRow& row = GetParam();
    FakeView view;
    Fill(view.store, row.store);
    for (auto [edit, text] : row.typed) view.texts[edit] = text;
    view.boxes[SettingsBox::Defaults] = row.defaultsBox;
    view.boxes[SettingsBox::Folder] = row.folderBox;
    view.answer = row.answer;
    view.picked = row.picked;
    view.documents = row.documents;
    SettingsForm form(view, view.Stores());
    std::string error;
    bool ends = false;
    try {
        switch (row.act) {
            case Act::Show:
                form.Load();
                break;
            case Act::Apply:
                form.Apply();
                break;
            case Act::Defaults:
                form.RestoreDefaults();
                break;
            case Act::DefaultsBox:
                form.FollowDefaultsBox();
                break;
            case Act::FolderBox:
                form.FollowFolderBox();
                break;
            case Act::Erase:
                ends = form.EraseStore();
                break;
            case Act::Browse:
                form.BrowseFolder();
                break;
        }
    } catch (const MerrowinError& e) {
        error = e.what();
    }
    EXPECT_EQ(error, row.error);
    for (auto [edit, text] : row.texts) EXPECT_EQ(view.texts[edit], text) << "Edit" << edit;
    EXPECT_EQ(view.textWrites, row.textWrites);
    for (auto [control, on] : row.enabled) {
        ASSERT_EQ(view.enabled.count(control), 1u) << int(control);
        EXPECT_EQ(view.enabled[control], on) << int(control);
    }
    if (row.enabled.empty()) {
        EXPECT_TRUE(view.enabled.empty());
    }
    for (const Stored& value : row.stored) {
        std::optional<std::string> got = view.store.Get(value.section, value.name);
        EXPECT_EQ(got.value_or("(absent)"), value.text ? value.text : "(absent)") << value.name;
    }
    if (row.stored.empty()) {
        EXPECT_TRUE(view.store.writes().empty());
    }
    const std::vector<std::string> starts =
        row.pickerStart ? std::vector<std::string>{row.pickerStart} : std::vector<std::string>{};
    EXPECT_EQ(view.pickerStarts, starts);
    EXPECT_EQ(ends, row.ends);
    EXPECT_EQ(view.korvane.SectionExists(kStoreKeyName), !row.ends);
    EXPECT_EQ(view.questions.size(), row.act == Act::Erase ? 1u : 0u);
}

using enum SettingsControl;

// clang-format off
const FormRow kFormRows[] = {
    // A showing: the boxes from Def and DrChk, each box's controls, the
    // folder, the 36 numbers.
    {.row = 1, .act = Act::Show,
     .texts = {{1, "60"}, {kFolderEdit, ""}}, .textWrites = 37,
     .enabled = {{DefaultsButton, false}, {Grid, false}, {FolderEdit, false}, {BrowseButton, false}}},
    {.row = 2, .act = Act::Show,
     .store = {{"Setting", "Def", "1"}, {"Setting", "DrChk", "1"}, {"Setting", "SaveDr", "D:\\out"},
               {"Jan13", "BarHeight", "90"}},
     .texts = {{1, "90"}, {2, "60"}, {kFolderEdit, "D:\\out"}}, .textWrites = 37,
     .enabled = {{DefaultsButton, true}, {Grid, true}, {FolderEdit, true}, {BrowseButton, true}}},
    // A store error: the controls stay as they were.
    {.row = 3, .act = Act::Show, .store = {{"Setting", "Def", nullptr}}, .typed = {{1, "77"}},
     .texts = {{1, "77"}}, .error = "'Def' のデータ型が不正です"},
    // The apply writes back only a replaced text, and stores every cell.
    {.row = 4, .act = Act::Apply, .typed = {{1, "150"}, {5, "007"}, {13, "0"}, {15, "0"}},
     .texts = {{1, "100"}, {5, "007"}, {13, "11"}, {15, "0"}}, .textWrites = 2,
     .stored = {{"Jan13", "BarHeight", "100"}, {"Jan13", "TopMargin", "7"},
                {"Jan13", "LeftMargin", "11"}, {"Itf14", "LeftMargin", "0"},
                {"Itf16", "CopyRate", "100"}, {"Setting", "Def", "0"},
                {"Setting", "DrChk", "0"}, {"Setting", "SaveDr", nullptr}}},
    // The boxes as they stand go with it: Def opposite, the folder with DrChk.
    {.row = 5, .act = Act::Apply, .typed = {{kFolderEdit, "E:\\ラベル"}},
     .defaultsBox = false, .folderBox = true,
     .stored = {{"Setting", "Def", "1"}, {"Setting", "DrChk", "1"},
                {"Setting", "SaveDr", "E:\\ラベル"}}},
    // It stops at the first text that is no number: the texts before it are
    // brought into bounds, nothing is stored.
    {.row = 6, .act = Act::Apply, .typed = {{1, "150"}, {3, ""}, {4, "500"}},
     .texts = {{1, "100"}, {3, ""}, {4, "500"}}, .textWrites = 1,
     .error = "'' は整数ではありません"},
    // The defaults button: every edit, no box, no store.
    {.row = 7, .act = Act::Defaults, .typed = {{1, "99"}, {kFolderEdit, "D:\\x"}},
     .defaultsBox = false, .folderBox = true,
     .texts = {{1, "60"}, {kFolderEdit, "D:\\x"}}, .textWrites = 36},
    // The boxes' clicks.
    {.row = 8, .act = Act::DefaultsBox, .defaultsBox = true,
     .enabled = {{DefaultsButton, false}, {Grid, false}}},
    {.row = 9, .act = Act::DefaultsBox, .defaultsBox = false,
     .enabled = {{DefaultsButton, true}, {Grid, true}}},
    {.row = 10, .act = Act::FolderBox, .folderBox = true,
     .enabled = {{FolderEdit, true}, {BrowseButton, true}}},
    {.row = 11, .act = Act::FolderBox, .folderBox = false,
     .enabled = {{FolderEdit, false}, {BrowseButton, false}}},
    // Erase only after OK.
    {.row = 12, .act = Act::Erase, .answer = false},
    {.row = 13, .act = Act::Erase, .answer = true, .ends = true},
    // The picker starts at the stored folder, not the edit's text ...
    {.row = 14, .act = Act::Browse, .store = {{"Setting", "SaveDr", "D:\\stored"}},
     .typed = {{kFolderEdit, "E:\\typed"}}, .picked = "F:\\new", .documents = "C:\\Docs",
     .texts = {{kFolderEdit, "F:\\new"}}, .textWrites = 1, .pickerStart = "D:\\stored"},
    // ... else at the documents folder, else at "C:"; a cancel changes nothing.
    {.row = 15, .act = Act::Browse, .typed = {{kFolderEdit, "E:\\typed"}}, .documents = "C:\\Docs",
     .texts = {{kFolderEdit, "E:\\typed"}}, .pickerStart = "C:\\Docs"},
    {.row = 16, .act = Act::Browse, .picked = "G:\\", .texts = {{kFolderEdit, "G:\\"}},
     .textWrites = 1, .pickerStart = "C:"},
    // A store error: no picker.
    {.row = 17, .act = Act::Browse, .store = {{"Setting", "SaveDr", nullptr}},
     .error = "'SaveDr' のデータ型が不正です"},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(, Form, ::testing::ValuesIn(kFormRows), RowName<FormRow>);

// A folder typed into the picker.
struct JoinRow {
    int row;
    const char* selected;
    const char* typed;
    const char* want;
};

class TypedFolder : public ::testing::TestWithParam<JoinRow> {};

TEST_P(TypedFolder, IsTakenBelowTheSelectedFolderUnlessAbsolute) {
    EXPECT_EQ(JoinTypedFolder(GetParam().selected, GetParam().typed), GetParam().want);
}

const JoinRow kJoinRows[] = {
    {1, "D:\\out", "new", "D:\\out\\new"},
    {2, "D:\\", "new\\deeper", "D:\\new\\deeper"},
    {3, "D:\\out", "E:\\x", "E:\\x"},
    {4, "D:\\out", "E:x", "E:x"},
    {5, "D:\\out", "\\\\server\\share", "\\\\server\\share"},
    {6, "", "new", "new"},
    {7, "D:\\out", "新しい", "D:\\out\\新しい"},
};

INSTANTIATE_TEST_SUITE_P(, TypedFolder, ::testing::ValuesIn(kJoinRows), RowName<JoinRow>);

}  // namespace
}  // namespace merrowin
