// Printing exactly: the grid a job's drawing walks when it is to print on a
// printer's dots (/dp), with its bars narrowed for ink spread (/bw), or with
// its digits as outlines (/ol). Without these the standard grid serves and
// the picture is the one the job always made.
#pragma once

#include <cstdint>

#include "model/job.h"
#include "render/layout.h"

namespace merrowin {

// Module widths in micrometres. The nominal ones stand in when no module
// width is asked for. The smallest are GS1's: EAN-13/EAN-8 at 80 %
// magnification, 0.264 mm; ITF-14 0.495 mm (GS1 GenSpecs,
// section 5.12.3, the symbol table of trade items scanned in
// general distribution: ITF-14 X-dimension minimum 0.495 mm, target and
// maximum 1.016 mm). ITF-16 follows ITF-14.
inline constexpr std::int32_t kJanNominalModule = 330;
inline constexpr std::int32_t kItfNominalModule = 1000;
inline constexpr std::int32_t kJanSmallestModule = 264;
inline constexpr std::int32_t kItfSmallestModule = 495;

// GS1's wide-to-narrow ratio of ITF: 2.25 to 3.0, 2.5 the target; in
// quarters, so the test stays in integers.
inline constexpr std::int32_t kWideQuartersMin = 9;
inline constexpr std::int32_t kWideQuartersTarget = 10;
inline constexpr std::int32_t kWideQuartersMax = 12;

// The module that is printed, in tenths of a micrometre: the module width
// asked for (or the kind's nominal one) times the copy rate.
std::int64_t PrintedModule(const BarcodeJob& job);

// The module in whole dots of a `dpi` printer: the nearest to `printed`
// (tenths of a micrometre; halves up), at least one dot, and never below
// `smallest` (micrometres) unless `printed` already was: then the next
// whole dot up.
std::int32_t ModuleDots(std::int64_t printed, std::int32_t dpi, std::int32_t smallest);

// The ITF wide element for a narrow one of `module` units: whole units,
// wide to narrow within 2.25 to 3.0 and as near 2.5 as whole units allow
// (the wider of two equally near ones, which reads more easily).
std::int32_t WideUnits(std::int32_t module);

// `micrometres` in whole dots of a `dpi` printer, to the nearest (halves up).
std::int32_t MicrometresToDots(std::int32_t micrometres, std::int32_t dpi);

// The finest grids that glyph outlines get without a printer's dots, in
// units a half module. The metafile's: a digit cell of 18 half modules is
// 288 units high. A file's (EPS, PDF, SVG, PNG): a unit of 41 µm at JAN's
// 0.33 mm, the outlines within 21 µm of the glyphs, and a quarter unit
// wider than the half dot of a 2400 dpi platesetter by which the print
// writers draw a bar's edges inside (EdgeInset, render/formats/shared.h), so that every
// width a RIP paints there is within a dot of nominal.
inline constexpr std::int32_t kMetafileOutlineUnits = 16;
inline constexpr std::int32_t kFileOutlineUnits = 4;

// The grid of a job. `standard` is its layout on the standard grid: a finer
// grid keeps the picture within `maxSide` units a side; without a printer's
// dots, digits as outlines get `outlineUnits` units a half module (or as
// many as `maxSide` allows). Raises MerrowinError (BarReductionMessage) for
// a reduction of half a module or more.
Grid GridForJob(const BarcodeJob& job, const SymbolLayout& standard, std::int32_t maxSide,
                std::int32_t outlineUnits);

// Whether the job asks for anything but the standard grid.
constexpr bool NeedsPrintGrid(const BarcodeJob& job) {
    return job.DotsPerInch > 0 || job.BarReduction > 0 || job.OutlinedText;
}

}  // namespace merrowin
