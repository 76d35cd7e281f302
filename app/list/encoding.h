// The encoding of a product list: UTF-8 with or without BOM, UTF-16LE with
// BOM, or an ANSI code page; what a list without a byte order mark tells
// of it, and the names the report gives the encodings.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace merrowin {

enum class ListEncoding : std::uint8_t { Utf8, Utf8Bom, Utf16Le, Ansi, NotText };

// Text in a code page as UTF-8; nothing when the bytes are not valid there.
using CodePageDecoder =
    std::function<std::optional<std::string>(unsigned codePage, std::string_view bytes)>;

// UTF-8 of text in the code page a list is read in; nothing when the bytes
// are not valid text there.
using AnsiDecoder = std::function<std::optional<std::string>(std::string_view)>;

inline constexpr unsigned kShiftJisCodePage = 932;
inline constexpr std::string_view kLineEncodingMessage = "文字コードが正しくありません";

// The code page a list without a byte order mark is read in when it is not
// UTF-8 and holds no Japanese Shift-JIS text (see EncodingEvidence): the
// system's ANSI code page, or 932 (Shift-JIS) where the ANSI code page is
// UTF-8 itself (65001, Windows 10 and 11's "Unicode UTF-8 for worldwide
// language support"), since a list that is not UTF-8 there is still most
// likely Excel's Shift-JIS.
unsigned ListCodePage(unsigned systemCodePage);

// The name the report gives the encoding read, in the words Windows' own
// Japanese menus use: "UTF-8", "UTF-8 (BOM)", "UTF-16", "Shift-JIS" (code
// page 932), "西ヨーロッパ言語 (Windows-1252)", or "ANSI (コードページ N)"
// for a code page without a name here.
std::string EncodingName(ListEncoding encoding, unsigned codePage);

// One record's bytes as UTF-8; nothing when they are not text in
// `encoding` (NUL characters are not text in any).
std::optional<std::string> DecodeRecord(const std::string& bytes, ListEncoding encoding,
                                        const AnsiDecoder& decodeAnsi);

// What the records of a list without a byte order mark say about its
// encoding, and whether a data field carries its check digit read either way.
//
// 1. valid UTF-8 and not valid in the code page: UTF-8;
// 2. valid in both: UTF-8 when it holds a character of three or more UTF-8
//    bytes (Japanese) or a non-ASCII character next to an ASCII letter
//    (café, Müller); otherwise the code page (half-width katakana names
//    such as ﾃｽ, whose Shift-JIS bytes C3 BD are also UTF-8 for ý);
// 3. valid only in the code page: the code page, unless its non-ASCII
//    bytes look like UTF-8 broken by stray bytes (more well-formed UTF-8
//    sequences of three bytes than stray bytes): not text;
// 4. valid in neither: not text.
// "The code page" is Shift-JIS on any Windows when the list is valid
// Shift-JIS and holds Japanese text (kana, or a common kanji whose second
// byte is no ASCII character): Excel's Japanese CSV opened on a PC set to
// another language. Otherwise it is ListCodePage's.
class EncodingEvidence {
public:
    EncodingEvidence(unsigned systemCodePage, const CodePageDecoder& decode);
    // Takes a record's bytes; false once it is text in no encoding.
    bool Add(std::string_view record);
    // Takes a data field's bytes: whether, read as UTF-8 or in a code page,
    // it `carriesCheckDigit` (a test of its text as UTF-8).
    void AddDataField(std::string_view field,
                      const std::function<bool(std::string_view)>& carriesCheckDigit);
    ListEncoding Decide() const;
    // The code page a list read as ANSI is in.
    unsigned AnsiCodePage() const { return Ansi().page; }
    // Whether a data field read in `encoding` carried its check digit.
    bool CheckDigitsGiven(ListEncoding encoding) const {
        return encoding == ListEncoding::Ansi ? Ansi().checkDigit : checkDigitUtf8_;
    }

private:
    // A code page a list may be in: whether every record is text there, and
    // whether a data field read in it carries its check digit.
    struct CodePage {
        unsigned page = 0;
        bool valid = true;
        bool checkDigit = false;
    };
    const CodePage& Ansi() const { return shiftJis_.valid && japanese_ ? shiftJis_ : system_; }

    const CodePageDecoder& decode_;
    CodePage system_;
    CodePage shiftJis_;
    bool japanese_ = false;  // Shift-JIS text holds Japanese
    bool utf8_ = true;
    bool utf8Signal_ = false;
    std::size_t threeByteSequences_ = 0;  // well-formed UTF-8 sequences of three bytes
    std::size_t strayBytes_ = 0;          // bytes above 0x7F in no well-formed sequence
    bool checkDigitUtf8_ = false;
};

}  // namespace merrowin
