// Runs against a hostile world: a clipboard another program keeps, a folder
// that refuses files, a save folder that is a file, stored values of the
// wrong type, many runs at once in one folder, and the larger window frames
// of Windows 10 and 11.
#include <algorithm>
#include <cwchar>
#include <memory>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "tests/e2e/e2e_test.h"

namespace merrowin::e2e {
namespace {

constexpr wchar_t kMarker[] = L"text the failed run must not touch";
constexpr wchar_t kClipboardBusy[] = L"クリップボードを開くことができません.";
// The default JAN-13 picture, in pixels of the reference device.
constexpr SIZE kJanFrame{226, 154};

// Whether a new file can be made in a folder (made and deleted again).
bool CanAddFileTo(const std::wstring& folder) {
    const std::wstring probe = folder + L"\\probe";
    HANDLE file = ::CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    ::CloseHandle(file);
    return true;
}

// The folder that refuses new files even to root: made immutable on the
// Linux side (permission bits do not stop root) by the CTest fixture before
// the tests, and released after them. Empty when there is none here.
std::wstring LockedFolder() {
    wchar_t unixPath[MAX_PATH] = {};
    if (!::GetEnvironmentVariableW(L"MERROWIN_LOCKED_FOLDER", unixPath, MAX_PATH)) return {};
    using ToDos = wchar_t*(CDECL*)(const char*);
    // Through void* as GetProcAddress's pointer type fits no real function.
    const auto toDos = reinterpret_cast<ToDos>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name")));
    if (!toDos) return {};
    const std::string narrow(unixPath, unixPath + std::wcslen(unixPath));
    wchar_t* dos = toDos(narrow.c_str());
    if (!dos) return {};
    std::wstring result(dos);
    ::HeapFree(::GetProcessHeap(), 0, dos);
    return result;
}

class FaultTest : public E2eTest {
protected:
    std::wstring JanRun(std::wstring_view options) const {
        return std::wstring(L"/j13 ") + kJanData + L" " + std::wstring(options);
    }
    // Presses OK on the run's error box, closes its status window and waits
    // for the end; the box's text.
    std::wstring DismissError(Process& run) {
        HWND box = run.WaitForMessageBox();
        if (!box) return {};
        const std::wstring text = MessageBoxText(box);
        PressOk(box);
        if (HWND status = run.WaitForStatusWindow()) DoubleClick(status, 4, 4);
        EXPECT_EQ(run.WaitExit(), 1u);
        return text;
    }
};

// A clipboard another program keeps a little less than the run's patience
// is waited for: the run still succeeds. (Kept longer, the run gives up:
// ErrorTest.BusyClipboardStopsTheRunBeforeTheFile.)
TEST_F(FaultTest, ClipboardBusyForAMomentIsWaitedFor) {
    const std::wstring eventName = L"merrowin-e2e-hold-" + std::to_wstring(::GetCurrentProcessId());
    HANDLE ready = ::CreateEventW(nullptr, TRUE, FALSE, eventName.c_str());
    ASSERT_NE(ready, nullptr);
    Process holder(FromBuildPath(MERROWIN_HOLD_CLIPBOARD_PATH), eventName + L" TForm1 400", {},
                   false);
    const DWORD held = ::WaitForSingleObject(ready, 10000);
    ::CloseHandle(ready);
    ASSERT_EQ(held, WAIT_OBJECT_0) << "the holder never opened the clipboard";

    EXPECT_EQ(Run(JanRun(L"/fl " + DrOption(out_.Path()))), 0u);
    EXPECT_EQ(holder.WaitExit(), 0u) << "the holder never saw the run's window";
    EXPECT_TRUE(EmfFileHeader(out_ / kJanFile).has_value());
    EXPECT_TRUE(ClipboardHasEmf());
}

// A folder that refuses new files even to root: the clipboard is filled
// first, then the file is refused by its full path; no temporary is left.
TEST_F(FaultTest, FolderThatRefusesFiles) {
    const std::wstring locked = LockedFolder();
    if (locked.empty() || CanAddFileTo(locked))
        GTEST_SKIP() << "no folder that refuses files here (chattr +i not available)";
    ASSERT_TRUE(PutClipboardText(kMarker));

    Process run(JanRun(L"/fl " + DrOption(locked)), Cwd());
    EXPECT_EQ(DismissError(run), L"ファイル " + locked + L"\\" + kJanFile + L" を作成できません.");
    EXPECT_TRUE(FilesIn(locked).empty());
    EXPECT_TRUE(FilesIn(Cwd()).empty());
    EXPECT_TRUE(ClipboardHasEmf());
}

// A save folder that names a file: the picture goes to the current
// directory and the named file is left alone.
TEST_F(FaultTest, SaveFolderThatIsAFile) {
    const std::wstring notAFolder = out_ / L"labels";
    WriteFileBytes(notAFolder, "not a folder");
    struct Row {
        const char* name;
        const wchar_t* drChk;
        std::wstring options;
    };
    const Row rows[] = {
        {"1 given by dr", L"0", DrOption(notAFolder)},
        {"2 stored folder in force", L"1", L""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        DeleteSettingsKey();
        SetSettingString(L"Setting", L"DrChk", row.drChk);
        SetSettingString(L"Setting", L"SaveDr", notAFolder);
        EXPECT_EQ(Run(JanRun(L"/fl " + row.options)), 0u);
        EXPECT_TRUE(EmfFileHeader(Cwd() + L"\\" + kJanFile).has_value());
        EXPECT_EQ(ReadFileBytes(notAFolder), "not a folder");
        EXPECT_EQ(FilesIn(out_.Path()), std::vector<std::wstring>{L"labels"});
        ::DeleteFileW((Cwd() + L"\\" + kJanFile).c_str());
    }
}

// Every stored value a run reads, stored as a number instead of a string:
// the run stops at the error box, outputs nothing and leaves the value be.
TEST_F(FaultTest, StoredValueOfTheWrongType) {
    struct Row {
        const wchar_t* section;
        const wchar_t* name;
    };
    const Row rows[] = {
        {L"Setting", L"Def"},      {L"Setting", L"DrChk"},     {L"Setting", L"SaveDr"},
        {L"Itf14", L"BarHeight"},  {L"Itf14", L"TopMargin"},   {L"Itf14", L"BottomMargin"},
        {L"Itf14", L"LeftMargin"}, {L"Itf14", L"RightMargin"}, {L"Itf14", L"InnerMargin"},
        {L"Itf14", L"Gap"},        {L"Itf14", L"FrameWidth"},  {L"Itf14", L"FontSize"},
        {L"Itf14", L"CopyRate"},
    };
    constexpr DWORD kStored = 60;
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.name, row.name + wcslen(row.name)));
        DeleteSettingsKey();
        SetSettingString(L"Setting", L"Def", L"1");
        SetSettingString(L"Setting", L"DrChk", L"1");  // so SaveDr is read
        SetSettingDword(row.section, row.name, kStored);
        ASSERT_TRUE(PutClipboardText(kMarker));

