#include "common/errors.h"

#include "common/text.h"

namespace merrowin {
std::string FillMessage(std::string_view pattern, std::string_view text) {
    std::string out(pattern);
    const std::size_t count = CountChars(text);
    if (count <= kQuotedChars) {
        out.replace(out.find("%s"), 2, text);
    } else {
        // A value of thousands of characters (a mistyped or generated
        // command line) would make a box taller than the screen: its
        // beginning and its end say which value it was.
        constexpr std::size_t kKept = kQuotedChars / 2;
        out.replace(out.find("%s"), 2,
                    CharRange(text, 1, kKept) + "…" + CharRange(text, count - kKept + 1, count));
    }
    return out;
}

ConversionError::ConversionError(std::string_view text)
    : MerrowinError(FillMessage("'%s' は整数ではありません", text)) {}

std::string FileCreateMessage(std::string_view path) {
    return FillMessage("ファイル %s を作成できません", path);
}
std::string PictureSizeMessage(std::string_view size) {
    return FillMessage("図の大きさ %s が大きすぎます", size);
}
std::string BarReductionMessage(std::string_view micrometres, std::string_view moduleMillimetres) {
    return FillMessage(
        FillMessage("バー幅の縮小 %s µm がモジュール幅 %s mm の半分以上です", micrometres),
        moduleMillimetres);
}

std::string ErrorBoxText(std::string_view message) {
    std::string out(message);
    // Compared as bytes: every byte of a multi-byte character sorts above ".".
    if (!out.empty() && static_cast<unsigned char>(out.back()) > '.') out += '.';
    return out;
}

}  // namespace merrowin
