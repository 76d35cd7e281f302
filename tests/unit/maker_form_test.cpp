// The maker window's form against a fake view, platform and store: what
// typing shows, the command line the choices come to, that the picture and
// the file are the bytes that command line makes, which choices each kind
// offers, and what the store remembers.
#include "app/maker/maker_form.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/switches.h"
#include "settings/load_settings.h"
#include "tests/unit/fake_platform.h"
#include "tests/unit/memory_store.h"

namespace merrowin {
namespace {

// The controls as data: what the form put there, what the user changes.
class FakeView final : public MakerView {
public:
    MakerChoices Choices() override { return choices; }
    void ShowChoices(const MakerChoices& shown) override { choices = shown; }
    void SetList(MakerList list, const std::vector<std::string>& items,
                 std::size_t selected) override {
        lists[list] = items;
        if (list == MakerList::Style) choices.style = selected;
    }
    void SetExtras(std::span<const MakerExtra> shown) override {
        extras.clear();
        for (const MakerExtra& extra : shown) extras.emplace_back(extra.label);
    }
    void SetModuleUnit(std::string_view shown) override { unit = shown; }
    void ShowResult(const MakerResult& shown) override { result = shown; }
    std::optional<std::string> AskSavePath(const std::string& folder, const std::string& name,
                                           FileFormat) override {
        asked = folder + "|" + name;
        if (answer.empty()) return std::nullopt;
        return answer;
    }