        Process run(L"/i14 /cd1490123456789 /fl " + DrOption(out_.Path()), Cwd());
        EXPECT_EQ(DismissError(run), L"'" + std::wstring(row.name) + L"' のデータ型が不正です.");
        EXPECT_TRUE(FilesIn(out_.Path()).empty());
        EXPECT_TRUE(FilesIn(Cwd()).empty());
        EXPECT_EQ(ClipboardText(), std::wstring(kMarker));
        EXPECT_EQ(ReadSettingDword(row.section, row.name), kStored);
    }
}

// What became of one of many runs started together.
struct Outcome {
    DWORD exitCode = 0;
    std::vector<std::wstring> boxes;  // texts of the error boxes it showed
};

// Starts all runs at once and sees each to its end: error boxes are
// answered and the status window left behind is closed; a run still going
// after a minute is killed (exit code kKilled).
std::vector<Outcome> RunTogether(const std::vector<std::wstring>& argsList,
                                 const std::wstring& workDir) {
    std::vector<std::unique_ptr<Process>> runs;
    for (const std::wstring& args : argsList)
        runs.push_back(std::make_unique<Process>(MerrowinExe(), args, workDir, false));
    std::vector<Outcome> outcomes(runs.size());
    std::set<HWND> answered;
    const ULONGLONG end = ::GetTickCount64() + 60000;
    for (;;) {
        bool anyRunning = false;
        for (size_t i = 0; i < runs.size(); ++i) {
            if (!runs[i]->Running()) continue;
            anyRunning = true;
            for (HWND window : TopLevelWindows(runs[i]->Id())) {
                if (!::IsWindowVisible(window)) continue;
                if (ClassNameOf(window) == L"#32770") {
                    if (!answered.insert(window).second) continue;
                    outcomes[i].boxes.push_back(MessageBoxText(window));
                    PressOk(window);
                } else if (!outcomes[i].boxes.empty()) {
                    DoubleClick(window, 4, 4);
                }
            }
        }
        if (!anyRunning || ::GetTickCount64() >= end) break;
        ::Sleep(50);
    }
    for (size_t i = 0; i < runs.size(); ++i) outcomes[i].exitCode = runs[i]->WaitExit(0);
    return outcomes;
}

