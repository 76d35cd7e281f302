// The generation run against a fake platform: command lines and stored
// sizes in, the platform's calls in order and the window's state out.
#include "app/run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/batch.h"
#include "common/errors.h"
#include "settings/load_settings.h"

namespace merrowin {
namespace {

// Records what the run asks of the platform, one line per call.
class FakePlatform final : public Platform {
public:
    std::vector<std::int32_t> CharacterAdvances(const FontSpec& font,
                                                std::u16string_view text) override {
        return std::vector<std::int32_t>(text.size(), font.height / 2);
    }
    ScreenFigures Screen() override { return screen; }
    void PutOnClipboard(const std::vector<std::uint8_t>& metafile) override {
        calls.push_back("clipboard");
        if (clipboardBusy) throw MerrowinError(std::string(kClipboardMessage));
        clipboardBytes = metafile;
    }
    void SaveFile(const std::string& path, const std::vector<std::uint8_t>& bytes) override {
        calls.push_back("save " + path);
        if (diskRefuses || path == refusedPath) throw MerrowinError(FileCreateMessage(path));
        fileBytes = bytes;
    }
    bool DirectoryExists(const std::string& folder) override {
        calls.push_back("folder? " + folder);
        return folder == "C:\\Work" || folder == "D:\\Docs" || folder.starts_with("C:\\Deep\\");
    }
    std::string PersonalFolder() override {
        calls.push_back("personal");
        return "D:\\Docs";
    }

    ScreenFigures screen{1280, 1024, 338, 270};
    bool clipboardBusy = false;
    bool diskRefuses = false;
    std::string refusedPath;  // this one file cannot be created
    std::vector<std::string> calls;
    std::vector<std::uint8_t> clipboardBytes;
    std::vector<std::uint8_t> fileBytes;
};

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
    // A bar width reduction of half the module or more is refused before
    // any output: 190 um at 203 dpi are 2 dots of a 3-dot module.
    {28, {"/j13", "/cd490123456789", "/dp203", "/bw190", "/fl"}, nullptr, {}, State::Stopped,
     kFailed, "バー幅の縮小 190 µm がモジュール幅 0.375 mm の半分以上です"},
    {29, {"/j13", "/cd490123456789", "/dp203", "/bw180", "/ol", "/fl", "/nc"}, nullptr,
     {"personal", "folder? D:\\Docs", "save D:\\Docs\\4901234567894.emf"}, State::Produced,
     kMaking, ""},
    // A stored copy rate no printer's dots can hold.
    {30, {"/j13", "/cd490123456789", "/dp600", "/fl"}, StoredHugeRate, {}, State::Stopped, kFailed,
     "図の大きさ 3702784 x 2523136 が大きすぎます"},
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
    const RunOutcome outcome = RunGeneration(row.arguments, load, platform);
    EXPECT_EQ(platform.calls, row.calls);
    EXPECT_EQ(outcome.state, row.state);
    EXPECT_EQ(outcome.status, row.status);
    EXPECT_EQ(outcome.error, row.error);
    EXPECT_EQ(outcome.ExitCode(), row.state == State::Produced ? 0 : 1);
    // A window that stays is never one without a way out.
    if (row.state != State::Produced) {
        EXPECT_TRUE(outcome.ShowsExitButton());
    }
    if (!platform.clipboardBytes.empty() && !platform.fileBytes.empty()) {
        EXPECT_EQ(platform.clipboardBytes, platform.fileBytes);
    }
}

INSTANTIATE_TEST_SUITE_P(, RunTable, ::testing::ValuesIn(kRunRows),
                         [](const auto& info) { return "row" + std::to_string(info.param.row); });

// A busy clipboard means no file either; a refused file leaves the
// clipboard filled.
TEST(RunFaults, ClipboardFirstThenFile) {
    FakePlatform busy;
    busy.clipboardBusy = true;
    RunOutcome outcome =
        RunGeneration({"/j13", "/cd490123456789", "/fl"}, LoadBuiltInDefaults, busy);
    EXPECT_EQ(busy.calls, std::vector<std::string>{"clipboard"});
    EXPECT_EQ(outcome.error, kClipboardMessage);
    EXPECT_EQ(outcome.status, kRunFailedText);

    FakePlatform full;
    full.diskRefuses = true;
    outcome = RunGeneration({"/j13", "/cd490123456789", "/fl"}, LoadBuiltInDefaults, full);
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
        {4, {"/cr150", "/mw"}, 1695, 1155, 64, 44},  // "mw" alone: 0.10 mm; 64.2 and 43.8
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
        ASSERT_EQ(RunGeneration(arguments, LoadBuiltInDefaults, platform).state, State::Produced);
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
            const RunOutcome outcome = RunGeneration(arguments, load, platform);
            EXPECT_EQ(outcome.state, State::Produced);
            EXPECT_EQ(platform.calls.back(), "save " + folder + "\\4901234567894.emf");
        }
    }
}

