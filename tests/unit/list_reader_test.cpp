// Reading a product list: bytes in every encoding and shape Excel writes,
// each line read and judged; the encoding a list is read in.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/list/reader.h"
#include "app/list/slip_line.h"
#include "common/errors.h"
#include "tests/unit/list_bytes.h"

namespace merrowin {
namespace {

// Every line of a list, one text each: "number kind data|name|error".
std::vector<std::string> ReadList(const std::string& bytes, SymbologyKind kind,
                                  FileFormat format = FileFormat::Emf, bool book = false) {
    ChunkSource survey(bytes);
    const CodePageDecoder decode = [](unsigned, std::string_view bytes) {
        return FakeShiftJis(bytes);
    };
    BarcodeJob job;
    job.Kind = kind;
    job.Format = format;
    job.Book = book;
    job.SlipCompany = "912345";  // /cm912345, for a payment slip list
    const ListTerms terms = ListTermsOf(job);
    const ListSurvey found = SurveyList(survey, 932, decode, terms);
    if (found.encoding == ListEncoding::NotText) return {"not text"};
    ChunkSource source(bytes);
    ListReader reader(source, found, decode, terms);
    std::vector<std::string> lines;
    std::size_t dataLines = 0;
    constexpr const char* kKinds[] = {"blank", "header", "good", "error"};
    for (ListLine line; reader.Next(line);) {
        lines.push_back(std::to_string(line.number) + " " + kKinds[static_cast<int>(line.kind)] +
                        " " + line.data + "|" + line.name + "|" + line.error +
                        (book ? "|" + line.book.priceCode : ""));
        if (line.kind == ListLine::Kind::Good || line.kind == ListLine::Kind::Error) ++dataLines;
    }
    // The survey's counts give the progress its end: they must be the reader's.
    if (lines.size() != found.records)
        lines.push_back("survey counted " + std::to_string(found.records) + " records");
    if (dataLines != found.dataLines)
        lines.push_back("survey counted " + std::to_string(found.dataLines) + " data lines");
    return lines;
}

struct ListRow {
    int row;
    std::string bytes;
    SymbologyKind kind;
    std::vector<std::string> lines;
    FileFormat format = FileFormat::Emf;  // the files' (/fm), whose names are judged
    bool book = false;  // /bk: ISBN, Cコード, price, name; the lower tier's digits last
};

void PrintTo(const ListRow& row, std::ostream* out) {
    *out << "row " << row.row;
}

constexpr auto kJ13 = SymbologyKind::Jan13;
const std::string kLongName(252, 'n');  // 252 + ".emf" is 256 characters

// clang-format off
const ListRow kListRows[] = {
    // The data alone, with or without its check digit; CRLF or LF.
    {0, "4901234567894\n", kJ13, {"1 good 4901234567894|4901234567894|"}},
    {1, "490123456789\r\n490123456789", kJ13,
     {"1 good 4901234567894|4901234567894|", "2 good 4901234567894|4901234567894|"}},
    // Fields: comma, tab, semicolon; quotes, blanks around, more fields.
    {2, "490123456789,label,more,fields\r\n", kJ13, {"1 good 4901234567894|label|"}},
    {3, "\"4901234567894\",\"品名 A\"\r\n", kJ13, {"1 good 4901234567894|品名 A|"}},
    {4, "  490123456789 ;  x y  \n490123456789\tz\n", kJ13,
     {"1 good 4901234567894|x y|", "2 good 4901234567894|z|"}},
    {5, "490123456789,\"a,\"\"b\"\"\"\n", kJ13,
     {"1 error 4901234567894||ファイル名に使えない文字「\"」があります"}},
    // A first line without digits is a header; blank lines are skipped.
    {6, "JAN,品名\r\n\r\n  \r\n,,\r\n490123456789\r\n", kJ13,
     {"1 header JAN||", "2 blank ||", "3 blank ||", "4 blank ||", "5 good 4901234567894|4901234567894|"}},
    // A first line with a letter is a header, digits or not.
    {7, "49012345678x\nJAN\n,label\n", kJ13,
     {"1 header 49012345678x||",
      "2 error JAN||データに数字でない文字「J」があります", "3 error ||データがありません"}},
    // The check digit is verified, never replaced.
    {8, "4901234567890\n", kJ13, {"1 error 4901234567890||チェックデジットが違います (正しくは 4)"}},
    {9, "４９０１２３４５６７８９４\n４９０１２３４５６７８９\n４９０１２３４５６７８３\n", kJ13,
     {"1 good 4901234567894|4901234567894|", "2 good 4901234567894|4901234567894|",
      "3 error ４９０１２３４５６７８３||桁数がほかの行と違います。先頭の 0 が消えていませんか"}},
    {10, "4901-234567894\n49012345678\n49012345678940\n", kJ13,
     {"1 error 4901-234567894||データに数字でない文字「-」があります",
      "2 error 49012345678||データが 11 桁です (12 桁、またはチェックデジット付きの 13 桁)",
      "3 error 49012345678940||データが 14 桁です (12 桁、またはチェックデジット付きの 13 桁)"}},
    {11, "49012347\n49012340\n", SymbologyKind::Jan8,
     {"1 good 49012347|49012347|", "2 error 49012340||チェックデジットが違います (正しくは 7)"}},
    {12, "1490123456782\n14901234567891\n1490123456789\n", SymbologyKind::Itf14,
     {"1 error 1490123456782||桁数がほかの行と違います。先頭の 0 が消えていませんか",
      "2 good 14901234567891|14901234567891|", "3 good 14901234567891|14901234567891|"}},
    {13, "123456789012345,x\n", SymbologyKind::Itf16, {"1 good 1234567890123452|x|"}},
    // Encodings: UTF-8 with a BOM, UTF-16LE with a BOM, Shift-JIS.
    {14, "\xEF\xBB\xBF商品,名\r\n490123456789,品名\r\n", kJ13,
     {"1 header 商品||", "2 good 4901234567894|品名|"}},
    {15, Utf16Le(u"4901234567894\t品名\r\n4901234567894\r\n"), kJ13,
     {"1 good 4901234567894|品名|", "2 good 4901234567894|4901234567894|"}},
    {16, "490123456789,\x95\x69\x96\xBC\r\n", kJ13, {"1 good 4901234567894|品名|"}},
    // Not text: NUL bytes, bytes valid in no encoding, a broken UTF-16.
    {17, std::string("4901234567894\n\0\n", 16), kJ13, {"not text"}},
    {18, "490123456789,\xFF\xFF\n", kJ13, {"not text"}},
    {19, "\xFF\xFE\x34\x00\x00\xD8", kJ13, {"not text"}},
    // Names Windows cannot take.
    {20, "490123456789,CON\n490123456789,lpt1.txt\n490123456789,a?b\n490123456789,tab.\n"
         "490123456789,label.EMF\n490123456789," + kLongName + "\n490123456789," +
         kLongName.substr(1) + "\n", kJ13,
     {"1 error 4901234567894||ファイル名「CON」は Windows の装置名なので使えません",
      "2 error 4901234567894||ファイル名「lpt1」は Windows の装置名なので使えません",
      "3 error 4901234567894||ファイル名に使えない文字「?」があります",
      "4 error 4901234567894||ファイル名の終わりにピリオドや空白は使えません",
      "5 error 4901234567894||ファイル名に .emf は付けないでください (自動で付きます)",
      "6 error 4901234567894||ファイル名が長すぎます (.emf を含めて 255 文字まで)",
      "7 good 4901234567894|" + kLongName.substr(1) + "|"}},
    // Lines over 4,096 characters; the next line is read as usual. The
    // first, of exactly 4,096, is read and judged by its name.
    {21, "490123456789," + std::string(4083, 'a') + "\n490123456789," + std::string(4084, 'a') +
         "\n490123456789," + std::string(20000, 'a') + "\n490123456789\n", kJ13,
     {"1 error 4901234567894||ファイル名が長すぎます (.emf を含めて 255 文字まで)",
      "2 error ||行が長すぎます (4096 文字まで)", "3 error ||行が長すぎます (4096 文字まで)",
      "4 good 4901234567894|4901234567894|"}},
    // A quoted field runs across line breaks (Alt+Enter in a cell); no
    // file name can hold one.
    {22, "4901234567894,\"りんご\nジュース\"\r\n4901234567894,\"a\r\nb\",x\n4901234567894,c\n", kJ13,
     {"1 error 4901234567894||ファイル名に改行は使えません",
      "2 error 4901234567894||ファイル名に改行は使えません", "3 good 4901234567894|c|"}},
    // A header with digits; Excel's exponent form is never one.
    {23, "JAN(13桁),商品名\r\n4901234567894,a\r\n", kJ13,
     {"1 header JAN(13桁)||", "2 good 4901234567894|a|"}},
    {24, "4.90123E+12,a\n\"4,9e12\"\n4E12\n4901234567894\n", kJ13,
     {"1 error 4.90123E+12||Excel の指数表示です。この CSV からは元の数字に戻せません。元のブックで列の表示形式をユーザー定義「0000000000000」にして、保存し直してください",
      "2 error 4,9e12||Excel の指数表示です。この CSV からは元の数字に戻せません。元のブックで列の表示形式をユーザー定義「0000000000000」にして、保存し直してください",
      "3 error 4E12||Excel の指数表示です。この CSV からは元の数字に戻せません。元のブックで列の表示形式をユーザー定義「0000000000000」にして、保存し直してください",
      "4 good 4901234567894|4901234567894|"}},
    // A leading zero Excel dropped, among lines that carry the check digit:
    // only where a 0 in front makes a valid code (rows 9, 12 and 25); a
    // list of short forms alone computes the check digit.
    {25, "4901234567894\n123456789012\n", kJ13,
     {"1 good 4901234567894|4901234567894|",
      "2 error 123456789012||桁数がほかの行と違います。先頭の 0 が消えていませんか"}},
    {26, "1490123456789\n", SymbologyKind::Itf14, {"1 good 14901234567891|14901234567891|"}},
    // Without a BOM: half-width katakana in Shift-JIS (C3 BD, also UTF-8
    // for ý), café in UTF-8, UTF-8 broken by a stray byte.
    {27, "4901234567894,\xC3\xBD\n", kJ13, {"1 good 4901234567894|ﾃｽ|"}},
    {28, "4901234567894,caf\xC3\xA9\n", kJ13, {"1 good 4901234567894|café|"}},
    {29, "4901234567894,アイス\x83\x40\n", kJ13, {"not text"}},
    // CR alone ends a record as CRLF and LF do.
    {30, "490123456789,a\r490123456789,b\r\r490123456789,c", kJ13,
     {"1 good 4901234567894|a|", "2 good 4901234567894|b|", "3 blank ||",
      "4 good 4901234567894|c|"}},
    // Windows counts the superscript digits in device names.
    {31, "4901234567894,COM¹\n4901234567894,lpt³.txt\n4901234567894,COM⁴\n", kJ13,
     {"1 error 4901234567894||ファイル名「COM¹」は Windows の装置名なので使えません",
      "2 error 4901234567894||ファイル名「lpt³」は Windows の装置名なので使えません",
      "3 good 4901234567894|COM⁴|"}},
    // The 4,096-character limit is the record's; a quote left open in an
    // over-long record ends at the next line break.
    {32, "4901234567894,\"" + std::string(2000, 'a') + "\n" + std::string(2100, 'b') +
         "\"\n4901234567894\n", kJ13,
     {"1 error ||行が長すぎます (4096 文字まで)", "2 good 4901234567894|4901234567894|"}},
    {33, "4901234567894,\"" + std::string(17000, 'a') + "\n4901234567894,b\n", kJ13,
     {"1 error ||行が長すぎます (4096 文字まで)", "2 good 4901234567894|b|"}},
    // Names of files of another format (/fm): its extension is the one not
    // to write; another extension is part of the name.
    {34, "490123456789,label.Eps\n490123456789,label.emf\n490123456789," + kLongName + "\n",
     kJ13,
     {"1 error 4901234567894||ファイル名に .eps は付けないでください (自動で付きます)",
      "2 good 4901234567894|label.emf|",
      "3 error 4901234567894||ファイル名が長すぎます (.eps を含めて 255 文字まで)"},
     FileFormat::Eps},
    // Book codes: ISBN (hyphenated or not), Cコード, price, name; named by
    // the ISBN's 13 digits.
    {35, "ISBN,Cコード,本体価格,ファイル名\r\n978-4-10-101001-4,0193,820\r\n"
         "978494999912,3000,2000,jpo\r\n", kJ13,
     {"1 header ISBN|||", "2 good 9784101010014|9784101010014||1920193008203",
      "3 good 9784949999120|jpo||1923000020009"}, FileFormat::Emf, true},
    // Each part checked; what Excel does to long numbers and leading zeros
    // told as such; full-width digits count.
    {36, "978-4-10-101001-6,0193,820\n9.78410E+12,0193,820\n9784101010014,193,820\n"
         "9784101010014,0193\n９７８－４－１０－１０１００１－４,０１９３,８２０,全角\n", kJ13,
     {"1 error 978-4-10-101001-6||ISBN のチェックデジットが違います (正しくは 4)|",
      "2 error 9.78410E+12||Excel の指数表示です。この CSV からは元の数字に戻せません。"
      "元のブックで列の表示形式をユーザー定義「0000000000000」にして、保存し直してください|",
      "3 error 9784101010014||Cコード「193」が 4 桁ありません。先頭の 0 が消えていませんか "
      "(Excel では列を文字列にして保存し直してください)|",
      "4 error 9784101010014||本体価格「」は使えません。本体価格は税抜きの 0～99999 円を"
      "数字だけで書きます (¥ や 円 は付けません)|",
      "5 good 9784101010014|全角||1920193008203"}, FileFormat::Emf, true},
    // A quote opens a field after a tab, a semicolon or blanks as after a
    // comma, and runs across the line break there too.
    {37, "4901234567894\t\"a\nb\"\n4901234567894;\"c\r\nd\"\n4901234567894,  \"e\rf\"\n4901234567894\n",
     kJ13,
     {"1 error 4901234567894||ファイル名に改行は使えません",
      "2 error 4901234567894||ファイル名に改行は使えません",
      "3 error 4901234567894||ファイル名に改行は使えません", "4 good 4901234567894|4901234567894|"}},
    // Payment slips (/cv /cm912345): by parts (自由使用欄, deadline, amount,
    // reissue, name) or whole; a part's refusal is the line's (each part's
    // refusals are the slip's data rule's).
    {38, "自由使用欄,期限,金額\r\n12345,2027/01/31,\"12,300\"\r\n12346,,\"\u00A554,000\",1,b\r\n"
         "9191234501234567890123456789010103310123000,a\r\n"
         "12348,2027/01/31\r\n(91)912345-0123456789012345678901 010331-0-123000-4\r\n",
     SymbologyKind::PaymentSlip,
     {"1 header 自由使用欄||",
      "2 good 91912345123450000000000000000027013100123007|91912345123450000000000000000027013100123007|",
      "3 good 91912345123460000000000000000199999910540001|b|",
      "4 good 91912345012345678901234567890101033101230003|a|",
      "5 error 12348||支払金額 '' は 0～999,999 円の金額ではありません",
      "6 error (91)912345-0123456789012345678901 010331-0-123000-4||チェックデジットが違います (正しくは 3)"}},
    // Digits typed full-width (an IME's) count; the name keeps them.
    {39, "１２３４５,２０２７/０１/３１,１２３００,,請求１\n", SymbologyKind::PaymentSlip,
     {"1 good 91912345123450000000000000000027013100123007|請求１|"}},
};
// clang-format on

class ListTable : public ::testing::TestWithParam<ListRow> {};

TEST_P(ListTable, ReadsEveryLine) {
    EXPECT_EQ(ReadList(GetParam().bytes, GetParam().kind, GetParam().format, GetParam().book),
              GetParam().lines);
}

// A line by its parts needs the company code of the command line.
TEST(SlipList, PartsWithoutCompanyCode) {
    ListLine line;
    try {
        SlipOfLine({{"12345", "2027/01/31", "12300"}, false}, ListTerms{SymbologyKind::PaymentSlip},
                   false, line);
        ADD_FAILURE() << "no refusal";
    } catch (const MerrowinError& error) {
        EXPECT_STREQ(error.what(),
                     "支払期限日と金額で書いた行には請求書発行企業コード (/cm) が要ります");
    }
}

INSTANTIATE_TEST_SUITE_P(, ListTable, ::testing::ValuesIn(kListRows),
                         [](const auto& info) { return "row" + std::to_string(info.param.row); });

// The encoding a list is read in, by the name the report gives it, and the
// name column read in it; where the ANSI code page is UTF-8 (65001) a list
// that is not UTF-8 is read as Shift-JIS.
struct EncodingRow {
    int row;
    unsigned codePage;  // the system's ANSI code page
    std::string list;
    const char* encoding;
    const char* name;
};

void PrintTo(const EncodingRow& row, std::ostream* out) {
    *out << "row " << row.row;
}

// clang-format off
const EncodingRow kEncodingRows[] = {
    {0, 932, "4901234567894,\x95\x69\x96\xBC\r\n", "Shift-JIS", "品名"},
    {1, 65001, "4901234567894,\x95\x69\x96\xBC\r\n", "Shift-JIS", "品名"},
    {2, 1252, "4901234567894,a\r\n", "西ヨーロッパ言語 (Windows-1252)", "a"},
    {3, 932, "\xEF\xBB\xBF" "4901234567894,a\r\n", "UTF-8 (BOM)", "a"},
    {4, 932, Utf16Le(u"4901234567894,品名\r\n"), "UTF-16", "品名"},
    {5, 932, "4901234567894,アイス\r\n", "UTF-8", "アイス"},
    // Japanese Shift-JIS on a Western Windows; ポ's second byte is "|".
    {6, 1252, "4901234567894,\x83\x58\x83\x7C\x81\x5B\x83\x63\x83\x68\x83\x8A\x83\x93\x83\x4E\r\n",
     "Shift-JIS", "スポーツドリンク"},
    // Western text that is Shift-JIS too (è m, û l, é e; ’ s) but not Japanese.
    {7, 1252, "4901234567894,Cr\xE8me br\xFBl\xE9" "e\r\n", "西ヨーロッパ言語 (Windows-1252)",
     "Crème brûlée"},
    {8, 1252, "4901234567894,Kellogg\x92s\r\n", "西ヨーロッパ言語 (Windows-1252)", "Kellogg’s"},
    {9, 1252, "4901234567894,\x97\xCE\x92\x83\r\n", "Shift-JIS", "〓〓"},  // 緑茶
    {10, 874, "4901234567894,a\r\n", "タイ語 (Windows-874)", "a"},
    // Half-width katakana alone (a point-of-sale export) on a Western
    // Windows; single accented capitals beside ASCII letters stay Western.
    {11, 1252, "4901234567894,\xBA\xB6\xBA\xB0\xD7 500ML\r\n", "Shift-JIS", "ｺｶｺｰﾗ 500ML"},
    {12, 1252, "4901234567894,\xC7" "a M\xDCLLER\r\n", "西ヨーロッパ言語 (Windows-1252)",
     "Ça MÜLLER"},
};
// clang-format on

class ListEncodingTable : public ::testing::TestWithParam<EncodingRow> {};

TEST_P(ListEncodingTable, NamesTheEncodingAndReadsInIt) {
    const EncodingRow& row = GetParam();
    const CodePageDecoder decode = FakeCodePage;
    const ListTerms terms{SymbologyKind::Jan13};
    ChunkSource surveyed(row.list);
    const ListSurvey survey = SurveyList(surveyed, row.codePage, decode, terms);
    EXPECT_EQ(EncodingName(survey.encoding, survey.codePage), row.encoding);
    ChunkSource source(row.list);
    ListReader reader(source, survey, decode, terms);
    ListLine line;
    ASSERT_TRUE(reader.Next(line));
    EXPECT_EQ(line.kind, ListLine::Kind::Good) << line.error;
    EXPECT_EQ(line.data, "4901234567894");
    EXPECT_EQ(line.name, row.name);
}

INSTANTIATE_TEST_SUITE_P(, ListEncodingTable, ::testing::ValuesIn(kEncodingRows),
                         [](const auto& info) { return "row" + std::to_string(info.param.row); });

}  // namespace
}  // namespace merrowin
