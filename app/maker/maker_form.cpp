#include "app/maker/maker_form.h"

#include <algorithm>
#include <utility>

#include "app/switches.h"
#include "common/errors.h"
#include "common/text.h"
#include "model/data_field.h"
#include "model/payment_slip.h"
#include "model/symbology.h"
#include "render/print_grid.h"
#include "render/slip_layout.h"
#include "settings/load_settings.h"
#include "settings/schema.h"
#include "settings/working_copy.h"

namespace merrowin {
namespace {

// clang-format off
constexpr MakerStyle kJan13Styles[] = {
    {"/j13",  "ガードバーを長く、数字を分けて"},
    {"/j13b", "バーは同じ高さ、数字は中央に"},
    {"/j13t", "数字の前に T"},
};
constexpr MakerStyle kJan8Styles[] = {
    {"/j8",  "ガードバーを長く、数字を分けて"},
    {"/j8b", "バーは同じ高さ、数字は中央に"},
    {"/j8f", "数字の前に F"},
};
constexpr MakerStyle kItf14Styles[] = {
    {"/i14",  "ベアラーフレームなし"},
    {"/i14f", "ベアラーフレーム付き"},
    {"/i14h", "ベアラーバーを上と下だけ"},
};
constexpr MakerStyle kItf16Styles[] = {
    {"/i16",  "ベアラーフレームなし"},
    {"/i16f", "ベアラーフレーム付き"},
    {"/i16h", "ベアラーバーを上と下だけ"},
};
constexpr MakerStyle kBookStyles[] = {{"/bk", "2 段と日本図書コード"}};
constexpr MakerStyle kSlipStyles[] = {{"/cv", "バーの下に 2 行"}};

constexpr MakerExtra kCartonExtras[] = {{"id", "インジケータ(&I):", "Indicator"}};
constexpr MakerExtra kBookExtras[] = {
    {"cc", "Cコード(&N):", "CCode"},
    {"pr", "本体価格(&P):", "Price"},
};

constexpr MakerKind kKinds[] = {
    // label                       stored    styles        extras          hint                                       module at 100 %
    {"JAN-13",                     "Jan13",  kJan13Styles, {},             "12 桁 (チェックデジットは自動)",           kJanNominalModule},
    {"JAN-8",                      "Jan8",   kJan8Styles,  {},             "7 桁 (チェックデジットは自動)",            kJanNominalModule},
    {"ITF-14",                     "Itf14",  kItf14Styles, {},             "13 桁 (チェックデジットは自動)",           kItfNominalModule},
    {"ITF-16",                     "Itf16",  kItf16Styles, {},             "15 桁 (チェックデジットは自動)",           kItfNominalModule},
    {"集合包装用商品コード (ITF-14)", "Carton", kItf14Styles, kCartonExtras, "中身の JAN-13 (12 桁か 13 桁)",           kItfNominalModule},
    {"書籍JANコード",               "Book",   kBookStyles,  kBookExtras,   "ISBN (13 桁、ハイフン可)",                kJanNominalModule},
    // The slip takes the whole 43 or 44 digits: its company code and stamp
    // threshold (/cm, /st) only fill a list's lines given by parts. 100 %
    // is the module that fills 60 mm.
    {"コンビニ収納用バーコード",     "Slip",   kSlipStyles,  {},             "91 で始まる 43 桁 (チェックデジットは自動) か 44 桁", kSlipFittingModule * 10},
};
// clang-format on
static_assert(std::all_of(std::begin(kKinds), std::end(kKinds),
                          [](const MakerKind& kind) { return kind.extras.size() <= kMaxExtras; }));

// Stored texts longer than this are not the window's: the value is dropped.
constexpr std::size_t kMaxStoredChars = 1024;

constexpr std::string_view kKindName = "Kind";
constexpr std::string_view kStyleName = "Style";
constexpr std::string_view kDataName = "Data";
constexpr std::string_view kModuleName = "Module";  // "Standard" or "Millimetres"
constexpr std::string_view kModuleValueName = "ModuleValue";
constexpr std::string_view kResolutionName = "Resolution";  // dpi; empty: unknown
constexpr std::string_view kReductionName = "Reduction";
constexpr std::string_view kOutlinesName = "Outlines";
constexpr std::string_view kFormatName = "Format";
constexpr std::string_view kFolderName = "Folder";

constexpr std::string_view kProgramName = "merrowin";

// An argument: the option's prefix and key, then its value.
std::string Argument(std::string_view option, std::string_view value) {
    return std::string(option).append(value);
}

// "37.29" of 3729.
std::string Hundredths(std::int32_t value) {
    const std::int32_t fraction = value % 100;
    return IntToStr(value / 100).append(fraction < 10 ? ".0" : ".").append(IntToStr(fraction));
}

// The module value shown when the user switches between the two choices:
// 100 % and the JAN's nominal width.
std::string InitialModuleValue(ModuleChoice choice, const MakerKind& kind) {
    if (choice == ModuleChoice::Standard) return "100";
    return Hundredths((kind.nominalModule + 5) / 10);
}

// /mw in .01 mm from the module choice; the core bounds it as any /mw.
std::string ModuleArgument(const MakerChoices& choices, const MakerKind& kind) {
    std::int64_t hundredths = 0;
    if (choices.module == ModuleChoice::Standard) {
        const std::int64_t percent = StrToInt(choices.moduleValue);
        hundredths = (kind.nominalModule * percent + (percent < 0 ? -500 : 500)) / 1000;
    } else {
        const std::optional<std::int32_t> mm = ParseMillimetres(choices.moduleValue, 100);
        if (!mm) throw MerrowinError(MillimetreMessage(choices.moduleValue));
        hundredths = *mm;
    }
    return Argument("/mw", std::to_string(std::clamp<std::int64_t>(hundredths, 0, 99999)));
}

std::string Quoted(const std::string& argument) {
    return argument.find(' ') == std::string::npos
               ? argument
               : std::string("\"").append(argument).append("\"");
}

std::int32_t ReadLittleEndian(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) value |= std::uint32_t{bytes[at + i]} << (8 * i);
    return static_cast<std::int32_t>(value);
}

// A stored text, or nothing when absent, too long or not a string value.
std::optional<std::string> StoredText(SettingsAccessor& store, std::string_view name,
                                      std::string* error) {
    try {
        std::optional<std::string> text = store.ReadText(kMakerSection, name);
        if (text && CountChars(*text) > kMaxStoredChars) return std::nullopt;
        return text;
    } catch (const MerrowinError& failure) {
        if (error && error->empty()) *error = failure.what();
        return std::nullopt;
    }
}

// The code with its check digit as the symbol prints it: the payment slip's
// 44 digits as its two text lines (a blank between them, where a label may
// wrap), every other code as its digits.
std::string CodeAsPrinted(const BarcodeJob& job) {
    const std::string code = job.InputDigits + job.CheckDigit;
    if (job.Kind != SymbologyKind::PaymentSlip) return code;
    const std::array<std::string, 2> lines = SlipTextLines(code);
    return lines[0] + " " + lines[1];
}

}  // namespace

