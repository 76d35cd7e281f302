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
std::string CreateFolderQuestion(std::string_view path) {
    return Fill("フォルダ「%s」はありません。作成しますか?", path);
}
std::string FolderCreateMessage(std::string_view path) {
    return Fill("フォルダ「%s」を作成できません。", path);
}

std::string ErrorBoxText(std::string_view message) {
    std::string out(message);
    // Compared as bytes: every byte of a multi-byte character sorts above ".".
    if (!out.empty() && static_cast<unsigned char>(out.back()) > '.') out += '.';
    return out;
}

}  // namespace merrowin
