// The layout of the book code (書籍JANコード, encode/book.h): two JAN-13
// symbols of one size, one above the other with their left edges aligned,
// drawn in the book trade's style, and the 日本図書コード beside them.
//
// Sources. The Japan ISBN Agency's guide, 『ISBNコード/日本図書コード/書籍JAN
// コード 利用の手引き』 2010年版 (JPO, https://isbn.jpo.or.jp/, pp. 13-29),
// and its predecessor 『日本図書コード(文字表現とバーコード表現)実施の手引き』
// 改訂第8版 (2007), as publishers quote them:
//  - each symbol 31.35 mm wide and 11 mm high: 95 modules of 0.33 mm, JAN's
//    100 % size; the guard bars no longer than the other bars and no digit
//    left of the left guard, unlike a product's JAN
//    (http://bookproduction.blog69.fc2.com/blog-date-200701.html);
//  - the digits under the bars in OCR-B after JIS (利用の手引き p. 19, quoted
//    at https://bunkyo-kumihan.com/kumihan_blog/?p=3434);
//  - the 日本図書コード as text: "ISBN978-4-…" and "C…… ¥…E"; the guide
//    leaves its face free and sets its own examples at 12 Q (3 mm)
//    (same page); the two lines stand beside the symbols, one per tier;
//  - on the cover, about 10 mm from the head and 12 mm from the spine
//    (https://shop.insatsu-net.com/knowledge-bar-position): the designer's
//    placing, not part of the picture.
// The guide's figure for the space between the tiers is not quoted in any
// source we could read; kBookTierGapModules is our choice (below).
#pragma once

#include <cstdint>
#include <string_view>

#include "model/job.h"
#include "render/canvas.h"
#include "render/layout.h"

namespace merrowin {

// One module at 100 %: JAN's nominal 0.33 mm.
inline constexpr std::int32_t kBookModuleMicrometres = 330;
// A symbol from the first bar of its left guard to the last of its right
// guard: 95 modules, 31.35 mm at 100 %.
inline constexpr std::int32_t kBookSymbolModules = 95;
// The bars' height: 11 mm at 100 % is 66.7 half modules of 0.165 mm; 67
// gives 11.06 mm. The drawing counts half modules.
inline constexpr std::int32_t kBookBarHalfModules = 67;
// The quiet zones are JAN-13's own margins (/lm, /rm and the stored
// settings, never under 11 and 7 modules); with no digit outside the guards
// nothing else needs room there.

// From the bottom of the upper tier's digits to the top of the lower tier's
// bars: as wide as the left quiet zone, 3.63 mm at 100 %, so a scanner's
// line across one tier stays clear of the other.
inline constexpr std::int32_t kBookTierGapModules = 11;
// The 日本図書コード lines: a 3 mm cell (12 Q) at 100 % is 18.2 half
// modules; 18 half modules. Each line starts where the symbols' right quiet
// zone ends, level with the top of its tier's bars.
inline constexpr std::int32_t kBookCodeLineHalfModules = 18;

// The layout of a book-code job (Book set, BookParts filled) on `grid`:
// the upper tier's bars from Y1 to Y2, the lower's from lowerY1 as high,
// each with its 13 digits G units below; the 日本図書コード lines from
// bookTextX. JAN-13's margins, gap and font size; the bars the book
// trade's height.
SymbolLayout LayOutBook(const BarcodeJob& job, const Grid& grid);

// Draws the book code: the white ground, both tiers' bars (`pattern` the
// upper's, the ISBN), their digits and the 日本図書コード lines.
void DrawBook(const BarcodeJob& job, std::string_view pattern, const SymbolLayout& layout,
              Canvas& canvas);

}  // namespace merrowin
