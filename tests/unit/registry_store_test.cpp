// The registry accessor against the real registry (Windows and Wine only),
// on a scratch key of its own that is removed afterwards.
#ifdef _WIN32

#include "settings/win/registry_store.h"

#include <gtest/gtest.h>

#include "common/errors.h"

namespace merrowin::win {
namespace {

constexpr std::string_view kScratchName = "MerrowinUnitTest";
constexpr std::string_view kScratchPath = "Software\\Korvane\\MerrowinUnitTest";

class RegistryStoreTest : public ::testing::Test {
protected:
    void SetUp() override { Erase(); }
    void TearDown() override { Erase(); }
    static void Erase() {
        RegistryStore korvane(kStoreParentPath);
        if (korvane.SectionExists(kScratchName)) korvane.DeleteSection(kScratchName);
    }
};

TEST_F(RegistryStoreTest, RoundTripAndMissingValues) {
    RegistryStore store(kScratchPath);
    EXPECT_FALSE(store.SectionExists("Jan13"));
    EXPECT_EQ(store.ReadText("Jan13", "Gap"), std::nullopt);
    EXPECT_FALSE(store.SectionExists("Jan13"));  // reading creates nothing

    store.WriteText("Jan13", "Gap", "12");
    store.WriteText("Setting", "SaveDr", "C:\\バーコード");
    store.WriteText("Setting", "Empty", "");
    EXPECT_TRUE(store.SectionExists("Jan13"));
    EXPECT_EQ(store.ReadText("Jan13", "Gap"), "12");
    EXPECT_EQ(store.ReadText("Jan13", "BarHeight"), std::nullopt);
    EXPECT_EQ(store.ReadText("Setting", "Empty"), "");

    // A second accessor sees the same values: nothing is cached.
    RegistryStore again(kScratchPath);
    EXPECT_EQ(again.ReadText("Setting", "SaveDr"), "C:\\バーコード");
}

TEST_F(RegistryStoreTest, NonStringValueAndUnterminatedString) {
    RegistryStore store(kScratchPath);
    store.WriteText("Itf14", "Gap", "2");
    HKEY raw = nullptr;
    ASSERT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Korvane\\MerrowinUnitTest\\Itf14", 0,
                              KEY_SET_VALUE, &raw),
              ERROR_SUCCESS);
    UniqueKey itf14(raw);
    DWORD number = 5;
    ::RegSetValueExW(itf14.get(), L"Gap", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                     sizeof number);
    const wchar_t noTerminator[] = {L'4', L'2'};
    ::RegSetValueExW(itf14.get(), L"FontSize", 0, REG_SZ,
                     reinterpret_cast<const BYTE*>(noTerminator), sizeof noTerminator);

    try {
        store.ReadText("Itf14", "Gap");
        FAIL() << "no error";
    } catch (const MerrowinError& e) {
        EXPECT_STREQ(e.what(), "'Gap' のデータ型が不正です");
    }
    EXPECT_EQ(store.ReadText("Itf14", "FontSize"), "42");
}

TEST_F(RegistryStoreTest, DeleteSectionRemovesNestedSubkeys) {
    {
        RegistryStore store(kScratchPath);
        store.WriteText("Jan8", "Gap", "3");
        RegistryStore nested("Software\\Korvane\\MerrowinUnitTest\\Jan8\\Deep\\Deeper");
        nested.WriteText("Deepest", "x", "1");
    }
    RegistryStore korvane(kStoreParentPath);
    ASSERT_TRUE(korvane.SectionExists(kScratchName));
    korvane.DeleteSection(kScratchName);
    EXPECT_FALSE(korvane.SectionExists(kScratchName));
    korvane.DeleteSection(kScratchName);  // already gone: no error
}

}  // namespace
}  // namespace merrowin::win

#endif  // _WIN32
