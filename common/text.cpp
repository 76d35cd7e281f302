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

// The code point of the well-formed-looking sequence of `length` bytes at
// `at`; nothing when it names no character (a stray byte, an overlong form,
// a surrogate, beyond U+10FFFF).
std::optional<char32_t> DecodeChar(std::string_view text, std::size_t at, std::size_t length) {
    constexpr unsigned char kLeadBits[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    const auto lead = static_cast<unsigned char>(text[at]);
    if (length == 1) {
        if (lead < 0x80) return lead;
        return std::nullopt;
    }
    char32_t value = lead & kLeadBits[length];
    for (std::size_t i = 1; i < length; ++i)
        value = (value << 6) | (static_cast<unsigned char>(text[at + i]) & 0x3F);
    if (value < kSmallest[length]) return std::nullopt;
    if ((value >= 0xD800 && value <= 0xDFFF) || value > 0x10FFFF) return std::nullopt;
    return value;
}

}  // namespace

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

// Full-width digits (U+FF10 to U+FF19) are EF BC 90 to EF BC 99 in UTF-8.
std::optional<char> DigitAt(std::string_view text, std::size_t at, std::size_t length) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    if (length == 1 && byte(0) >= '0' && byte(0) <= '9') return static_cast<char>(byte(0));
    if (length == 3 && byte(0) == 0xEF && byte(1) == 0xBC && byte(2) >= 0x90 && byte(2) <= 0x99)
        return static_cast<char>('0' + (byte(2) - 0x90));
    return std::nullopt;
}

std::string HalfWidth(std::string_view text) {
    std::string out;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = CharLength(text, at);
        if (const std::optional<char> digit = DigitAt(text, at, length))
            out += *digit;
        else if (text.substr(at, length) == "\uFF0D")
            out += '-';
        else
            out += text.substr(at, length);
        at += length;
    }
    return out;
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
    // ASCII, as a symbol's digits are, is one code unit a byte.
    if (IsAscii(text)) return std::u16string(text.begin(), text.end());
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = CharLength(text, at);
        const char32_t c = DecodeChar(text, at, length).value_or(U'\uFFFD');
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

bool IsValidUtf8(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = CharLength(text, at);
        if (!DecodeChar(text, at, length)) return false;
        at += length;
    }
    return true;
}

bool IsAscii(std::string_view text) {
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

void AppendUtf8(char32_t value, std::string& out) {
    if (value < 0x80) {
        out += static_cast<char>(value);
    } else if (value < 0x800) {
        out += static_cast<char>(0xC0 | (value >> 6));
        out += static_cast<char>(0x80 | (value & 0x3F));
    } else if (value < 0x10000) {
        out += static_cast<char>(0xE0 | (value >> 12));
        out += static_cast<char>(0x80 | ((value >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (value & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (value >> 18));
        out += static_cast<char>(0x80 | ((value >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((value >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (value & 0x3F));
    }
}

std::optional<std::string> Utf8FromUtf16Le(std::string_view bytes) {
    if (bytes.size() % 2 != 0) return std::nullopt;
    std::string out;
    out.reserve(bytes.size());
    const auto unit = [&bytes](std::size_t i) {
        return static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                     static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    };
    const std::size_t units = bytes.size() / 2;
    for (std::size_t i = 0; i < units; ++i) {
        const char16_t u = unit(i);
        if (u == 0 || (u >= 0xDC00 && u <= 0xDFFF)) return std::nullopt;
        if (u >= 0xD800 && u <= 0xDBFF) {
            if (i + 1 == units) return std::nullopt;
            const char16_t low = unit(++i);
            if (low < 0xDC00 || low > 0xDFFF) return std::nullopt;
            AppendUtf8(0x10000 + ((char32_t{u} - 0xD800) << 10) + (char32_t{low} - 0xDC00), out);
            continue;
        }
        AppendUtf8(u, out);
    }
    return out;
}

}  // namespace merrowin