// Ends that are allowed when many runs race: success, or the busy-clipboard
// error box and no file.
void ExpectSoundOutcome(const Outcome& outcome) {
    if (outcome.exitCode == 0) {
        EXPECT_TRUE(outcome.boxes.empty());
    } else {
        EXPECT_EQ(outcome.exitCode, 1u) << "crashed or hung";
        EXPECT_EQ(outcome.boxes, std::vector<std::wstring>{kClipboardBusy});
    }
}

TEST_F(FaultTest, TwentyRunsAtOnceIntoOneFolder) {
    std::vector<std::wstring> argsList;
    for (int i = 0; i < 20; ++i)
        argsList.push_back(JanRun(L"/fllabel" + std::to_wstring(i) + L" " + DrOption(out_.Path())));
    const std::vector<Outcome> outcomes = RunTogether(argsList, Cwd());

    std::vector<std::wstring> expectedFiles;
    for (size_t i = 0; i < outcomes.size(); ++i) {
        SCOPED_TRACE("run " + std::to_string(i));
        ExpectSoundOutcome(outcomes[i]);
        if (outcomes[i].exitCode != 0) continue;
        const std::wstring name = L"label" + std::to_wstring(i) + L".emf";
        expectedFiles.push_back(name);
        const auto header = EmfFileHeader(out_ / name);
        ASSERT_TRUE(header.has_value()) << "not a complete metafile";
        EXPECT_EQ(FramePixels(*header).cx, kJanFrame.cx);
        EXPECT_EQ(FramePixels(*header).cy, kJanFrame.cy);
    }
    std::sort(expectedFiles.begin(), expectedFiles.end());
    // Nothing else: no temporary and no file of a failed run.
    EXPECT_EQ(FilesIn(out_.Path()), expectedFiles);
    EXPECT_TRUE(FilesIn(Cwd()).empty());
    EXPECT_FALSE(expectedFiles.empty());
}

TEST_F(FaultTest, TenRunsAtOnceIntoOneFile) {
    const std::vector<std::wstring> argsList(10, JanRun(L"/flsame " + DrOption(out_.Path())));
    const std::vector<Outcome> outcomes = RunTogether(argsList, Cwd());

    bool anyProduced = false;
    for (size_t i = 0; i < outcomes.size(); ++i) {
        SCOPED_TRACE("run " + std::to_string(i));
        ExpectSoundOutcome(outcomes[i]);
        anyProduced = anyProduced || outcomes[i].exitCode == 0;
    }
    ASSERT_TRUE(anyProduced);
    EXPECT_EQ(FilesIn(out_.Path()), std::vector<std::wstring>{L"same.emf"});
    const auto header = EmfFileHeader(out_ / L"same.emf");
    ASSERT_TRUE(header.has_value()) << "not a complete metafile";
    EXPECT_EQ(FramePixels(*header).cx, kJanFrame.cx);
    EXPECT_EQ(FramePixels(*header).cy, kJanFrame.cy);
}

