// Every text the user reads in a message box (UTF-8), and the program's
// failures: exceptions whose what() is the exact text of the error box.
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
std::string RegistryTypeMessage(std::string_view valueName);  // '%s' のデータ型が不正です
std::string KeyCreateMessage(std::string_view keyName);  // キー %s の作成に失敗しました
std::string ValueWriteMessage(std::string_view valueName);  // '%s' の設定に失敗しました
std::string KeyDeleteMessage(std::string_view keyName);  // キー %s の削除に失敗しました
std::string FileCreateMessage(std::string_view path);    // ファイル %s を作成できません
std::string CreateFolderQuestion(
    std::string_view path);  // フォルダ「%s」はありません。作成しますか?
std::string FolderCreateMessage(std::string_view path);  // フォルダ「%s」を作成できません。
std::string PictureSizeMessage(std::string_view size);  // 図の大きさ %s が大きすぎます
inline constexpr std::string_view kClipboardMessage = "クリップボードを開くことができません";
inline constexpr std::string_view kMetafileMessage = "メタファイルを作成できません";
inline constexpr std::string_view kFontMessage = "フォントを作成できません";

// The settings window's question before it erases the program's registry key.
inline constexpr std::string_view kEraseQuestionTitle = "レジストリを消去してもいいですか?";
inline constexpr std::string_view kEraseQuestion =
    "「OK」ボタンをクリックすると関連レジストリを消去し、「Merrowin」を終了します。"
    "アンインストールする場合は、その後「Merrowin」を起動しないで、"
    "インストールフォルダごと削除してください。";

// The text of the standard error box: a "." is appended when the last
// character sorts above ".".
std::string ErrorBoxText(std::string_view message);

}  // namespace merrowin
