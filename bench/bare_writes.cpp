// The floor of a batch: a bare Win32 program that writes COUNT files of
// SIZE bytes into FOLDER with the calls a batch makes for each picture
// (full path, attributes of the target, a new temporary file beside it,
// write, close, rename over the target; FlushFileBuffers before the close
// when FLUSH is 1), and nothing else.
//   bare_writes.exe FOLDER COUNT SIZE FLUSH
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

int wmain(int argc, wchar_t** argv) {
    if (argc < 5) return 2;
    const std::wstring folder = argv[1];
    const int count = _wtoi(argv[2]);
    const std::vector<char> bytes(static_cast<std::size_t>(_wtoi(argv[3])), 'x');
    const bool flush = _wtoi(argv[4]) != 0;
    for (int i = 0; i < count; ++i) {
        wchar_t name[32];
        wsprintfW(name, L"\\49%010d.emf", i);
        const std::wstring target = folder + name;
        wchar_t full[MAX_PATH];
        ::GetFullPathNameW(target.c_str(), MAX_PATH, full, nullptr);
        ::GetFileAttributesW(target.c_str());
        const std::wstring temporary = target + L".merrowin-00000000.tmp";
        const HANDLE file = ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return 1;
        DWORD written = 0;
        ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        if (flush) ::FlushFileBuffers(file);
        ::CloseHandle(file);
        if (!::MoveFileExW(temporary.c_str(), target.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return 1;
    }
    return 0;
}
