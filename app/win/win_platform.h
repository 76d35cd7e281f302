// The platform of a generation run on Windows: GDI measures the text on the
// screen, the clipboard and the file system take the metafile's bytes; and
// the batch's port: the list, the ANSI code page and the report file.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "app/batch.h"
#include "app/run.h"
#include "common/win/win_util.h"

namespace merrowin::win {

class WinPlatform final : public Platform {
public:
    // `owner` becomes the clipboard's owner.
    explicit WinPlatform(HWND owner) : owner_(owner) {}

    std::vector<std::int32_t> CharacterAdvances(const FontSpec& font,
                                                std::u16string_view text) override;
    ScreenFigures Screen() override;
    void PutOnClipboard(const std::vector<std::uint8_t>& metafile) override;
    void SaveFile(const std::string& path, const std::vector<std::uint8_t>& bytes) override;
    bool DirectoryExists(const std::string& folder) override;
    std::string PersonalFolder() override;
    std::optional<std::string> Environment(const std::string& name) override;
    std::int64_t Now() override;

private:
    HWND owner_;
};

// The absolute form of `path` at any length; `path` itself when the system
// cannot form it.
std::wstring FullPath(const std::wstring& path);

// `path` as the file functions take it at any length when `extra`
// characters are added to its end (the "\\?\" form past MAX_PATH).
std::wstring ExtendedPathFor(const std::wstring& path, std::size_t extra);

// The batch's own needs of Windows: the list, the ANSI code page, full
// paths, the report file; the progress goes to the window.
class WinBatchPort final : public BatchPort {
public:
    using ProgressShown = std::function<bool(std::size_t done, std::size_t total)>;
    explicit WinBatchPort(ProgressShown progress) : progress_(std::move(progress)) {}

    std::unique_ptr<ByteSource> OpenList(const std::string& path) override;
    unsigned SystemCodePage() override;
    std::optional<std::string> Decode(unsigned codePage, std::string_view bytes) override;
    std::string FoldName(std::string_view name) override;
    std::string AbsolutePath(const std::string& path) override;
    std::unique_ptr<ReplacingFile> CreateReplacing(const std::string& path) override;
    // A batch saves thousands of files: a picture is renamed over the old
    // one without waiting for the disk first. The data is the system's once
    // written, so a killed process still leaves every file complete, old or
    // new; only a power cut can catch files the system has not yet written.
    std::optional<FileIdentity> SavePicture(const std::string& path,
                                            const std::vector<std::uint8_t>& bytes,
                                            const ReplaceQuestion& mayReplace) override;
    std::optional<FileIdentity> IdentityOf(const std::string& path) override;
    bool Progress(std::size_t done, std::size_t total) override;

private:
    ProgressShown progress_;
};

}  // namespace merrowin::win
