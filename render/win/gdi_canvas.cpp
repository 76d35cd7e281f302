#include "render/win/gdi_canvas.h"

#include <cstdint>
#include <cwchar>

#include "common/errors.h"

namespace merrowin::win {
namespace {

// pixels x (millimetres x 100) / pixels-per-screen, to the nearest .01 mm.
LONG PixelsToHundredthsMm(int pixels, int screenMm, int screenPixels) {
    const std::int64_t numerator = std::int64_t{pixels} * screenMm * 100;
    const std::int64_t twice = 2 * numerator + (numerator < 0 ? -screenPixels : screenPixels);
    return static_cast<LONG>(twice / (2 * std::int64_t{screenPixels}));
}

}  // namespace

RECT MetafileFrame(HDC reference, int width, int height) {
    return RECT{0, 0,
                PixelsToHundredthsMm(width, ::GetDeviceCaps(reference, HORZSIZE),
                                     ::GetDeviceCaps(reference, HORZRES)),
                PixelsToHundredthsMm(height, ::GetDeviceCaps(reference, VERTSIZE),
                                     ::GetDeviceCaps(reference, VERTRES))};
}

MetafileRecording::MetafileRecording(int width, int height) {
    ScreenDc screen;
    const RECT frame = MetafileFrame(screen.get(), width, height);
    dc_ = ::CreateEnhMetaFileW(screen.get(), nullptr, &frame, nullptr);
    if (!dc_) throw MerrowinError("メタファイルを作成できません");
}

MetafileRecording::~MetafileRecording() {
    if (dc_) ::DeleteEnhMetaFile(::CloseEnhMetaFile(dc_));
}

UniqueEmf MetafileRecording::Finish() {
    UniqueEmf picture(::CloseEnhMetaFile(dc_));
    dc_ = nullptr;
    if (!picture) throw MerrowinError("メタファイルを作成できません");
    return picture;
}

GdiCanvas::GdiCanvas(HDC dc)
    : dc_(dc),
      white_(::CreateSolidBrush(RGB(255, 255, 255))),
      black_(::CreateSolidBrush(RGB(0, 0, 0))) {}

void GdiCanvas::FillRect(const Rect& rect, Colour colour) {
    const RECT r{rect.left, rect.top, rect.right, rect.bottom};
    ::FillRect(dc_, &r, (colour == Colour::White ? white_ : black_).get());
}

void GdiCanvas::SetFont(std::string_view face, int charset, int height) {
    LOGFONTW logFont{};
    logFont.lfHeight = height;  // positive: the height of the character cell
    logFont.lfWeight = FW_NORMAL;
    logFont.lfCharSet = static_cast<BYTE>(charset);
    logFont.lfOutPrecision = OUT_DEFAULT_PRECIS;
    logFont.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    logFont.lfQuality = DEFAULT_QUALITY;
    logFont.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    const std::wstring faceName = Widen(face);
    std::wcsncpy(logFont.lfFaceName, faceName.c_str(), LF_FACESIZE - 1);

    UniqueFont font(::CreateFontIndirectW(&logFont));
    if (!font) throw MerrowinError("フォントを作成できません");
    if (fontSelection_)
        ::SelectObject(dc_, font.get());
    else
        fontSelection_.emplace(dc_, font.get());
    font_ = std::move(font);  // the previous font is no longer selected
}

int GdiCanvas::TextWidth(std::string_view text) {
    const std::wstring wide = Widen(text);
    SIZE size{};
    ::GetTextExtentPoint32W(dc_, wide.c_str(), static_cast<int>(wide.size()), &size);
    return size.cx;
}

void GdiCanvas::DrawString(int x, int y, std::string_view text) {
    const std::wstring wide = Widen(text);
    ::SetBkMode(dc_, TRANSPARENT);
    ::SetTextAlign(dc_, TA_TOP | TA_LEFT | TA_NOUPDATECP);
    ::ExtTextOutW(dc_, x, y, 0, nullptr, wide.c_str(), static_cast<UINT>(wide.size()), nullptr);
}

}  // namespace merrowin::win
