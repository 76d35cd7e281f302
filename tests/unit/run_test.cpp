// The generation run against a fake platform: command lines and stored
// sizes in, the platform's calls in order and the window's state out.
#include "app/run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/errors.h"
#include "common/text.h"
#include "settings/load_settings.h"
#include "tests/unit/fake_platform.h"

namespace merrowin {
namespace {

using State = RunOutcome::State;
using Stored = void (*)(BarcodeJob&);

void StoredFolder(BarcodeJob& job) {
    job.SaveDr = "C:\\Work";
}
void StoredGoneFolder(BarcodeJob& job) {
    job.SaveDr = "C:\\Gone";
}
void StoredRateZero(BarcodeJob& job) {
    job.CopyRate = 0;
}
void StoredHugeBars(BarcodeJob& job) {
    job.BarHeight = 2147483647;
}
void StoredHugeRate(BarcodeJob& job) {
    job.CopyRate = 2147483647;
}
void StoredNegativeBars(BarcodeJob& job) {
    job.BarHeight = -200;
}
void StoredNoBars(BarcodeJob& job) {
    job.BarHeight = 0;
}
void StoredFont40(BarcodeJob& job) {
    job.FontSize = 40;
}
void StoredFont255(BarcodeJob& job) {
    job.FontSize = 255;
}
// The largest font and the narrowest ITF picture the settings window allows.
void StoredWindowExtremes(BarcodeJob& job) {
    job.FontSize = 28;
    job.LeftMargin = IsJan(job.Kind) ? 11 : 0;
    job.RightMargin = IsJan(job.Kind) ? 7 : 0;
    job.InnerMargin = 10;
}

struct RunRow {
    int row;
    std::vector<std::string> arguments;
    Stored stored;  // on top of the built-in sizes; nullptr: none
    std::vector<std::string> calls;
    State state;
    std::string status;
    std::string error;
};

void PrintTo(const RunRow& row, std::ostream* out) {
    *out << "row " << row.row;
}

const std::string kMaking(kMakingText);
const std::string kCommandError(kCommandErrorText);
const std::string kStoredError(kStoredSizeErrorText);
const std::string kFailed(kRunFailedText);

// clang-format off
const RunRow kRunRows[] = {
    // Outputs by options: clipboard only, file and clipboard, file only.
    {0, {"/j13", "/cd490123456789"}, nullptr, {"clipboard"}, State::Produced, kMaking, ""},
    {1, {"/j13", "/cd490123456789", "/fl"}, nullptr,
     {"clipboard", "personal", "folder? D:\\Docs", "save D:\\Docs\\4901234567894.emf"},
     State::Produced, kMaking, ""},
    {2, {"/j8", "/cd4901234", "/fllabel", "/nc"}, nullptr,
     {"personal", "folder? D:\\Docs", "save D:\\Docs\\label.emf"}, State::Produced, kMaking, ""},
    {3, {"/i14", "/nc", "/fl", "/cd1490123456789"}, nullptr,
     {"clipboard", "personal", "folder? D:\\Docs", "save D:\\Docs\\14901234567891.emf"},
     State::Produced, kMaking, ""},
    // Folder precedence: "dr", the stored folder, a folder that has gone.
    {4, {"/j13", "/cd490123456789", "/fllabel", "/drC:\\Work"}, nullptr,
     {"clipboard", "folder? C:\\Work", "save C:\\Work\\label.emf"}, State::Produced, kMaking, ""},
    {5, {"/j13", "/cd490123456789", "/fllabel"}, StoredFolder,
     {"clipboard", "folder? C:\\Work", "save C:\\Work\\label.emf"}, State::Produced, kMaking, ""},
    {6, {"/j13", "/cd490123456789", "/fllabel"}, StoredGoneFolder,
     {"clipboard", "folder? C:\\Gone", "save label.emf"}, State::Produced, kMaking, ""},
    {7, {"/j13", "/cd490123456789", "/fllabel", "/dr"}, StoredFolder,
     {"clipboard", "personal", "folder? D:\\Docs", "save D:\\Docs\\label.emf"},
     State::Produced, kMaking, ""},
    // No data, an unknown switch: the error state, nothing touched.
    {8, {"/j13"}, nullptr, {}, State::CommandError, kCommandError, ""},
    {9, {"/j13", "/cd4901"}, nullptr, {}, State::CommandError, kCommandError, ""},
    {10, {"/x13", "/cd490123456789"}, nullptr, {}, State::CommandError, kCommandError, ""},
    {11, {"/x13", "/tmab"}, nullptr, {}, State::Stopped, kFailed, "'ab' は整数ではありません"},
    // A value that is no number stops the run where it stands, and the
    // window then says that it failed.
    {12, {"/j13", "/tmab", "/cd490123456789"}, nullptr, {}, State::Stopped, kFailed,
     "'ab' は整数ではありません"},
    {13, {"/j13", "/fllabel", "/cd49012345678x"}, nullptr, {}, State::Stopped, kFailed,
     "'x' は整数ではありません"},
    // A copy without area: the command's own rate, or the stored one.
    {14, {"/j13", "/cd490123456789", "/cr00"}, nullptr, {}, State::CommandError, kCommandError,
     ""},
    {15, {"/j13", "/cd490123456789"}, StoredRateZero, {}, State::CommandError, kStoredError, ""},
    {16, {"/j13b", "/cd490123456789", "/no", "/tm0", "/bm0"}, StoredNegativeBars, {},
     State::CommandError, kStoredError, ""},
    {17, {"/j13", "/cd490123456789", "/cr50"}, StoredRateZero, {"clipboard"}, State::Produced,
     kMaking, ""},
    // Stored sizes the metafile cannot hold are refused before any output.
    {18, {"/j13", "/cd490123456789", "/fl"}, StoredHugeBars, {}, State::Stopped, kFailed,
     "図の大きさ 226 x 2147483647 が大きすぎます"},
    {19, {"/j13", "/cd490123456789", "/fl"}, StoredHugeRate, {}, State::Stopped, kFailed,
     "図の大きさ 2147483647 x 2147483647 が大きすぎます"},
    // A name that ends in ".emf" already gets no second one.
    {20, {"/j8", "/cd4901234", "/fllabel.EMF", "/nc"}, nullptr,
     {"personal", "folder? D:\\Docs", "save D:\\Docs\\label.EMF"}, State::Produced, kMaking, ""},
    // Stored sizes that give no barcode: digits outside the picture (nine
    // characters of 20 units in a picture 170 wide), no bars; nothing goes out.
    {21, {"/j8f", "/cd4901234", "/fl"}, StoredFont40, {}, State::CommandError, kStoredError, ""},
    {22, {"/i16", "/cd123456789012345", "/fl"}, StoredFont255, {}, State::CommandError,
     kStoredError, ""},
    {23, {"/j13", "/cd490123456789", "/fl"}, StoredNoBars, {}, State::CommandError, kStoredError,
     ""},
    // The command's own bar height of 0 is the command's error.
    {24, {"/j13", "/cd490123456789", "/bh00", "/fl"}, nullptr, {}, State::CommandError,
     kCommandError, ""},
    {25, {"/j13", "/cd490123456789", "/bh01"}, StoredNoBars, {"clipboard"}, State::Produced,
     kMaking, ""},
    // What the settings window can store is a barcode.
    {26, {"/j13t", "/cd490123456789"}, StoredWindowExtremes, {"clipboard"}, State::Produced,
     kMaking, ""},
    {27, {"/i16", "/cd123456789012345"}, StoredWindowExtremes, {"clipboard"}, State::Produced,
     kMaking, ""},
    // A carton code made from a JAN, named by its 14 digits; a magazine code.
    {28, {"/i14h", "/id1", "/cd4901234567894", "/fl"}, nullptr,
     {"clipboard", "personal", "folder? D:\\Docs", "save D:\\Docs\\14901234567891.emf"},
     State::Produced, kMaking, ""},
    {29, {"/j13", "/cd491012345014", "/ad00980", "/fl"}, nullptr,
     {"clipboard", "personal", "folder? D:\\Docs", "save D:\\Docs\\4910123450148.emf"},
     State::Produced, kMaking, ""},
    // Refused: the error box, nothing written or copied.
    {30, {"/i14", "/id1", "/cd4901234567890", "/fl"}, nullptr, {}, State::Stopped, kFailed,
     "チェックデジットが違います (正しくは 4)"},
    // An add-on whose bars the command's bar height leaves no room for.
    {31, {"/j13b", "/cd490123456789", "/ad12", "/bh05"}, nullptr, {}, State::CommandError,
     kCommandError, ""},
    // A bar width reduction of half the module or more is refused before
    // any output: 190 um at 203 dpi are 2 dots of a 3-dot module.
    {32, {"/j13", "/cd490123456789", "/dp203", "/bw190", "/fl"}, nullptr, {}, State::Stopped,
     kFailed, "バー幅の縮小 190 µm がモジュール幅 0.375 mm の半分以上です"},
    {33, {"/j13", "/cd490123456789", "/dp203", "/bw180", "/ol", "/fl", "/nc"}, nullptr,
     {"personal", "folder? D:\\Docs", "save D:\\Docs\\4901234567894.emf"}, State::Produced,
     kMaking, ""},
    // A stored copy rate no printer's dots can hold.
    {34, {"/j13", "/cd490123456789", "/dp600", "/fl"}, StoredHugeRate, {}, State::Stopped, kFailed,
     "図の大きさ 3702784 x 2523136 が大きすぎます"},
    // The file's format (/fm): saved as /fl saves, the clipboard keeps the
    // metafile; a name that ends in the extension gets no second one.
    {35, {"/j13", "/cd490123456789", "/fmEPS"}, nullptr,
     {"clipboard", "personal", "folder? D:\\Docs", "save D:\\Docs\\4901234567894.eps"},
     State::Produced, kMaking, ""},
    {36, {"/j13", "/fllabel.Pdf", "/cd490123456789", "/fmpdf", "/nc"}, nullptr,
     {"personal", "folder? D:\\Docs", "save D:\\Docs\\label.Pdf"}, State::Produced, kMaking, ""},
    {37, {"/j8", "/cd4901234", "/fmsvg", "/nc", "/fllabel"}, nullptr,
     {"personal", "folder? D:\\Docs", "save D:\\Docs\\label.svg"}, State::Produced, kMaking, ""},
    {38, {"/i14f", "/cd1490123456789", "/fmPng", "/dp300", "/drC:\\Work", "/nc"}, nullptr,
     {"folder? C:\\Work", "save C:\\Work\\14901234567891.png"}, State::Produced, kMaking, ""},
    {39, {"/j13", "/cd490123456789", "/fmemf", "/nc"}, nullptr,
     {"personal", "folder? D:\\Docs", "save D:\\Docs\\4901234567894.emf"}, State::Produced,
     kMaking, ""},
    // "nc" before "fl" or "fm" leaves the clipboard to the run.
    {40, {"/j13", "/nc", "/cd490123456789", "/fmpng"}, nullptr,
     {"clipboard", "personal", "folder? D:\\Docs", "save D:\\Docs\\4901234567894.png"},
     State::Produced, kMaking, ""},
    // An unknown or empty format: the error box, nothing written or copied.
    {41, {"/j13", "/cd490123456789", "/fmtif", "/fl"}, nullptr, {}, State::Stopped, kFailed,
     "ファイル形式「tif」は使えません。/fm の値は emf、eps、pdf、svg、png のどれかです"},
    {42, {"/j13", "/fm", "/cd490123456789"}, nullptr, {}, State::Stopped, kFailed,
     "/fm にファイル形式がありません。/fm の値は emf、eps、pdf、svg、png のどれかです"},
};
// clang-format on

class RunTable : public ::testing::TestWithParam<RunRow> {};

TEST_P(RunTable, CallsThePlatformInOrder) {
    const RunRow& row = GetParam();
    FakePlatform platform;
    const auto load = [&row](BarcodeJob& job) {
        LoadBuiltInDefaults(job);
        if (row.stored) row.stored(job);
    };
    const RunOutcome outcome = RunGeneration(ParseCommandLine(row.arguments), load, platform);
    EXPECT_EQ(platform.calls, row.calls);
    EXPECT_EQ(outcome.state, row.state);
    EXPECT_EQ(outcome.status, row.status);
    EXPECT_EQ(outcome.error, row.error);
    EXPECT_EQ(outcome.ExitCode(), row.state == State::Produced ? 0 : 1);
    // A window that stays is never one without a way out.
    if (row.state != State::Produced) {
        EXPECT_TRUE(outcome.ShowsExitButton());
    }
    // The clipboard always gets the metafile; the file is in the format its
    // extension names.
    if (!platform.fileBytes.empty()) {
        const std::string& save = row.calls.back();
        const std::string extension = AsciiLower(save.substr(save.rfind('.')));
        const std::string head(
            platform.fileBytes.begin(),
            platform.fileBytes.begin() + std::min<std::size_t>(platform.fileBytes.size(), 23));
        if (extension == ".emf") {
            if (!platform.clipboardBytes.empty()) {
                EXPECT_EQ(platform.clipboardBytes, platform.fileBytes);
            }
        } else {
            const std::string magic = extension == ".eps"   ? "%!PS-Adobe-3.0 EPSF-3.0"
                                      : extension == ".pdf" ? "%PDF-1.3"
                                      : extension == ".svg" ? "<?xml"
                                                            : "\x89PNG\r\n\x1A\n";
            EXPECT_EQ(head.substr(0, magic.size()), magic);
        }
    }
    if (!platform.clipboardBytes.empty()) {
        EXPECT_EQ(platform.clipboardBytes[0], 1) << "EMR_HEADER";
    }
}

INSTANTIATE_TEST_SUITE_P(, RunTable, ::testing::ValuesIn(kRunRows),
                         [](const auto& info) { return "row" + std::to_string(info.param.row); });

// The file's made-at time: SOURCE_DATE_EPOCH when it is a whole number of
// seconds, else the clock (1796716800); a PDF of the run carries it as its
// dates.
TEST(RunFileTime, SourceDateEpochOrTheClock) {
    struct Row {
        std::optional<std::string> sourceDateEpoch;
        std::int64_t want;
    };
    const Row rows[] = {
        {std::nullopt, 1796716800},
        {"0", 0},
        {"1700000000", 1700000000},
        {"", 1796716800},
        {"17e8", 1796716800},
        {"-1", 1796716800},
        {" 1700000000", 1796716800},
        {"253402300799", 253402300799},  // 9999-12-31 23:59:59, the last date a PDF can state
        {"253402300800", 1796716800},    // the year 10000: the clock
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.sourceDateEpoch.value_or("(unset)"));
        FakePlatform platform;
        platform.sourceDateEpoch = row.sourceDateEpoch;
        EXPECT_EQ(FileTimeOf(platform), row.want);
    }
    FakePlatform platform;
    platform.sourceDateEpoch = "1700000000";
    const RunOutcome outcome =
        RunGeneration(ParseCommandLine({"/j13", "/cd490123456789", "/fmpdf", "/drC:\\Work"}),
                      LoadBuiltInDefaults, platform);
    ASSERT_EQ(outcome.state, RunOutcome::State::Produced);
    const std::string pdf(platform.fileBytes.begin(), platform.fileBytes.end());
    EXPECT_NE(pdf.find("/CreationDate(D:20231114221320"), std::string::npos);
}

// A busy clipboard means no file either; a refused file leaves the
// clipboard filled.
TEST(RunFaults, ClipboardFirstThenFile) {
    FakePlatform busy;
    busy.clipboardBusy = true;
    RunOutcome outcome = RunGeneration(ParseCommandLine({"/j13", "/cd490123456789", "/fl"}),
                                       LoadBuiltInDefaults, busy);
    EXPECT_EQ(busy.calls, std::vector<std::string>{"clipboard"});
    EXPECT_EQ(outcome.error, kClipboardMessage);
    EXPECT_EQ(outcome.status, kRunFailedText);

    FakePlatform full;
    full.diskRefuses = true;
    outcome = RunGeneration(ParseCommandLine({"/j13", "/cd490123456789", "/fl"}),
                            LoadBuiltInDefaults, full);
    EXPECT_EQ(full.calls.front(), "clipboard");
    EXPECT_FALSE(full.clipboardBytes.empty());
    EXPECT_EQ(outcome.error, "ファイル D:\\Docs\\4901234567894.emf を作成できません");
    EXPECT_EQ(outcome.ExitCode(), 1);
}

// The frame (.01 mm) states the size on this screen, or with "mw" the
// printed size of that module width times the copy rate: one module is two
// drawing units, the default JAN-13 picture 226 x 154 units. The copy
// (rclBounds) covers the frame's pixels on the screen: with "mw" frame x
// pixels / (mm x 100), rounded.
TEST(RunFrame, ScreenOrModuleWidth) {
    struct Row {
        int row;
        std::vector<std::string> options;
        std::int32_t width, height;
        std::int32_t copyWidth, copyHeight;
        ScreenFigures screen = {1280, 1024, 338, 270};
    };
    const Row rows[] = {
        {0, {}, 5968, 4061, 226, 154},        // 226 x 338 mm / 1280 px, 154 x 270 / 1024
        {1, {"/cr50"}, 2984, 2030, 113, 77},  // the copy, 113 x 77 pixels
        // 113 x 0.33 mm, 77 x 0.33 mm; 3729 x 1280 / 33800 = 141.2, 2541 x 1024 / 27000 = 96.4
        {2, {"/mw33"}, 3729, 2541, 141, 96},
        // 211.8 and 144.6
        {3, {"/mw33", "/cr150"}, 5594, 3812, 212, 145},
        {4, {"/cr150", "/mw10"}, 1695, 1155, 64, 44},  // 0.10 mm; 64.2 and 43.8
        // 2 mm modules at 500 %: 1130 x 770 mm, 4279.3 x 2920.4 pixels.
        {5, {"/mw200", "/cr500"}, 113000, 77000, 4279, 2920},
        // A screen that reports no size counts as 96 pixels per inch.
        {6, {}, 5985, 4076, 226, 154, {1280, 1024, 0, 0}},
        {7, {}, 5981, 4071, 226, 154, {0, 0, 0, 0}},
        // 1024 px of 271 mm: 3729 x 1024 / 27100 = 140.9.
        {8, {"/mw33"}, 3729, 2541, 141, 96, {0, 0, 0, 0}},
        // On 203 dpi dots: 339 x 231 dots of 0.1251 mm; 4241.7 and 2890.4,
        // which convert back to exactly 339 and 231 dots; 160.6 and 109.6 pixels.
        {9, {"/dp203"}, 4242, 2890, 161, 110},
        // At 150 %: 0.495 mm is 3.96 dots: 4; 452 x 308 dots, 5655.6 and 3853.8.
        {10, {"/dp203", "/cr150"}, 5656, 3854, 214, 146},
        // A reduction or outlines alone keep the picture's frame and copy.
        {11, {"/mw33", "/bw25", "/ol"}, 3729, 2541, 141, 96},
    };
    const auto number = [](const std::vector<std::uint8_t>& bytes, std::size_t at) {
        return static_cast<std::int32_t>(bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
                                         std::uint32_t{bytes[at + 3]} << 24);
    };
    for (const Row& row : rows) {
        SCOPED_TRACE("row " + std::to_string(row.row));
        FakePlatform platform;
        platform.screen = row.screen;
        std::vector<std::string> arguments{"/j13", "/cd490123456789"};
        arguments.insert(arguments.end(), row.options.begin(), row.options.end());
        ASSERT_EQ(RunGeneration(ParseCommandLine(arguments), LoadBuiltInDefaults, platform).state,
                  State::Produced);
        ASSERT_GE(platform.clipboardBytes.size(), 108u);
        // rclBounds' and rclFrame's right and bottom edges in the header.
        EXPECT_EQ(number(platform.clipboardBytes, 16), row.copyWidth - 1);
        EXPECT_EQ(number(platform.clipboardBytes, 20), row.copyHeight - 1);
        EXPECT_EQ(number(platform.clipboardBytes, 32), row.width);
        EXPECT_EQ(number(platform.clipboardBytes, 36), row.height);
    }
}

// Save folders around and far beyond MAX_PATH, from "dr" and from the
// stored folder: the path is formed whole, whatever its length.
TEST(RunLongFolders, PathIsFormedWhole) {
    for (const std::size_t length : {259u, 260u, 261u, 264u, 276u, 277u, 278u, 280u, 300u, 1000u}) {
        const std::string folder = "C:\\Deep\\" + std::string(length - 8, 'x');
        for (const bool stored : {false, true}) {
            SCOPED_TRACE(std::to_string(length) + (stored ? " stored" : " dr"));
            FakePlatform platform;
            std::vector<std::string> arguments{"/j13", "/cd490123456789", "/fl", "/nc"};
            if (!stored) arguments.push_back("/dr" + folder);
            const auto load = [&](BarcodeJob& job) {
                LoadBuiltInDefaults(job);
                if (stored) job.SaveDr = folder;
            };
            const RunOutcome outcome = RunGeneration(ParseCommandLine(arguments), load, platform);
            EXPECT_EQ(outcome.state, State::Produced);
            EXPECT_EQ(platform.calls.back(), "save " + folder + "\\4901234567894.emf");
        }
    }
}

}  // namespace
}  // namespace merrowin
