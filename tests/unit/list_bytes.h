// List bytes for the list reader's and the batch's tests: a source handing
// them out in small chunks, Shift-JIS as code page 932 reads it, the code
// pages of the encoding tests, UTF-16LE.
#pragma once

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

#include "app/list/records.h"
#include "common/text.h"

namespace merrowin {

// A list file handed out a few bytes at a time, so that lines, characters
// and byte order marks straddle the chunks.
class ChunkSource final : public ByteSource {
public:
    explicit ChunkSource(std::string bytes, std::size_t chunk = 7)
        : bytes_(std::move(bytes)), chunk_(chunk) {}
    std::size_t Read(std::uint8_t* buffer, std::size_t size) override {
        const std::size_t n = std::min({size, chunk_, bytes_.size() - at_});
        std::copy_n(bytes_.data() + at_, n, buffer);
        at_ += n;
        return n;
    }

private:
    std::string bytes_;
    std::size_t chunk_;
    std::size_t at_ = 0;
};

// Shift-JIS as Windows' code page 932 reads it, in its shape: ASCII,
// half-width katakana (A1 to DF), and two-byte characters (lead 81 to 9F or
// E0 to FC, trail 40 to 7E or 80 to FC), of which 品 and 名 are read as
// such and any other as 〓. Anything else is not text.
inline std::optional<std::string> FakeShiftJis(std::string_view bytes) {
    std::string out;
    const auto byte = [&bytes](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    for (std::size_t i = 0; i < bytes.size();) {
        const unsigned char lead = byte(i);
        if (lead < 0x80) {
            out += bytes[i++];
        } else if (lead >= 0xA1 && lead <= 0xDF) {
            AppendUtf8(0xFF61 + (lead - 0xA1), out);
            ++i;
        } else if (((lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC)) &&
                   i + 1 < bytes.size() && byte(i + 1) >= 0x40 && byte(i + 1) <= 0xFC &&
                   byte(i + 1) != 0x7F) {
            const std::string_view pair = bytes.substr(i, 2);
            const unsigned char trail = byte(i + 1);
            if (lead == 0x83 && trail <= 0x96)  // katakana: ァ (8340) to ヶ (8396), no 7F
                AppendUtf8(0x30A1 + trail - 0x40 - (trail > 0x7F ? 1 : 0), out);
            else if (pair == "\x81\x5B")
                out += "ー";
            else
                out += pair == "\x95\x69" ? "品" : pair == "\x96\xBC" ? "名" : "〓";
            i += 2;
        } else {
            return std::nullopt;
        }
    }
    return out;
}

// Text in the code pages the tests read lists in: 932 as FakeShiftJis,
// 1252 as Latin-1 but for the right single quote (92), and ASCII in any
// other (UTF-8, 65001, is never asked for).
inline std::optional<std::string> FakeCodePage(unsigned page, std::string_view bytes) {
    if (page == 932) return FakeShiftJis(bytes);
    if (page == 1252) {
        std::string out;
        for (const char c : bytes) {
            const auto byte = static_cast<unsigned char>(c);
            AppendUtf8(byte == 0x92 ? U'\u2019' : char32_t{byte}, out);
        }
        return out;
    }
    if (IsAscii(bytes)) return std::string(bytes);
    return std::nullopt;
}

inline std::string Utf16Le(std::u16string_view text) {
    std::string out = "\xFF\xFE";
    for (const char16_t unit : text) {
        out += static_cast<char>(unit & 0xFF);
        out += static_cast<char>(unit >> 8);
    }
    return out;
}

}  // namespace merrowin
