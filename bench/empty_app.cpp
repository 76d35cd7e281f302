// The platform floor for whole-process timings: a Win32 GUI program built
// like merrowin.exe that creates one window and ends.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = instance;
    wc.lpszClassName = L"EmptyApp";
    RegisterClassW(&wc);
    HWND window = CreateWindowExW(0, wc.lpszClassName, L"Empty", WS_POPUP, 0, 0, 248, 40, nullptr,
                                  nullptr, instance, nullptr);
    DestroyWindow(window);
    return 0;
}
