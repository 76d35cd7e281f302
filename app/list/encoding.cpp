// A list's encoding: the evidence of its bytes and the names of code pages.
#include "app/list/encoding.h"

#include <algorithm>
#include <array>

#include "app/list/characters.h"
#include "common/text.h"

namespace merrowin {
namespace {

// Whether a UTF-8 text holds a character of three or more bytes, or a
// two-byte one next to an ASCII letter: what Japanese or European names
// look like in UTF-8, and Shift-JIS text seldom does.
bool HasUtf8Signal(std::string_view text) {
    const auto isLetter = [&text](std::size_t at) { return IsAsciiLetter(text[at]); };
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = CharLength(text, at);
        if (length >= 3) return true;
        if (length == 2 &&
            ((at > 0 && isLetter(at - 1)) || (at + 2 < text.size() && isLetter(at + 2))))
            return true;
        at += length;
    }
    return false;
}

// The ANSI code pages of Latin scripts (Central European, Western, Turkish,
// Baltic, Vietnamese). Their bytes A6-DF, half-width katakana in Shift-JIS,
// are accented capitals and symbols, which Latin text sets beside ASCII
// letters (Ça, MÜLLER); in Cyrillic, Greek, Arabic or Thai code pages they
// are the script's own letters and make whole words.
constexpr std::array<unsigned, 5> kLatinCodePages{1250, 1252, 1254, 1257, 1258};

bool IsHalfWidthKatakana(unsigned char byte) {
    return byte >= 0xA6 && byte <= 0xDF;  // ｦ to ﾟ, the long vowel mark ｰ among them
}

// Whether bytes read as Shift-JIS hold Japanese text: a kana, or a common
// (JIS level 1) kanji whose second byte is no ASCII character. Text in a
// Western code page is seldom that: its non-ASCII letters (é, ü: E0-FF)
// are no such first byte, and its quotes and dashes (’ “ –: 91-97) stand
// before ASCII letters, which make no level-1 kanji's second byte here.
// With `halfWidthKana`, two or more half-width katakana with no ASCII
// letter on either side count too: names as point-of-sale systems export
// them (ｺｶｺｰﾗ 500ML).
bool HoldsJapanese(std::string_view bytes, bool halfWidthKana) {
    const auto isLetter = [&bytes](std::size_t at) {
        return at < bytes.size() && IsAsciiLetter(bytes[at]);
    };
    for (std::size_t at = 0; at < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[at]);
        if (IsHalfWidthKatakana(lead)) {
            const std::size_t start = at;
            while (at < bytes.size() && IsHalfWidthKatakana(static_cast<unsigned char>(bytes[at])))
                ++at;
            if (halfWidthKana && at - start >= 2 && !(start > 0 && isLetter(start - 1)) &&
                !isLetter(at))
                return true;
            continue;
        }
        const bool pair = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC);
        if (!pair || at + 1 == bytes.size()) {
            ++at;
            continue;
        }
        const auto trail = static_cast<unsigned char>(bytes[at + 1]);
        if ((lead == 0x81 && trail == 0x5B) ||                // ー, the long vowel mark
            (lead == 0x82 && trail >= 0x9F) ||                // hiragana
            (lead == 0x83 && trail <= 0x96) ||                // katakana
            (lead >= 0x88 && lead <= 0x9F && trail >= 0x80))  // level-1 kanji
            return true;
        at += 2;
    }
    return false;
}

// Windows' ANSI code pages by the names its Japanese menus give them.
struct CodePageName {
    unsigned page;
    std::string_view name;
};
constexpr CodePageName kCodePageNames[] = {
    {932, "Shift-JIS"},
    {874, "タイ語 (Windows-874)"},
    {936, "簡体字中国語 (GBK)"},
    {949, "韓国語 (Windows-949)"},
    {950, "繁体字中国語 (Big5)"},
    {1250, "中央ヨーロッパ言語 (Windows-1250)"},
    {1251, "キリル言語 (Windows-1251)"},
    {1252, "西ヨーロッパ言語 (Windows-1252)"},
    {1253, "ギリシャ語 (Windows-1253)"},
    {1254, "トルコ語 (Windows-1254)"},
    {1255, "ヘブライ語 (Windows-1255)"},
    {1256, "アラビア語 (Windows-1256)"},
    {1257, "バルト言語 (Windows-1257)"},
    {1258, "ベトナム語 (Windows-1258)"},
};

}  // namespace