// Save folders around the old path limits, from "dr" and from the stored
// folder: each run saves a complete file there (the file system takes such
// folders), leaves no temporary file and does not crash.
struct LongFolderRow {
    int row;
    std::size_t length;  // characters of the folder's path
    bool stored;         // from the settings instead of "dr"
};
void PrintTo(const LongFolderRow& row, std::ostream* out) {
    *out << "row " << row.row;
}

constexpr LongFolderRow kLongFolderRows[] = {
    {0, 259, false}, {1, 260, false},  {2, 261, false}, {3, 264, false},
    {4, 276, false}, {5, 277, false},  {6, 278, false}, {7, 280, false},
    {8, 300, false}, {9, 1000, false}, {10, 259, true}, {11, 260, true},
    {12, 264, true}, {13, 278, true},  {14, 280, true}, {15, 1000, true},
};

class LongFolder : public FaultTest, public ::testing::WithParamInterface<LongFolderRow> {
protected:
    // A folder under the scratch folder whose path is `length` characters,
    // made level by level; the "\\?\" form reaches it at any length.
    std::wstring MakeFolderOfLength(std::size_t length) {
        std::wstring folder = out_.Path();
        while (folder.size() < length) {
            const std::size_t room = length - folder.size() - 1;
            // Keep a last level of at least 20 characters.
            std::size_t take = std::min<std::size_t>(room, 200);
            if (room > 200 && room - 200 < 20) take = room - 20;
            folder += L"\\" + std::wstring(take, L'a' + static_cast<wchar_t>(folder.size() % 26));
            ::CreateDirectoryW((L"\\\\?\\" + folder).c_str(), nullptr);
        }
        return folder;
    }
};

TEST_P(LongFolder, SavesTheWholeFileAndLeavesNoTemporary) {
    const LongFolderRow& row = GetParam();
    const std::wstring folder = MakeFolderOfLength(row.length);
    ASSERT_EQ(folder.size(), row.length);
    const std::wstring reach = L"\\\\?\\" + folder;
    ASSERT_TRUE(DirectoryExists(reach));
    std::wstring options = L"/fl /nc";
    if (row.stored) {
        SetSettingString(L"Setting", L"DrChk", L"1");
        SetSettingString(L"Setting", L"SaveDr", folder);
    } else {
        options += L" " + DrOption(folder);
    }
    EXPECT_EQ(Run(JanRun(options)), 0u);
    const std::optional<ENHMETAHEADER> header = EmfFileHeader(reach + L"\\" + kJanFile);
    ASSERT_TRUE(header.has_value());
    EXPECT_EQ(FramePixels(*header).cx, kJanFrame.cx);
    EXPECT_EQ(FilesIn(reach), std::vector<std::wstring>{kJanFile});
    EXPECT_TRUE(FilesIn(Cwd()).empty());
    DeleteTree(reach);
}

INSTANTIATE_TEST_SUITE_P(, LongFolder, ::testing::ValuesIn(kLongFolderRows),
                         [](const auto& info) { return "row" + std::to_string(info.param.row); });

// Window frames and captions as large as Windows 10 and 11 draw them, or
// larger: HKCU\Control Panel\Desktop\WindowMetrics, in pixels, read by
// every program that starts while the object lives; the values before are
// put back after.
struct MetricsRow {
    int row;
    const wchar_t* captionHeight;  // SM_CYCAPTION is one more
    const wchar_t* borderWidth;
    const wchar_t* paddedBorderWidth;
    int usageFrameHeight;  // caption bar and frame of the usage window, as it should get them
};

