// The picture on the clipboard and in the file: which outputs a run makes,
// and the size of the copy at each copy rate.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "tests/e2e/e2e_test.h"

namespace merrowin::e2e {
namespace {

constexpr wchar_t kMarker[] = L"text the run must not touch";

using ClipboardTest = E2eTest;

TEST_F(ClipboardTest, PlainRunPutsTheFullSizePictureOnTheClipboard) {
    ASSERT_TRUE(PutClipboardText(kMarker));
    EXPECT_EQ(Run(std::wstring(L"/j13 ") + kJanData), 0u);

    const auto header = ClipboardEmfHeader();
    ASSERT_TRUE(header.has_value());
    EXPECT_EQ(header->rclBounds.left, 0);
    EXPECT_EQ(header->rclBounds.top, 0);
    EXPECT_EQ(header->rclBounds.right, 225);
    EXPECT_EQ(header->rclBounds.bottom, 153);
    EXPECT_FALSE(ClipboardText().has_value());
    EXPECT_TRUE(FilesIn(Cwd()).empty());
}

// Outputs by "fl" and "nc" and their order.
TEST_F(ClipboardTest, OutputsByOptions) {
    struct Row {
        const char* name;
        const wchar_t* options;
        bool file;
        bool clipboard;
    };
    const Row rows[] = {
        {"1 no fl: clipboard only", L"", false, true},
        {"2 fl: file and clipboard", L"/fl", true, true},
        {"3 fl then nc: file only", L"/fl /nc", true, false},
        {"4 nc then fl: file and clipboard", L"/nc /fl", true, true},
        {"5 nc without fl is ignored", L"/nc", false, true},
        {"6 upper-case NC after fl", L"/fl /NC", true, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(PutClipboardText(kMarker));
        EXPECT_EQ(Run(std::wstring(L"/j13 ") + kJanData + L" " + row.options + L" " +
                      DrOption(out_.Path())),
                  0u);
        EXPECT_EQ(FileExists(out_ / kJanFile), row.file);
        EXPECT_EQ(ClipboardHasEmf(), row.clipboard);
        if (!row.clipboard) {
            EXPECT_EQ(ClipboardText(), std::wstring(kMarker));
        }
        EXPECT_TRUE(FilesIn(Cwd()).empty());
        ::DeleteFileW((out_ / kJanFile).c_str());
    }
}

// The copy is Ws = W * rate / 100 by Hs = H * rate / 100 pixels (truncated):
// its frame states that size in hundredths of a millimetre of the screen,
// and played at that size its white ground covers every pixel.
TEST_F(ClipboardTest, CopyRateScalesFileAndClipboard) {
    struct Row {
        const char* name;
        const wchar_t* option;
        int width;
        int height;
    };
    const Row rows[] = {
        {"1 100 %", L"/cr100", 226, 154},
        {"2 no option: stored default 100 %", L"", 226, 154},
        {"3 50 %", L"/cr50", 113, 77},
        {"4 33 % truncates", L"/cr33", 74, 50},
        {"5 one digit means 10 %", L"/cr0", 22, 15},
        {"6 250 %", L"/cr250", 565, 385},
        {"7 above 500 is 500 %", L"/cr750", 1130, 770},
    };
    constexpr std::uint32_t kGround = 0xFF00FF;  // shows through where nothing is drawn
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Run(std::wstring(L"/j13 ") + kJanData + L" /fl " + row.option + L" " +
                      DrOption(out_.Path())),
                  0u);
        const auto clipboard = ClipboardEmfHeader();
        HENHMETAFILE file = ::GetEnhMetaFileW((out_ / kJanFile).c_str());
        ASSERT_TRUE(clipboard.has_value());
        ASSERT_NE(file, nullptr);
        const ENHMETAHEADER header = *EmfHeader(file);
        for (const ENHMETAHEADER& h : {header, *clipboard}) {
            EXPECT_EQ(h.rclFrame.left, 0);
            EXPECT_EQ(h.rclFrame.top, 0);
            EXPECT_NEAR(h.rclFrame.right, ScreenPixelsToHimetricX(row.width), 1);
            EXPECT_NEAR(h.rclFrame.bottom, ScreenPixelsToHimetricY(row.height), 1);
            EXPECT_EQ(FramePixels(h).cx, row.width);
            EXPECT_EQ(FramePixels(h).cy, row.height);
        }
        const Picture picture = RenderEmf(file, row.width, row.height, kGround);
        ::DeleteEnhMetaFile(file);
        const auto uncovered = std::count(picture.pixels.begin(), picture.pixels.end(), kGround);
        EXPECT_EQ(uncovered, 0);
        ::DeleteFileW((out_ / kJanFile).c_str());
    }
}

}  // namespace
}  // namespace merrowin::e2e
