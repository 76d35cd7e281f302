// Functions of system DLLs that only some paths of the program need, found
// when first used instead of at start.
#pragma once

#include <windows.h>

namespace merrowin::win {

// A function of a system DLL, loaded when first needed: linking shell32 and
// ole32 (with everything they bring along) would load them in every
// generation run, a good part of its start-up time. Null when the DLL or
// the function is not there.
template <typename Function>
Function* LoadSystemFunction(const wchar_t* dll, const char* name) {
    HMODULE module = ::LoadLibraryW(dll);  // stays loaded until the process ends
    if (!module) return nullptr;
    return reinterpret_cast<Function*>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

// Holds off the end of the Windows session, with a reason Windows shows the
// user, while it lives: "Applications should call this function as they
// begin an operation that cannot be interrupted ... When the operation has
// completed, call the ShutdownBlockReasonDestroy function to indicate that
// the system can be shut down" (ShutdownBlockReasonCreate, Win32
// documentation). Both calls only work from the thread that made the
// window. Loaded at run time like the functions above; where user32 lacks
// them nothing is blocked.
class ScopedShutdownBlockReason {
public:
    ScopedShutdownBlockReason() = default;
    ScopedShutdownBlockReason(const ScopedShutdownBlockReason&) = delete;
    ScopedShutdownBlockReason& operator=(const ScopedShutdownBlockReason&) = delete;
    ~ScopedShutdownBlockReason() { Destroy(); }

    void Create(HWND window, const wchar_t* reason) {
        if (window_) return;
        auto* const create = LoadSystemFunction<decltype(::ShutdownBlockReasonCreate)>(
            L"user32.dll", "ShutdownBlockReasonCreate");
        if (create && create(window, reason)) window_ = window;
    }
    void Destroy() {
        if (!window_) return;
        auto* const destroy = LoadSystemFunction<decltype(::ShutdownBlockReasonDestroy)>(
            L"user32.dll", "ShutdownBlockReasonDestroy");
        if (destroy) destroy(window_);
        window_ = nullptr;
    }

private:
    HWND window_ = nullptr;
};

}  // namespace merrowin::win
