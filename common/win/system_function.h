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

}  // namespace merrowin::win
