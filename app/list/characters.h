// The character classes the list's rules share.
#pragma once

namespace merrowin {

constexpr bool IsAsciiLetter(char32_t c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

constexpr bool IsAsciiDigit(char32_t c) {
    return c >= '0' && c <= '9';
}

}  // namespace merrowin
