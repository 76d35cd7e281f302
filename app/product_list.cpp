#include "app/product_list.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "common/errors.h"
#include "common/text.h"
#include "encode/check_digit.h"
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

// The names Windows keeps for devices, with or without an extension
// ("Naming Files, Paths, and Namespaces", Win32 documentation).
constexpr std::array<std::string_view, 24> kDeviceNames{
    "con",  "prn",  "aux",  "nul",  "com1", "com2", "com3",   "com4",
    "com5", "com6", "com7", "com8", "com9", "lpt1", "lpt2",   "lpt3",
    "lpt4", "lpt5", "lpt6", "lpt7", "lpt8", "lpt9", "conin$", "conout$"};
constexpr std::string_view kReservedNameCharacters = "<>:\"/\\|?*";
constexpr std::size_t kMaxFileNameUnits = 255;

}  // namespace

RawLines::RawLines(ByteSource& source) : source_(source), buffer_(kChunkBytes) {
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

bool RawLines::Fill() {
    if (atEnd_) return false;
    // Whatever is left of a line moves to the front (less than a code unit
    // or a part of a line read on).
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

bool RawLines::Next(std::string& line, bool& tooLong) {
    line.clear();
    tooLong = false;
    bool started = false;
    const auto append = [&](std::size_t from, std::size_t to) {
        const std::size_t room = kMaxLineBytes - std::min(kMaxLineBytes, line.size());
        if (to - from > room) tooLong = true;
        line.append(reinterpret_cast<const char*>(&buffer_[from]), std::min(to - from, room));
    };
    const std::size_t unit = UnitSize();
    for (;;) {
        std::size_t at = begin_;
        if (unit == 1) {
            const void* lf = std::memchr(&buffer_[begin_], '\n', end_ - begin_);
            at =
                lf ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(lf) - buffer_.data())
                   : end_;
        } else {
            while (at + 2 <= end_ && !(buffer_[at] == '\n' && buffer_[at + 1] == 0)) at += 2;
            if (at + 2 > end_) at = end_ - (end_ - begin_) % 2;
        }
        if (at + unit <= end_) {  // the line ends here
            append(begin_, at);
            begin_ = at + unit;
            return true;
        }
        if (at > begin_) started = true;
        append(begin_, at);
        begin_ = at;
        if (!Fill()) {
            if (begin_ < end_) {  // an odd byte at the end of UTF-16
                append(begin_, end_);
                begin_ = end_;
                started = true;
            }
            return started;
        }
    }
}

ListSurvey SurveyList(ByteSource& source, const AnsiDecoder& decodeAnsi) {
    RawLines raw(source);
    ListSurvey survey;
    const RawLines::Bom bom = raw.FoundBom();
    bool utf8 = true;
    bool ansi = bom == RawLines::Bom::None;
    std::string line;
    bool tooLong = false;
    while (raw.Next(line, tooLong)) {
        ++survey.lines;
        if (bom == RawLines::Bom::Utf16Le) {
            // A cut line may end inside a character: its own error later.
            if (!tooLong && !Utf8FromUtf16Le(line)) return {ListEncoding::NotText, survey.lines};
            continue;
        }
        if (line.find('\0') != std::string::npos) return {ListEncoding::NotText, survey.lines};
        if (tooLong || IsAscii(line)) continue;
        if (utf8 && !IsValidUtf8(line)) utf8 = false;
        if (ansi && !decodeAnsi(line)) ansi = false;
        if (!utf8 && !ansi) return {ListEncoding::NotText, survey.lines};
    }
    if (bom == RawLines::Bom::Utf16Le)
        survey.encoding = ListEncoding::Utf16Le;
    else if (utf8)
        survey.encoding = ListEncoding::Utf8;
    else if (ansi)
        survey.encoding = ListEncoding::Ansi;
    return survey;
}

ListFields SplitFields(std::string_view line) {
    ListFields fields;
    std::size_t at = 0;
    for (int index = 0;; ++index) {
        std::string value = ReadField(line, at);
        if (!value.empty()) fields.blank = false;
        if (index == 0) fields.data = std::move(value);
        if (index == 1) fields.name = std::move(value);
        if (at >= line.size()) return fields;
        ++at;  // past the separator
    }
}

std::string CheckedData(std::string_view field, SymbologyKind kind) {
    const SymbologyDescriptor* symbology = Describe(kind);
    if (field.empty()) throw MerrowinError(std::string(kNoDataMessage));
    std::string digits;
    for (std::size_t at = 0; at < field.size();) {
        const std::size_t length = CharLength(field, at);
        const std::optional<char> digit = DigitAt(field, at, length);
        if (!digit) throw MerrowinError(NotDigitMessage(field.substr(at, length)));
        digits += *digit;
        at += length;
    }
    const std::size_t count = symbology->dataDigits;
    if (digits.size() != count && digits.size() != count + 1)
        throw MerrowinError(DigitCountMessage(digits.size(), count));
    std::string data = digits.substr(0, count);
    const char check = static_cast<char>('0' + CheckDigit(std::string(symbology->zeroFill) + data));
    // A wrong check digit is a typo somewhere in the number: never replaced,
    // or the label would carry another product's code.
    if (digits.size() == count + 1 && digits.back() != check)
        throw MerrowinError(CheckDigitMessage(check));
    return data + check;
}

void CheckFileName(std::string_view name) {
    for (std::size_t at = 0; at < name.size(); ++at) {
        const auto c = static_cast<unsigned char>(name[at]);
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
    if (name.size() >= 4 && AsciiLower(name.substr(name.size() - 4)) == ".emf")
        throw MerrowinError(std::string(kNameExtensionMessage));
    std::string_view stem = name.substr(0, name.find('.'));
    while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);
    const std::string lower = AsciiLower(stem);
    if (std::find(kDeviceNames.begin(), kDeviceNames.end(), lower) != kDeviceNames.end())
        throw MerrowinError(DeviceNameMessage(stem));
    if (Utf16FromUtf8(name).size() + 4 > kMaxFileNameUnits)
        throw MerrowinError(std::string(kNameTooLongMessage));
}

ListReader::ListReader(ByteSource& source, ListEncoding encoding, AnsiDecoder decodeAnsi,
                       SymbologyKind kind)
    : raw_(source), encoding_(encoding), decodeAnsi_(std::move(decodeAnsi)), kind_(kind) {}

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
    if (!text->empty() && text->back() == '\r') text->pop_back();
    if (CountChars(*text) > kMaxLineChars) return error(std::string(kLineTooLongMessage));
    ListFields fields = SplitFields(*text);
    if (fields.blank) return true;
    line.data = std::move(fields.data);
    // Column titles on the first line ("JAN", "商品コード"): no digit in
    // the data field. A first line with digits is data, right or wrong.
    if (!seenData_ && !HasDigit(line.data)) {
        seenData_ = true;
        line.kind = ListLine::Kind::Header;
        return true;
    }
    seenData_ = true;
    try {
        line.data = CheckedData(line.data, kind_);
        if (!fields.name.empty()) CheckFileName(fields.name);
        line.name = fields.name.empty() ? line.data : std::move(fields.name);
        line.kind = ListLine::Kind::Good;
    } catch (const MerrowinError& failure) {
        return error(failure.what());
    }
    return true;
}

}  // namespace merrowin
