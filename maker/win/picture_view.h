// A metafile's picture on screen: played centred into an area, its aspect
// kept, and a small child control that shows one (the settings window's
// preview).
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace merrowin::win {

// Plays the metafile centred into `area`: at its true size at `dpi` (the
// frame's millimetres) where that fits, else as large as fits; with `dpi`
// 0 always as large as fits. Nothing for bytes that are no metafile.
void PaintPicture(HDC dc, const RECT& area, const std::vector<std::uint8_t>& metafile, UINT dpi);

// A child control showing a metafile on white, scaled to fit.
HWND CreatePictureControl(HWND parent, int id, int left, int top, int width, int height);
// Replaces the control's picture; empty bytes leave it white.
void SetPicture(HWND control, std::vector<std::uint8_t> metafile);

}  // namespace merrowin::win
