#include "app/win/win_platform.h"

#include <algorithm>
#include <utility>

#include "common/errors.h"
#include "common/text.h"
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
// sharing violation or access denied: `operation` is given two and a half
// seconds, as scanners on real Windows hold a new file a second or more.
// ERROR_SUCCESS, or the error of the last attempt.
template <typename Operation>
DWORD RetryWhileInUse(Operation operation) {
    constexpr int kAttempts = 50;
    for (int attempt = 1;; ++attempt) {
        if (operation()) return ERROR_SUCCESS;
        const DWORD error = ::GetLastError();
        if ((error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED) ||
            attempt == kAttempts)
            return error;
        ::Sleep(50);
    }
}

bool IsInUse(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED;
}

// Renames the temporary file over the target: ERROR_SUCCESS or why not.
DWORD ReplaceFile(const std::wstring& from, const std::wstring& to) {
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

// Whether `target` is a file we may not replace: a read-only file is the
// user's to keep, and a folder cannot become a file. Windows refuses to
// rename over a read-only file (MoveFileExW with MOVEFILE_REPLACE_EXISTING
// fails with ERROR_ACCESS_DENIED, as DeleteFileW does: "To delete a
// read-only file, first you must remove the read-only attribute", Win32
// documentation); Wine replaces it all the same, so we look first.
bool KeepsExisting(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY));
}
bool KeepsExisting(const std::wstring& target) {
    return KeepsExisting(::GetFileAttributesW(target.c_str()));
}

FileIdentity IdentityOf(const BY_HANDLE_FILE_INFORMATION& information) {
    return {information.dwVolumeSerialNumber,
            std::uint64_t{information.nFileIndexHigh} << 32 | information.nFileIndexLow};
}

// The identity of the file a path leads to; nothing when it cannot be opened.
std::optional<FileIdentity> IdentityOf(const std::wstring& path) {
    const UniqueFile file(::CreateFileW(
        path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION information{};
    if (!file || !::GetFileInformationByHandle(file.get(), &information)) return std::nullopt;
    return IdentityOf(information);
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
    // The identity the file keeps when renamed; nothing when the system
    // cannot say (the file is then taken as new).
    std::optional<FileIdentity> Identity() const {
        BY_HANDLE_FILE_INFORMATION information{};
        if (!::GetFileInformationByHandle(file_.get(), &information)) return std::nullopt;
        return IdentityOf(information);
    }

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
          temporary_(Checked(target_, failure_), failure_) {}
    void Write(std::string_view bytes) override {
        if (!temporary_.Write(bytes)) throw failure_;
    }
    bool Commit() override {
        if (!temporary_.Finish(true) || KeepsExisting(target_)) throw failure_;
        const DWORD error = ReplaceFile(temporary_.Path(), target_);
        if (IsInUse(error)) return false;
        if (error != ERROR_SUCCESS) throw failure_;
        temporary_.Keep();
        return true;
    }
    bool CommitAs(const std::string& path) override {
        const std::wstring target = ExtendedPathFor(Widen(path), 0);
        // Without MOVEFILE_REPLACE_EXISTING the rename never takes the place
        // of a file: that name is taken, the next one is tried.
        const DWORD error = RetryWhileInUse([&] {
            return ::MoveFileExW(temporary_.Path().c_str(), target.c_str(),
                                 MOVEFILE_WRITE_THROUGH) != FALSE;
        });
        if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS) return false;
        if (error != ERROR_SUCCESS) throw MerrowinError(FileCreateMessage(path));
        temporary_.Keep();
        return true;
    }

private:
    static const std::wstring& Checked(const std::wstring& target, const MerrowinError& failure) {
        if (KeepsExisting(target)) throw failure;
        return target;
    }

    MerrowinError failure_;
    std::wstring target_;
    TemporaryFile temporary_;
};

}  // namespace