std::span<const MakerKind> MakerKinds() {
    return kKinds;
}

std::optional<std::int32_t> ParseMillimetres(std::string_view text, std::int32_t scale) {
    std::int64_t whole = 0;
    std::int64_t fraction = 0;
    std::int64_t divisor = 1;
    bool point = false;
    bool digits = false;
    for (const char c : text) {
        if (c == '.' && !point) {
            point = true;
        } else if (c >= '0' && c <= '9') {
            digits = true;
            if (!point) {
                whole = whole * 10 + (c - '0');
                if (whole > 100000) return std::nullopt;
            } else if (divisor < 1000000) {
                fraction = fraction * 10 + (c - '0');
                divisor *= 10;
            }
        } else {
            return std::nullopt;
        }
    }
    if (!digits) return std::nullopt;
    const std::int64_t units = whole * scale + (fraction * scale * 2 + divisor) / (2 * divisor);
    return static_cast<std::int32_t>(std::min<std::int64_t>(units, INT32_MAX));
}

std::string FormatLabel(FileFormat format) {
    std::string label(InfoOf(format).name);
    for (char& c : label) c = static_cast<char>(c - 'a' + 'A');
    return label;
}

std::string MillimetreMessage(std::string_view text) {
    return FillMessage("'%s' は mm の値ではありません", text);
}

