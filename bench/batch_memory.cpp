// Peak memory of a batch in the core: LINES distinct JAN-13 numbers, each
// its own file name, through RunBatch with a port that generates the list
// on the fly and discards the files and the report. Prints the peak
// resident set in KB, so that runs of different lengths can be compared.
//   batch_memory LINES
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "app/batch.h"
#include "settings/load_settings.h"

namespace {

using namespace merrowin;

class GeneratedList final : public ByteSource {
public:
    explicit GeneratedList(long lines) : lines_(lines) {}
    std::size_t Read(std::uint8_t* buffer, std::size_t size) override {
        std::size_t done = 0;
        while (done + 16 <= size && next_ < lines_) {
            char line[32];
            std::snprintf(line, sizeof line, "49%010ld\n", next_++);
            std::memcpy(buffer + done, line, 13);
            done += 13;
        }
        return done;
    }

private:
    long lines_;
    long next_ = 0;
};

class DiscardingPlatform final : public Platform {
public:
    std::vector<std::int32_t> CharacterAdvances(const FontSpec& font,
                                                std::u16string_view text) override {
        return std::vector<std::int32_t>(text.size(), font.height * 6 / 10);
    }
    ScreenFigures Screen() override { return {1280, 1024, 338, 270}; }
    void PutOnClipboard(const std::vector<std::uint8_t>&) override {}
    void SaveFile(const std::string&, const std::vector<std::uint8_t>&) override {
    }  // not a batch's
    bool DirectoryExists(const std::string&) override { return false; }
    std::string PersonalFolder() override { return {}; }
    std::optional<std::string> Environment(const std::string&) override { return std::nullopt; }
    std::int64_t Now() override { return 0; }
};

class DiscardingPort final : public BatchPort {
public:
    explicit DiscardingPort(long lines) : lines_(lines) {}
    std::unique_ptr<ByteSource> OpenList(const std::string&) override {
        return std::make_unique<GeneratedList>(lines_);
    }
    unsigned SystemCodePage() override { return 932; }
    std::optional<std::string> Decode(unsigned, std::string_view) override { return std::nullopt; }
    std::string FoldName(std::string_view name) override { return std::string(name); }
    std::string AbsolutePath(const std::string& path) override { return path; }
    std::unique_ptr<ReplacingFile> CreateReplacing(const std::string&) override {
        struct Discard final : ReplacingFile {
            void Write(std::string_view) override {}
            bool Commit() override { return true; }
            bool CommitAs(const std::string&) override { return true; }
        };
        return std::make_unique<Discard>();
    }
    std::optional<FileIdentity> SavePicture(const std::string&, const std::vector<std::uint8_t>&,
                                            const ReplaceQuestion&) override {
        return FileIdentity{1, ++files_};
    }
    std::optional<FileIdentity> IdentityOf(const std::string&) override { return std::nullopt; }
    bool Progress(std::size_t, std::size_t) override { return true; }

private:
    long lines_;
    std::uint64_t files_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    const long lines = argc > 1 ? std::atol(argv[1]) : 1000;
    DiscardingPlatform platform;
    DiscardingPort port(lines);
    const BatchOutcome outcome =
        RunBatch(ParseCommandLine({"/j13", "/btlist.csv"}), LoadBuiltInDefaults, platform, port);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%ld %zu\n", usage.ru_maxrss, outcome.made);
    return outcome.made == static_cast<std::size_t>(lines) ? 0 : 1;
}