namespace {

// Writes a file beside the target and renames it over the target: a
// failure leaves the old file or the new one, never a half-written or
// vanished one. With `mayReplace`, an existing target is replaced only when
// it agrees given its identity (nothing is saved otherwise). The identity
// of the new file; raises FileCreateMessage(path).
std::optional<FileIdentity> SaveReplacing(const std::string& path,
                                          const std::vector<std::uint8_t>& bytes, bool flush,
                                          const ReplaceQuestion& mayReplace) {
    const MerrowinError failure(FileCreateMessage(path));
    const std::wstring target = ExtendedPathFor(Widen(path), kTemporarySuffixLength);
    const DWORD existing = ::GetFileAttributesW(target.c_str());
    if (KeepsExisting(existing)) throw failure;
    // Only a file that is there has an identity to ask about: a batch into
    // an empty folder opens nothing more than the new file.
    if (mayReplace && existing != INVALID_FILE_ATTRIBUTES) {
        const std::optional<FileIdentity> existing = IdentityOf(target);
        if (existing && !mayReplace(*existing)) return std::nullopt;
    }
    TemporaryFile temporary(target, failure);
    const std::optional<FileIdentity> made = temporary.Identity();
    const std::string_view data(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (!temporary.Write(data) || !temporary.Finish(flush) ||
        ReplaceFile(temporary.Path(), target) != ERROR_SUCCESS)
        throw failure;
    temporary.Keep();
    return made.value_or(FileIdentity{});
}

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
    SaveReplacing(path, bytes, true, nullptr);
}

bool WinPlatform::DirectoryExists(const std::string& folder) {
    const DWORD attributes = ::GetFileAttributesW(ExtendedPathFor(Widen(folder), 0).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string WinPlatform::PersonalFolder() {
    return win::PersonalFolder("");
}

std::optional<std::string> WinPlatform::Environment(const std::string& name) {
    const std::wstring wideName = Widen(name);
    // The size with the terminating null; 0 when the variable is not set.
    DWORD size = ::GetEnvironmentVariableW(wideName.c_str(), nullptr, 0);
    while (size > 0) {
        std::wstring value(size, L'\0');
        const DWORD written = ::GetEnvironmentVariableW(wideName.c_str(), value.data(), size);
        if (written < size) {
            value.resize(written);
            return Narrow(value);
        }
        size = written;  // it grew meanwhile
    }
    return std::nullopt;
}

std::int64_t WinPlatform::Now() {
    // 100-ns intervals since 1601-01-01 UTC; 11644473600 s lie between
    // that and 1970-01-01.
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    const std::int64_t ticks =
        static_cast<std::int64_t>((std::uint64_t{now.dwHighDateTime} << 32) | now.dwLowDateTime);
    return ticks / 10000000 - 11644473600;
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

unsigned WinBatchPort::SystemCodePage() {
    return ::GetACP();
}

std::optional<std::string> WinBatchPort::Decode(unsigned codePage, std::string_view bytes) {
    // MB_ERR_INVALID_CHARS: a byte sequence that is no character of the
    // code page fails the call rather than becoming a default character.
    const int size = static_cast<int>(bytes.size());
    const int length =
        ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
    if (length <= 0) return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), size, wide.data(), length);
    return Narrow(wide);
}

std::string WinBatchPort::FoldName(std::string_view name) {
    // NTFS and FAT compare names through the system's upper-case table.
    // LCMapStringEx upper-cases by the file system's rules unless asked for
    // linguistic casing ("LCMAP_LINGUISTIC_CASING: Use linguistic rules for
    // casing, instead of file system rules (default)", Win32 documentation),
    // the table CompareStringOrdinal's case-blind compare uses too (Wine's
    // test_CompareStringOrdinal checks it against RtlUpcaseUnicodeChar).
    const std::wstring wide = Widen(name);
    if (wide.empty()) return {};
    const int size = static_cast<int>(wide.size());
    std::wstring upper(wide.size(), L'\0');
    if (::LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, wide.c_str(), size, upper.data(),
                        size, nullptr, nullptr, 0) != size)
        return AsciiLower(name);
    return Narrow(upper);
}

std::string WinBatchPort::AbsolutePath(const std::string& path) {
    return Narrow(FullPath(Widen(path.empty() ? "." : path)));
}

std::unique_ptr<ReplacingFile> WinBatchPort::CreateReplacing(const std::string& path) {
    return std::make_unique<ReplacingTemporaryFile>(path);
}

std::optional<FileIdentity> WinBatchPort::SavePicture(const std::string& path,
                                                      const std::vector<std::uint8_t>& bytes,
                                                      const ReplaceQuestion& mayReplace) {
    return SaveReplacing(path, bytes, false, mayReplace);
}

std::optional<FileIdentity> WinBatchPort::IdentityOf(const std::string& path) {
    return win::IdentityOf(ExtendedPathFor(Widen(path), 0));
}

bool WinBatchPort::Progress(std::size_t done, std::size_t total) {
    return progress_(done, total);
}

}  // namespace merrowin::win
