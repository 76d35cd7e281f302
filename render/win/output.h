// MakeSymbol: encodes the job, records the picture, makes the copy scaled by
// the copy rate and puts it on the clipboard and into the .emf file.
#pragma once

#include <string>

#include "model/job.h"
#include "common/win/win_util.h"

namespace merrowin::win {

enum class SymbolResult {
    Produced,  // the copy went to the clipboard and/or the file
    Nothing,   // no pattern, or a copy rate that leaves no drawable area
};

// Runs the whole output of a filled job. `owner` becomes the clipboard's
// owner. Raises MerrowinError (clipboard busy, file not created) or
// ConversionError (non-digit data); every GDI object, metafile and the
// clipboard are released on the way out.
SymbolResult MakeSymbol(BarcodeJob& job, HWND owner);

// The full-size picture of a job whose Pattern is set: W x H pixels.
UniqueEmf RecordSymbol(const BarcodeJob& job);

// A copy of `picture` (width x height pixels) scaled to scaledWidth x
// scaledHeight pixels, still a vector picture.
UniqueEmf ScaledCopy(HENHMETAFILE picture, int width, int height, int scaledWidth,
                     int scaledHeight);

// Empties the clipboard and places a copy of `picture` on it in the
// enhanced-metafile format. A busy clipboard is retried for about a second.
void PutOnClipboard(HENHMETAFILE picture, HWND owner);

// Writes `picture` to `path` (UTF-8), replacing an existing file only once
// the new one is complete. Failure: FileCreateMessage(path).
void SaveMetafile(HENHMETAFILE picture, const std::string& path);

}  // namespace merrowin::win
