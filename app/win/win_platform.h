// The platform of a generation run on Windows: GDI measures the text on the
// screen, the clipboard and the file system take the metafile's bytes.
#pragma once

#include <memory>
#include <string>

#include "app/batch.h"
#include "app/run.h"
#include "common/win/win_util.h"

namespace merrowin::win {

class WinPlatform final : public Platform {
public:
    // `owner` becomes the clipboard's owner.
    explicit WinPlatform(HWND owner) : owner_(owner) {}
    // A batch saves thousands of files: with `flushEachFile` false a file
    // is renamed over the old one without waiting for the disk first. The
    // data is the system's once written, so a killed process still leaves
    // every file complete, old or new; only a power cut can catch files the
    // system has not yet written out.
    WinPlatform(HWND owner, bool flushEachFile) : owner_(owner), flushEachFile_(flushEachFile) {}

    std::vector<std::int32_t> CharacterAdvances(const FontSpec& font,
                                                std::u16string_view text) override;
    ScreenFigures Screen() override;
    void PutOnClipboard(const std::vector<std::uint8_t>& metafile) override;
    void SaveFile(const std::string& path, const std::vector<std::uint8_t>& bytes) override;
    bool DirectoryExists(const std::string& folder) override;
    std::string PersonalFolder() override;

private:
    HWND owner_;
    bool flushEachFile_ = true;
};

// The absolute form of `path` at any length; `path` itself when the system
// cannot form it.
std::wstring FullPath(const std::wstring& path);

// `path` as the file functions take it at any length when `extra`
// characters are added to its end (the "\\?\" form past MAX_PATH).
std::wstring ExtendedPathFor(const std::wstring& path, std::size_t extra);

// A file that replaces `path` atomically once committed, written in
// pieces (the batch report); raises FileCreateMessage(path).
std::unique_ptr<ReplacingFile> CreateReplacingFile(const std::string& path);

}  // namespace merrowin::win
