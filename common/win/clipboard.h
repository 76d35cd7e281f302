// The clipboard as a scoped resource: opened by the output and by the
// settings window's paste filter.
#pragma once

#include <windows.h>

namespace merrowin::win {

// The clipboard, open for `owner` while the object lives. Another program
// may hold it for a moment (clipboard viewers, remote-desktop sync), so the
// opening waits about a second for it; IsOpen() says whether it came.
class OpenedClipboard {
public:
    explicit OpenedClipboard(HWND owner);
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    ~OpenedClipboard() {
        if (open_) ::CloseClipboard();
    }
    bool IsOpen() const { return open_; }

private:
    bool open_ = false;
};

}  // namespace merrowin::win
