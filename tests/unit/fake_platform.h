// A platform that records what a run asks of it, one line per call: the
// generation run's and the batch's tests share it.
#pragma once

#include <string>
#include <vector>

#include "app/run.h"
#include "common/errors.h"

namespace merrowin {

// Records what the run asks of the platform, one line per call.
class FakePlatform final : public Platform {
public:
    std::vector<std::int32_t> CharacterAdvances(const FontSpec& font,
                                                std::u16string_view text) override {
        return std::vector<std::int32_t>(text.size(), font.height / 2);
    }
    ScreenFigures Screen() override { return screen; }
    void PutOnClipboard(const std::vector<std::uint8_t>& metafile) override {
        calls.push_back("clipboard");
        if (clipboardBusy) throw MerrowinError(std::string(kClipboardMessage));
        clipboardBytes = metafile;
    }
    void SaveFile(const std::string& path, const std::vector<std::uint8_t>& bytes) override {
        calls.push_back("save " + path);
        if (diskRefuses || path == refusedPath) throw MerrowinError(FileCreateMessage(path));
        fileBytes = bytes;
    }
    bool DirectoryExists(const std::string& folder) override {
        calls.push_back("folder? " + folder);
        return folder == "C:\\Work" || folder == "D:\\Docs" || folder.starts_with("C:\\Deep\\");
    }
    std::string PersonalFolder() override {
        calls.push_back("personal");
        return "D:\\Docs";
    }
    std::optional<std::string> Environment(const std::string& name) override {
        return name == "SOURCE_DATE_EPOCH" ? sourceDateEpoch : std::nullopt;
    }
    std::int64_t Now() override { return now; }

    ScreenFigures screen{1280, 1024, 338, 270};
    bool clipboardBusy = false;
    bool diskRefuses = false;
    std::string refusedPath;  // this one file cannot be created
    std::optional<std::string> sourceDateEpoch;
    std::int64_t now = 1796716800;  // 2026-12-08 08:00 UTC
    std::vector<std::string> calls;
    std::vector<std::uint8_t> clipboardBytes;
    std::vector<std::uint8_t> fileBytes;
};

}  // namespace merrowin
