#include "app/win/win_platform.h"

#include <algorithm>
#include <utility>

#include "common/errors.h"
#include "common/win/clipboard.h"

namespace merrowin::win {
namespace {

// CreateDirectoryW's limit, the lowest of the file functions' (MAX_PATH
// less room for an 8.3 file name); longer paths need the "\\?\" form
// unless the system was set up for long paths.
constexpr std::size_t kShortPathLimit = MAX_PATH - 12;

}  // namespace

// The absolute form of `path` at any length; `path` itself when the system
// cannot form it.
std::wstring FullPath(const std::wstring& path) {
    std::wstring full(path.size() + MAX_PATH, L'\0');
    for (;;) {
        const DWORD n =
            ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (n == 0) return path;
        if (n < full.size()) {
            full.resize(n);
            return full;
        }
        full.resize(n);  // n counts the terminating zero when the buffer was too small
    }
}

// `path` as the file functions take it at any length, when `extra`
// characters are added to its end: paths of MAX_PATH - 12 characters and
// more become absolute "\\?\" paths (UNC paths "\\?\UNC\server\share\...");
// shorter ones stay as they are.
std::wstring ExtendedPathFor(const std::wstring& path, std::size_t extra) {
    if (path.starts_with(L"\\\\?\\") || path.starts_with(L"\\\\.\\")) return path;
    const std::wstring full = FullPath(path);
    if (full.size() + extra < kShortPathLimit) return path;
    // "\\?\" turns off the system's parsing of the path: it takes only an
    // absolute path with backslashes, which GetFullPathNameW has made
    // ("Naming Files, Paths, and Namespaces", Win32 documentation).
    if (full.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

namespace {

// What the temporary file's name adds to the target's: ".merrowin-XXXXXXXX.tmp".
constexpr std::size_t kTemporarySuffixLength = 22;
// The longest file name (one path component) NTFS and FAT32 take.
constexpr std::size_t kMaxComponentLength = 255;

// Splits a path at its last backslash or slash: (folder with its separator,
// file name).
std::pair<std::wstring, std::wstring> SplitFileName(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return {L"", path};
    return {path.substr(0, slash + 1), path.substr(slash + 1)};
}

std::wstring Hex(DWORD value) {
    constexpr wchar_t kDigits[] = L"0123456789abcdef";
    std::wstring text(8, L'0');
    for (int i = 7; i >= 0; --i, value >>= 4)
        text[static_cast<std::size_t>(i)] = kDigits[value & 15];
    return text;
}

// Another program that has a file open for a moment (a virus scanner, the
// search indexer, Explorer's preview) makes a rename or a delete fail with a
// sharing violation or access denied: `operation` is given about a second.
template <typename Operation>
bool RetryWhileInUse(Operation operation) {
    for (int attempt = 0; attempt < 20; ++attempt) {
        if (operation()) return true;
        const DWORD error = ::GetLastError();
        if (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED) return false;
        ::Sleep(50);
    }
    return false;
}

// Renames the temporary file over the target.
bool ReplaceFile(const std::wstring& from, const std::wstring& to) {
    return RetryWhileInUse([&] {
        return ::MoveFileExW(from.c_str(), to.c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
    });
}

// Deletes a temporary file that was not kept, so that a scanner looking at
// it does not make it stay behind.
void DeleteWithRetry(const std::wstring& path) {
    RetryWhileInUse([&] { return ::DeleteFileW(path.c_str()) != FALSE; });
}

// A new file beside a target, named after it ("label.emf.merrowin-XXXXXXXX.tmp",
// so that one left by a power cut says what it was and that it may go),
// deleted again unless it was kept.
class TemporaryFile {
public:
    // Creates the file, trying other names while one is taken. Throws
    // `failure` when no file can be created there.
    TemporaryFile(const std::wstring& target, const MerrowinError& failure) {
        auto [folder, name] = SplitFileName(target);
        if (name.size() + kTemporarySuffixLength > kMaxComponentLength) {
            name.resize(kMaxComponentLength - kTemporarySuffixLength);
            if (IS_HIGH_SURROGATE(name.back())) name.pop_back();
        }
        const DWORD seed = ::GetCurrentProcessId() * 2654435761u ^ ::GetTickCount();
        for (DWORD attempt = 0; attempt < 100; ++attempt) {
            path_ = folder + name + L".merrowin-" + Hex(seed + attempt) + L".tmp";
            file_ = UniqueFile(::CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                             FILE_ATTRIBUTE_NORMAL, nullptr));
            if (file_) return;
            const DWORD error = ::GetLastError();
            if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
        }
        path_.clear();
        throw failure;
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        file_.Close();
        if (!kept_ && !path_.empty()) DeleteWithRetry(path_);
    }

    // Writes bytes at the end of the file; false when the disk refused
    // (full, removed, failing).
    bool Write(std::string_view bytes) {
        while (!bytes.empty()) {
            const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1 << 20));
            DWORD written = 0;
            if (!::WriteFile(file_.get(), bytes.data(), chunk, &written, nullptr) || written == 0)
                return false;
            bytes.remove_prefix(written);
        }
        return true;
    }
    // Puts what was written on the disk (unless `flush` is false) and
    // closes the file; false when the system reports that a write failed.
    bool Finish(bool flush) {
        if (flush && !::FlushFileBuffers(file_.get())) return false;
        return file_.Close();
    }
    const std::wstring& Path() const { return path_; }
    void Keep() { kept_ = true; }

private:
    UniqueFile file_;
    std::wstring path_;
    bool kept_ = false;
};

}  // namespace

namespace {

// The batch report: written beside its target in pieces, then put on the
// disk and renamed over it as SaveFile does with a picture.
class ReplacingTemporaryFile final : public ReplacingFile {
public:
    explicit ReplacingTemporaryFile(const std::string& path)
        : failure_(FileCreateMessage(path)),
          target_(ExtendedPathFor(Widen(path), kTemporarySuffixLength)),
          temporary_(target_, failure_) {}
    void Write(std::string_view bytes) override {
        if (!temporary_.Write(bytes)) throw failure_;
    }
    void Commit() override {
        if (!temporary_.Finish(true) || !ReplaceFile(temporary_.Path(), target_)) throw failure_;
        temporary_.Keep();
    }

private:
    MerrowinError failure_;
    std::wstring target_;
    TemporaryFile temporary_;
};

}  // namespace

std::vector<std::int32_t> WinPlatform::CharacterAdvances(const FontSpec& font,
                                                         std::u16string_view text) {
    std::vector<std::int32_t> advances(text.size(), 0);
    if (text.empty()) return advances;
    LOGFONTW logFont{};
    logFont.lfHeight = font.height;  // positive: the height of the character cell
    logFont.lfWeight = FW_NORMAL;
    logFont.lfCharSet = static_cast<BYTE>(font.charset);
    logFont.lfQuality = DEFAULT_QUALITY;
    logFont.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    SetFaceName(logFont, font.face);
    const UniqueFont created(::CreateFontIndirectW(&logFont));
    if (!created) throw MerrowinError(std::string(kFontMessage));

    const std::wstring wide(text.begin(), text.end());
    std::vector<INT> ends(wide.size(), 0);
    ScreenDc screen;
    {
        SelectGuard selected(screen.get(), created.get());
        SIZE size{};
        // Without a fit count the extent limit is ignored and every
        // character's end is reported. A failed measurement is the font's
        // failure: digits of no width would make a wrong picture.
        if (!::GetTextExtentExPointW(screen.get(), wide.c_str(), static_cast<int>(wide.size()), 0,
                                     nullptr, ends.data(), &size))
            throw MerrowinError(std::string(kFontMessage));
    }
    for (std::size_t i = 0; i < ends.size(); ++i) advances[i] = ends[i] - (i ? ends[i - 1] : 0);
    return advances;
}

ScreenFigures WinPlatform::Screen() {
    ScreenDc screen;
    return {::GetDeviceCaps(screen.get(), HORZRES), ::GetDeviceCaps(screen.get(), VERTRES),
            ::GetDeviceCaps(screen.get(), HORZSIZE), ::GetDeviceCaps(screen.get(), VERTSIZE)};
}

void WinPlatform::PutOnClipboard(const std::vector<std::uint8_t>& metafile) {
    UniqueEmf picture(::SetEnhMetaFileBits(static_cast<UINT>(metafile.size()), metafile.data()));
    if (!picture) throw MerrowinError(std::string(kClipboardMessage));
    OpenedClipboard clipboard(owner_);
    if (!clipboard.IsOpen()) throw MerrowinError(std::string(kClipboardMessage));
    ::EmptyClipboard();
    if (!::SetClipboardData(CF_ENHMETAFILE, picture.get()))
        throw MerrowinError(std::string(kClipboardMessage));
    picture.release();  // the clipboard owns it now
}

void WinPlatform::SaveFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    const MerrowinError failure(FileCreateMessage(path));
    const std::wstring target = ExtendedPathFor(Widen(path), kTemporarySuffixLength);
    // A read-only file is not ours to replace (Wine's rename would replace
    // it all the same), and a folder of that name cannot become a file.
    const DWORD existing = ::GetFileAttributesW(target.c_str());
    if (existing != INVALID_FILE_ATTRIBUTES &&
        (existing & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        throw failure;
    // Written beside the target and renamed over it: a failure leaves the
    // old file or the new one, never a half-written or vanished one.
    TemporaryFile temporary(target, failure);
    const std::string_view data(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (!temporary.Write(data) || !temporary.Finish(flushEachFile_) ||
        !ReplaceFile(temporary.Path(), target))
        throw failure;
    temporary.Keep();
}

bool WinPlatform::DirectoryExists(const std::string& folder) {
    const DWORD attributes = ::GetFileAttributesW(ExtendedPathFor(Widen(folder), 0).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string WinPlatform::PersonalFolder() {
    return win::PersonalFolder("");
}

namespace {

// A list file read in chunks.
class FileSource final : public ByteSource {
public:
    FileSource(UniqueFile file, std::string path)
        : file_(std::move(file)), path_(std::move(path)) {}
    std::size_t Read(std::uint8_t* buffer, std::size_t size) override {
        DWORD got = 0;
        if (!::ReadFile(file_.get(), buffer,
                        static_cast<DWORD>(std::min<std::size_t>(size, 1 << 20)), &got, nullptr))
            throw MerrowinError(ListOpenMessage(path_));
        return got;
    }

private:
    UniqueFile file_;
    std::string path_;
};

}  // namespace

std::unique_ptr<ByteSource> WinBatchPort::OpenList(const std::string& path) {
    // Others may keep the list open in Excel: share reading and writing.
    UniqueFile file(::CreateFileW(ExtendedPathFor(Widen(path), 0).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) return nullptr;
    BY_HANDLE_FILE_INFORMATION information{};
    if (!::GetFileInformationByHandle(file.get(), &information) ||
        (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return nullptr;
    return std::make_unique<FileSource>(std::move(file), path);
}

std::optional<std::string> WinBatchPort::DecodeAnsi(std::string_view bytes) {
    // MB_ERR_INVALID_CHARS: a byte sequence that is no character of the
    // code page fails the call rather than becoming a default character.
    const int size = static_cast<int>(bytes.size());
    const int length =
        ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
    if (length <= 0) return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(), size, wide.data(), length);
    return Narrow(wide);
}

std::string WinBatchPort::AbsolutePath(const std::string& path) {
    return Narrow(FullPath(Widen(path.empty() ? "." : path)));
}

std::unique_ptr<ReplacingFile> WinBatchPort::CreateReplacing(const std::string& path) {
    return std::make_unique<ReplacingTemporaryFile>(path);
}

bool WinBatchPort::Progress(std::size_t done, std::size_t total) {
    return progress_(done, total);
}

}  // namespace merrowin::win
