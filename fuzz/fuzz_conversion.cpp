// Fuzz target: the text-to-integer conversion against a deliberately plain
// reference that spells the rules out one at a time.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "common/text.h"

namespace {

std::optional<std::int32_t> Reference(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    bool negative = false;
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    unsigned base = 10;
    if (s.starts_with("0x") || s.starts_with("0X")) {
        base = 16;
        s.remove_prefix(2);
    } else if (s.starts_with("$") || s.starts_with("x") || s.starts_with("X")) {
        base = 16;
        s.remove_prefix(1);
    }
    if (s.empty()) return std::nullopt;
    long double value = 0;  // exact enough to see any overflow below 2^64
    for (char c : s) {
        unsigned d;
        if (c >= '0' && c <= '9')
            d = static_cast<unsigned>(c - '0');
        else if (base == 16 && c >= 'a' && c <= 'f')
            d = static_cast<unsigned>(c - 'a' + 10);
        else if (base == 16 && c >= 'A' && c <= 'F')
            d = static_cast<unsigned>(c - 'A' + 10);
        else
            return std::nullopt;
        value = value * base + d;
        if (value > 4294967295.0L) return std::nullopt;
    }
    if (base == 10) {
        if (negative ? value > 2147483648.0L : value > 2147483647.0L) return std::nullopt;
        return static_cast<std::int32_t>(negative ? -static_cast<long long>(value)
                                                  : static_cast<long long>(value));
    }
    auto bits = static_cast<std::uint32_t>(static_cast<unsigned long long>(value));
    return static_cast<std::int32_t>(negative ? 0u - bits : bits);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<std::int32_t> got = merrowin::TryStrToInt(text);
    if (got != Reference(text)) {
        std::fprintf(stderr, "conversion disagrees with the reference\n");
        std::abort();
    }
    if (got && merrowin::TryStrToInt(merrowin::IntToStr(*got)) != got) {
        std::fprintf(stderr, "integer text does not read back\n");
        std::abort();
    }
    return 0;
}