    MakerChoices choices;
    std::map<MakerList, std::vector<std::string>> lists;
    std::vector<std::string> extras;
    std::string unit;
    MakerResult result;
    std::string asked;   // folder|name of the last save dialog
    std::string answer;  // the path the user picks; empty: cancel
};

// The built-in sizes, as a user without stored settings has them.
void BuiltIn(BarcodeJob& job) {
    LoadBuiltInDefaults(job);
}

struct Fixture {
    FakeView view;
    FakePlatform platform;
    std::shared_ptr<fakes::MemoryStore> store = std::make_shared<fakes::MemoryStore>();
    MakerForm form{view, platform, BuiltIn, [this](std::string_view) {
                       // The form closes what it opens; the store outlives it.
                       struct Borrowed final : SettingsAccessor {
                           explicit Borrowed(SettingsAccessor& s) : s(s) {}
                           std::optional<std::string> ReadText(std::string_view a,
                                                               std::string_view b) override {
                               return s.ReadText(a, b);
                           }
                           void WriteText(std::string_view a, std::string_view b,
                                          std::string_view c) override {
                               s.WriteText(a, b, c);
                           }
                           bool SectionExists(std::string_view a) override {
                               return s.SectionExists(a);
                           }
                           void DeleteSection(std::string_view a) override { s.DeleteSection(a); }
                           SettingsAccessor& s;
                       };
                       return std::make_unique<Borrowed>(*store);
                   }};
};

// What the command line itself makes of `arguments`: the file's bytes
// (and the clipboard's) through the run the exe performs.
FakePlatform RunOf(const std::vector<std::string>& arguments) {
    FakePlatform platform;
    RunGeneration(ParseCommandLine(arguments), BuiltIn, platform);
    return platform;
}

// ---------------------------------------------------------------------------
// Typing: the code with its check digit, or a refusal in the core's words.

struct TypingRow {
    int row;
    std::size_t kind;  // in MakerKinds()
    std::string data;
    std::vector<std::string> extras;
    std::string code;     // shown beside the field; empty: none
    std::string message;  // refusal or hint; empty: none
};

void PrintTo(const TypingRow& row, std::ostream* out) {
    *out << "row " << row.row;
}

// clang-format off
const TypingRow kTypingRows[] = {
    // Worked examples: GS1 Japan's 490123456789 -> 4901234567894.
    {0,  0, "",                   {},              "",               "12 桁 (チェックデジットは自動)"},
    {1,  0, "4901",               {},              "",               "データが 4 桁です (12 桁、またはチェックデジット付きの 13 桁)"},
    // A character that is no digit is named at once, before the data is whole.
    {17, 0, "49012x",             {},              "",               "'x' は整数ではありません"},
    {2,  0, "490123456789",       {},              "4901234567894",  ""},
    // A 13th character is not read, as /cd does: the check digit is worked out.
    {3,  0, "4901234567890",      {},              "4901234567894",  ""},
    {5,  1, "1234567",            {},              "12345670",       ""},
    {6,  2, "1234567890123",      {},              "12345678901231", ""},
    {7,  3, "123456789012345",    {},              "1234567890123452", ""},
    // The carton code: the JAN inside, verified, behind its indicator.
    {8,  4, "490123456789",       {"1"},           "14901234567891", ""},
    {9,  4, "4901234567894",      {"1"},           "14901234567891", ""},
    {10, 4, "4901234567890",      {"1"},           "",               "チェックデジットが違います (正しくは 4)"},
    {11, 4, "490123456789",       {""},            "",               "インジケータ「」は使えません。/id の値は 1～8 の 1 桁です"},
    {12, 4, "490123456789",       {"9"},           "",               "インジケータ「9」は使えません。/id の値は 1～8 の 1 桁です"},
    {13, 4, "4901",               {"1"},           "",               "データが 4 桁です (12 桁、またはチェックデジット付きの 13 桁)"},
    // The book code: the ISBN, its Cコード and price.
    {14, 5, "978-4-949999-12-0",  {"0193", "820"}, "9784949999120",  ""},
    {15, 5, "978-4-949999-12-0",  {"0193", ""},    "",               "本体価格「」は使えません。本体価格は税抜きの 0～99999 円を数字だけで書きます (¥ や 円 は付けません)"},
    {16, 5, "978-4-949999-12-9",  {"0193", "820"}, "",               "ISBN のチェックデジットが違います (正しくは 0)"},
    // The payment slip: 43 digits take the check digit, 44 are verified.
    {18, 6, "",                   {},              "",               "91 で始まる 43 桁 (チェックデジットは自動) か 44 桁"},
    {19, 6, "(91)912345-0123456789012345678901 010331-0-123000", {}, "(91)912345-0123456789012345678901 010331-0-123000-3", ""},
    {20, 6, "91912345012345678901234567890101033101230004", {}, "",   "チェックデジットが違います (正しくは 3)"},
};
// clang-format on

class Typing : public testing::TestWithParam<TypingRow> {};

TEST_P(Typing, ShowsTheCodeOrTheRefusal) {
    const TypingRow& row = GetParam();
    Fixture f;
    f.form.Load();
    f.view.choices.kind = row.kind;
    f.form.KindChanged();
    f.view.choices.data = row.data;
    for (std::size_t i = 0; i < row.extras.size(); ++i) f.view.choices.extras[i] = row.extras[i];
    f.form.Refresh();
    EXPECT_EQ(f.view.result.code, row.code);
    EXPECT_EQ(f.view.result.message, row.message);
    EXPECT_EQ(f.view.result.metafile.empty(), row.code.empty());
    EXPECT_EQ(f.view.result.sizeText.empty(), row.code.empty());
}

INSTANTIATE_TEST_SUITE_P(, Typing, testing::ValuesIn(kTypingRows),
                         [](const auto& i) { return "row" + std::to_string(i.param.row); });

// ---------------------------------------------------------------------------
// The command line the choices come to.

struct CommandRow {
    int row;
    std::size_t kind;
    std::size_t style;
    std::vector<std::string> extras;
    ModuleChoice module;
    std::string moduleValue;
    std::size_t resolution;
    std::string reduction;
    bool outlines;
    FileFormat format;
    std::string commandLine;  // empty: refused with `error`
    std::string error;
};

void PrintTo(const CommandRow& row, std::ostream* out) {
    *out << "row " << row.row;
}

constexpr std::size_t kNoDpi = kUnknownResolution;
using M = ModuleChoice;
using F = FileFormat;

// clang-format off
const CommandRow kCommandRows[] = {
    {0,  0, 0, {},              M::Standard,    "100",   kNoDpi, "",      false, F::Emf, "merrowin /j13 /cd490123456789 /mw33 /fl", ""},
    {1,  0, 1, {},              M::Standard,    "80",    0,      "",      false, F::Pdf, "merrowin /j13b /cd490123456789 /mw26 /dp203 /fmpdf", ""},
    {2,  0, 2, {},              M::Standard,    "200",   1,      "0.02",  true,  F::Eps, "merrowin /j13t /cd490123456789 /mw66 /dp300 /bw20 /ol /fmeps", ""},
    {3,  1, 0, {},              M::Millimetres, "0.5",   2,      "",      false, F::Svg, "merrowin /j8 /cd490123456789 /mw50 /dp600 /fmsvg", ""},
    {4,  1, 1, {},              M::Millimetres, "0.264", 3,      ".015",  false, F::Png, "merrowin /j8b /cd490123456789 /mw26 /dp1200 /bw15 /fmpng", ""},
    {5,  1, 2, {},              M::Millimetres, "1",     4,      "",      true,  F::Emf, "merrowin /j8f /cd490123456789 /mw100 /dp2400 /ol /fl", ""},
    {6,  2, 0, {},              M::Standard,    "100",   5,      "",      false, F::Emf, "merrowin /i14 /cd490123456789 /mw100 /dp2540 /fl", ""},
    {7,  2, 1, {},              M::Standard,    "50",    kNoDpi, "",      false, F::Pdf, "merrowin /i14f /cd490123456789 /mw50 /fmpdf", ""},
    {8,  2, 2, {},              M::Standard,    "62",    kNoDpi, "",      false, F::Emf, "merrowin /i14h /cd490123456789 /mw62 /fl", ""},
    {9,  3, 0, {},              M::Standard,    "100",   kNoDpi, "",      false, F::Emf, "merrowin /i16 /cd490123456789 /mw100 /fl", ""},
    {10, 3, 1, {},              M::Standard,    "100",   kNoDpi, "",      false, F::Emf, "merrowin /i16f /cd490123456789 /mw100 /fl", ""},
    {11, 3, 2, {},              M::Standard,    "100",   kNoDpi, "",      false, F::Emf, "merrowin /i16h /cd490123456789 /mw100 /fl", ""},
    {12, 4, 1, {"3"},           M::Standard,    "100",   kNoDpi, "",      false, F::Emf, "merrowin /i14f /cd490123456789 /id3 /mw100 /fl", ""},
    {13, 5, 0, {"0193", "820"}, M::Standard,    "100",   kNoDpi, "",      true,  F::Pdf, "merrowin /bk /cd490123456789 /cc0193 /pr820 /mw33 /ol /fmpdf", ""},
    // A blank keeps the argument whole in double quotes.
    {14, 5, 0, {"0193", "8 2"}, M::Standard,    "100",   kNoDpi, "",      false, F::Emf, "merrowin /bk /cd490123456789 /cc0193 \"/pr8 2\" /mw33 /fl", ""},
    // Refusals of the window's own fields.
    {15, 0, 0, {},              M::Standard,    "",      kNoDpi, "",      false, F::Emf, "", "'' は整数ではありません"},
    {16, 0, 0, {},              M::Standard,    "9x",    kNoDpi, "",      false, F::Emf, "", "'9x' は整数ではありません"},
    {17, 0, 0, {},              M::Millimetres, "0,33",  kNoDpi, "",      false, F::Emf, "", "'0,33' は mm の値ではありません"},
    {18, 0, 0, {},              M::Millimetres, ".",     kNoDpi, "",      false, F::Emf, "", "'.' は mm の値ではありません"},
    {19, 0, 0, {},              M::Standard,    "100",   kNoDpi, "-0.02", false, F::Emf, "", "'-0.02' は mm の値ではありません"},
    // A double quote would split the shown command line elsewhere than the
    // arguments the picture is made from.
    {20, 5, 0, {"0193", "8\"2"}, M::Standard,  "100",   kNoDpi, "",      false, F::Emf, "", "'\"' は整数ではありません"},
    // The slip at 100 %: the 0.19 mm that fills 60 mm.
    {21, 6, 0, {},              M::Standard,    "100",   1,      "",      false, F::Pdf, "merrowin /cv /cd490123456789 /mw19 /dp300 /fmpdf", ""},
};
// clang-format on

class CommandTable : public testing::TestWithParam<CommandRow> {};

TEST_P(CommandTable, GivesTheEquivalentCommandLine) {
    const CommandRow& row = GetParam();
    MakerChoices choices;
    choices.kind = row.kind;
    choices.style = row.style;
    choices.data = "490123456789";
    for (std::size_t i = 0; i < row.extras.size(); ++i) choices.extras[i] = row.extras[i];
    choices.module = row.module;
    choices.moduleValue = row.moduleValue;
    choices.resolution = row.resolution;
    choices.reduction = row.reduction;
    choices.outlines = row.outlines;
    choices.format = row.format;
    if (row.error.empty()) {
        EXPECT_EQ(CommandLineText(MakerArguments(choices)), row.commandLine);
    } else {
        try {
            MakerArguments(choices);
            ADD_FAILURE() << "no refusal";
        } catch (const MerrowinError& error) {
            EXPECT_EQ(error.what(), row.error);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(, CommandTable, testing::ValuesIn(kCommandRows),
                         [](const auto& i) { return "row" + std::to_string(i.param.row); });

// Every kind, style and format: the picture, the copy and the saved file
// are the bytes the shown command line makes.
TEST(MakerForm, MakesTheBytesOfItsCommandLine) {
    const std::map<std::size_t, std::pair<std::string, std::vector<std::string>>> data = {
        {0, {"490123456789", {}}},
        {1, {"4901234", {}}},
        {2, {"1490123456789", {}}},
        {3, {"123456789012345", {}}},
        {4, {"4901234567894", {"2"}}},
        {5, {"978-4-949999-12-0", {"0193", "820"}}},
        {6, {"9191234501234567890123456789010103310123000", {}}},
    };
    for (std::size_t kind = 0; kind < MakerKinds().size(); ++kind) {
        for (std::size_t style = 0; style < MakerKinds()[kind].styles.size(); ++style) {
            for (const FileFormatInfo& format : kFileFormats) {
                SCOPED_TRACE(std::to_string(kind) + "/" + std::to_string(style) + "/" +
                             std::string(format.name));
                Fixture f;
                f.form.Load();
                f.view.choices.kind = kind;
                f.form.KindChanged();
                f.view.choices.style = style;
                f.view.choices.data = data.at(kind).first;
                for (std::size_t i = 0; i < data.at(kind).second.size(); ++i)
                    f.view.choices.extras[i] = data.at(kind).second[i];
                f.view.choices.resolution = 2;
                f.view.choices.outlines = style == 0;
                f.view.choices.format = format.format;
                f.form.Refresh();
                ASSERT_EQ(f.view.result.message, "");

                const std::vector<std::string> arguments = MakerArguments(f.view.choices);
                const FakePlatform command = RunOf(arguments);
                ASSERT_FALSE(command.fileBytes.empty());
                EXPECT_EQ(f.view.result.metafile, command.clipboardBytes);
                EXPECT_TRUE(f.form.Copy());
                EXPECT_EQ(f.platform.clipboardBytes, command.clipboardBytes);
                f.view.answer = "E:\\Out\\code" + std::string(format.extension);
                ASSERT_TRUE(f.form.Save());
                EXPECT_EQ(f.platform.fileBytes, command.fileBytes);
            }
        }
    }
}

// A JAN-13 at /mw33 is 37.29 × 25.41 mm, as the README's label example
// says. The save dialog starts where the command line would save, with its
// name; then where the last file went. Cancelling saves nothing, and nothing
// is saved or copied while the data is refused.
TEST(MakerForm, SavesWhereTheUserSays) {
    Fixture f;
    f.form.Load();
    f.view.choices.data = "490123456789";
    f.view.choices.format = FileFormat::Pdf;
    f.form.Refresh();
    EXPECT_EQ(f.view.result.sizeText, "37.29 × 25.41 mm");
    EXPECT_EQ(MetafileSizeText({1, 2, 3}), "");
    EXPECT_FALSE(f.form.Save());
    EXPECT_EQ(f.view.asked, "D:\\Docs\\|4901234567894.pdf");
    EXPECT_TRUE(f.platform.fileBytes.empty());

    f.view.answer = "C:\\Work\\label.pdf";
    EXPECT_TRUE(f.form.Save());
    EXPECT_EQ(f.platform.calls.back(), "save C:\\Work\\label.pdf");
    EXPECT_EQ(f.view.choices.folder, "C:\\Work");
    EXPECT_EQ(f.store->Get(kMakerSection, "Folder"), "C:\\Work");
    f.form.Save();
    EXPECT_EQ(f.view.asked, "C:\\Work\\|4901234567894.pdf");

    const std::size_t calls = f.platform.calls.size();
    f.view.choices.data = "4901x";
    f.form.Refresh();
    EXPECT_FALSE(f.form.Save());
    EXPECT_FALSE(f.form.Copy());
    EXPECT_EQ(f.platform.calls.size(), calls);
}

// ---------------------------------------------------------------------------
// What each kind offers.

// Choosing a kind shows its own styles and fields, whichever kind came
// before, and starts at its first style with its fields empty.
TEST(MakerForm, OffersEachKindsStylesAndFields) {
    for (std::size_t kind = 0; kind < MakerKinds().size(); ++kind) {
        SCOPED_TRACE(MakerKinds()[kind].label);
        Fixture f;
        f.form.Load();
        f.view.choices.kind = (kind + 1) % MakerKinds().size();
        f.form.KindChanged();
        f.view.choices.kind = kind;
        f.view.choices.style = 2;
        f.view.choices.extras = {"7", "9"};
        f.form.KindChanged();
        std::vector<std::string> styles, extras;
        for (const MakerStyle& style : MakerKinds()[kind].styles) styles.emplace_back(style.label);
        for (const MakerExtra& extra : MakerKinds()[kind].extras) extras.emplace_back(extra.label);
        EXPECT_EQ(f.view.lists[MakerList::Style], styles);
        EXPECT_EQ(f.view.extras, extras);
        EXPECT_EQ(f.view.choices.style, 0u);
        EXPECT_EQ(f.view.choices.extras, (std::array<std::string, kMaxExtras>{}));
    }
}

TEST(MakerForm, OffersTheSameListsToEveryKind) {
    Fixture f;
    f.form.Load();
    EXPECT_EQ(f.view.lists[MakerList::Kind].size(), MakerKinds().size());
    EXPECT_EQ(f.view.lists[MakerList::Resolution],
              (std::vector<std::string>{"203 dpi", "300 dpi", "600 dpi", "1200 dpi", "2400 dpi",
                                        "2540 dpi", "不明"}));
    EXPECT_EQ(f.view.lists[MakerList::Format],
              (std::vector<std::string>{"EMF", "EPS", "PDF", "SVG", "PNG"}));
    EXPECT_EQ(f.view.lists[MakerList::Module],
              (std::vector<std::string>{"GS1 標準 (100 %)", "mm で指定"}));
    // Switching to mm starts at the kind's nominal width, and back at 100 %.
    f.view.choices.module = ModuleChoice::Millimetres;
    f.form.ModuleChanged();
    EXPECT_EQ(f.view.choices.moduleValue, "0.33");
    EXPECT_EQ(f.view.unit, "mm");
    f.view.choices.kind = 2;
    f.form.KindChanged();
    f.form.ModuleChanged();
    EXPECT_EQ(f.view.choices.moduleValue, "1.00");
    f.view.choices.module = ModuleChoice::Standard;
    f.form.ModuleChanged();
    EXPECT_EQ(f.view.choices.moduleValue, "100");
    EXPECT_EQ(f.view.unit, "%");
}

// ---------------------------------------------------------------------------
// The remembered choices: stored as strings in the subkey Maker, anything
// the window did not write read as its default.

struct StoredRow {
    int row;
    std::string name;
    std::string text;  // "<dword>": a value of another type
    std::string field;
    std::string want;
};

void PrintTo(const StoredRow& row, std::ostream* out) {
    *out << "row " << row.row;
}

std::string FieldOf(const MakerChoices& c, const std::string& field) {
    if (field == "kind") return std::to_string(c.kind);
    if (field == "style") return std::to_string(c.style);
    if (field == "data") return c.data;
    if (field == "module") return std::to_string(static_cast<int>(c.module)) + " " + c.moduleValue;
    if (field == "resolution") return std::to_string(c.resolution);
    if (field == "outlines") return c.outlines ? "1" : "0";
    if (field == "format") return std::string(InfoOf(c.format).name);
    return "?";
}

// clang-format off
const StoredRow kStoredRows[] = {
    {0,  "Kind",       "Book",     "kind",       "5"},
    {1,  "Kind",       "Qr",       "kind",       "0"},
    {2,  "Kind",       "<dword>",  "kind",       "0"},
    {3,  "Style",      "/j13t",    "style",      "2"},
    {4,  "Style",      "/i14f",    "style",      "0"},  // not a JAN-13 style
    {5,  "Data",       std::string(1025, '4'), "data", ""},
    {6,  "Data",       "4901",     "data",       "4901"},
    {7,  "Module",     "Millimetres", "module",  "1 0.33"},
    {8,  "Module",     "mm",       "module",     "0 100"},
    {9,  "Resolution", "600",      "resolution", "2"},
    {10, "Resolution", "601",      "resolution", "6"},
    {12, "Outlines",   "1",        "outlines",   "1"},
    {13, "Outlines",   "yes",      "outlines",   "0"},
    {14, "Format",     "PDF",      "format",     "pdf"},
    {15, "Format",     "tiff",     "format",     "emf"},
};
// clang-format on

class StoredChoices : public testing::TestWithParam<StoredRow> {};

TEST_P(StoredChoices, AreReadAsTheWindowWroteThem) {
    const StoredRow& row = GetParam();
    fakes::MemoryStore store;
    if (row.text == "<dword>")
        store.PutNonString(kMakerSection, row.name);
    else
        store.Put(kMakerSection, row.name, row.text);
    std::string error;
    const MakerChoices choices = LoadMakerChoices(store, &error);
    EXPECT_EQ(FieldOf(choices, row.field), row.want);
    EXPECT_EQ(error, row.text == "<dword>" ? "'" + row.name + "' のデータ型が不正です" : "");
}

INSTANTIATE_TEST_SUITE_P(, StoredChoices, testing::ValuesIn(kStoredRows),
                         [](const auto& i) { return "row" + std::to_string(i.param.row); });

// What a closing stores comes back at the next opening; a value of another
// type is reported after the window is filled.
TEST(MakerForm, RemembersItsChoices) {
    Fixture f;
    f.form.Load();
    f.view.choices.kind = 5;
    f.form.KindChanged();
    f.view.choices.data = "978-4-949999-12-0";
    f.view.choices.extras = {"0193", "820"};
    f.view.choices.resolution = 1;
    f.view.choices.reduction = "0.02";
    f.view.choices.outlines = true;
    f.view.choices.format = FileFormat::Png;
    f.form.Remember();
    const MakerChoices stored = f.view.choices;

    FakeView next;
    FakePlatform platform;
    MakerForm again(next, platform, BuiltIn, [&f](std::string_view) {
        auto copy = std::make_unique<fakes::MemoryStore>(*f.store);
        return copy;
    });
    again.Load();
    EXPECT_EQ(next.choices, stored);
    EXPECT_EQ(next.result.code, "9784949999120");

    f.store->PutNonString(kMakerSection, "Data");
    FakeView third;
    MakerForm broken(third, platform, BuiltIn, [&f](std::string_view) {
        return std::make_unique<fakes::MemoryStore>(*f.store);
    });
    try {
        broken.Load();
        ADD_FAILURE() << "no error";
    } catch (const MerrowinError& error) {
        EXPECT_STREQ(error.what(), "'Data' のデータ型が不正です");
    }
    EXPECT_EQ(third.choices.kind, 5u);
    EXPECT_EQ(third.choices.data, "");
}

// The settings window's preview: the kind's sample at the grid's sizes,
// brought into bounds as applying brings them.
TEST(SettingsPreview, DrawsTheGridsSizes) {
    struct Row {
        int row;
        SymbologyKind kind;
        std::map<SizeField, std::string> cells;  // the rest at the built-in values
        std::vector<std::string> sameAs;         // the command line of the same picture
    };
    const Row rows[] = {
        {0, SymbologyKind::Jan13, {}, {"/j13", "/cd490123456789"}},
        {1, SymbologyKind::Jan8, {}, {"/j8", "/cd4901234"}},
        {2, SymbologyKind::Itf14, {}, {"/i14", "/cd1490123456789"}},
        {3,
         SymbologyKind::Itf16,
         {{SizeField::BarHeight, "30"}},
         {"/i16", "/cd123456789012345", "/bh30"}},
        // 150 is applied as 100, a JAN's left margin of 0 as 11.
        {4,
         SymbologyKind::Jan13,
         {{SizeField::BarHeight, "150"}, {SizeField::LeftMargin, "0"}},
         {"/j13", "/cd490123456789", "/bh100", "/lm11"}},
        // A cell that is no number: no picture.
        {5, SymbologyKind::Jan8, {{SizeField::Gap, ""}}, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.row);
        FakePlatform platform;
        const auto cell = [&row](SizeField field) {
            const auto given = row.cells.find(field);
            if (given != row.cells.end()) return given->second;
            return std::to_string(BuiltInValue(OptionOf(field), row.kind));
        };
        const std::vector<std::uint8_t> picture = SettingsPreview(row.kind, cell, platform);
        if (row.sameAs.empty()) {
            EXPECT_TRUE(picture.empty());
            continue;
        }
        EXPECT_EQ(picture, RunOf(row.sameAs).clipboardBytes);
    }
}

}  // namespace
}  // namespace merrowin
