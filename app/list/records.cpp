// A list's records, a chunk of the file at a time.
#include "app/list/records.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <utility>

#include "app/list/csv.h"
#include "common/text.h"

namespace merrowin {
namespace {

constexpr std::size_t kChunkBytes = 1 << 16;
// No record of kMaxLineChars characters has more bytes than this in any of
// the encodings (four bytes a character at most).
constexpr std::size_t kMaxLineBytes = kMaxLineChars * 4 + 4;

}  // namespace

bool IsOverLineLimit(std::string_view text) {
    return CountChars(text) > kMaxLineChars;
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

}  // namespace merrowin
