#include "render/formats/shared.h"

#include <zlib.h>

#include <array>
#include <charconv>
#include <stdexcept>

namespace merrowin {

PointMapping MappingToPoints(const Page& page) {
    const Fraction width = PointsOf(page.frame.width);
    const Fraction height = PointsOf(page.frame.height);
    return {Decimal({width.numerator, width.denominator * page.width}, 10),
            Decimal({-height.numerator, height.denominator * page.height}, 10), Decimal(height, 6)};
}

// A RIP paints every device pixel that a shape touches, however little
// (PostScript Language Reference, 3rd ed., 7.5.1; PDF Reference 1.7,
// 6.5.3: the "any part of the pixel" rule). A page layout program places
// the file at any fraction p of a device dot, so a bar w dots wide paints
// ceil(p + w) - floor(p) pixels: drawn (1 - e)/2 dot inside each edge, a
// bar of n dots paints n pixels at a share 1 - e of placements and n + 1 at
// the rest, and no inset is exact at all of them. On a printer's grid (one
// unit a dot) e is an eighth: 7/16 dot inside, exact at 7 of 8 placements
// and a dot wider (each space a dot narrower) at the eighth, with an
// eighth of a dot left for the frame's rounding to .01 mm, the reals of
// the file and the interpreter's floats. On a finer grid the bars' edges
// fall anywhere on the device's dots: half a dot of a 2400 dpi platesetter
// (a quarter unit, when that is less) keeps every width within a dot of
// nominal there.
Fraction EdgeInset(const Page& page) {
    if (page.onPrinterDots) return {7, 16};
    // Half a dot of 2400 dpi is 25400 / 4800 um, a unit frame x 10 / width
    // um: 127 width / (240 frame) units.
    const Fraction halfDot{127 * std::int64_t{page.width}, 240 * std::int64_t{page.frame.width}};
    if (4 * halfDot.numerator >= halfDot.denominator) return {1, 4};
    return halfDot;
}

Fraction PointsOf(std::int32_t hundredthsMm) {
    return {std::int64_t{hundredthsMm} * 72, 2540};
}

std::int32_t CeilPoints(std::int32_t hundredthsMm) {
    return static_cast<std::int32_t>((std::int64_t{hundredthsMm} * 72 + 2539) / 2540);
}

void AppendInteger(std::string& out, std::int64_t value) {
    std::array<char, 20> digits;  // "-9223372036854775808"
    char* const end = std::to_chars(digits.data(), digits.data() + digits.size(), value).ptr;
    out.append(digits.data(), static_cast<std::size_t>(end - digits.data()));
}

std::string Decimal(Fraction value, int decimals) {
    const bool negative = value.numerator < 0;
    std::int64_t rest = negative ? -value.numerator : value.numerator;
    const std::int64_t whole = rest / value.denominator;
    rest %= value.denominator;
    // The decimals one by one (rest < denominator, so rest x 10 stays far
    // within 64 bits), then rounded at the last by what is left.
    std::string digits = std::to_string(whole);
    for (int i = 0; i < decimals; ++i) {
        rest *= 10;
        digits += static_cast<char>('0' + rest / value.denominator);
        rest %= value.denominator;
    }
    if (2 * rest >= value.denominator) {
        std::size_t at = digits.size();
        while (at > 0 && digits[at - 1] == '9') digits[--at] = '0';
        if (at == 0) {
            digits.insert(digits.begin(), '1');
        } else {
            ++digits[at - 1];
        }
    }
    std::string text = digits.substr(0, digits.size() - decimals);
    std::string fraction = digits.substr(digits.size() - decimals);
    fraction.erase(fraction.find_last_not_of('0') + 1);
    if (!fraction.empty()) text += "." + fraction;
    if (negative && text != "0") text.insert(text.begin(), '-');
    return text;
}

std::string Deflate(std::string_view data) {
    z_stream stream{};
    if (deflateInit2(&stream, 6, Z_DEFLATED, 15, 9, Z_FILTERED) != Z_OK)
        throw std::runtime_error("zlib could not start");
    std::string out(deflateBound(&stream, static_cast<uLong>(data.size())), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    const int result = deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    if (result != Z_STREAM_END) throw std::runtime_error("zlib could not compress");
    return out;
}

}  // namespace merrowin
