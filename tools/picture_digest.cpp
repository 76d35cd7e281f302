// Prints one line per command line of a fixed set: the command, the default
// file name and, for the metafile and each file format (/fm emf, eps, pdf,
// svg, png), the size and hash of the bytes the core makes for it (or the
// error it raises). Run it before and after a change that must not change any
// picture, and compare the two outputs: `diff` names each command whose
// picture moved. Text is measured by a fixed rule (half the font height a
// character), so the output depends on the core alone.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/run.h"
#include "app/switches.h"
#include "common/errors.h"
#include "settings/load_settings.h"

namespace {

using namespace merrowin;

struct Data {
    const char* switches[3];
    const char* digits;
};

// Every switch with data of its kind.
constexpr Data kData[] = {
    {{"/j13", "/j13b", "/j13t"}, "490123456789"},
    {{"/j8", "/j8b", "/j8f"}, "4901234"},
    {{"/i14", "/i14f", "/i14h"}, "1490123456789"},
    {{"/i16", "/i16f", "/i16h"}, "149012345678901"},
};

// Option sets applied to every switch: sizes, print options, and the
// options that change the data.
constexpr const char* kOptionSets[] = {
    "",
    "/no",
    "/bh",
    "/bh05",
    "/bh100",
    "/bh999",
    "/tm0 /bm0",
    "/tm20 /bm20",
    "/lm0 /rm0",
    "/lm30 /rm30",
    "/im00",
    "/im55",
    "/fw1",
    "/fw15",
    "/gp0",
    "/gp20",
    "/fs",
    "/fs05",
    "/fs28",
    "/cr",
    "/cr50",
    "/cr250",
    "/cr500",
    "/cr0",
    "/mw10",
    "/mw26",
    "/mw33",
    "/mw100",
    "/mw200 /cr500",
    "/dp203",
    "/dp300",
    "/dp600",
    "/dp1200",
    "/dp2400",
    "/dp600 /bw20",
    "/dp1200 /bw15 /mw26",
    "/bw15",
    "/bw30 /mw50",
    "/ol",
    "/ol /dp600",
    "/ol /no",
    "/ol /fs28 /gp20",
    "/mw26 /dp300 /bw30 /ol",
    "/ad12",
    "/ad12345",
    "/ad12345 /ol",
    "/ad54 /dp600 /bw20",
    "/ad12 /no",
    "/id3",
    "/id3 /dp600",
    "/id8 /ol",
    "/fl",
    "/flname",
    "/fl /cd4901234567894",
};

constexpr ScreenFigures kScreens[] = {
    {1024, 768, 271, 203},
    {1920, 1080, 508, 286},
    {3840, 2160, 600, 340},
};

std::uint64_t Fnv1a(const std::vector<std::uint8_t>& bytes) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const std::uint8_t byte : bytes) {
        hash ^= byte;
        hash *= 1099511628211ull;
    }
    return hash;
}

// The size and hash of the bytes `make` returns, or the error it raises.
template <class Make>
std::string Hashed(const Make& make) {
    try {
        const std::vector<std::uint8_t> bytes = make();
        char hash[17];
        std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(Fnv1a(bytes)));
        return std::to_string(bytes.size()) + " " + hash;
    } catch (const MerrowinError& error) {
        return std::string("error: ") + error.what();
    }
}

std::vector<std::string> Split(const std::string& line) {
    std::vector<std::string> words;
    std::string word;
    for (const char c : line + ' ') {
        if (c != ' ') {
            word += c;
        } else if (!word.empty()) {
            words.push_back(word);
            word.clear();
        }
    }
    return words;
}

// Every file made on one day, so the PDF's dates stay put.
constexpr std::int64_t kMadeAt = 1796716800;  // 2026-12-08 08:00 UTC

// The digest line of one command line on one screen.
std::string Digest(const std::string& line, const ScreenFigures& screen) {
    const CommandLine command = ParseCommandLine(Split(line));
    const TextMeasurer measure = [](const FontSpec& font, std::u16string_view text) {
        return std::vector<std::int32_t>(text.size(), font.height / 2);
    };
    try {
        BarcodeJob job;
        if (!ApplySwitch(command.symbolSwitch, job)) return "no switch";
        if (!RunCommandLine(command.options, job, LoadBuiltInDefaults)) return "no data";
        std::string digest = job.FileName;
        digest += " emf ";
        digest += Hashed([&] { return MakeMetafile(job, screen, measure); });
        for (const FileFormat format :
             {FileFormat::Eps, FileFormat::Pdf, FileFormat::Svg, FileFormat::Png}) {
            BarcodeJob file = job;
            file.Format = format;
            digest += ' ';
            digest += InfoOf(format).name;
            digest += ' ';
            digest += Hashed([&] { return MakeFile(file, screen, measure, kMadeAt); });
        }
        return digest;
    } catch (const MerrowinError& error) {
        return std::string("error: ") + error.what();
    }
}

}  // namespace

int main() {
    for (const ScreenFigures& screen : kScreens)
        for (const Data& data : kData)
            for (const char* sw : data.switches)
                for (const char* options : kOptionSets) {
                    std::string line = std::string(sw) + " /cd" + data.digits;
                    if (*options) line += std::string(" ") + options;
                    // A carton code is made from a JAN.
                    if (std::string(options).find("/id") != std::string::npos)
                        line = std::string(sw) + " " + options + " /cd4901234567894";
                    std::printf("%dx%d %s\t%s\n", screen.widthPixels, screen.heightPixels,
                                line.c_str(), Digest(line, screen).c_str());
                }
    // The book code: two JAN-13 tiers and the text beside them.
    for (const ScreenFigures& screen : kScreens)
        for (const char* options : kOptionSets) {
            std::string line = "/bk /cd978-4-949999-12-0 /cc0193 /pr820";
            if (*options) line += std::string(" ") + options;
            std::printf("%dx%d %s\t%s\n", screen.widthPixels, screen.heightPixels, line.c_str(),
                        Digest(line, screen).c_str());
        }
    // The payment slip: GS1-128 within 60 mm and its two lines (its
    // refusals of a module that does not fit are digested as errors).
    for (const ScreenFigures& screen : kScreens)
        for (const char* options : kOptionSets) {
            std::string line = "/cv /cd9191234501234567890123456789010103310123000";
            if (*options) line += std::string(" ") + options;
            std::printf("%dx%d %s\t%s\n", screen.widthPixels, screen.heightPixels, line.c_str(),
                        Digest(line, screen).c_str());
        }
}
