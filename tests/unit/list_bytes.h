// List bytes for the list reader's and the batch's tests: a source handing
// them out in small chunks, Shift-JIS as code page 932 reads it, UTF-16LE.
#pragma once

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

#include "app/product_list.h"

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

// Shift-JIS as Windows' code page 932 reads it, for the two words the
// rows use; any other byte above 0x7F is not text.
inline std::optional<std::string> FakeShiftJis(std::string_view bytes) {
    std::string out;
    for (std::size_t i = 0; i < bytes.size();) {
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            out += bytes[i++];
        } else if (bytes.substr(i, 2) == "\x95\x69") {
            out += "品";
            i += 2;
        } else if (bytes.substr(i, 2) == "\x96\xBC") {
            out += "名";
            i += 2;
        } else {
            return std::nullopt;
        }
    }
    return out;
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