// --- batch generation (/bt) -------------------------------------------------

// A list file handed out a few bytes at a time, so that lines, characters
// and byte order marks straddle the chunks.
class ChunkSource final : public ByteSource {
public:
    explicit ChunkSource(std::string bytes, std::size_t chunk = 7)
        : bytes_(std::move(bytes)), chunk_(chunk) {}
    std::size_t Read(std::uint8_t* buffer, std::size_t size) override {
        const std::size_t n = std::min({size, chunk_, bytes_.size() - at_});
        std::copy_n(bytes_.data() + at_, n, buffer);
        at_ += n;
        return n;
    }

private:
    std::string bytes_;
    std::size_t chunk_;
    std::size_t at_ = 0;
};

// Shift-JIS as Windows' code page 932 reads it, for the two words the
// rows use; any other byte above 0x7F is not text.
std::optional<std::string> FakeShiftJis(std::string_view bytes) {
    std::string out;
    for (std::size_t i = 0; i < bytes.size();) {
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            out += bytes[i++];
        } else if (bytes.substr(i, 2) == "\x95\x69") {
            out += "品";
            i += 2;
        } else if (bytes.substr(i, 2) == "\x96\xBC") {
            out += "名";
            i += 2;
        } else {
            return std::nullopt;
        }
    }
    return out;
}

std::string Utf16Le(std::u16string_view text) {
    std::string out = "\xFF\xFE";
    for (const char16_t unit : text) {
        out += static_cast<char>(unit & 0xFF);
        out += static_cast<char>(unit >> 8);
    }
    return out;
}

// Every line of a list, one text each: "number kind data|name|error".
std::vector<std::string> ReadList(const std::string& bytes, SymbologyKind kind) {
    ChunkSource survey(bytes);
    const ListSurvey found = SurveyList(survey, FakeShiftJis);
    if (found.encoding == ListEncoding::NotText) return {"not text"};
    ChunkSource source(bytes);
    ListReader reader(source, found.encoding, FakeShiftJis, kind);
    std::vector<std::string> lines;
    constexpr const char* kKinds[] = {"blank", "header", "good", "error"};
    for (ListLine line; reader.Next(line);)
        lines.push_back(std::to_string(line.number) + " " + kKinds[static_cast<int>(line.kind)] +
                        " " + line.data + "|" + line.name + "|" + line.error);
    if (lines.size() != found.lines)
        lines.push_back("survey counted " + std::to_string(found.lines));
    return lines;
}

struct ListRow {
    int row;
    std::string bytes;
    SymbologyKind kind;
    std::vector<std::string> lines;
};

void PrintTo(const ListRow& row, std::ostream* out) {
    *out << "row " << row.row;
}

constexpr auto kJ13 = SymbologyKind::Jan13;
const std::string kLongName(252, 'n');  // 252 + ".emf" is 256 characters