const MetricsRow kMetricsRows[] = {
    {1, L"22", L"1", L"4", 23 + 2 * 8},  // Windows 10 and 11 at 96 dpi
    {2, L"30", L"3", L"6", 31 + 2 * 12},
    {3, L"44", L"8", L"10", 45 + 2 * 21},
};

class WindowMetrics : public E2eTest, public testing::WithParamInterface<MetricsRow> {
protected:
    static constexpr wchar_t kKey[] = L"Control Panel\\Desktop\\WindowMetrics";

    void SetUp() override {
        E2eTest::SetUp();
        const MetricsRow& row = GetParam();
        Set(L"CaptionHeight", row.captionHeight);
        Set(L"BorderWidth", row.borderWidth);
        Set(L"PaddedBorderWidth", row.paddedBorderWidth);
    }
    void TearDown() override {
        for (const auto& [name, before] : saved_) {
            if (before)
                WriteValue(name, *before);
            else
                ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kKey, name.c_str());
        }
        E2eTest::TearDown();
    }

private:
    void Set(const std::wstring& name, const wchar_t* value) {
        saved_.emplace_back(name, ReadUserString(kKey, name));
        WriteValue(name, value);
    }
    static void WriteValue(const std::wstring& name, const std::wstring& value) {
        ::RegSetKeyValueW(HKEY_CURRENT_USER, kKey, name.c_str(), REG_SZ, value.c_str(),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    }

    std::vector<std::pair<std::wstring, std::optional<std::wstring>>> saved_;
};

// Every child control of `window` lies inside its client area.
void ExpectControlsInside(HWND window, const char* name) {
    SCOPED_TRACE(name);
    ASSERT_NE(window, nullptr);
    RECT client{};
    ::GetClientRect(window, &client);
    ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    const std::vector<HWND> children = ChildWindows(window);
    EXPECT_FALSE(children.empty());
    for (HWND child : children) {
        if (::GetParent(child) != window) continue;
        RECT rect{};
        ::GetWindowRect(child, &rect);
        EXPECT_TRUE(rect.left >= client.left && rect.top >= client.top &&
                    rect.right <= client.right && rect.bottom <= client.bottom)
            << "control " << ::GetDlgCtrlID(child) << " reaches (" << rect.right - client.left
            << ", " << rect.bottom - client.top << ") of a client area "
            << client.right - client.left << " x " << client.bottom - client.top;
    }
}

// The height of the caption bar and frame that the window really got: shows
// that the metrics of the row took effect.
int FrameHeight(HWND window) {
    RECT outer{};
    RECT client{};
    ::GetWindowRect(window, &outer);
    ::GetClientRect(window, &client);
    return (outer.bottom - outer.top) - client.bottom;
}

TEST_P(WindowMetrics, EveryControlLiesInsideTheClientArea) {
    {
        Process run(L"", Cwd());
        const InteractiveWindows windows = OpenSettingsWindow(run);
        ExpectControlsInside(windows.usage, "usage window");
        ExpectControlsInside(windows.settings, "settings window");
        if (windows.usage) {
            EXPECT_EQ(FrameHeight(windows.usage), GetParam().usageFrameHeight);
        }
    }
    {
        Process run(L"/?", Cwd());
        ExpectControlsInside(run.WaitForWindow(L"MerrowinHelp"), "help window");
    }
    {
        Process run(L"/j13 /tmab /cd490123456789", Cwd());
        HWND box = run.WaitForMessageBox();
        ASSERT_NE(box, nullptr);
        PressOk(box);
        ExpectControlsInside(run.WaitForStatusWindow(), "status window");
    }
}

INSTANTIATE_TEST_SUITE_P(, WindowMetrics, ::testing::ValuesIn(kMetricsRows),
                         [](const auto& info) { return "row" + std::to_string(info.param.row); });

}  // namespace
}  // namespace merrowin::e2e