std::string MetafileSizeText(const std::vector<std::uint8_t>& metafile) {
    // EMR_HEADER: type 1, then rclBounds, then rclFrame in .01 mm.
    if (metafile.size() < 40 || ReadLittleEndian(metafile, 0) != 1) return "";
    const std::int32_t width = ReadLittleEndian(metafile, 32) - ReadLittleEndian(metafile, 24);
    const std::int32_t height = ReadLittleEndian(metafile, 36) - ReadLittleEndian(metafile, 28);
    if (width < 0 || height < 0) return "";
    return Hundredths(width).append(" × ").append(Hundredths(height)).append(" mm");
}

std::vector<std::string> MakerArguments(const MakerChoices& choices) {
    const MakerKind& kind = kKinds[std::min(choices.kind, std::size(kKinds) - 1)];
    const MakerStyle& style = kind.styles[std::min(choices.style, kind.styles.size() - 1)];
    // A double quote cannot stand inside an argument of the shown command
    // line (it begins a quoted stretch there); no value takes one anyway.
    for (const std::string* text : {&choices.data, &choices.extras[0], &choices.extras[1],
                                    &choices.moduleValue, &choices.reduction})
        if (text->find('"') != std::string::npos) throw ConversionError("\"");
    std::vector<std::string> arguments{std::string(style.symbolSwitch),
                                       Argument("/cd", choices.data)};
    // Every extra goes out, also empty: the core refuses a missing one in
    // its own words rather than making another code.
    for (std::size_t i = 0; i < kind.extras.size(); ++i)
        arguments.push_back(
            Argument(std::string("/").append(kind.extras[i].key), choices.extras[i]));
    arguments.push_back(ModuleArgument(choices, kind));
    if (choices.resolution < kMakerResolutions.size())
        arguments.push_back(Argument("/dp", IntToStr(kMakerResolutions[choices.resolution])));
    if (!choices.reduction.empty()) {
        const std::optional<std::int32_t> micrometres = ParseMillimetres(choices.reduction, 1000);
        if (!micrometres) throw MerrowinError(MillimetreMessage(choices.reduction));
        arguments.push_back(Argument("/bw", IntToStr(*micrometres)));
    }
    if (choices.outlines) arguments.emplace_back("/ol");
    // A file in the format; /fl alone saves the metafile.
    if (choices.format == FileFormat::Emf)
        arguments.emplace_back("/fl");
    else
        arguments.push_back(Argument("/fm", InfoOf(choices.format).name));
    return arguments;
}

std::string CommandLineText(const std::vector<std::string>& arguments) {
    std::string text(kProgramName);
    for (const std::string& argument : arguments) text.append(" ").append(Quoted(argument));
    return text;
}

MakerForm::MakerForm(MakerView& view, Platform& platform, SettingsLoader loadSettings,
                     StoreOpener openStore)
    : view_(view),
      platform_(platform),
      loadSettings_(std::move(loadSettings)),
      openStore_(std::move(openStore)) {}

void MakerForm::Load() {
    std::string error;
    MakerChoices choices;
    {
        const std::unique_ptr<SettingsAccessor> store = openStore_(kStoreKeyPath);
        choices = LoadMakerChoices(*store, &error);
    }
    std::vector<std::string> kinds;
    for (const MakerKind& kind : kKinds) kinds.emplace_back(kind.label);
    view_.SetList(MakerList::Kind, kinds, choices.kind);
    view_.SetList(MakerList::Module,
                  {std::string(kStandardModuleLabel), std::string(kMillimetreModuleLabel)},
                  static_cast<std::size_t>(choices.module));
    std::vector<std::string> resolutions;
    for (const std::int32_t dpi : kMakerResolutions) resolutions.push_back(IntToStr(dpi) + " dpi");
    resolutions.emplace_back(kUnknownResolutionLabel);
    view_.SetList(MakerList::Resolution, resolutions, choices.resolution);
    std::vector<std::string> formats;
    for (const FileFormatInfo& format : kFileFormats) formats.push_back(FormatLabel(format.format));
    view_.SetList(MakerList::Format, formats, static_cast<std::size_t>(choices.format));
    OfferKind(choices);
    view_.ShowChoices(choices);
    Refresh();
    if (!error.empty()) throw MerrowinError(error);
}

