// The convenience-store payment slip's symbol (model/payment_slip.h): its
// size rule and its layout. The symbol is GS1-128 of 288 modules
// (encode/code128.h); the stores' scanners read a window 60 mm wide, so
// GS1 Japan's 「GS1-128 による標準料金代理収納ガイドライン」 (2014, 2.
// バーコードの表示) wants the symbol with its quiet zones, at least 10
// modules each side (Code 128's, GS1 GenSpecs 5.4.4.4), no
// wider than 60 mm, its bars at least 10 mm high, and the 44 digits under
// them in two lines. That leaves a module of at most 0.194 mm, which only a
// printer's whole dots print cleanly.
//
// The 60 mm rule judges the symbol with its quiet zones (308 modules), as
// the guideline does: that is what must pass under the scanner's window.
// On a printer's dots the picture may be wider by up to 1.27 mm of white
// on the right (render/dot_frame.h: the page widened until its frame
// states whole dots), e.g. 23 dots at 3000 dpi: 59.98 mm of symbol on a
// picture 60.96 mm wide. That white is more quiet zone, never bars, so it
// is not refused; the slip's form places the picture by its left edge.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/job.h"
#include "render/canvas.h"
#include "render/layout.h"

namespace merrowin {

inline constexpr std::int32_t kSlipSymbolModules = 288;
inline constexpr std::int32_t kSlipQuietModules = 10;
inline constexpr std::int32_t kSlipWidthLimitMicrometres = 60000;
inline constexpr std::int32_t kSlipBarHeightMicrometres = 10000;
// The narrowest module we print the slip with: 203 dpi would give one dot,
// 0.125 mm, narrower than a store's scanner reliably resolves at 60 mm;
// 300 dpi gives two dots, 0.169 mm. The guideline names no figure; 0.150 mm
// lies between the two.
inline constexpr std::int32_t kSlipSmallestModuleMicrometres = 150;
// Without /mw and /dp: the widest module in .01 mm with which the symbol
// and its quiet zones fill but do not exceed 60 mm (308 x 0.19 = 58.52 mm).
inline constexpr std::int32_t kSlipFittingModule =
    kSlipWidthLimitMicrometres / 10 / (kSlipSymbolModules + 2 * kSlipQuietModules);

// Printer resolutions a refusal suggests, when they fit: thermal label
// printers, inkjets, office lasers and platesetters.
inline constexpr std::int32_t kCommonPrinterDpi[] = {203, 300, 360, 600, 720, 1200, 2400};

// A slip job's sizes after its options: the slip keeps none in the
// settings; it prints at its own size (copy rate 100) with the fitting
// module unless /mw or /dp asks for one. Then refuses, before anything is
// made, a module that is too wide for 60 mm (naming the width), too narrow
// to read, or a printer on whose dots none fits (naming the resolutions
// that work).
void SizeSlip(BarcodeJob& job);

// The module in dots of the job's printer (/dp): the dots nearest its /mw,
// or without one the most dots that fit 60 mm; at least one.
std::int32_t SlipModuleDots(const BarcodeJob& job);

// The layout of a slip job on `grid` (the standard one, a finer one, or
// the printer's dots): 10-module quiet zones, bars 10 mm high at the job's
// module, the two text lines under them.
SymbolLayout LayOutSlip(const BarcodeJob& job, const Grid& grid);

// Draws the slip: the bars of `pattern` (narrowed by the grid's reduction
// as every symbol's) and the two lines of SlipTextLines centred under the
// bars in the symbol's font (the picture adds the white ground).
void DrawSlip(const BarcodeJob& job, std::string_view pattern, const SymbolLayout& layout,
              Canvas& canvas);

// Refusals.
// モジュール幅 %s mm ではコンビニ収納用バーコードの幅が %s mm になり、60 mm を超えます
std::string SlipTooWideMessage(std::string_view module, std::string_view width);
// モジュール幅 %s mm はコンビニ収納用バーコードには細すぎます (0.150 mm 以上)
std::string SlipTooNarrowMessage(std::string_view module);
// %s dpi では…印刷できるのは %s dpi のプリンターです
std::string SlipPrinterMessage(std::int32_t dpi, std::string_view working);

}  // namespace merrowin
