#include "app/product_list.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

#include "common/errors.h"
#include "common/text.h"
#include "encode/book.h"
#include "model/data_field.h"
#include "model/symbology.h"

namespace merrowin {
namespace {

constexpr std::size_t kChunkBytes = 1 << 16;
// No line of kMaxLineChars characters has more bytes than this in any of
// the encodings (four bytes a character at most).
constexpr std::size_t kMaxLineBytes = kMaxLineChars * 4 + 4;

// One line's bytes as UTF-8; nothing when they are not text in `encoding`.
std::optional<std::string> DecodeLine(const std::string& bytes, ListEncoding encoding,
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

bool IsSeparator(char c) {
    return c == ',' || c == '\t' || c == ';';
}

// One field from `at` to the next separator outside quotes; `at` is left
// on that separator or at the end.
std::string ReadField(std::string_view line, std::size_t& at) {
    while (at < line.size() && line[at] == ' ') ++at;
    std::string value;
    if (at < line.size() && line[at] == '"') {
        ++at;
        for (;;) {
            const std::size_t quote = line.find('"', at);
            if (quote == std::string_view::npos) {  // unclosed: the rest of the line
                value.append(line.substr(at));
                at = line.size();
                return value;
            }
            value.append(line.substr(at, quote - at));
            at = quote + 1;
            if (at < line.size() && line[at] == '"') {  // "" is one quote
                value += '"';
                ++at;
                continue;
            }
            break;
        }
        while (at < line.size() && line[at] == ' ') ++at;
    }
    // Unquoted text, or what stands between a closing quote and the separator.
    const std::size_t start = at;
    while (at < line.size() && !IsSeparator(line[at])) ++at;
    std::string_view rest = line.substr(start, at - start);
    while (!rest.empty() && rest.back() == ' ') rest.remove_suffix(1);
    value.append(rest);
    return value;
}

// Full-width digits (U+FF10 to U+FF19) are EF BC 90 to EF BC 99 in UTF-8.
std::optional<char> DigitAt(std::string_view text, std::size_t at, std::size_t length) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    if (length == 1 && byte(0) >= '0' && byte(0) <= '9') return static_cast<char>(byte(0));
    if (length == 3 && byte(0) == 0xEF && byte(1) == 0xBC && byte(2) >= 0x90 && byte(2) <= 0x99)
        return static_cast<char>('0' + (byte(2) - 0x90));
    return std::nullopt;
}

bool HasDigit(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = CharLength(text, at);
        if (DigitAt(text, at, length)) return true;
        at += length;
    }
    return false;
}

// The digits of a field made of digits only; nothing when it holds
// anything else.
std::optional<std::string> DigitsOf(std::string_view field) {
    std::string digits;
    for (std::size_t at = 0; at < field.size();) {
        const std::size_t length = CharLength(field, at);
        const std::optional<char> digit = DigitAt(field, at, length);
        if (!digit) return std::nullopt;
        digits += *digit;
        at += length;
    }
    return digits;
}

// A letter of a column title: ASCII letters, and any character beyond
// ASCII other than digits, punctuation and symbols (Latin-1's signs,
// general punctuation, CJK punctuation, full-width digits and signs).
bool IsTitleLetter(char32_t c) {
    if (c < 0x80) return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    if (c < 0xC0 || c == 0xD7 || c == 0xF7) return false;
    if (c >= 0x2000 && c <= 0x2BFF) return false;
    if (c >= 0x3000 && c <= 0x303F) return false;
    if (c >= 0xFF01 && c <= 0xFF20) return false;
    return true;
}

bool HasLetter(std::string_view text) {
    const std::u16string wide = Utf16FromUtf8(text);
    return std::any_of(wide.begin(), wide.end(), [](char16_t c) { return IsTitleLetter(c); });
}

// A number as Excel shows a long one: "4.90123E+12", "4,9e12", "4E12".
bool IsExponentForm(std::string_view field) {
    std::size_t at = 0;
    const auto digits = [&] {
        const std::size_t start = at;
        while (at < field.size() && field[at] >= '0' && field[at] <= '9') ++at;
        return at > start;
    };
    if (!digits()) return false;
    if (at < field.size() && (field[at] == '.' || field[at] == ',')) {
        ++at;
        digits();
    }
    if (at == field.size() || (field[at] != 'E' && field[at] != 'e')) return false;
    ++at;
    if (at < field.size() && (field[at] == '+' || field[at] == '-')) ++at;
    return digits() && at == field.size();
}

// Whether the field holds the data digits and check digit of `kind`.
bool CarriesCheckDigit(std::string_view field, SymbologyKind kind) {
    const std::optional<std::string> digits = DigitsOf(field);
    return digits && digits->size() == Describe(kind)->dataDigits + 1;
}

// The names Windows keeps for devices, with or without an extension
// ("Naming Files, Paths, and Namespaces", Win32 documentation); the
// superscript digits ¹ ² ³ count as digits there.
constexpr std::array<std::string_view, 30> kDeviceNames{
    "con",  "prn",  "aux",  "nul",  "com1", "com2", "com3", "com4", "com5",   "com6",
    "com7", "com8", "com9", "lpt1", "lpt2", "lpt3", "lpt4", "lpt5", "lpt6",   "lpt7",
    "lpt8", "lpt9", "com¹", "com²", "com³", "lpt¹", "lpt²", "lpt³", "conin$", "conout$"};
constexpr std::string_view kReservedNameCharacters = "<>:\"/\\|?*";
constexpr std::size_t kMaxFileNameUnits = 255;

// Where a record ends: at a line break outside quotes. A quote opens a
// quoted field only where the field starts (after blanks), as SplitFields
// reads it; "" inside is one quote.
class RecordEnd {
public:
    // Takes the record's next code unit; true when it ends the record.
    bool At(char16_t c) {
        if (inQuotes_) {
            if (!quoteSeen_) {
                quoteSeen_ = c == '"';
                return false;
            }
            quoteSeen_ = false;
            if (c == '"') return false;
            inQuotes_ = false;  // the quote before closed the field
        }
        if (c == '\n' || c == '\r') return true;
        if (c == ',' || c == '\t' || c == ';') {
            fieldStart_ = true;
        } else if (c == '"' && fieldStart_) {
            inQuotes_ = true;
            fieldStart_ = false;
        } else if (c != ' ') {
            fieldStart_ = false;
        }
        return false;
    }
    // A quote left open in a record cut for its length ends at the next
    // line break, so that it cannot take the rest of the list with it.
    void CloseQuote() { inQuotes_ = quoteSeen_ = false; }

private:
    bool fieldStart_ = true;
    bool inQuotes_ = false;
    bool quoteSeen_ = false;  // a quote inside quotes: closing, or the first of ""
};

// Whether a UTF-8 text holds a character of three or more bytes, or a
// two-byte one next to an ASCII letter: what Japanese or European names
// look like in UTF-8, and Shift-JIS text seldom does.
bool HasUtf8Signal(std::string_view text) {
    const auto isLetter = [&text](std::size_t at) {
        const char c = text[at];
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    };
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

constexpr unsigned kShiftJisCodePage = 932;

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
        const char c = at < bytes.size() ? bytes[at] : '\0';
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
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

// A code page a list may be in: whether every record is text there, and
// whether a data line read in it carries its check digit.
struct CodePageEvidence {
    unsigned page = 0;
    bool valid = true;
    bool checkDigit = false;
};

// What the records of a list without a byte order mark say about its
// encoding (see ListSurvey), and whether a data line carries its check
// digit read either way.
class EncodingEvidence {
public:
    EncodingEvidence(unsigned systemCodePage, const CodePageDecoder& decode)
        : decode_(decode), system_{ListCodePage(systemCodePage)}, shiftJis_{kShiftJisCodePage} {
        // On a Japanese system the two are one.
        if (system_.page == kShiftJisCodePage) shiftJis_.valid = false;
    }
    // Takes a record's bytes; false once it is text in no encoding.
    bool Add(std::string_view record) {
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
        for (CodePageEvidence* ansi : {&system_, &shiftJis_})
            if (ansi->valid && !decode_(ansi->page, record)) ansi->valid = false;
        if (shiftJis_.valid && !japanese_) {
            const bool latin = std::find(kLatinCodePages.begin(), kLatinCodePages.end(),
                                         system_.page) != kLatinCodePages.end();
            japanese_ = HoldsJapanese(record, latin);
        }
        if (utf8_ && !utf8Signal_) utf8Signal_ = HasUtf8Signal(record);
        return utf8_ || system_.valid || shiftJis_.valid;
    }
    void AddDataField(std::string_view field, SymbologyKind kind) {
        if (IsAscii(field)) {
            if (CarriesCheckDigit(field, kind))
                checkDigitUtf8_ = system_.checkDigit = shiftJis_.checkDigit = true;
            return;
        }
        if (IsValidUtf8(field) && CarriesCheckDigit(field, kind)) checkDigitUtf8_ = true;
        for (CodePageEvidence* ansi : {&system_, &shiftJis_}) {
            if (!ansi->valid) continue;
            const std::optional<std::string> text = decode_(ansi->page, field);
            if (text && CarriesCheckDigit(*text, kind)) ansi->checkDigit = true;
        }
    }
    ListEncoding Decide() const {
        const CodePageEvidence& ansi = Ansi();
        if (utf8_ && (!ansi.valid || utf8Signal_)) return ListEncoding::Utf8;
        if (utf8_) return ListEncoding::Ansi;
        if (ansi.valid && threeByteSequences_ <= strayBytes_) return ListEncoding::Ansi;
        return ListEncoding::NotText;
    }
    // The code page a list read as ANSI is in.
    unsigned AnsiCodePage() const { return Ansi().page; }
    bool CheckDigitsGiven(ListEncoding encoding) const {
        return encoding == ListEncoding::Ansi ? Ansi().checkDigit : checkDigitUtf8_;
    }

private:
    const CodePageEvidence& Ansi() const {
        return shiftJis_.valid && japanese_ ? shiftJis_ : system_;
    }

    const CodePageDecoder& decode_;
    CodePageEvidence system_;
    CodePageEvidence shiftJis_;
    bool japanese_ = false;  // Shift-JIS text holds Japanese
    bool utf8_ = true;
    bool utf8Signal_ = false;
    std::size_t threeByteSequences_ = 0;  // well-formed UTF-8 sequences of three bytes
    std::size_t strayBytes_ = 0;          // bytes above 0x7F in no well-formed sequence
    bool checkDigitUtf8_ = false;
};

}  // namespace

SymbologyKind ListDataKind(SymbologyKind kind, std::uint8_t cartonIndicator) {
    return cartonIndicator != 0 ? SymbologyKind::Jan13 : kind;
}

unsigned ListCodePage(unsigned systemCodePage) {
    constexpr unsigned kUtf8CodePage = 65001;
    return systemCodePage == kUtf8CodePage ? kShiftJisCodePage : systemCodePage;
}

namespace {

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

RawRecords::RawRecords(ByteSource& source) : source_(source), buffer_(kChunkBytes) {
    while (end_ - begin_ < 3 && Fill()) {
    }
    const auto starts = [this](std::initializer_list<std::uint8_t> bom) {
        return end_ - begin_ >= bom.size() && std::equal(bom.begin(), bom.end(), &buffer_[begin_]);
    };
    if (starts({0xEF, 0xBB, 0xBF})) {
        bom_ = Bom::Utf8;
        begin_ += 3;
    } else if (starts({0xFF, 0xFE})) {
        bom_ = Bom::Utf16Le;
        begin_ += 2;
    }
}

bool RawRecords::Fill() {
    if (atEnd_) return false;
    // Whatever is left (less than a code unit) moves to the front.
    if (begin_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    const std::size_t got = source_.Read(buffer_.data() + end_, buffer_.size() - end_);
    if (got == 0) {
        atEnd_ = true;
        return false;
    }
    end_ += got;
    return true;
}

bool RawRecords::Next(std::string& record, bool& tooLong) {
    record.clear();
    tooLong = false;
    RecordEnd recordEnd;
    bool started = false;
    const std::size_t unit = UnitSize();
    for (;;) {
        if (end_ - begin_ < unit && !Fill()) {
            if (begin_ < end_) {  // an odd byte at the end of UTF-16
                record.append(reinterpret_cast<const char*>(&buffer_[begin_]), end_ - begin_);
                begin_ = end_;
                started = true;
            }
            return started;
        }
        if (end_ - begin_ < unit) continue;
        const std::uint8_t* at = &buffer_[begin_];
        const char16_t c = unit == 1 ? at[0] : static_cast<char16_t>(at[0] | at[1] << 8);
        begin_ += unit;
        if (std::exchange(afterCr_, false) && c == '\n') continue;
        if (recordEnd.At(c)) {
            afterCr_ = c == '\r';
            return true;
        }
        started = true;
        if (record.size() + unit > kMaxLineBytes) {
            tooLong = true;
            recordEnd.CloseQuote();
            continue;
        }
        record.append(reinterpret_cast<const char*>(at), unit);
    }
}

ListSurvey SurveyList(ByteSource& source, unsigned systemCodePage, const CodePageDecoder& decode,
                      SymbologyKind kind, std::uint8_t cartonIndicator) {
    kind = ListDataKind(kind, cartonIndicator);
    RawRecords raw(source);
    const RawRecords::Bom bom = raw.FoundBom();
    EncodingEvidence evidence(systemCodePage, decode);
    ListSurvey survey;
    std::size_t nonBlank = 0;
    std::optional<std::string> firstData;  // the first non-blank record's data field
    std::string record;
    bool tooLong = false;
    while (raw.Next(record, tooLong)) {
        ++survey.records;
        if (bom == RawRecords::Bom::Utf16Le && !tooLong) {
            std::optional<std::string> text = Utf8FromUtf16Le(record);
            // A cut record may end inside a character: its own error later.
            if (!text) return {};
            record = std::move(*text);
        }
        if (record.find('\0') != std::string::npos) return {};
        if (bom == RawRecords::Bom::Utf8 && !tooLong && !IsValidUtf8(record)) return {};
        if (bom == RawRecords::Bom::None && !tooLong && !evidence.Add(record)) return {};
        if (tooLong) {  // its own error later, never the header
            ++nonBlank;
            continue;
        }
        ListFields fields = SplitFields(record);
        if (fields.blank) continue;
        if (nonBlank++ == 0) firstData = fields.data;
        evidence.AddDataField(fields.data, kind);
    }
    survey.encoding = bom == RawRecords::Bom::Utf16Le ? ListEncoding::Utf16Le
                      : bom == RawRecords::Bom::Utf8  ? ListEncoding::Utf8Bom
                                                      : evidence.Decide();
    if (survey.encoding == ListEncoding::NotText) return {};
    survey.codePage = evidence.AnsiCodePage();
    survey.checkDigitsGiven = evidence.CheckDigitsGiven(survey.encoding);
    const AnsiDecoder decodeAnsi = [&decode, &survey](std::string_view bytes) {
        return decode(survey.codePage, bytes);
    };
    // UTF-16 records were made UTF-8 above.
    const std::optional<std::string> title =
        !firstData || survey.encoding == ListEncoding::Utf16Le
            ? firstData
            : DecodeLine(*firstData, survey.encoding, decodeAnsi);
    survey.dataLines = nonBlank - (title && IsHeaderField(*title) ? 1 : 0);
    return survey;
}

ListFields SplitFields(std::string_view line) {
    ListFields fields;
    std::size_t at = 0;
    for (int index = 0;; ++index) {
        std::string value = ReadField(line, at);
        if (!value.empty()) fields.blank = false;
        fields.columns.push_back(value);
        if (index == 0) fields.data = std::move(value);
        if (index == 1) fields.name = std::move(value);
        if (at >= line.size()) return fields;
        ++at;  // past the separator
    }
}

namespace {

// A field with its full-width digits and hyphens made ASCII, as a Japanese
// IME types them; every other character stays.
std::string HalfWidth(std::string_view field) {
    std::string out;
    for (std::size_t at = 0; at < field.size();) {
        const std::size_t length = CharLength(field, at);
        if (const std::optional<char> digit = DigitAt(field, at, length))
            out += *digit;
        else if (field.substr(at, length) == "\uFF0D")
            out += '-';
        else
            out += field.substr(at, length);
        at += length;
    }
    return out;
}

// The book code of a line (ISBN, Cコード, price) into `book`, and the data
// field of its upper tier. An ISBN in Excel's exponent form and a Cコード
// that lost its leading zeros in Excel are told as such.
DataField BookOfLine(const ListFields& fields, BookCode& book) {
    const auto column = [&fields](std::size_t index) {
        return index < fields.columns.size() ? HalfWidth(fields.columns[index]) : std::string();
    };
    const std::string isbn = column(0);
    if (isbn.empty()) throw MerrowinError(std::string(kNoDataMessage));
    if (IsExponentForm(isbn)) throw MerrowinError(ExponentFormMessage(13));
    const std::string cCode = column(1);
    const bool digits =
        std::all_of(cCode.begin(), cCode.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!cCode.empty() && cCode.size() < kCCodeDigits && digits)
        throw MerrowinError(CCodeDroppedZeroMessage(cCode));
    book = MakeBookCode(isbn, cCode, column(2));
    return *MakeDataField({SymbologyKind::Jan13, book.isbn, 0, GivenCheck::Verified});
}

}  // namespace

DataField CheckedData(std::string_view field, SymbologyKind kind, std::uint8_t indicator,
                      bool checkDigitsGiven) {
    if (field.empty()) throw MerrowinError(std::string(kNoDataMessage));
    const SymbologyKind dataKind = ListDataKind(kind, indicator);
    if (IsExponentForm(field))
        throw MerrowinError(ExponentFormMessage(Describe(dataKind)->dataDigits + 1));
    std::string digits;
    for (std::size_t at = 0; at < field.size();) {
        const std::size_t length = CharLength(field, at);
        const std::optional<char> digit = DigitAt(field, at, length);
        if (!digit) throw MerrowinError(NotDigitMessage(field.substr(at, length)));
        digits += *digit;
        at += length;
    }
    // Among lines that carry their check digit, a line one digit short
    // lost its leading zero in Excel when a 0 in front makes a valid code;
    // otherwise it is the data digits alone.
    if (checkDigitsGiven && digits.size() == Describe(dataKind)->dataDigits &&
        IsValidCode("0" + digits, dataKind))
        throw MerrowinError(std::string(kDroppedZeroMessage));
    return *MakeDataField({kind, digits, indicator, GivenCheck::Verified});
}

bool IsHeaderField(std::string_view field) {
    return !IsExponentForm(field) && (HasLetter(field) || !HasDigit(field));
}

void CheckFileName(std::string_view name, FileFormat format) {
    for (std::size_t at = 0; at < name.size(); ++at) {
        const auto c = static_cast<unsigned char>(name[at]);
        if (c == '\r' || c == '\n') throw MerrowinError(std::string(kNameLineBreakMessage));
        if (c < 0x20) {
            constexpr char kHex[] = "0123456789ABCDEF";
            throw MerrowinError(
                NameCharacterMessage(std::string("U+00") + kHex[c >> 4] + kHex[c & 15]));
        }
        if (kReservedNameCharacters.find(static_cast<char>(c)) != std::string_view::npos)
            throw MerrowinError(NameCharacterMessage(name.substr(at, 1)));
    }
    // Windows drops a trailing dot or blank from a file name: the file
    // would not be called what the list says.
    if (name.back() == '.' || name.back() == ' ') throw MerrowinError(std::string(kNameEndMessage));
    const std::string_view extension = InfoOf(format).extension;
    if (EndsInExtension(name, format)) throw MerrowinError(NameExtensionMessage(extension));
    std::string_view stem = name.substr(0, name.find('.'));
    while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);
    const std::string lower = AsciiLower(stem);
    if (std::find(kDeviceNames.begin(), kDeviceNames.end(), lower) != kDeviceNames.end())
        throw MerrowinError(DeviceNameMessage(stem));
    if (Utf16FromUtf8(name).size() + extension.size() > kMaxFileNameUnits)
        throw MerrowinError(NameTooLongMessage(extension));
}

ListReader::ListReader(ByteSource& source, const ListSurvey& survey, CodePageDecoder decode,
                       SymbologyKind kind, std::uint8_t cartonIndicator, FileFormat format,
                       bool book)
    : raw_(source),
      encoding_(survey.encoding),
      checkDigitsGiven_(survey.checkDigitsGiven),
      decodeAnsi_([decode = std::move(decode), page = survey.codePage](std::string_view bytes) {
          return decode(page, bytes);
      }),
      kind_(kind),
      cartonIndicator_(cartonIndicator),
      format_(format),
      book_(book) {}

bool ListReader::Next(ListLine& line) {
    bool tooLong = false;
    if (!raw_.Next(bytes_, tooLong)) return false;
    line = ListLine{};
    line.number = ++number_;
    const auto error = [&](std::string text) {
        line.kind = ListLine::Kind::Error;
        line.error = std::move(text);
        seenData_ = true;
        return true;
    };
    if (tooLong) return error(std::string(kLineTooLongMessage));
    std::optional<std::string> text = DecodeLine(bytes_, encoding_, decodeAnsi_);
    if (!text) return error(std::string(kLineEncodingMessage));
    ListFields fields = SplitFields(*text);
    if (fields.blank) return true;
    // The first record's data field decides on a header before any error
    // of the record, as the survey decides.
    if (!seenData_ && IsHeaderField(fields.data)) {
        seenData_ = true;
        line.data = std::move(fields.data);
        line.kind = ListLine::Kind::Header;
        return true;
    }
    if (CountChars(*text) > kMaxLineChars) return error(std::string(kLineTooLongMessage));
    line.data = std::move(fields.data);
    seenData_ = true;
    try {
        std::string slipName;
        if (book_) {
            line.field = BookOfLine(fields, line.book);
        } else if (kind_ == SymbologyKind::PaymentSlip) {
            // Digits typed full-width count in the parts; the name stays.
            std::vector<std::string> columns = fields.columns;
            for (std::size_t i = 0; i < columns.size() && i < 4; ++i)
                columns[i] = HalfWidth(columns[i]);
            line.field = SlipOfLine(columns, slip_, slipName);
        } else {
            line.field = CheckedData(line.data, kind_, cartonIndicator_, checkDigitsGiven_);
        }
        line.data = line.field.Code();
        std::string name = book_ ? (fields.columns.size() > 3 ? fields.columns[3] : std::string())
                           : kind_ == SymbologyKind::PaymentSlip ? std::move(slipName)
                                                                 : std::move(fields.name);
        if (!name.empty()) CheckFileName(name, format_);
        line.name = name.empty() ? line.data : std::move(name);
        line.kind = ListLine::Kind::Good;
    } catch (const MerrowinError& failure) {
        return error(failure.what());
    }
    return true;
}

std::string NotDigitMessage(std::string_view character) {
    return FillMessage("データに数字でない文字「%s」があります", character);
}
std::string NameCharacterMessage(std::string_view character) {
    return FillMessage("ファイル名に使えない文字「%s」があります", character);
}
std::string NameExtensionMessage(std::string_view extension) {
    return "ファイル名に " + std::string(extension) + " は付けないでください (自動で付きます)";
}

std::string NameTooLongMessage(std::string_view extension) {
    return "ファイル名が長すぎます (" + std::string(extension) + " を含めて 255 文字まで)";
}

std::string DeviceNameMessage(std::string_view name) {
    return FillMessage("ファイル名「%s」は Windows の装置名なので使えません", name);
}

std::string ExponentFormMessage(std::size_t codeDigits) {
    return FillMessage(
        "Excel の指数表示です。この CSV からは元の数字に戻せません。元のブックで列の表示形式を"
        "ユーザー定義「%s」にして、保存し直してください",
        std::string(codeDigits, '0'));
}

}  // namespace merrowin
