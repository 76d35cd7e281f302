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

    std::vector<std::int32_t> MeasureText(const FontSpec& font, std::u16string_view text) override;
    ScreenFigures Screen() override;
    void PutOnClipboard(const std::vector<std::uint8_t>& metafile) override;
    void SaveFile(const std::string& path, const std::vector<std::uint8_t>& bytes) override;
    bool DirectoryExists(const std::string& folder) override;
    std::string PersonalFolder() override;

private:
    HWND owner_;
};

// A file that replaces `path` atomically once committed, written in
// pieces (the batch report); raises FileCreateMessage(path).
std::unique_ptr<ReplacingFile> CreateReplacingFile(const std::string& path);

}  // namespace merrowin::win
