// Recording a picture into an enhanced metafile through GDI, with the
// screen as reference device: one drawing unit is one screen pixel.
#pragma once

#include <optional>

#include "common/win/win_util.h"
#include "render/canvas.h"

namespace merrowin::win {

// An enhanced metafile being recorded, `width` x `height` pixels of the
// screen. Its frame is stated in .01 mm with the screen's size per pixel.
// A recording that is never finished is closed and thrown away.
class MetafileRecording {
public:
    MetafileRecording(int width, int height);
    MetafileRecording(const MetafileRecording&) = delete;
    MetafileRecording& operator=(const MetafileRecording&) = delete;
    ~MetafileRecording();

    HDC dc() const { return dc_; }
    // Ends the recording and hands over the picture.
    UniqueEmf Finish();

private:
    HDC dc_ = nullptr;
};

// The frame of a picture `width` x `height` pixels of `reference`, in .01 mm,
// each side rounded to the nearest whole number.
RECT MetafileFrame(HDC reference, int width, int height);

// The symbol drawing's canvas on a metafile recording DC.
class GdiCanvas final : public Canvas {
public:
    explicit GdiCanvas(HDC dc);
    GdiCanvas(const GdiCanvas&) = delete;
    GdiCanvas& operator=(const GdiCanvas&) = delete;
    ~GdiCanvas() override = default;

    void FillRect(const Rect& rect, Colour colour) override;
    void SetFont(std::string_view face, int charset, int height) override;
    int TextWidth(std::string_view text) override;
    void DrawString(int x, int y, std::string_view text) override;

private:
    HDC dc_;
    UniqueBrush white_;
    UniqueBrush black_;
    // Declared in this order so that the DC's own font is put back before
    // the font we created is deleted.
    UniqueFont font_;
    std::optional<SelectGuard> fontSelection_;
};

}  // namespace merrowin::win
