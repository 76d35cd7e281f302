// A product list's records as raw bytes, read from the file a chunk at a
// time, never as a whole: the byte order mark, line breaks (CRLF, LF or
// CR alone) and quoted fields across lines, and the longest record taken.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace merrowin {

// Where a list's bytes come from, a chunk at a time.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Fills up to `size` bytes of `buffer`; 0 at the end of the file.
    // Raises MerrowinError when the file cannot be read on.
    virtual std::size_t Read(std::uint8_t* buffer, std::size_t size) = 0;
};

// The longest record taken, in characters.
inline constexpr std::size_t kMaxLineChars = 4096;
inline constexpr std::string_view kLineTooLongMessage = "行が長すぎます (4096 文字まで)";

// Whether a record's text (UTF-8) is longer than kMaxLineChars characters.
bool IsOverLineLimit(std::string_view text);

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

}  // namespace merrowin
