// hold_clipboard EVENT CLASS MS
// Another program that keeps the clipboard open: opens it, sets the named
// event EVENT, waits for a top-level window of class CLASS to appear (the
// program that will want the clipboard), keeps the clipboard MS milliseconds
// longer and closes it. Exit code 0, or 1 when the clipboard could not be
// opened or the window never came.
#include <windows.h>

#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) return 2;
    bool open = false;
    for (int attempt = 0; attempt < 300 && !open; ++attempt) {
        open = ::OpenClipboard(nullptr) != FALSE;
        if (!open) ::Sleep(10);
    }
    if (!open) return 1;
    if (HANDLE ready = ::OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[1])) {
        ::SetEvent(ready);
        ::CloseHandle(ready);
    }
    bool seen = false;
    for (int attempt = 0; attempt < 2000 && !seen; ++attempt) {
        seen = ::FindWindowW(argv[2], nullptr) != nullptr;
        if (!seen) ::Sleep(10);
    }
    ::Sleep(static_cast<DWORD>(std::wcstoul(argv[3], nullptr, 10)));
    ::CloseClipboard();
    return seen ? 0 : 1;
}