void MakerForm::OfferKind(const MakerChoices& choices) {
    const MakerKind& kind = kKinds[choices.kind];
    std::vector<std::string> styles;
    for (const MakerStyle& style : kind.styles) styles.emplace_back(style.label);
    view_.SetList(MakerList::Style, styles, choices.style);
    view_.SetExtras(kind.extras);
    view_.SetModuleUnit(choices.module == ModuleChoice::Standard ? "%" : "mm");
}

void MakerForm::KindChanged() {
    MakerChoices choices = view_.Choices();
    // Another kind's styles and extras mean other things: start at its first.
    choices.style = 0;
    choices.extras = {};
    OfferKind(choices);
    view_.ShowChoices(choices);
    Refresh();
}

void MakerForm::ModuleChanged() {
    MakerChoices choices = view_.Choices();
    choices.moduleValue = InitialModuleValue(choices.module, kKinds[choices.kind]);
    view_.SetModuleUnit(choices.module == ModuleChoice::Standard ? "%" : "mm");
    view_.ShowChoices(choices);
    Refresh();
}

std::optional<BarcodeJob> MakerForm::Job(const std::vector<std::string>& arguments) {
    const CommandLine command = ParseCommandLine(arguments);
    BarcodeJob job;
    ApplySwitch(command.symbolSwitch, job);
    if (RunCommandLine(command.options, job, loadSettings_)) return job;
    return std::nullopt;
}

void MakerForm::Refresh() {
    const MakerChoices choices = view_.Choices();
    const MakerKind& kind = kKinds[std::min(choices.kind, std::size(kKinds) - 1)];
    MakerResult result;
    arguments_.clear();
    try {
        const std::vector<std::string> arguments = MakerArguments(choices);
        result.commandLine = CommandLineText(arguments);
        if (choices.data.empty()) {
            result.message = kind.dataHint;
        } else if (const std::optional<BarcodeJob> job = Job(arguments)) {
            result.code = CodeAsPrinted(*job);
            result.metafile = MakeMetafile(*job, platform_.Screen(), MeasurerOf(platform_));
            if (result.metafile.empty()) {
                result.message = kStoredSizeErrorText;
            } else {
                result.sizeText = MetafileSizeText(result.metafile);
                arguments_ = arguments;
            }
        } else {
            // Too few data digits: the command line's "no data" state. The
            // data read as a list line reads it says what is wrong so far:
            // a character that is no digit, else how many digits are missing.
            BarcodeJob probe;
            ApplySwitch(kind.styles.front().symbolSwitch, probe);
            MakeDataField({probe.Kind, choices.data, 0, GivenCheck::Verified});
            result.message = kind.dataHint;
        }
    } catch (const MerrowinError& refusal) {
        result.code.clear();
        result.metafile.clear();
        result.message = refusal.what();
    }
    result_ = std::move(result);
    view_.ShowResult(result_);
}

bool MakerForm::Save() {
    // The stored sizes may have changed since the last picture (the
    // settings window): the picture again, as a run would make it now.
    Refresh();
    if (arguments_.empty()) return false;
    const std::optional<BarcodeJob> job = Job(arguments_);
    if (!job) return false;
    // The name and folder a command line would save to, with the folder
    // the last file went to in place of the stored one.
    MakerChoices choices = view_.Choices();
    std::string folder = choices.folder.empty() ? job->SaveDr : choices.folder;
    const std::string path =
        ResolveSavePath(folder, job->FileName, FoldersOf(platform_), job->Format);
    const std::string name = path.substr(path.find_last_of('\\') + 1);
    const std::optional<std::string> chosen = view_.AskSavePath(folder, name, job->Format);
    if (!chosen) return false;
    const std::vector<std::uint8_t> bytes =
        MakeFile(*job, platform_.Screen(), MeasurerOf(platform_), FileTimeOf(platform_));
    if (bytes.empty()) throw MerrowinError(std::string(kStoredSizeErrorText));
    platform_.SaveFile(*chosen, bytes);
    const std::size_t slash = chosen->find_last_of('\\');
    choices.folder = slash == std::string::npos ? "" : chosen->substr(0, slash);
    view_.ShowChoices(choices);
    Remember();
    return true;
}

bool MakerForm::Copy() {
    Refresh();
    if (result_.metafile.empty()) return false;
    platform_.PutOnClipboard(result_.metafile);
    return true;
}

