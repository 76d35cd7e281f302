// The CSV grammar of a product list, as Excel writes it: fields between
// commas, tabs or semicolons, blanks around them dropped, a field quoted
// from its start ("" inside is one quote) running across separators and
// line breaks. Records and fields are both cut by these rules.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace merrowin {

constexpr bool IsFieldSeparator(char32_t c) {
    return c == ',' || c == '\t' || c == ';';
}
constexpr bool IsLineBreak(char32_t c) {
    return c == '\n' || c == '\r';
}
constexpr char kQuote = '"';
constexpr char kFieldBlank = ' ';  // dropped around a field

// Where a record ends: at a line break outside quotes. A quote opens a
// quoted field only where the field starts (after blanks), as SplitFields
// reads it; "" inside is one quote.
class RecordEnd {
public:
    // Takes the record's next character (a byte or UTF-16 code unit); true
    // when it ends the record.
    bool At(char32_t c);
    // A quote left open in a record cut for its length ends at the next
    // line break, so that it cannot take the rest of the list with it.
    void CloseQuote() { inQuotes_ = quoteSeen_ = false; }

private:
    bool fieldStart_ = true;
    bool inQuotes_ = false;
    bool quoteSeen_ = false;  // a quote inside quotes: closing, or the first of ""
};

// A record's fields, unquoted and trimmed of blanks; `blank` when no field
// holds anything. There is always one field at least.
struct ListFields {
    std::vector<std::string> columns;
    bool blank = true;
    // The field in `column`; "" where the record has fewer fields.
    std::string Column(std::size_t column) const {
        return column < columns.size() ? columns[column] : std::string();
    }
};
ListFields SplitFields(std::string_view record);

}  // namespace merrowin
