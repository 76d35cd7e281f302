// Reading a product list for batch generation (/bt): one symbol per line,
// the data digits and optionally a file name, exactly as Excel saves it
// (UTF-8 with or without BOM, UTF-16LE with BOM, or the ANSI code page;
// CRLF, LF or CR; quoted fields; comma, tab or semicolon between fields).
// The list is read as a stream, a chunk at a time, never as a whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/slip_list.h"
#include "model/data_field.h"
#include "model/job.h"

namespace merrowin {

// Where a list's bytes come from, a chunk at a time.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Fills up to `size` bytes of `buffer`; 0 at the end of the file.
    // Raises MerrowinError when the file cannot be read on.
    virtual std::size_t Read(std::uint8_t* buffer, std::size_t size) = 0;
};

// UTF-8 of text in the system's ANSI code page (Shift-JIS on Japanese
// Windows); nothing when the bytes are not valid text there.
using AnsiDecoder = std::function<std::optional<std::string>(std::string_view)>;

enum class ListEncoding : std::uint8_t { Utf8, Utf8Bom, Utf16Le, Ansi, NotText };

// The longest record taken, in characters.
inline constexpr std::size_t kMaxLineChars = 4096;

// Text in a code page as UTF-8; nothing when the bytes are not valid there.
using CodePageDecoder =
    std::function<std::optional<std::string>(unsigned codePage, std::string_view bytes)>;

// The code page a list without a byte order mark is read in when it is not
// UTF-8 and holds no Japanese Shift-JIS text (see ListSurvey): the system's
// ANSI code page, or 932 (Shift-JIS) where the ANSI code page is UTF-8
// itself (65001, Windows 10 and 11's "Unicode UTF-8 for worldwide language
// support"), since a list that is not UTF-8 there is still most likely
// Excel's Shift-JIS.
unsigned ListCodePage(unsigned systemCodePage);

// The name the report gives the encoding read, in the words Windows' own
// Japanese menus use: "UTF-8", "UTF-8 (BOM)", "UTF-16", "Shift-JIS" (code
// page 932), "西ヨーロッパ言語 (Windows-1252)", or "ANSI (コードページ N)"
// for a code page without a name here.
std::string EncodingName(ListEncoding encoding, unsigned codePage);

// The list's records as raw bytes in its encoding, with a byte order mark
// skipped. A record ends at CRLF, LF or CR alone (UTF-16: those code
// units) outside quotes: a quoted field runs to its closing quote across
// line breaks (Alt+Enter in an Excel cell). A record longer than any of
// kMaxLineChars characters can be is cut and marked; a quote it left open
// then ends at the next line break.
class RawRecords {
public:
    explicit RawRecords(ByteSource& source);
    // The byte order mark at the start of the file, if any.
    enum class Bom : std::uint8_t { None, Utf8, Utf16Le };
    Bom FoundBom() const { return bom_; }
    // The next record's bytes without its line break; false after the last.
    bool Next(std::string& record, bool& tooLong);

private:
    bool Fill();
    std::size_t UnitSize() const { return bom_ == Bom::Utf16Le ? 2 : 1; }

    ByteSource& source_;
    std::vector<std::uint8_t> buffer_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    bool atEnd_ = false;
    bool afterCr_ = false;  // the last record ended in CR: an LF next is part of its end
    Bom bom_ = Bom::None;
};

// What a first read of the list finds: how to read it, how many data lines
// it has, and whether any of them carries its check digit.
//
// Encoding: a byte order mark decides. Without one:
// 1. valid UTF-8 and not valid in the code page: UTF-8;
// 2. valid in both: UTF-8 when it holds a character of three or more UTF-8
//    bytes (Japanese) or a non-ASCII character next to an ASCII letter
//    (café, Müller); otherwise the code page (half-width katakana names
//    such as ﾃｽ, whose Shift-JIS bytes C3 BD are also UTF-8 for ý);
// 3. valid only in the code page: the code page, unless its non-ASCII
//    bytes look like UTF-8 broken by stray bytes (more well-formed UTF-8
//    sequences of three bytes than stray bytes): not text;
// 4. valid in neither, or holding NUL characters: not text.
// "The code page" is Shift-JIS on any Windows when the list is valid
// Shift-JIS and holds Japanese text (kana, or a common kanji whose second
// byte is no ASCII character): Excel's Japanese CSV opened on a PC set to
// another language. Otherwise it is ListCodePage's.
struct ListSurvey {
    ListEncoding encoding = ListEncoding::NotText;
    unsigned codePage = 0;          // Ansi: the code page the list is read in
    std::size_t records = 0;        // every record, blank ones too
    std::size_t dataLines = 0;      // the records other than blank ones and the header
    bool checkDigitsGiven = false;  // a data line holds its data digits and check digit
};
// `kind` and `cartonIndicator` as the reader takes them.
ListSurvey SurveyList(ByteSource& source, unsigned systemCodePage, const CodePageDecoder& decode,
                      SymbologyKind kind, std::uint8_t cartonIndicator = 0);

