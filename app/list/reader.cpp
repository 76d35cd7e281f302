// The list surveyed, then read line by line: the one order of the list's rules.
#include "app/list/reader.h"

#include <optional>
#include <utility>

#include "app/list/csv.h"
#include "app/list/excel.h"
#include "app/save_path.h"
#include "common/errors.h"
#include "common/text.h"

namespace merrowin {
namespace {

// Whether a record is the list's header: the first record that is not
// blank, when its data field is a column title. The first record's data
// field decides before any error of the record.
bool IsHeader(bool firstWithText, std::string_view dataField) {
    return firstWithText && IsHeaderField(dataField);
}

AnsiDecoder AnsiDecoderOf(const CodePageDecoder& decode, unsigned codePage) {
    return [decode, codePage](std::string_view bytes) { return decode(codePage, bytes); };
}

}  // namespace

ListSurvey SurveyList(ByteSource& source, unsigned systemCodePage, const CodePageDecoder& decode,
                      const ListTerms& terms) {
    const SymbologyKind kind = ListDataKind(terms.kind, terms.cartonIndicator);
    const auto carriesCheckDigit = [kind](std::string_view field) {
        return CarriesCheckDigit(field, kind);
    };
    RawRecords raw(source);
    const RawRecords::Bom bom = raw.FoundBom();
    EncodingEvidence evidence(systemCodePage, decode);
    ListSurvey survey;
    std::size_t nonBlank = 0;
    std::optional<std::string> firstData;  // the first non-blank record's data field
    std::string record;
    bool tooLong = false;
    while (raw.Next(record, tooLong)) {
        ++survey.records;
        if (bom == RawRecords::Bom::Utf16Le && !tooLong) {
            std::optional<std::string> text = Utf8FromUtf16Le(record);
            // A cut record may end inside a character: its own error later.
            if (!text) return {};
            record = std::move(*text);
        }
        if (record.find('\0') != std::string::npos) return {};
        if (bom == RawRecords::Bom::Utf8 && !tooLong && !IsValidUtf8(record)) return {};
        if (bom == RawRecords::Bom::None && !tooLong && !evidence.Add(record)) return {};
        if (tooLong) {  // its own error later, never the header
            ++nonBlank;
            continue;
        }
        ListFields fields = SplitFields(record);
        if (fields.blank) continue;
        if (nonBlank++ == 0) firstData = fields.Column(kDataColumn);
        evidence.AddDataField(fields.Column(kDataColumn), carriesCheckDigit);
    }
    survey.encoding = bom == RawRecords::Bom::Utf16Le ? ListEncoding::Utf16Le
                      : bom == RawRecords::Bom::Utf8  ? ListEncoding::Utf8Bom
                                                      : evidence.Decide();
    if (survey.encoding == ListEncoding::NotText) return {};
    survey.codePage = evidence.AnsiCodePage();
    survey.checkDigitsGiven = evidence.CheckDigitsGiven(survey.encoding);
    // UTF-16 records were made UTF-8 above.
    const std::optional<std::string> title =
        !firstData || survey.encoding == ListEncoding::Utf16Le
            ? firstData
            : DecodeRecord(*firstData, survey.encoding, AnsiDecoderOf(decode, survey.codePage));
    survey.dataLines = nonBlank - (title && IsHeader(true, *title) ? 1 : 0);
    return survey;
}

ListReader::ListReader(ByteSource& source, const ListSurvey& survey, const CodePageDecoder& decode,
                       const ListTerms& terms)
    : raw_(source),
      encoding_(survey.encoding),
      checkDigitsGiven_(survey.checkDigitsGiven),
      decodeAnsi_(AnsiDecoderOf(decode, survey.codePage)),
      terms_(terms) {}

bool ListReader::Next(ListLine& line) {
    bool tooLong = false;
    if (!raw_.Next(bytes_, tooLong)) return false;
    line = ListLine{};
    line.number = ++number_;
    // Every record but a blank one counts as the first with text.
    const bool first = !std::exchange(seenData_, true);
    const auto error = [&](std::string_view text) {
        line.kind = ListLine::Kind::Error;
        line.error = text;
        return true;
    };
    if (tooLong) return error(kLineTooLongMessage);
    const std::optional<std::string> text = DecodeRecord(bytes_, encoding_, decodeAnsi_);
    if (!text) return error(kLineEncodingMessage);
    const ListFields fields = SplitFields(*text);
    if (fields.blank) {
        seenData_ = !first;
        return true;
    }
    if (IsHeader(first, fields.Column(kDataColumn))) {
        line.data = fields.Column(kDataColumn);
        line.kind = ListLine::Kind::Header;
        return true;
    }
    if (IsOverLineLimit(*text)) return error(kLineTooLongMessage);
    line.data = fields.Column(kDataColumn);  // as written, until the line is judged good
    try {
        const ListColumns& columns = ColumnsOf(terms_.layout);
        line.field = columns.read(fields, terms_, checkDigitsGiven_, line);
        line.data = line.field.Code();
        std::string name =
            line.name.empty() ? fields.Column(columns.nameColumn) : std::move(line.name);
        if (!name.empty()) CheckFileName(name, terms_.format);
        line.name = name.empty() ? line.data : std::move(name);
        line.kind = ListLine::Kind::Good;
    } catch (const MerrowinError& failure) {
        return error(failure.what());
    }
    return true;
}

}  // namespace merrowin