unsigned ListCodePage(unsigned systemCodePage) {
    constexpr unsigned kUtf8CodePage = 65001;
    return systemCodePage == kUtf8CodePage ? kShiftJisCodePage : systemCodePage;
}

std::string EncodingName(ListEncoding encoding, unsigned codePage) {
    switch (encoding) {
        case ListEncoding::Utf8:
            return "UTF-8";
        case ListEncoding::Utf8Bom:
            return "UTF-8 (BOM)";
        case ListEncoding::Utf16Le:
            return "UTF-16";
        case ListEncoding::Ansi:
            for (const auto& [page, name] : kCodePageNames)
                if (page == codePage) return std::string(name);
            return "ANSI (コードページ " + std::to_string(codePage) + ")";
        case ListEncoding::NotText:
            break;
    }
    return "";
}

std::optional<std::string> DecodeRecord(const std::string& bytes, ListEncoding encoding,
                                        const AnsiDecoder& decodeAnsi) {
    switch (encoding) {
        case ListEncoding::Utf16Le:
            return Utf8FromUtf16Le(bytes);
        case ListEncoding::Utf8:
        case ListEncoding::Utf8Bom:
            if (bytes.find('\0') != std::string::npos || !IsValidUtf8(bytes)) return std::nullopt;
            return bytes;
        case ListEncoding::Ansi:
            if (bytes.find('\0') != std::string::npos) return std::nullopt;
            if (IsAscii(bytes)) return bytes;
            return decodeAnsi(bytes);
        case ListEncoding::NotText:
            break;
    }
    return std::nullopt;
}

EncodingEvidence::EncodingEvidence(unsigned systemCodePage, const CodePageDecoder& decode)
    : decode_(decode), system_{ListCodePage(systemCodePage)}, shiftJis_{kShiftJisCodePage} {
    // On a Japanese system the two are one.
    if (system_.page == kShiftJisCodePage) shiftJis_.valid = false;
}

bool EncodingEvidence::Add(std::string_view record) {
    if (IsAscii(record)) return true;
    for (std::size_t at = 0; at < record.size();) {
        const std::size_t length = CharLength(record, at);
        if (!IsValidUtf8(record.substr(at, length))) {
            ++strayBytes_;
            ++at;
            continue;
        }
        if (length == 3) ++threeByteSequences_;
        at += length;
    }
    if (utf8_ && !IsValidUtf8(record)) utf8_ = false;
    for (CodePage* ansi : {&system_, &shiftJis_})
        if (ansi->valid && !decode_(ansi->page, record)) ansi->valid = false;
    if (shiftJis_.valid && !japanese_) {
        const bool latin = std::find(kLatinCodePages.begin(), kLatinCodePages.end(),
                                     system_.page) != kLatinCodePages.end();
        japanese_ = HoldsJapanese(record, latin);
    }
    if (utf8_ && !utf8Signal_) utf8Signal_ = HasUtf8Signal(record);
    return utf8_ || system_.valid || shiftJis_.valid;
}

void EncodingEvidence::AddDataField(
    std::string_view field, const std::function<bool(std::string_view)>& carriesCheckDigit) {
    if (IsAscii(field)) {
        if (carriesCheckDigit(field))
            checkDigitUtf8_ = system_.checkDigit = shiftJis_.checkDigit = true;
        return;
    }
    if (IsValidUtf8(field) && carriesCheckDigit(field)) checkDigitUtf8_ = true;
    for (CodePage* ansi : {&system_, &shiftJis_}) {
        if (!ansi->valid) continue;
        const std::optional<std::string> text = decode_(ansi->page, field);
        if (text && carriesCheckDigit(*text)) ansi->checkDigit = true;
    }
}

ListEncoding EncodingEvidence::Decide() const {
    const CodePage& ansi = Ansi();
    if (utf8_ && (!ansi.valid || utf8Signal_)) return ListEncoding::Utf8;
    if (utf8_) return ListEncoding::Ansi;
    if (ansi.valid && threeByteSequences_ <= strayBytes_) return ListEncoding::Ansi;
    return ListEncoding::NotText;
}

}  // namespace merrowin
