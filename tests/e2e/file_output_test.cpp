// Where the saved .emf lands, what it is called, and how it replaces an
// existing file.
#include <cwchar>
#include <string>
#include <vector>

#include "tests/e2e/e2e_test.h"

namespace merrowin::e2e {
namespace {

constexpr wchar_t kShellFolders[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

constexpr wchar_t kUserShellFolders[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

using FileOutputTest = E2eTest;

// Folder of the file by the save folder given and what exists.
TEST_F(FileOutputTest, FileLandsInTheChosenFolder) {
    const std::wstring labels = out_ / L"labels";
    const std::wstring blanks = out_ / L"my labels";
    const std::wstring unique = L"merrowin-e2e-" + std::to_wstring(::GetCurrentProcessId());
    const auto personal = ReadUserString(kShellFolders, L"Personal");
    const std::wstring personalOrCwd = personal && DirectoryExists(*personal) ? *personal : Cwd();
    MakeDirectory(labels);
    MakeDirectory(blanks);

    struct Row {
        const char* name;
        std::wstring options;
        std::wstring folder;  // where the file must be
        std::wstring file;
    };
    const std::vector<Row> rows = {
        {"1 existing folder", DrOption(labels), labels, kJanFile},
        {"2 blanks written as *", DrOption(blanks), blanks, kJanFile},
        {"3 whole argument quoted", L"\"/dr" + blanks + L"\"", blanks, kJanFile},
        {"4 folder ending in a backslash", L"/dr" + labels + L"\\", labels, kJanFile},
        {"5 folder that does not exist", DrOption(out_ / L"missing"), Cwd(), kJanFile},
        {"6 no folder: personal documents", L"/fl" + unique, personalOrCwd, unique + L".emf"},
        {"7 empty /dr: personal documents", L"/dr /fl" + unique, personalOrCwd, unique + L".emf"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::wstring path = row.folder + L"\\" + row.file;
        EXPECT_EQ(Run(std::wstring(L"/j13 ") + kJanData + L" /fl " + row.options), 0u);
        EXPECT_TRUE(FileExists(path));
        EXPECT_TRUE(EmfFileHeader(path).has_value());
        if (row.folder != Cwd()) {
            EXPECT_TRUE(FilesIn(Cwd()).empty());
        }
        ::DeleteFileW(path.c_str());
    }
}

// The "Shell Folders" key is only a copy that may be stale or missing (the
// documents moved, redirected): the shell's own folder, from "User Shell
// Folders", is where a file without a save folder goes.
TEST_F(FileOutputTest, DocumentsFolderIsTheShellsNotTheStaleKey) {
    const std::wstring unique = L"merrowin-e2e-" + std::to_wstring(::GetCurrentProcessId());
    const auto userValue = ReadUserString(kUserShellFolders, L"Personal");
    ASSERT_TRUE(userValue.has_value());
    std::wstring documents(32768, L'\0');
    documents.resize(::ExpandEnvironmentStringsW(userValue->c_str(), documents.data(),
                                                 static_cast<DWORD>(documents.size())) -
                     1);
    ASSERT_TRUE(DirectoryExists(documents));
    const auto before = ReadUserString(kShellFolders, L"Personal");
    const std::wstring stale = out_ / L"stale";
    MakeDirectory(stale);

    struct Row {
        const char* name;
        const wchar_t* personal;  // the key's value; nullptr: none
    };
    const Row rows[] = {
        {"1 key names another folder", stale.c_str()},
        {"2 key names a folder that has gone", L"C:\\gone-documents"},
        {"3 key without the value", nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        if (row.personal)
            ::RegSetKeyValueW(
                HKEY_CURRENT_USER, kShellFolders, L"Personal", REG_SZ, row.personal,
                static_cast<DWORD>((std::wcslen(row.personal) + 1) * sizeof(wchar_t)));
        else
            ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kShellFolders, L"Personal");
        const DWORD exit = Run(std::wstring(L"/j13 ") + kJanData + L" /fl" + unique);
        const std::wstring path = documents + L"\\" + unique + L".emf";
        EXPECT_EQ(exit, 0u);
        EXPECT_TRUE(FileExists(path));
        EXPECT_TRUE(FilesIn(stale).empty());
        EXPECT_TRUE(FilesIn(Cwd()).empty());
        ::DeleteFileW(path.c_str());
    }
    if (before)
        ::RegSetKeyValueW(HKEY_CURRENT_USER, kShellFolders, L"Personal", REG_SZ, before->c_str(),
                          static_cast<DWORD>((before->size() + 1) * sizeof(wchar_t)));
}

TEST_F(FileOutputTest, ExistingFileIsReplaced) {
    const std::wstring path = out_ / kJanFile;
    WriteFileBytes(path, "an older picture");

    EXPECT_EQ(Run(std::wstring(L"/j13 ") + kJanData + L" /fl " + DrOption(out_.Path())), 0u);

    const auto header = EmfFileHeader(path);
    ASSERT_TRUE(header.has_value());
    EXPECT_EQ(header->iType, static_cast<DWORD>(EMR_HEADER));
    EXPECT_EQ(header->dSignature, static_cast<DWORD>(ENHMETA_SIGNATURE));
    // Nothing is left beside it from writing the new one.
    EXPECT_EQ(FilesIn(out_.Path()), std::vector<std::wstring>{kJanFile});
}

// The file name: from the data with its check digit, or as given by "fl".
TEST_F(FileOutputTest, FileName) {
    struct Row {
        const char* name;
        std::wstring args;
        std::wstring file;
    };
    const std::vector<Row> rows = {
        {"1 default JAN-13", L"/j13 /cd490123456789 /fl", L"4901234567894.emf"},
        {"2 default JAN-8", L"/j8 /cd4901234 /fl", L"49012347.emf"},
        {"3 default ITF-14", L"/i14 /cd1490123456789 /fl", L"14901234567891.emf"},
        {"4 default ITF-16", L"/i16 /cd123456789012345 /fl", L"1234567890123452.emf"},
        {"5 name before the data", L"/j13 /fllabel1 /cd490123456789", L"label1.emf"},
        {"6 name after the data", L"/j13 /cd490123456789 /fllabel1", L"label1.emf"},
        {"7 quoted name with a blank", L"/j13 /cd490123456789 \"/flmy label\"", L"my label.emf"},
        {"8 upper-case key", L"/j13 /cd490123456789 /FLlabel2", L"label2.emf"},
        {"9 later data renames", L"/j13 /cd111111111111 /fl /cd490123456789", L"4901234567894.emf"},
        {"10 extra data characters ignored", L"/j8 /cd49012345 /fl", L"49012347.emf"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::wstring folder = out_ / L"names";
        MakeDirectory(folder);
        EXPECT_EQ(Run(row.args + L" " + DrOption(folder)), 0u);
        EXPECT_EQ(FilesIn(folder), std::vector<std::wstring>{row.file});
        DeleteTree(folder);
    }
}

TEST_F(FileOutputTest, RunLeavesAnEmptySettingsKey) {
    ASSERT_FALSE(SettingsKeyExists());
    EXPECT_EQ(Run(std::wstring(L"/j13 ") + kJanData), 0u);
    EXPECT_TRUE(SettingsKeyExists());
}

}  // namespace
}  // namespace merrowin::e2e
