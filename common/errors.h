// The program's failures: exceptions whose what() is the exact text the
// user sees in the error box (UTF-8).
#pragma once

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

// Message texts with one %s, formed in one place.
std::string RegistryTypeMessage(std::string_view valueName);    // '%s' のデータ型が不正です
std::string KeyCreateMessage(std::string_view keyName);         // キー %s の作成に失敗しました
std::string ValueWriteMessage(std::string_view valueName);      // '%s' の設定に失敗しました
std::string KeyDeleteMessage(std::string_view keyName);         // キー %s の削除に失敗しました
std::string FileCreateMessage(std::string_view path);           // ファイル %s を作成できません
std::string PictureSizeMessage(std::string_view size);          // 図の大きさ %s が大きすぎます
inline constexpr std::string_view kClipboardMessage = "クリップボードを開くことができません";

// The text of the standard error box: a "." is appended when the last
// character sorts above ".".
std::string ErrorBoxText(std::string_view message);

}  // namespace merrowin