void MakerForm::Remember() {
    const std::unique_ptr<SettingsAccessor> store = openStore_(kStoreKeyPath);
    StoreMakerChoices(view_.Choices(), *store);
}

std::vector<std::uint8_t> SettingsPreview(SymbologyKind kind,
                                          const std::function<std::string(SizeField)>& cellText,
                                          Platform& platform) {
    // GS1 Japan's example numbers, one per kind.
    constexpr std::array<std::pair<SymbologyKind, std::string_view>, 4> kSamples{{
        {SymbologyKind::Jan13, "490123456789"},
        {SymbologyKind::Jan8, "4901234"},
        {SymbologyKind::Itf14, "1490123456789"},
        {SymbologyKind::Itf16, "123456789012345"},
    }};
    const SymbologyDescriptor* symbology = Describe(kind);
    if (!symbology) return {};
    BarcodeJob job;
    ApplySwitch(symbology->switches.front().text, job);
    LoadBuiltInDefaults(job);
    try {
        for (const SettingsCell& cell : kSettingsCells) {
            if (cell.kind != kind) continue;
            std::string text = cellText(cell.field);
            SetJobField(job, cell.field, ClampEditText(text, cell.minimum, cell.maximum));
        }
        for (const auto& [sampleKind, sample] : kSamples)
            if (sampleKind == kind) FillJob(*MakeDataField({kind, sample}), job);
        return MakeMetafile(job, platform.Screen(), MeasurerOf(platform));
    } catch (const MerrowinError&) {
        return {};
    }
}

MakerChoices LoadMakerChoices(SettingsAccessor& store, std::string* error) {
    MakerChoices choices;
    const auto text = [&store, error](std::string_view name) {
        return StoredText(store, name, error);
    };
    if (const auto kind = text(kKindName))
        for (std::size_t i = 0; i < std::size(kKinds); ++i)
            if (kKinds[i].storedName == *kind) choices.kind = i;
    const MakerKind& kind = kKinds[choices.kind];
    if (const auto style = text(kStyleName))
        for (std::size_t i = 0; i < kind.styles.size(); ++i)
            if (kind.styles[i].symbolSwitch == *style) choices.style = i;
    choices.data = text(kDataName).value_or("");
    for (std::size_t i = 0; i < kind.extras.size(); ++i)
        choices.extras[i] = text(kind.extras[i].storedName).value_or("");
    if (text(kModuleName) == "Millimetres") choices.module = ModuleChoice::Millimetres;
    choices.moduleValue = text(kModuleValueName).value_or(InitialModuleValue(choices.module, kind));
    if (const auto dpi = text(kResolutionName))
        for (std::size_t i = 0; i < kMakerResolutions.size(); ++i)
            if (*dpi == IntToStr(kMakerResolutions[i])) choices.resolution = i;
    choices.reduction = text(kReductionName).value_or("");
    choices.outlines = text(kOutlinesName) == "1";
    if (const auto format = text(kFormatName))
        choices.format = ParseFileFormat(*format).value_or(FileFormat::Emf);
    choices.folder = text(kFolderName).value_or("");
    return choices;
}

void StoreMakerChoices(const MakerChoices& choices, SettingsAccessor& store) {
    const MakerKind& kind = kKinds[std::min(choices.kind, std::size(kKinds) - 1)];
    const auto write = [&store](std::string_view name, std::string_view text) {
        store.WriteText(kMakerSection, name, text);
    };
    write(kKindName, kind.storedName);
    write(kStyleName, kind.styles[std::min(choices.style, kind.styles.size() - 1)].symbolSwitch);
    write(kDataName, choices.data);
    for (std::size_t i = 0; i < kind.extras.size(); ++i)
        write(kind.extras[i].storedName, choices.extras[i]);
    write(kModuleName, choices.module == ModuleChoice::Standard ? "Standard" : "Millimetres");
    write(kModuleValueName, choices.moduleValue);
    write(kResolutionName, choices.resolution < kMakerResolutions.size()
                               ? IntToStr(kMakerResolutions[choices.resolution])
                               : "");
    write(kReductionName, choices.reduction);
    write(kOutlinesName, choices.outlines ? "1" : "0");
    write(kFormatName, InfoOf(choices.format).name);
    write(kFolderName, choices.folder);
}

}  // namespace merrowin
