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

namespace merrowin {

// At 100 % a module is JAN's nominal 0.33 mm (kJanNominalModule, /mw33),
// and a tier is a JAN-13 of 95 modules, 31.35 mm from guard to guard.

// The bars' height: 11 mm at 100 % is 66.7 half modules of 0.165 mm; 67
// gives 11.06 mm. The drawing counts half modules. The stored bar height
// (/bh) is a product's JAN's and plays no part.
inline constexpr std::int32_t kBookBarHalfModules = 67;

// From the bottom of the upper tier's digits to the top of the lower tier's
// bars: as wide as JAN-13's left quiet zone, 3.63 mm at 100 %, so a
// scanner's line across one tier stays clear of the other.
inline constexpr std::int32_t kBookTierGapModules = 11;

// Everything else is JAN-13's: the quiet zones are its margins (/lm, /rm
// and the stored settings, never under 11 and 7 modules; with no digit
// outside the guards nothing else needs room there), and the digits and
// the 日本図書コード lines take its gap and font size, whose built-in 18
// units (2.97 mm at 100 %) are the guide's 12 Q. Each 日本図書コード line
// starts where the right quiet zone ends, level with the top of its
// tier's bars.

}  // namespace merrowin
