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
// A bar width reduction (/bw) of half the printed module or more:
// "バー幅の縮小 %s µm がモジュール幅 %s mm の半分以上です".
std::string BarReductionMessage(std::string_view micrometres, std::string_view moduleMillimetres);
inline constexpr std::string_view kClipboardMessage = "クリップボードを開くことができません";
inline constexpr std::string_view kMetafileMessage = "メタファイルを作成できません";
inline constexpr std::string_view kFontMessage = "フォントを作成できません";

// Carton codes from a JAN (id) and add-on symbols (ad): options that change
// the code itself are refused, never ignored.
std::string IndicatorMessage(std::string_view value);  // インジケータ「%s」は使えません…
std::string AddOnMessage(std::string_view value);  // アドオン「%s」は使えません…
inline constexpr std::string_view kCartonKindMessage =
    "/id (集合包装用商品コード) は ITF-14 (/i14、/i14f、/i14h) でだけ使えます";
inline constexpr std::string_view kAddOnKindMessage =
    "/ad (アドオン) は JAN-13 (/j13、/j13b、/j13t) でだけ使えます";

// The settings window's question before it erases the program's registry key.
inline constexpr std::string_view kEraseQuestionTitle = "レジストリを消去してもいいですか?";
inline constexpr std::string_view kEraseQuestion =
    "「OK」ボタンをクリックすると関連レジストリを消去し、「Merrowin」を終了します。"
    "アンインストールする場合は、その後「Merrowin」を起動しないで、"
    "インストールフォルダごと削除してください。";

// Batch generation (/bt): the list, its lines and the closing summary.
std::string ListOpenMessage(std::string_view path);  // リスト %s を読み込めません
std::string ListNotTextMessage(
    std::string_view path);  // リスト %s はテキストファイルではありません
std::string NotDigitMessage(std::string_view character);  // データに数字でない文字「%s」があります
std::string NameCharacterMessage(
    std::string_view character);  // ファイル名に使えない文字「%s」があります
std::string DeviceNameMessage(std::string_view name);  // ファイル名「%s」は Windows の装置名です
std::string DuplicateNameMessage(std::string_view name, std::size_t firstLine);
std::string BatchSummary(std::size_t symbols, std::size_t made, std::size_t errors);
std::string ReportPathText(std::string_view path);  // レポート: %s
inline constexpr std::string_view kNoDataMessage = "データがありません";
inline constexpr std::string_view kLineTooLongMessage = "行が長すぎます (4096 文字まで)";
inline constexpr std::string_view kLineEncodingMessage = "文字コードが正しくありません";
inline constexpr std::string_view kNameEndMessage =
    "ファイル名の終わりにピリオドや空白は使えません";
inline constexpr std::string_view kNameExtensionMessage =
    "ファイル名に .emf は付けないでください (自動で付きます)";
inline constexpr std::string_view kNameTooLongMessage =
    "ファイル名が長すぎます (.emf を含めて 255 文字まで)";
inline constexpr std::string_view kNameLineBreakMessage = "ファイル名に改行は使えません";
inline constexpr std::string_view kExponentFormMessage =
    "Excel の指数表示です。列を文字列にして保存し直してください";
inline constexpr std::string_view kDroppedZeroMessage =
    "桁数がほかの行と違います。先頭の 0 が消えていませんか";
// The summary of a batch stopped by 中止, Esc, closing or log-off: N data
// lines, M made, E errors, K not reached.
std::string BatchStoppedSummary(std::size_t symbols, std::size_t made, std::size_t errors,
                                std::size_t notReached);
inline constexpr std::string_view kNoDataLinesText = "リストにデータの行がありません。";
// The batch window's status while it works (a single run shows kMakingText).
inline constexpr std::string_view kBatchProgressText = "バーコードを作成しています…";
// The report's first row names the encoding the list was read in.
std::string ReportTitleCell(std::string_view encoding);
// A report held by another program, written under a free name beside it.
std::string ReportHeldMessage(std::string_view heldPath, std::string_view writtenPath);

// The text of the standard error box: a "." is appended when the last
// character sorts above ".".
std::string ErrorBoxText(std::string_view message);

}  // namespace merrowin
