#include "common/text.h"

#include "common/errors.h"

namespace merrowin {
namespace {

int DigitValue(char c, int base) {
    int v = -1;
    if (c >= '0' && c <= '9')
        v = c - '0';
    else if (c >= 'a' && c <= 'f')
        v = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        v = c - 'A' + 10;
    return v < base ? v : -1;
}

// Length in bytes of the UTF-8 character starting at `lead`; a byte that
// cannot start a well-formed character counts as one.
std::size_t CharLength(std::string_view text, std::size_t at) {
    auto lead = static_cast<unsigned char>(text[at]);
    std::size_t n = lead < 0x80           ? 1
                    : (lead >> 5) == 0x6  ? 2
                    : (lead >> 4) == 0xE  ? 3
                    : (lead >> 3) == 0x1E ? 4
                                          : 1;
    if (at + n > text.size()) return 1;
    for (std::size_t i = 1; i < n; ++i)
        if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80) return 1;
    return n;
}

// The code point of the well-formed-looking sequence of `length` bytes at
// `at`, or U+FFFD when it names no character.
char32_t DecodeChar(std::string_view text, std::size_t at, std::size_t length) {
    constexpr char32_t kReplacement = 0xFFFD;
    constexpr unsigned char kLeadBits[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    const auto lead = static_cast<unsigned char>(text[at]);
    if (length == 1) return lead < 0x80 ? lead : kReplacement;  // ASCII or a stray byte
    char32_t value = lead & kLeadBits[length];
    for (std::size_t i = 1; i < length; ++i)
        value = (value << 6) | (static_cast<unsigned char>(text[at + i]) & 0x3F);
    if (value < kSmallest[length]) return kReplacement;  // overlong
    if ((value >= 0xD800 && value <= 0xDFFF) || value > 0x10FFFF) return kReplacement;
    return value;
}

}  // namespace

std::optional<std::int32_t> TryStrToInt(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int base = 10;
    if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' &&
               (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i == text.size()) return std::nullopt;
    // Accumulate the magnitude in 64 bits; decimal must fit the signed range,
    // hex may use all 32 bits (as $FFFFFFFF gives -1).
    std::uint64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        int d = DigitValue(text[i], base);
        if (d < 0) return std::nullopt;
        magnitude = magnitude * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(d);
        if (magnitude > 0xFFFFFFFFull) return std::nullopt;
    }
    if (base == 10) {
        if (magnitude > (negative ? 0x80000000ull : 0x7FFFFFFFull)) return std::nullopt;
        std::int64_t v =
            negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
        return static_cast<std::int32_t>(v);
    }
    auto bits = static_cast<std::uint32_t>(magnitude);
    if (negative) bits = 0u - bits;
    return static_cast<std::int32_t>(bits);
}

std::int32_t StrToInt(std::string_view text) {
    if (auto value = TryStrToInt(text)) return *value;
    throw ConversionError(text);
}

std::string IntToStr(std::int32_t value) {
    return std::to_string(value);
}

std::string AsciiLower(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::size_t CountChars(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size(); at += CharLength(text, at)) ++count;
    return count;
}

std::string CharRange(std::string_view text, std::size_t first, std::size_t last) {
    std::size_t begin = text.size();
    std::size_t end = text.size();
    std::size_t position = 1;
    for (std::size_t at = 0; at < text.size(); at += CharLength(text, at), ++position) {
        if (position == first) begin = at;
        if (position == last + 1) {
            end = at;
            break;
        }
    }
    if (first == 0 || first > last || begin >= end) return {};
    return std::string(text.substr(begin, end - begin));
}

std::u16string Utf16FromUtf8(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = CharLength(text, at);
        const char32_t c = DecodeChar(text, at, length);
        at += length;
        if (c < 0x10000) {
            out += static_cast<char16_t>(c);
        } else {
            out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        }
    }
    return out;
}

}  // namespace merrowin
