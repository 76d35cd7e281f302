// The program's failures: exceptions whose what() is the exact text (UTF-8)
// of the error box, the box's text, and the texts every floor meets. Each
// feature keeps its own texts beside it (app/batch.h, settings/store.h...).
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace merrowin {

class MerrowinError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A text that must be an integer and is not: "'%s' は整数ではありません".
class ConversionError : public MerrowinError {
public:
    explicit ConversionError(std::string_view text);
};

// The most characters of a value a message quotes whole: a Windows path
// of the traditional length fits; a longer value keeps its first and last
// half of that around "…".
inline constexpr std::size_t kQuotedChars = 260;

// A message text with its one %s replaced by `text`.
std::string FillMessage(std::string_view pattern, std::string_view text);

// Texts every floor meets. Each feature keeps its own texts beside it.
std::string FileCreateMessage(std::string_view path);   // ファイル %s を作成できません
std::string PictureSizeMessage(std::string_view size);  // 図の大きさ %s が大きすぎます
// A bar width reduction (/bw) of half the printed module or more:
// "バー幅の縮小 %s µm がモジュール幅 %s mm の半分以上です".
std::string BarReductionMessage(std::string_view micrometres, std::string_view moduleMillimetres);
inline constexpr std::string_view kClipboardMessage = "クリップボードを開くことができません";
inline constexpr std::string_view kMetafileMessage = "メタファイルを作成できません";
inline constexpr std::string_view kFontMessage = "フォントを作成できません";

// The text of the standard error box: a "." is appended when the last
// character sorts above ".".
std::string ErrorBoxText(std::string_view message);

}  // namespace merrowin
