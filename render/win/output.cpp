#include "render/win/output.h"

#include "common/errors.h"
#include "model/symbology.h"
#include "render/layout.h"
#include "render/save_path.h"
#include "render/win/gdi_canvas.h"

namespace merrowin::win {
namespace {

// Closes the clipboard when the operation ends, however it ends.
class OpenedClipboard {
public:
    explicit OpenedClipboard(HWND owner) {
        // Another program may hold the clipboard for a moment (clipboard
        // viewers, remote-desktop sync): give it about a second.
        for (int attempt = 0; attempt < 20; ++attempt) {
            if (::OpenClipboard(owner)) return;
            ::Sleep(50);
        }
        throw MerrowinError(std::string(kClipboardMessage));
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    ~OpenedClipboard() { ::CloseClipboard(); }
};

// A file that is deleted again unless it was kept.
class TemporaryFile {
public:
    explicit TemporaryFile(std::wstring path) : path_(std::move(path)) {}
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        if (!kept_) ::DeleteFileW(path_.c_str());
    }
    const std::wstring& path() const { return path_; }
    void Keep() { kept_ = true; }

private:
    std::wstring path_;
    bool kept_ = false;
};

// The folder part of a path, "." for a bare file name.
std::wstring FolderOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return L".";
    if (slash == 0 || path[slash - 1] == L':') return path.substr(0, slash + 1);
    return path.substr(0, slash);
}

bool DirectoryExists(const std::string& folder) {
    const DWORD attributes = ::GetFileAttributesW(Widen(folder).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

UniqueEmf RecordSymbol(const BarcodeJob& job) {
    const SymbolLayout layout = LayOut(job);
    MetafileRecording recording(layout.W, layout.H);
    {
        GdiCanvas canvas(recording.dc());
        DrawSymbol(job, layout, canvas);
    }
    return recording.Finish();
}

UniqueEmf ScaledCopy(HENHMETAFILE picture, int width, int height, int scaledWidth,
                     int scaledHeight) {
    MetafileRecording recording(scaledWidth, scaledHeight);
    // The scale is set as a world transform and the picture is played into
    // its own size, (0, 0, W, H). Stretching it by the play rectangle
    // instead would depend on how the system maps a frame onto that
    // rectangle: Windows includes the rectangle's right and bottom edges,
    // Wine does not, so one of them would come out a pixel off. Played 1:1
    // and scaled by the transform, the copy is exactly Ws x Hs everywhere,
    // and identical to the picture at 100 %.
    ::SetGraphicsMode(recording.dc(), GM_ADVANCED);
    XFORM scale{};
    scale.eM11 = static_cast<FLOAT>(static_cast<double>(scaledWidth) / width);
    scale.eM22 = static_cast<FLOAT>(static_cast<double>(scaledHeight) / height);
    ::SetWorldTransform(recording.dc(), &scale);
    const RECT whole{0, 0, width, height};
    ::PlayEnhMetaFile(recording.dc(), picture, &whole);
    return recording.Finish();
}

void PutOnClipboard(HENHMETAFILE picture, HWND owner) {
    OpenedClipboard clipboard(owner);
    ::EmptyClipboard();
    UniqueEmf handed(::CopyEnhMetaFileW(picture, nullptr));
    if (!handed || !::SetClipboardData(CF_ENHMETAFILE, handed.get()))
        throw MerrowinError(std::string(kClipboardMessage));
    handed.release();  // the clipboard owns it now
}

void SaveMetafile(HENHMETAFILE picture, const std::string& path) {
    const std::wstring target = Widen(path);
    // A read-only file is not ours to replace (Wine's rename would replace
    // it all the same), and a folder of that name cannot become a file.
    const DWORD existing = ::GetFileAttributesW(target.c_str());
    if (existing != INVALID_FILE_ATTRIBUTES &&
        (existing & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        throw MerrowinError(FileCreateMessage(path));
    // Write beside the target and rename over it: a failure leaves either
    // the old file or the new one, never a half-written or vanished one.
    wchar_t temporaryName[MAX_PATH + 16] = {};
    if (!::GetTempFileNameW(FolderOf(target).c_str(), L"mrw", 0, temporaryName))
        throw MerrowinError(FileCreateMessage(path));
    TemporaryFile temporary(temporaryName);
    UniqueEmf written(::CopyEnhMetaFileW(picture, temporary.path().c_str()));
    if (!written) throw MerrowinError(FileCreateMessage(path));
    written.reset();  // closes the file
    if (!::MoveFileExW(temporary.path().c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        throw MerrowinError(FileCreateMessage(path));
    temporary.Keep();
}

SymbolResult MakeSymbol(BarcodeJob& job, HWND owner) {
    EncodeForKind(job.Kind, job.Digits, job.Pattern);
    if (job.Pattern.empty()) return SymbolResult::Nothing;
    const SymbolLayout layout = LayOut(job);
    const CopySize size = ScaledSize(layout.W, layout.H, job.CopyRate);
    // A copy without drawable area is no picture: output nothing rather
    // than an empty metafile.
    if (size.width < 1 || size.height < 1) return SymbolResult::Nothing;

    const UniqueEmf picture = RecordSymbol(job);
    const UniqueEmf copy = ScaledCopy(picture.get(), layout.W, layout.H, size.width, size.height);
    if (!job.NoClipboard) PutOnClipboard(copy.get(), owner);
    if (job.SaveFile) {
        const FolderQueries folders{DirectoryExists, [] { return PersonalFolder(""); }};
        SaveMetafile(copy.get(), ResolveSavePath(job.SaveDr, job.FileName, folders));
    }
    return SymbolResult::Produced;
}

}  // namespace merrowin::win
