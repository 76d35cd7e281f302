// Fuzz target: the settings store's reading rules. The input is the text of
// every value a run reads (one per line; a line starting with byte 1 poses
// as a value of another type, an empty line as a missing one), checked
// against the rules spelled out independently here.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "common/errors.h"
#include "common/text.h"
#include "model/symbology.h"
#include "settings/load_settings.h"
#include "tests/unit/memory_store.h"

namespace {

using namespace merrowin;

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

struct Value {
    const char* name;
    std::int32_t janDefault;
    std::int32_t itfDefault;
    bool wide;
    bool janReads;
};

// In the order a run reads them for an ITF kind.
constexpr std::array<Value, 10> kValues{{
    {"BarHeight", 60, 60, true, true},
    {"TopMargin", 3, 3, false, true},
    {"BottomMargin", 3, 3, false, true},
    {"LeftMargin", 11, 3, false, true},
    {"RightMargin", 7, 3, false, true},
    {"InnerMargin", 10, 10, false, false},
    {"Gap", 2, 2, false, true},
    {"FrameWidth", 5, 5, false, false},
    {"FontSize", 18, 13, false, true},
    {"CopyRate", 100, 100, true, true},
}};

std::int32_t FieldOf(const BarcodeJob& job, std::string_view name) {
    if (name == "BarHeight") return job.BarHeight;
    if (name == "TopMargin") return job.TopMargin;
    if (name == "BottomMargin") return job.BottomMargin;
    if (name == "LeftMargin") return job.LeftMargin;
    if (name == "RightMargin") return job.RightMargin;
    if (name == "InnerMargin") return job.InnerMargin;
    if (name == "Gap") return job.Gap;
    if (name == "FrameWidth") return job.FrameWidth;
    if (name == "FontSize") return job.FontSize;
    return job.CopyRate;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const auto kind = static_cast<SymbologyKind>(data[0] % 5);
    std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    fakes::MemoryStore store;
    bool typeError = false;
    auto put = [&](std::string_view section, std::string_view name) {
        const std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
        if (line.empty()) return std::optional<std::string>{};
        if (line.front() == '\x01') {
            store.PutNonString(section, name);
            typeError = true;
            return std::optional<std::string>{};
        }
        store.Put(section, name, line);
        return std::optional<std::string>{std::string(line)};
    };
    const std::optional<std::string> def = put("Setting", "Def");
    std::array<std::optional<std::string>, kValues.size()> texts;
    const SymbologyDescriptor* symbology = Describe(kind);
    const std::string_view section = symbology ? symbology->name : std::string_view{};
    if (!section.empty())
        for (std::size_t i = 0; i < kValues.size(); ++i) texts[i] = put(section, kValues[i].name);

    BarcodeJob job;
    job.Kind = kind;
    job.SaveFile = job.NoClipboard = job.FileNameGiven = true;
    try {
        LoadSettings(job, store);
    } catch (const MerrowinError&) {
        if (!typeError) Fail("error without a value of another type");
        return 0;
    }
    if (job.SaveFile || job.NoClipboard || job.FileNameGiven) Fail("output flags not reset");
    const std::optional<std::int32_t> defNumber = def ? TryStrToInt(*def) : std::nullopt;
    const bool stored = defNumber.value_or(0) != 0;
    for (std::size_t i = 0; i < kValues.size(); ++i) {
        const Value& v = kValues[i];
        const bool itf = IsItf(kind);
        std::int32_t expected = itf ? v.itfDefault : v.janDefault;
        const bool read = stored && kind != SymbologyKind::None && (itf || v.janReads);
        if (stored && kind == SymbologyKind::None && v.name != std::string_view("InnerMargin") &&
            v.name != std::string_view("FrameWidth"))
            expected = 0;  // nothing read: the fresh job's zero stays
        if (read && texts[i]) expected = TryStrToInt(*texts[i]).value_or(expected);
        if (!v.wide) expected = static_cast<std::uint8_t>(expected);
        if (FieldOf(job, v.name) != expected) Fail(v.name);
    }
    return 0;
}
