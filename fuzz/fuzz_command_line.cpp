// Fuzz target: arbitrary bytes as a whole command line, through the
// splitter, the switch, the option parser, the encoders, the drawing and the
// metafile writer. Invariants: no crash; a taken data value gives a pattern
// of the kind's shape; everything drawn stays inside the picture; the
// metafile's header states its own size and it ends with the end record.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "app/command_line.h"
#include "app/run.h"
#include "app/switches.h"
#include "common/cmdline.h"
#include "common/errors.h"
#include "model/symbology.h"
#include "render/layout.h"
#include "settings/load_settings.h"

namespace {

using namespace merrowin;

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

// Checks every call against the picture's frame; text may run off it.
class CheckingCanvas final : public Canvas {
public:
    explicit CheckingCanvas(const SymbolLayout& layout) : layout_(layout) {}
    void FillRect(const Rect& r) override {
        if (r.left > r.right || r.top > r.bottom) Fail("inverted rectangle");
        if (r.left < 0 || r.top < 0 || r.right > layout_.W || r.bottom > layout_.H)
            Fail("rectangle outside the picture");
    }
    int TextWidth(int, std::string_view text) override { return static_cast<int>(text.size()) * 9; }
    void PutText(int, int, int height, std::string_view text) override {
        if (height <= 0) Fail("bad font");
        if (text.empty() || text.size() > 33) Fail("text line length");
    }

private:
    SymbolLayout layout_;
};

const ScreenFigures kScreen{1280, 1024, 338, 270};
std::vector<std::int32_t> Measure(const FontSpec& font, std::u16string_view text) {
    return std::vector<std::int32_t>(text.size(), font.height / 2);
}

std::uint32_t U32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
           std::uint32_t{bytes[at + 3]} << 24;
}

// Walks the records: each within the metafile, the header's byte and record
// counts right, the end record last.
void CheckMetafile(const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() < 108 || U32(bytes, 0) != 1) Fail("no header first");
    if (U32(bytes, 48) != bytes.size()) Fail("header byte count");
    std::size_t at = 0;
    std::uint32_t records = 0;
    std::uint32_t last = 0;
    while (at < bytes.size()) {
        if (bytes.size() - at < 8) Fail("record cut off");
        const std::uint32_t size = U32(bytes, at + 4);
        if (size < 8 || size % 4 != 0 || size > bytes.size() - at) Fail("record size");
        last = U32(bytes, at);
        at += size;
        ++records;
    }
    if (U32(bytes, 52) != records) Fail("header record count");
    if (last != 14) Fail("no end record last");
}

struct Shape {
    std::size_t length;
    int width;
};

Shape ShapeOf(SymbologyKind kind) {
    switch (kind) {
        case SymbologyKind::Jan13:
            return {59, 190};
        case SymbologyKind::Jan8:
            return {43, 134};
        case SymbologyKind::Itf14:
            return {77, 241};
        case SymbologyKind::Itf16:
            return {87, 273};
        case SymbologyKind::PaymentSlip:
            return {157, 576};  // Start C, FNC1, 22 pairs, check, Stop: 288 modules
        case SymbologyKind::None:
            break;
    }
    return {0, 0};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string line(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> arguments = SplitCommandLine(line);
    if (arguments.size() < 2) return 0;
    arguments.erase(arguments.begin());
    const CommandLine command = ParseCommandLine(arguments);
    BarcodeJob job;
    ApplySwitch(command.symbolSwitch, job);
    try {
        if (!RunCommandLine(command.options, job, LoadBuiltInDefaults)) return 0;
        if (job.Kind == SymbologyKind::None) Fail("data taken without a symbology");
        const std::string pattern = EncodeForKind(job.Kind, job.Digits);
        const Shape shape = ShapeOf(job.Kind);
        if (pattern.size() != shape.length) Fail("pattern length");
        int sum = 0;
        for (char c : pattern) sum += c - '0';
        if (sum != shape.width) Fail("pattern width");
        const SymbolLayout layout = LayOut(job);
        // Huge sizes are legal on the command line only up to the clamps; a
        // negative bar height (/bh-9) may leave no picture at all, or one
        // whose bars run upwards: no barcode, which the run refuses.
        if (layout.W > 4000 || layout.H > 4000) Fail("picture size");
        const bool hasBars = layout.Y1 < layout.Y2;
        if (layout.W > 0 && layout.H > 0 && hasBars) {
            CheckingCanvas canvas(layout);
            DrawSymbol(job, pattern, layout, canvas);
        }
        const std::vector<std::uint8_t> metafile = MakeMetafile(job, kScreen, Measure);
        if (!metafile.empty() && !hasBars) Fail("a picture without bars went out");
        if (!metafile.empty()) CheckMetafile(metafile);
        // The file of another format (/fm): its writer and the PNG's
        // rasteriser on whatever picture the options make.
        if (job.Format != FileFormat::Emf) {
            const std::vector<std::uint8_t> file = MakeFile(job, kScreen, Measure, 0);
            if (!file.empty() && file.size() < 8) Fail("a file shorter than any header");
        }
    } catch (const MerrowinError&) {
        // A non-integer value or data character: the run stops with its message.
    }
    return 0;
}
