// Reading a product list for batch generation (/bt): one symbol per line,
// the data digits and optionally a file name, exactly as Excel saves it
// (UTF-8 with or without BOM, UTF-16LE with BOM, or the ANSI code page;
// CRLF or LF; quoted fields; comma, tab or semicolon between fields).
// The list is read as a stream, a chunk at a time, never as a whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

enum class ListEncoding : std::uint8_t { Utf8, Utf16Le, Ansi, NotText };

// The longest line taken, in characters.
inline constexpr std::size_t kMaxLineChars = 4096;

// The list's lines as raw bytes in its encoding, split at LF (UTF-16: at
// the code unit 0x000A), with a byte order mark skipped. A line longer than
// any line of kMaxLineChars characters can be is cut and marked.
class RawLines {
public:
    explicit RawLines(ByteSource& source);
    // The byte order mark at the start of the file, if any.
    enum class Bom : std::uint8_t { None, Utf8, Utf16Le };
    Bom FoundBom() const { return bom_; }
    // The next line's bytes without its LF; false after the last line.
    bool Next(std::string& line, bool& tooLong);

private:
    bool Fill();
    std::size_t UnitSize() const { return bom_ == Bom::Utf16Le ? 2 : 1; }

    ByteSource& source_;
    std::vector<std::uint8_t> buffer_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    bool atEnd_ = false;
    Bom bom_ = Bom::None;
};

// How a list is to be read, found by reading it through once: a BOM
// decides; otherwise UTF-8 when every line is valid UTF-8, else the ANSI
// code page when the decoder takes every line. NUL characters, or text
// valid in none of these, make it NotText. `lines` counts every line.
struct ListSurvey {
    ListEncoding encoding = ListEncoding::NotText;
    std::size_t lines = 0;
};
ListSurvey SurveyList(ByteSource& source, const AnsiDecoder& decodeAnsi);

// One line of the list, read and judged.
struct ListLine {
    enum class Kind : std::uint8_t { Blank, Header, Good, Error };
    std::size_t number = 0;  // 1-based, counting every line
    Kind kind = Kind::Blank;
    std::string data;   // Good: the data digits and check digit; else the field as written
    std::string name;   // Good: the file's base name, without ".emf"
    std::string error;  // Error: what is wrong with the line
};

// The first two fields of a line: the data and the file name, unquoted
// and trimmed of blanks. `blank` when no field holds anything.
struct ListFields {
    std::string data;
    std::string name;
    bool blank = true;
};
ListFields SplitFields(std::string_view line);

// The data digits of `kind` with the check digit, from a field of 12 (7,
// 13, 15) digits or those plus their check digit; full-width digits count.
// Raises MerrowinError with the line's error for anything else, a wrong
// check digit included.
std::string CheckedData(std::string_view field, SymbologyKind kind);

// Raises MerrowinError with the line's error when Windows cannot take
// `name` + ".emf" as a file name: reserved characters, device names, a
// trailing dot or blank, ".emf" written out, too long.
void CheckFileName(std::string_view name);

// Reads a list line by line in the encoding a survey found, judging each.
class ListReader {
public:
    // With a packaging indicator (option "id") every data field is a JAN-13
    // whose line gives the carton code made from it: data and default name
    // the 14 digits.
    ListReader(ByteSource& source, ListEncoding encoding, AnsiDecoder decodeAnsi,
               SymbologyKind kind, std::uint8_t cartonIndicator = 0);
    // The next line; false after the last.
    bool Next(ListLine& line);

private:
    RawLines raw_;
    ListEncoding encoding_;
    AnsiDecoder decodeAnsi_;
    SymbologyKind kind_;
    std::uint8_t cartonIndicator_;
    std::size_t number_ = 0;
    bool seenData_ = false;  // a line other than blank came before
    std::string bytes_;
};

}  // namespace merrowin
