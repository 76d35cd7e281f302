#include "maker/win/picture_view.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "common/win/win_util.h"

namespace merrowin::win {
namespace {

constexpr wchar_t kPictureClass[] = L"MerrowinPicture";

// The control's picture, kept with its window until WM_NCDESTROY.
using Bytes = std::vector<std::uint8_t>;

Bytes* PictureOf(HWND control) {
    return reinterpret_cast<Bytes*>(::GetWindowLongPtrW(control, GWLP_USERDATA));
}

LRESULT CALLBACK PictureProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCCREATE:
            ::SetWindowLongPtrW(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new Bytes));
            break;
        case WM_NCDESTROY:
            delete PictureOf(control);
            ::SetWindowLongPtrW(control, GWLP_USERDATA, 0);
            break;
        case WM_PAINT: {
            PaintScope paint(control);
            RECT client{};
            ::GetClientRect(control, &client);
            ::FillRect(paint.get(), &client, ::GetSysColorBrush(COLOR_WINDOW));
            if (const Bytes* bytes = PictureOf(control)) {
                ::InflateRect(&client, -2, -2);
                PaintPicture(paint.get(), client, *bytes, 0);
            }
            return 0;
        }
        default:
            break;
    }
    return ::DefWindowProcW(control, message, wParam, lParam);
}

}  // namespace

void PaintPicture(HDC dc, const RECT& area, const std::vector<std::uint8_t>& metafile, UINT dpi) {
    if (metafile.empty()) return;
    UniqueEmf picture(::SetEnhMetaFileBits(static_cast<UINT>(metafile.size()), metafile.data()));
    if (!picture) return;
    ENHMETAHEADER header{};
    if (!::GetEnhMetaFileHeader(picture.get(), sizeof header, &header)) return;
    const double frameWidth = header.rclFrame.right - header.rclFrame.left;
    const double frameHeight = header.rclFrame.bottom - header.rclFrame.top;
    const int areaWidth = area.right - area.left;
    const int areaHeight = area.bottom - area.top;
    if (frameWidth <= 0 || frameHeight <= 0 || areaWidth <= 0 || areaHeight <= 0) return;
    double scale = std::min(areaWidth / frameWidth, areaHeight / frameHeight);
    if (dpi) scale = std::min(scale, dpi / 2540.0);  // .01 mm at the true size
    const int width = std::max(1, static_cast<int>(frameWidth * scale));
    const int height = std::max(1, static_cast<int>(frameHeight * scale));
    const int left = area.left + (areaWidth - width) / 2;
    const int top = area.top + (areaHeight - height) / 2;
    // The frame's edges go onto the rectangle's, on Windows and Wine alike.
    const RECT target{left, top, left + width, top + height};
    ::PlayEnhMetaFile(dc, picture.get(), &target);
}

HWND CreatePictureControl(HWND parent, int id, int left, int top, int width, int height) {
    const auto instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(parent, GWLP_HINSTANCE));
    WNDCLASSEXW windowClass{};
    if (!::GetClassInfoExW(instance, kPictureClass, &windowClass)) {
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = &PictureProc;
        windowClass.hInstance = instance;
        windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        windowClass.lpszClassName = kPictureClass;
        if (!::RegisterClassExW(&windowClass)) return nullptr;
    }
    return ::CreateWindowExW(WS_EX_CLIENTEDGE, kPictureClass, L"", WS_CHILD | WS_VISIBLE, left, top,
                             width, height, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
}

void SetPicture(HWND control, std::vector<std::uint8_t> metafile) {
    if (Bytes* bytes = PictureOf(control)) *bytes = std::move(metafile);
    ::InvalidateRect(control, nullptr, TRUE);
}

}  // namespace merrowin::win
