#include "common/win/clipboard.h"

namespace merrowin::win {

OpenedClipboard::OpenedClipboard(HWND owner) {
    for (int attempt = 0; attempt < 20 && !open_; ++attempt) {
        if (attempt > 0) ::Sleep(50);
        open_ = ::OpenClipboard(owner) != FALSE;
    }
}

}  // namespace merrowin::win
