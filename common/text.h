// Text helpers shared by every subsystem: the integer conversion used for
// options, data digits, stored settings and the settings window's edits,
// and the UTF-8 and UTF-16 forms of text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace merrowin {

// Parses a signed 32-bit integer: leading blanks, an optional sign, then
// decimal digits or hex digits after "$", "x", "X", "0x" or "0X". Anything
// else, an empty text or a value outside 32 bits gives nothing.
std::optional<std::int32_t> TryStrToInt(std::string_view text);

// As TryStrToInt, but a rejected text raises ConversionError naming it.
std::int32_t StrToInt(std::string_view text);

// Plain decimal: "-" for negatives, no leading zeros, no grouping.
std::string IntToStr(std::int32_t value);

// The digit of the character of `length` bytes at byte `at` of `text`: an
// ASCII digit or a full-width one (U+FF10 to U+FF19, as a Japanese IME
// types them); nothing for any other character.
std::optional<char> DigitAt(std::string_view text, std::size_t at, std::size_t length);

// `text` with its full-width digits and hyphens (U+FF0D) made ASCII; every
// other character stays. The one reading of digits typed in Japanese, for
// a list's fields and the command line's data alike.
std::string HalfWidth(std::string_view text);

// Lower-cases the ASCII letters A to Z only; every other byte stays.
std::string AsciiLower(std::string_view text);

// The bytes of the UTF-8 character at byte `at` of `text`; a byte that
// starts no well-formed-looking sequence counts as a character of its own.
std::size_t CharLength(std::string_view text, std::size_t at);

// The number of characters (code points) of UTF-8 text; a malformed byte
// counts as one character of its own, so nothing is ever dropped.
std::size_t CountChars(std::string_view text);

// The characters from 1-based position `first` to `last` (inclusive) of
// UTF-8 text, never splitting a multi-byte character; positions past the
// end give nothing.
std::string CharRange(std::string_view text, std::size_t first, std::size_t last);

// UTF-16 of UTF-8 text, character by character as CountChars counts them: a
// malformed byte or a sequence that names no character (a surrogate, an
// overlong form, beyond U+10FFFF) becomes U+FFFD, so nothing is dropped.
std::u16string Utf16FromUtf8(std::string_view text);

// Well-formed UTF-8: no stray or missing continuation bytes, no overlong
// forms, no surrogates, nothing beyond U+10FFFF.
bool IsValidUtf8(std::string_view text);

// True when every byte is below 0x80.
bool IsAscii(std::string_view text);

// Appends the UTF-8 form of a code point.
void AppendUtf8(char32_t value, std::string& out);

// UTF-8 of UTF-16LE bytes; nothing for an odd byte, a NUL character or a
// surrogate without its partner.
std::optional<std::string> Utf8FromUtf16Le(std::string_view bytes);

}  // namespace merrowin
