#include "common/errors.h"

namespace merrowin {
namespace {

std::string Fill(std::string_view pattern, std::string_view text) {
    std::string out(pattern);
    out.replace(out.find("%s"), 2, text);
    return out;
}

}  // namespace

ConversionError::ConversionError(std::string_view text)
    : MerrowinError(Fill("'%s' は整数ではありません", text)) {}

std::string RegistryTypeMessage(std::string_view valueName) {
    return Fill("'%s' のデータ型が不正です", valueName);
}
std::string KeyCreateMessage(std::string_view keyName) {
    return Fill("キー %s の作成に失敗しました", keyName);
}
std::string ValueWriteMessage(std::string_view valueName) {
    return Fill("'%s' の設定に失敗しました", valueName);
}
std::string KeyDeleteMessage(std::string_view keyName) {
    return Fill("キー %s の削除に失敗しました", keyName);
}
std::string FileCreateMessage(std::string_view path) {
    return Fill("ファイル %s を作成できません", path);
}
std::string PictureSizeMessage(std::string_view size) {
    return Fill("図の大きさ %s が大きすぎます", size);
}
std::string BarReductionMessage(std::string_view micrometres, std::string_view moduleMillimetres) {
    return Fill(Fill("バー幅の縮小 %s µm がモジュール幅 %s mm の半分以上です", micrometres),
                moduleMillimetres);
}
std::string CreateFolderQuestion(std::string_view path) {
    return Fill("フォルダ「%s」はありません。作成しますか?", path);
}
std::string FolderCreateMessage(std::string_view path) {
    return Fill("フォルダ「%s」を作成できません。", path);
}

std::string IndicatorMessage(std::string_view value) {
    return Fill("インジケータ「%s」は使えません。/id の値は 1～8 の 1 桁です", value);
}
std::string AddOnMessage(std::string_view value) {
    return Fill("アドオン「%s」は使えません。/ad の値は 2 桁か 5 桁の数字です", value);
}

std::string ListOpenMessage(std::string_view path) {
    return Fill("リスト %s を読み込めません", path);
}
std::string ListNotTextMessage(std::string_view path) {
    return Fill("リスト %s はテキストファイルではありません", path);
}
std::string NotDigitMessage(std::string_view character) {
    return Fill("データに数字でない文字「%s」があります", character);
}
std::string NameCharacterMessage(std::string_view character) {
    return Fill("ファイル名に使えない文字「%s」があります", character);
}
std::string DeviceNameMessage(std::string_view name) {
    return Fill("ファイル名「%s」は Windows の装置名なので使えません", name);
}
std::string DuplicateNameMessage(std::string_view name, std::size_t firstLine) {
    return Fill("ファイル名「%s」は ", name) + std::to_string(firstLine) + " 行目と同じです";
}
std::string BatchSummary(std::size_t symbols, std::size_t made, std::size_t errors) {
    return std::to_string(symbols) + " 件中 " + std::to_string(made) +
           " 件を作成しました。エラー " + std::to_string(errors) + " 件";
}
std::string BatchStoppedSummary(std::size_t symbols, std::size_t made, std::size_t errors,
                                std::size_t notReached) {
    return "中止しました。" + std::to_string(symbols) + " 件中 " + std::to_string(made) +
           " 件を作成、" + std::to_string(errors) + " 件はエラー、" + std::to_string(notReached) +
           " 件は未処理です。";
}
std::string ReportTitleCell(std::string_view encoding) {
    return Fill("ファイルまたはエラー (リストの文字コード: %s)", encoding);
}
std::string ReportHeldMessage(std::string_view heldPath, std::string_view writtenPath) {
    return "レポート " + std::string(heldPath) + " はほかのプログラムが使用中のため、" +
           std::string(writtenPath) + " に保存しました";
}
std::string ReportPathText(std::string_view path) {
    return Fill("レポート: %s", path);
}

std::string ErrorBoxText(std::string_view message) {
    std::string out(message);
    // Compared as bytes: every byte of a multi-byte character sorts above ".".
    if (!out.empty() && static_cast<unsigned char>(out.back()) > '.') out += '.';
    return out;
}

}  // namespace merrowin
