#include <gtest/gtest.h>

#include <ostream>

#include "common/errors.h"
#include "memory_store.h"
#include "settings/load_settings.h"

namespace merrowin {
namespace {

using fakes::MemoryStore;

// The ten size fields of a job, in the order of the stored values.
struct Sizes {
    int barHeight, top, bottom, left, right, inner, gap, frame, font, copyRate;
    bool operator==(const Sizes&) const = default;
};

void PrintTo(const Sizes& s, std::ostream* os) {
    *os << "{bh " << s.barHeight << ", tm " << s.top << ", bm " << s.bottom << ", lm " << s.left
        << ", rm " << s.right << ", im " << s.inner << ", gp " << s.gap << ", fw " << s.frame
        << ", fs " << s.font << ", cr " << s.copyRate << "}";
}

Sizes SizesOf(const BarcodeJob& job) {
    return {job.BarHeight,   job.TopMargin, job.BottomMargin, job.LeftMargin, job.RightMargin,
            job.InnerMargin, job.Gap,       job.FrameWidth,   job.FontSize,   job.CopyRate};
}

constexpr Sizes kJanDefaults = {60, 3, 3, 11, 7, 10, 2, 5, 18, 100};
constexpr Sizes kItfDefaults = {60, 3, 3, 3, 3, 10, 2, 5, 13, 100};

BarcodeJob Load(MemoryStore& store, SymbologyKind kind) {
    BarcodeJob job;
    job.Kind = kind;
    LoadSettings(job, store);
    return job;
}

TEST(LoadSettings, FreshStoreAndEmptySubkeysGiveTheBuiltInSizes) {
    struct Row {
        SymbologyKind kind;
        const char* def;  // nullptr: no Def stored
        Sizes expected;
    };
    const Row rows[] = {
        {SymbologyKind::Jan13, nullptr, kJanDefaults},
        {SymbologyKind::Jan8, nullptr, kJanDefaults},
        {SymbologyKind::Itf14, nullptr, kItfDefaults},
        {SymbologyKind::Itf16, nullptr, kItfDefaults},
        {SymbologyKind::Jan13, "1", kJanDefaults},
        {SymbologyKind::Itf14, "1", kItfDefaults},
        {SymbologyKind::None, "0", kJanDefaults},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message()
                     << "kind " << int(row.kind) << " Def " << (row.def ? row.def : "absent"));
        MemoryStore store;
        if (row.def) store.Put("Setting", "Def", row.def);
        BarcodeJob job = Load(store, row.kind);
        EXPECT_EQ(SizesOf(job), row.expected);
        EXPECT_FALSE(job.DrChk);
        EXPECT_EQ(job.SaveDr, "");
        EXPECT_TRUE(store.writes().empty());
    }
}

TEST(LoadSettings, UnrecognisedKindWithStoredValuesOnlyPresetsInnerMarginAndFrame) {
    MemoryStore store;
    store.Put("Setting", "Def", "1");
    store.Put("Jan13", "BarHeight", "80");
    EXPECT_EQ(SizesOf(Load(store, SymbologyKind::None)), (Sizes{0, 0, 0, 0, 0, 10, 0, 5, 0, 0}));
}

TEST(LoadSettings, StoredValuesOfTheKindAreUsed) {
    MemoryStore store;
    store.Put("Setting", "Def", "1");
    const char* names[] = {"BarHeight",   "TopMargin", "BottomMargin", "LeftMargin", "RightMargin",
                           "InnerMargin", "Gap",       "FrameWidth",   "FontSize",   "CopyRate"};
    int value = 21;
    for (const char* name : names) {
        store.Put("Itf16", name, std::to_string(value++));
        store.Put("Jan8", name, "99");  // inner margin and frame width are not read for JAN
    }
    EXPECT_EQ(SizesOf(Load(store, SymbologyKind::Itf16)),
              (Sizes{21, 22, 23, 24, 25, 26, 27, 28, 29, 30}));
    EXPECT_EQ(SizesOf(Load(store, SymbologyKind::Jan8)),
              (Sizes{99, 99, 99, 99, 99, 10, 99, 5, 99, 99}));
}

TEST(LoadSettings, EightBitFieldsKeepTheLowBitsWideFieldsTheWholeNumber) {
    MemoryStore store;
    store.Put("Setting", "Def", "1");
    store.Put("Itf14", "TopMargin", "300");
    store.Put("Itf14", "BottomMargin", "-1");
    store.Put("Itf14", "FrameWidth", "256");
    store.Put("Itf14", "BarHeight", "300");
    store.Put("Itf14", "CopyRate", "-5");
    EXPECT_EQ(SizesOf(Load(store, SymbologyKind::Itf14)),
              (Sizes{300, 44, 255, 3, 3, 10, 2, 0, 13, -5}));
}

TEST(LoadSettings, UnconvertibleStoredNumberGivesItsDefault) {
    MemoryStore store;
    store.Put("Setting", "Def", "1");
    store.Put("Jan8", "Gap", "wide");
    store.Put("Jan8", "BarHeight", "40");
    store.Put("Jan8", "FontSize", "$14");
    EXPECT_EQ(SizesOf(Load(store, SymbologyKind::Jan8)),
              (Sizes{40, 3, 3, 11, 7, 10, 2, 5, 20, 100}));
}

TEST(LoadSettings, DefOffOrUnreadableKeepsStoredNumbersOutOfTheRun) {
    for (const char* def : {"0", "yes", "", "1.0"}) {
        SCOPED_TRACE(::testing::Message() << "Def '" << def << "'");
        MemoryStore store;
        store.Put("Setting", "Def", def);
        store.Put("Jan13", "BarHeight", "90");
        store.Put("Jan13", "Gap", "9");
        EXPECT_EQ(SizesOf(Load(store, SymbologyKind::Jan13)), kJanDefaults);
        EXPECT_EQ(store.Get("Jan13", "BarHeight"), "90");
    }
}

TEST(LoadSettings, SaveFolderFollowsDrChk) {
    struct Row {
        const char* drChk;   // nullptr: absent
        const char* saveDr;  // nullptr: absent
        bool expectedDrChk;
        const char* expectedSaveDr;
    };
    const Row rows[] = {
        {nullptr, "D:\\out", false, ""},
        {"0", "D:\\out", false, ""},
        {"1", "D:\\out", true, "D:\\out"},
        {"1", nullptr, true, ""},
        {"-1", "C:\\フォルダ", true, "C:\\フォルダ"},
        {"2", "", true, ""},
        {"on", "D:\\out", false, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << "DrChk " << (row.drChk ? row.drChk : "absent")
                                          << " SaveDr " << (row.saveDr ? row.saveDr : "absent"));
        MemoryStore store;
        if (row.drChk) store.Put("Setting", "DrChk", row.drChk);
        if (row.saveDr) store.Put("Setting", "SaveDr", row.saveDr);
        BarcodeJob job = Load(store, SymbologyKind::Jan13);
        EXPECT_EQ(job.DrChk, row.expectedDrChk);
        EXPECT_EQ(job.SaveDr, row.expectedSaveDr);
    }
}

TEST(LoadSettings, ClearsTheOutputFlags) {
    MemoryStore store;
    BarcodeJob job;
    job.Kind = SymbologyKind::Itf14;
    job.SaveFile = job.FileNameGiven = job.NoClipboard = true;
    LoadSettings(job, store);
    EXPECT_FALSE(job.SaveFile);
    EXPECT_FALSE(job.FileNameGiven);
    EXPECT_FALSE(job.NoClipboard);
}

TEST(LoadSettings, NonStringValueStopsTheLoadAtThatValue) {
    MemoryStore store;
    store.Put("Setting", "Def", "1");
    store.Put("Jan13", "RightMargin", "9");
    store.PutNonString("Jan13", "Gap");
    store.Put("Setting", "DrChk", "1");
    BarcodeJob job;
    job.Kind = SymbologyKind::Jan13;
    job.SaveFile = true;
    try {
        LoadSettings(job, store);
        FAIL() << "no error";
    } catch (const MerrowinError& e) {
        EXPECT_STREQ(e.what(), "'Gap' のデータ型が不正です");
    }
    // Read up to the right margin; nothing after the failing value.
    EXPECT_EQ(SizesOf(job), (Sizes{60, 3, 3, 11, 9, 10, 0, 5, 0, 0}));
    EXPECT_FALSE(job.DrChk);
    EXPECT_TRUE(job.SaveFile);
}

TEST(LoadSettings, NonStringDefIsAnErrorToo) {
    MemoryStore store;
    store.PutNonString("Setting", "Def");
    BarcodeJob job;
    job.Kind = SymbologyKind::Itf16;
    try {
        LoadSettings(job, store);
        FAIL() << "no error";
    } catch (const MerrowinError& e) {
        EXPECT_STREQ(e.what(), "'Def' のデータ型が不正です");
    }
}

TEST(StoreReads, IntegerAndBooleanTexts) {
    struct Row {
        const char* text;      // nullptr: absent
        std::int32_t integer;  // read with default 7
        bool boolFalse;        // read with default false
        bool boolTrue;         // read with default true
    };
    const Row rows[] = {
        {nullptr, 7, false, true},
        {"", 7, false, true},
        {"0", 0, false, false},
        {"1", 1, true, true},
        {"2", 2, true, true},
        {"-1", -1, true, true},
        {"  12", 12, true, true},
        {"+4", 4, true, true},
        {"0x10", 16, true, true},
        {"12 ", 7, false, true},
        {"abc", 7, false, true},
        {"2147483648", 7, false, true},
        {"-2147483648", -2147483647 - 1, true, true},
        {"true", 7, false, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text ? row.text : "(absent)");
        MemoryStore store;
        if (row.text) store.Put("S", "V", row.text);
        EXPECT_EQ(ReadInteger(store, "S", "V", 7), row.integer);
        EXPECT_EQ(ReadBool(store, "S", "V", false), row.boolFalse);
        EXPECT_EQ(ReadBool(store, "S", "V", true), row.boolTrue);
    }
}

TEST(StoreReads, StringsAndWrites) {
    MemoryStore store;
    EXPECT_EQ(ReadString(store, "Setting", "SaveDr", "C:"), "C:");
    store.Put("Setting", "SaveDr", "");
    EXPECT_EQ(ReadString(store, "Setting", "SaveDr", "C:"), "");
    WriteInteger(store, "Jan8", "Gap", -12);
    WriteBool(store, "Setting", "Def", true);
    WriteBool(store, "Setting", "DrChk", false);
    EXPECT_EQ(store.writes(),
              (std::vector<MemoryStore::Write>{
                  {"Jan8", "Gap", "-12"}, {"Setting", "Def", "1"}, {"Setting", "DrChk", "0"}}));
}

}  // namespace
}  // namespace merrowin