// clang-format off
const ListRow kListRows[] = {
    // The data alone, with or without its check digit; CRLF or LF.
    {0, "4901234567894\n", kJ13, {"1 good 4901234567894|4901234567894|"}},
    {1, "490123456789\r\n490123456789", kJ13,
     {"1 good 4901234567894|4901234567894|", "2 good 4901234567894|4901234567894|"}},
    // Fields: comma, tab, semicolon; quotes, blanks around, more fields.
    {2, "490123456789,label,more,fields\r\n", kJ13, {"1 good 4901234567894|label|"}},
    {3, "\"4901234567894\",\"品名 A\"\r\n", kJ13, {"1 good 4901234567894|品名 A|"}},
    {4, "  490123456789 ;  x y  \n490123456789\tz\n", kJ13,
     {"1 good 4901234567894|x y|", "2 good 4901234567894|z|"}},
    {5, "490123456789,\"a,\"\"b\"\"\"\n", kJ13,
     {"1 error 4901234567894||ファイル名に使えない文字「\"」があります"}},
    // A first line without digits is a header; blank lines are skipped.
    {6, "JAN,品名\r\n\r\n  \r\n,,\r\n490123456789\r\n", kJ13,
     {"1 header JAN||", "2 blank ||", "3 blank ||", "4 blank ||", "5 good 4901234567894|4901234567894|"}},
    {7, "49012345678x\nJAN\n,label\n", kJ13,
     {"1 error 49012345678x||データに数字でない文字「x」があります",
      "2 error JAN||データに数字でない文字「J」があります", "3 error ||データがありません"}},
    // The check digit is verified, never replaced.
    {8, "4901234567890\n", kJ13, {"1 error 4901234567890||チェックデジットが違います (正しくは 4)"}},
    {9, "４９０１２３４５６７８９４\n４９０１２３４５６７８９\n", kJ13,
     {"1 good 4901234567894|4901234567894|", "2 good 4901234567894|4901234567894|"}},
    {10, "4901-234567894\n49012345678\n49012345678940\n", kJ13,
     {"1 error 4901-234567894||データに数字でない文字「-」があります",
      "2 error 49012345678||データが 11 桁です (12 桁、またはチェックデジット付きの 13 桁)",
      "3 error 49012345678940||データが 14 桁です (12 桁、またはチェックデジット付きの 13 桁)"}},
    {11, "4901234\n49012340\n", SymbologyKind::Jan8,
     {"1 good 49012347|49012347|", "2 error 49012340||チェックデジットが違います (正しくは 7)"}},
    {12, "1490123456789\n14901234567891\n", SymbologyKind::Itf14,
     {"1 good 14901234567891|14901234567891|", "2 good 14901234567891|14901234567891|"}},
    {13, "123456789012345,x\n", SymbologyKind::Itf16, {"1 good 1234567890123452|x|"}},
    // Encodings: UTF-8 with a BOM, UTF-16LE with a BOM, Shift-JIS.
    {14, "\xEF\xBB\xBF商品,名\r\n490123456789,品名\r\n", kJ13,
     {"1 header 商品||", "2 good 4901234567894|品名|"}},
    {15, Utf16Le(u"490123456789\t品名\r\n4901234567894\r\n"), kJ13,
     {"1 good 4901234567894|品名|", "2 good 4901234567894|4901234567894|"}},
    {16, "490123456789,\x95\x69\x96\xBC\r\n", kJ13, {"1 good 4901234567894|品名|"}},
    // Not text: NUL bytes, bytes valid in no encoding, a broken UTF-16.
    {17, std::string("4901234567894\n\0\n", 16), kJ13, {"not text"}},
    {18, "490123456789,\xFF\xFF\n", kJ13, {"not text"}},
    {19, "\xFF\xFE\x34\x00\x00\xD8", kJ13, {"not text"}},
    // Names Windows cannot take.
    {20, "490123456789,CON\n490123456789,lpt1.txt\n490123456789,a?b\n490123456789,tab.\n"
         "490123456789,label.EMF\n490123456789," + kLongName + "\n490123456789," +
         kLongName.substr(1) + "\n", kJ13,
     {"1 error 4901234567894||ファイル名「CON」は Windows の装置名なので使えません",
      "2 error 4901234567894||ファイル名「lpt1」は Windows の装置名なので使えません",
      "3 error 4901234567894||ファイル名に使えない文字「?」があります",
      "4 error 4901234567894||ファイル名の終わりにピリオドや空白は使えません",
      "5 error 4901234567894||ファイル名に .emf は付けないでください (自動で付きます)",
      "6 error 4901234567894||ファイル名が長すぎます (.emf を含めて 255 文字まで)",
      "7 good 4901234567894|" + kLongName.substr(1) + "|"}},
    // Lines over 4,096 characters; the next line is read as usual. The
    // first, of exactly 4,096, is read and judged by its name.
    {21, "490123456789," + std::string(4083, 'a') + "\n490123456789," + std::string(4084, 'a') +
         "\n490123456789," + std::string(20000, 'a') + "\n490123456789\n", kJ13,
     {"1 error 4901234567894||ファイル名が長すぎます (.emf を含めて 255 文字まで)",
      "2 error ||行が長すぎます (4096 文字まで)", "3 error ||行が長すぎます (4096 文字まで)",
      "4 good 4901234567894|4901234567894|"}},
};
// clang-format on