// The kind of data a list's lines hold: with a packaging indicator (option
// "id") a JAN-13 that each line makes a carton code of; else the switch's.
SymbologyKind ListDataKind(SymbologyKind kind, std::uint8_t cartonIndicator);

// One line of the list, read and judged.
struct ListLine {
    enum class Kind : std::uint8_t { Blank, Header, Good, Error };
    std::size_t number = 0;  // 1-based, counting every record (the row in Excel)
    Kind kind = Kind::Blank;
    std::string data;   // Good: the data digits and check digit; else the field as written
    DataField field;    // Good: what the symbol draws
    std::string name;   // Good: the file's base name, without ".emf"
    std::string error;  // Error: what is wrong with the line
    BookCode book;      // Good, of a book-code list: both tiers and the 日本図書コード
};

// The first two fields of a line: the data and the file name, unquoted
// and trimmed of blanks. `blank` when no field holds anything.
struct ListFields {
    std::string data;
    std::string name;
    std::vector<std::string> columns;  // every field in order, data and name included
    bool blank = true;
};
ListFields SplitFields(std::string_view line);

// The data field of a line's data for `kind` (and a carton code's
// `indicator`), from a field of the data digits (of a carton code, the
// JAN-13's 12) or those and their check digit, which must be right;
// full-width digits count. Raises MerrowinError with the line's error for
// anything else: a wrong check digit, Excel's exponent form, and, when
// `checkDigitsGiven` (the list's other lines carry their check digit), a
// field one digit short that a leading 0 makes a valid code: a zero Excel
// dropped.
DataField CheckedData(std::string_view field, SymbologyKind kind, std::uint8_t indicator = 0,
                      bool checkDigitsGiven = false);

// Whether the first record's data field is a column title: it holds a
// letter (ASCII or not: "JAN", "JAN(13桁)", "商品コード") or no digit, and
// is not a number in Excel's exponent form ("4.90123E+12").
bool IsHeaderField(std::string_view field);

// Raises MerrowinError with the line's error when Windows cannot take
// `name` + the format's extension (".emf"...) as a file name: reserved
// characters, device names, a trailing dot or blank, the extension written
// out, too long.
void CheckFileName(std::string_view name, FileFormat format);

// Reads a list record by record as a survey found it, judging each.
class ListReader {
public:
    // With a packaging indicator (option "id") every data field is a JAN-13
    // whose line gives the carton code made from it: data and default name
    // the 14 digits. For the book code (/bk) a line is the ISBN, the
    // Cコード, the price and optionally the name: data and default name
    // the ISBN's 13 digits. Names are judged as names of files of `format`.
    ListReader(ByteSource& source, const ListSurvey& survey, CodePageDecoder decode,
               SymbologyKind kind, std::uint8_t cartonIndicator = 0,
               FileFormat format = FileFormat::Emf, bool book = false);
    // The next line; false after the last.
    bool Next(ListLine& line);
    // A payment slip list's company code and stamp threshold (app/slip_list.h).
    void ReadSlips(SlipListSettings settings) { slip_ = std::move(settings); }

private:
    RawRecords raw_;
    ListEncoding encoding_;
    bool checkDigitsGiven_;
    AnsiDecoder decodeAnsi_;
    SymbologyKind kind_;
    std::uint8_t cartonIndicator_;
    FileFormat format_;
    bool book_;
    SlipListSettings slip_;
    std::size_t number_ = 0;
    bool seenData_ = false;  // a line other than blank came before
    std::string bytes_;
};

// A list line's errors, in the report.
std::string NotDigitMessage(std::string_view character);  // データに数字でない文字「%s」があります
std::string NameCharacterMessage(
    std::string_view character);  // ファイル名に使えない文字「%s」があります
std::string DeviceNameMessage(std::string_view name);  // ファイル名「%s」は Windows の装置名です
inline constexpr std::string_view kNoDataMessage = "データがありません";
inline constexpr std::string_view kLineTooLongMessage = "行が長すぎます (4096 文字まで)";
inline constexpr std::string_view kLineEncodingMessage = "文字コードが正しくありません";
inline constexpr std::string_view kNameEndMessage =
    "ファイル名の終わりにピリオドや空白は使えません";
// ファイル名に .emf は付けないでください (自動で付きます), with the format's extension
std::string NameExtensionMessage(std::string_view extension);
// ファイル名が長すぎます (.emf を含めて 255 文字まで), with the format's extension
std::string NameTooLongMessage(std::string_view extension);
inline constexpr std::string_view kNameLineBreakMessage = "ファイル名に改行は使えません";
// A number in Excel's exponent form: the CSV has lost the digits, the
// workbook still holds them ("0" repeated `codeDigits` times is the
// column's format that keeps every digit and leading zero).
std::string ExponentFormMessage(std::size_t codeDigits);
inline constexpr std::string_view kDroppedZeroMessage =
    "桁数がほかの行と違います。先頭の 0 が消えていませんか";

}  // namespace merrowin
