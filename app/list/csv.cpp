// Excel's CSV: where a record ends and how it splits into fields.
#include "app/list/csv.h"

namespace merrowin {

bool RecordEnd::At(char32_t c) {
    if (inQuotes_) {
        if (!quoteSeen_) {
            quoteSeen_ = c == kQuote;
            return false;
        }
        quoteSeen_ = false;
        if (c == kQuote) return false;
        inQuotes_ = false;  // the quote before closed the field
    }
    if (IsLineBreak(c)) return true;
    if (IsFieldSeparator(c)) {
        fieldStart_ = true;
    } else if (c == kQuote && fieldStart_) {
        inQuotes_ = true;
        fieldStart_ = false;
    } else if (c != kFieldBlank) {
        fieldStart_ = false;
    }
    return false;
}

namespace {

void SkipBlanks(std::string_view record, std::size_t& at) {
    while (at < record.size() && record[at] == kFieldBlank) ++at;
}

// One field from `at` to the next separator outside quotes; `at` is left
// on that separator or at the end.
std::string ReadField(std::string_view record, std::size_t& at) {
    SkipBlanks(record, at);
    std::string value;
    if (at < record.size() && record[at] == kQuote) {
        ++at;
        for (;;) {
            const std::size_t quote = record.find(kQuote, at);
            if (quote == std::string_view::npos) {  // unclosed: the rest of the record
                value.append(record.substr(at));
                at = record.size();
                return value;
            }
            value.append(record.substr(at, quote - at));
            at = quote + 1;
            if (at < record.size() && record[at] == kQuote) {  // "" is one quote
                value += kQuote;
                ++at;
                continue;
            }
            break;
        }
        SkipBlanks(record, at);
    }
    // Unquoted text, or what stands between a closing quote and the separator.
    const std::size_t start = at;
    while (at < record.size() && !IsFieldSeparator(static_cast<unsigned char>(record[at]))) ++at;
    std::string_view rest = record.substr(start, at - start);
    while (!rest.empty() && rest.back() == kFieldBlank) rest.remove_suffix(1);
    value.append(rest);
    return value;
}

}  // namespace

ListFields SplitFields(std::string_view record) {
    ListFields fields;
    std::size_t at = 0;
    for (;;) {
        std::string value = ReadField(record, at);
        if (!value.empty()) fields.blank = false;
        fields.columns.push_back(std::move(value));
        if (at >= record.size()) return fields;
        ++at;  // past the separator
    }
}

}  // namespace merrowin