class ListTable : public ::testing::TestWithParam<ListRow> {};

TEST_P(ListTable, ReadsEveryLine) {
    EXPECT_EQ(ReadList(GetParam().bytes, GetParam().kind), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(, ListTable, ::testing::ValuesIn(kListRows),
                         [](const auto& info) { return "row" + std::to_string(info.param.row); });

TEST(BatchReport, NamedAfterTheList) {
    EXPECT_EQ(ReportPath("codes.csv"), "codes.report.tsv");
    EXPECT_EQ(ReportPath("C:\\list.d\\codes"), "C:\\list.d\\codes.report.tsv");
    EXPECT_EQ(ReportPath("C:\\list\\a.b.txt"), "C:\\list\\a.b.report.tsv");
}

// The port of a batch: lists in memory, the report kept when committed, a
// stop asked for after a given line.
class FakeBatchPort final : public BatchPort {
public:
    std::unique_ptr<ByteSource> OpenList(const std::string& path) override {
        if (path != "C:\\Lists\\codes.csv") return nullptr;
        return std::make_unique<ChunkSource>(list, 4096);
    }
    std::optional<std::string> DecodeAnsi(std::string_view bytes) override {
        return FakeShiftJis(bytes);
    }
    std::string AbsolutePath(const std::string& path) override {
        return path.size() > 1 && path[1] == ':' ? path : "C:\\Cwd\\" + path;
    }
    std::unique_ptr<ReplacingFile> CreateReplacing(const std::string& path) override {
        struct File final : ReplacingFile {
            explicit File(FakeBatchPort& port) : port(port) {}
            void Write(std::string_view bytes) override { text += bytes; }
            void Commit() override { port.report = text; }
            FakeBatchPort& port;
            std::string text;
        };
        if (reportRefused) throw MerrowinError(FileCreateMessage(path));
        reportPath = path;
        return std::make_unique<File>(*this);
    }
    bool Progress(std::size_t done, std::size_t total) override {
        progress = std::to_string(done) + " / " + std::to_string(total);
        if (total == 0) return !stopWhileReading;  // the list read through
        return stopAfter == 0 || done < stopAfter;
    }

    std::string list;
    std::size_t stopAfter = 0;      // 中止 at this line
    bool stopWhileReading = false;  // 中止 before the first line
    bool reportRefused = false;
    std::string progress;
    std::string reportPath;
    std::string report;
};

constexpr char kReportHead[] = "\xEF\xBB\xBF行\t状態\tデータ\tファイルまたはエラー\r\n";
const std::string kListArgument = "/btC:\\Lists\\codes.csv";

// Every kind of line, the files saved in order and the report row by row.
TEST(BatchRun, FilesAndReport) {
    FakePlatform platform;
    platform.refusedPath = "C:\\Work\\locked.emf";
    FakeBatchPort port;
    port.list =
        "JAN,品名\r\n490123456789,first\r\n\r\n4901234567890,typo\r\n4901234567894,FIRST\r\n"
        "4901234,short\r\n490123456789,locked\r\n4901234567894\r\n";
    const BatchOutcome outcome =
        RunBatch({"/j13", kListArgument, "/drC:\\Work", "/flignored", "/cd111111111111"},
                 LoadBuiltInDefaults, platform, port);
    EXPECT_EQ(platform.calls,
              (std::vector<std::string>{"folder? C:\\Work", "save C:\\Work\\first.emf",
                                        "save C:\\Work\\locked.emf",
                                        "save C:\\Work\\4901234567894.emf"}));
    EXPECT_EQ(port.reportPath, "C:\\Lists\\codes.report.tsv");
    EXPECT_EQ(
        port.report,
        std::string(kReportHead) +
            "1\theader\tJAN\t\r\n"
            "2\tok\t4901234567894\tC:\\Work\\first.emf\r\n"
            "4\terror\t4901234567890\tチェックデジットが違います (正しくは 4)\r\n"
            "5\terror\t4901234567894\tファイル名「FIRST」は 2 行目と同じです\r\n"
            "6\terror\t4901234\tデータが 7 桁です (12 桁、またはチェックデジット付きの 13 桁)\r\n"
            "7\terror\t4901234567894\tファイル C:\\Work\\locked.emf を作成できません\r\n"
            "8\tok\t4901234567894\tC:\\Work\\4901234567894.emf\r\n");
    EXPECT_EQ(port.progress, "8 / 8");
    EXPECT_EQ(outcome.state, BatchOutcome::State::Finished);
    EXPECT_EQ(outcome.status, "6 件中 2 件を作成しました。エラー 4 件");
    EXPECT_EQ(outcome.reportPath, "C:\\Lists\\codes.report.tsv");
    EXPECT_EQ(outcome.ExitCode(), 1);
}

// Each file holds what a single run with the same options saves; all good
// lines end the process with 0, the report written all the same.
TEST(BatchRun, SameBytesAsASingleRun) {
    FakePlatform single;
    RunGeneration({"/i14f", "/cd1490123456789", "/fl", "/nc", "/cr80", "/bh40"},
                  LoadBuiltInDefaults, single);
    FakePlatform platform;
    FakeBatchPort port;
    port.list = "14901234567891\n";
    const BatchOutcome outcome =
        RunBatch({"/i14f", kListArgument, "/cr80", "/bh40"}, LoadBuiltInDefaults, platform, port);
    EXPECT_EQ(platform.calls.back(), "save D:\\Docs\\14901234567891.emf");
    EXPECT_FALSE(platform.fileBytes.empty());
    EXPECT_EQ(platform.fileBytes, single.fileBytes);
    EXPECT_EQ(outcome.state, BatchOutcome::State::AllMade);
    EXPECT_EQ(outcome.ExitCode(), 0);
    EXPECT_EQ(port.report,
              std::string(kReportHead) + "1\tok\t14901234567891\tD:\\Docs\\14901234567891.emf\r\n");
}

// 中止 pressed: the lines not reached are marked cancelled, the files made
// before it stay, and the exit status is 1.
struct StopRow {
    int row;
    std::size_t stopAfter;  // 中止 at this line
    bool whileReading;      // 中止 while the list is read through
    int saved;
    const char* reportRows;
    const char* status;
};

// clang-format off
const StopRow kStopRows[] = {
    // After the second line; line 3 is blank and has no row.
    /* 0*/ {0, 2, false, 2,
            "1\tok\t4901234567894\tD:\\Docs\\a.emf\r\n"
            "2\tok\t4901234567894\tD:\\Docs\\b.emf\r\n"
            "4\tcancelled\t4901234567894\t\r\n"
            "5\tcancelled\tbad\t\r\n",
            "4 件中 2 件を作成しました。エラー 0 件  中止しました。"},
    // Before the first line: nothing is made.
    /* 1*/ {1, 0, true, 0,
            "1\tcancelled\t4901234567894\t\r\n"
            "2\tcancelled\t4901234567894\t\r\n"
            "4\tcancelled\t4901234567894\t\r\n"
            "5\tcancelled\tbad\t\r\n",
            "4 件中 0 件を作成しました。エラー 0 件  中止しました。"},
};
// clang-format on

class BatchStop : public testing::TestWithParam<StopRow> {};

TEST_P(BatchStop, LinesNotReachedAreCancelled) {
    const StopRow& row = GetParam();
    FakePlatform platform;
    FakeBatchPort port;
    port.stopAfter = row.stopAfter;
    port.stopWhileReading = row.whileReading;
    port.list = "490123456789,a\n490123456789,b\n\n490123456789,c\nbad,d\n";
    const BatchOutcome outcome =
        RunBatch({"/j13", kListArgument, "/dr"}, LoadBuiltInDefaults, platform, port);
    EXPECT_EQ(std::count_if(platform.calls.begin(), platform.calls.end(),
                            [](const std::string& call) { return call.starts_with("save"); }),
              row.saved);
    EXPECT_EQ(port.report, std::string(kReportHead) + row.reportRows);
    EXPECT_TRUE(outcome.cancelled);
    EXPECT_EQ(outcome.status, row.status);
    EXPECT_EQ(outcome.ExitCode(), 1);
}

INSTANTIATE_TEST_SUITE_P(, BatchStop, testing::ValuesIn(kStopRows),
                         [](const auto& info) { return "row" + std::to_string(info.param.row); });

// A report that cannot be written: the files stay, the error box says so
// and the exit status is 1.
TEST(BatchRun, ReportRefused) {
    FakePlatform platform;
    FakeBatchPort port;
    port.reportRefused = true;
    port.list = "490123456789\n";
    const BatchOutcome outcome =
        RunBatch({"/j13", kListArgument, "/dr"}, LoadBuiltInDefaults, platform, port);
    EXPECT_EQ(platform.calls.back(), "save D:\\Docs\\4901234567894.emf");
    EXPECT_EQ(outcome.state, BatchOutcome::State::Finished);
    EXPECT_EQ(outcome.error, "ファイル C:\\Lists\\codes.report.tsv を作成できません");
    EXPECT_EQ(outcome.status, "1 件中 1 件を作成しました。エラー 0 件");
    EXPECT_EQ(outcome.ExitCode(), 1);
}

// A list that is missing or not text, or a batch without a list: nothing
// is written, not even the report.
TEST(BatchRun, BadListWritesNothing) {
    struct Row {
        int row;
        std::string listArgument;
        std::string list;
        BatchOutcome::State state;
        std::string message;
    };
    const Row rows[] = {
        {0, "/btC:\\Lists\\gone.csv", "", BatchOutcome::State::Stopped,
         "リスト C:\\Lists\\gone.csv を読み込めません"},
        {1, kListArgument, std::string("49012\0", 6), BatchOutcome::State::Stopped,
         "リスト C:\\Lists\\codes.csv はテキストファイルではありません"},
        {2, "/bt", "490123456789\n", BatchOutcome::State::CommandError,
         "コマンドが正しくありません。"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE("row " + std::to_string(row.row));
        FakePlatform platform;
        FakeBatchPort port;
        port.list = row.list;
        const BatchOutcome outcome =
            RunBatch({"/j13", row.listArgument}, LoadBuiltInDefaults, platform, port);
        EXPECT_EQ(outcome.state, row.state);
        EXPECT_EQ(row.state == BatchOutcome::State::Stopped ? outcome.error : outcome.status,
                  row.message);
        EXPECT_TRUE(platform.calls.empty());
        EXPECT_TRUE(port.reportPath.empty());
    }
    EXPECT_TRUE(IsBatchRequest({"/j13", "/BTcodes.csv"}));
    EXPECT_FALSE(IsBatchRequest({"/bt", "/cd490123456789"}));
}

}  // namespace
}  // namespace merrowin
