// Reading a product list for batch generation (/bt): one symbol per line,
// exactly as Excel saves it. A first read surveys the list (its encoding,
// its count of data lines, whether lines carry their check digit); the
// reader then reads it record by record as the survey found it, judging
// each line. This is the one place that orders the list's rules.
#pragma once

#include <cstddef>
#include <string>

#include "app/list/encoding.h"
#include "app/list/list_line.h"
#include "app/list/records.h"

namespace merrowin {

// What a first read of the list finds: how to read it (a byte order mark
// decides, else EncodingEvidence), how many data lines it has, and whether
// any of them carries its check digit. A list with NUL characters, or
// records that are not text in the encoding its byte order mark names, is
// not text.
struct ListSurvey {
    ListEncoding encoding = ListEncoding::NotText;
    unsigned codePage = 0;          // Ansi: the code page the list is read in
    std::size_t records = 0;        // every record, blank ones too
    std::size_t dataLines = 0;      // the records other than blank ones and the header
    bool checkDigitsGiven = false;  // a data line holds its data digits and check digit
};
ListSurvey SurveyList(ByteSource& source, unsigned systemCodePage, const CodePageDecoder& decode,
                      const ListTerms& terms);

// Reads a list record by record as a survey found it, judging each. With a
// packaging indicator every data field is a JAN-13 whose line gives the
// carton code made from it: data and default name the 14 digits. For the
// book code a line is the ISBN, the Cコード, the price and optionally the
// name: data and default name the ISBN's 13 digits.
class ListReader {
public:
    ListReader(ByteSource& source, const ListSurvey& survey, const CodePageDecoder& decode,
               const ListTerms& terms);
    // The next line; false after the last.
    bool Next(ListLine& line);

private:
    RawRecords raw_;
    ListEncoding encoding_;
    bool checkDigitsGiven_;
    AnsiDecoder decodeAnsi_;
    ListTerms terms_;
    std::size_t number_ = 0;
    bool seenData_ = false;  // a line other than blank came before
    std::string bytes_;
};

}  // namespace merrowin
