#include "usage/help_text.h"

#include <algorithm>
#include <array>
#include <utility>

#include "model/options.h"

namespace merrowin {
namespace {

// clang-format off
constexpr std::array<std::pair<std::string_view, std::string_view>, 10> kSwitches{{
    {"/j13",  "JAN-13。ガードバーを長くし、数字をバーの下に分けて書きます"},
    {"/j13b", "JAN-13。バーはすべて同じ高さ、数字は中央に 1 行 (/no で消せます)"},
    {"/j13t", "/j13b の数字の前に T を付けます (/no は効きません)"},
    {"/j8",   "JAN-8。ガードバーを長くし、数字をバーの下に分けて書きます"},
    {"/j8b",  "JAN-8。バーはすべて同じ高さ、数字は中央に 1 行 (/no で消せます)"},
    {"/j8f",  "/j8b の数字の前に F を付けます (/no は効きません)"},
    {"/i14",  "ITF-14。ベアラーフレームなし"},
    {"/i14f", "ITF-14。ベアラーフレーム付き"},
    {"/i16",  "ITF-16。ベアラーフレームなし"},
    {"/i16f", "ITF-16。ベアラーフレーム付き"},
}};

// The options without a number, as the help lists them before the sizes.
constexpr std::array<std::pair<std::string_view, std::string_view>, 7> kOtherOptions{{
    {"/cdDIGITS", "データ (必須)。JAN-13 は 12 桁、JAN-8 は 7 桁、ITF-14 は 13 桁、\n"
                  "ITF-16 は 15 桁。チェックデジットは自動で計算して付けます。\n"
                  "余分な文字は無視します: JAN-13 を 13 桁で書いても 13 桁目は\n"
                  "使わず、チェックデジットを計算し直します。そのため 12 桁までの\n"
                  "打ち間違いはエラーにならず、別のコードになります。\n"
                  "足りないときは「コマンドが正しくありません。」"},
    {"/btLIST",   "一覧ファイル LIST の 1 行ごとに 1 つの図を作ります (一括作成)。\n"
                  "行: データ [, ファイル名]。区切りはカンマ・タブ・セミコロン。\n"
                  "データはチェックデジットなしでも付きでもよく、付きのときは\n"
                  "検査します (違えばその行はエラー)。全角数字も使えます。\n"
                  "数字のない 1 行目は見出しとして飛ばします。文字コードは\n"
                  "UTF-8、UTF-16 (BOM 付き)、Shift-JIS。ファイル名がなければ\n"
                  "データとチェックデジットが名前です。/fl と /nc は指定不要、\n"
                  "/cd は無視します。ほかのオプションはすべての図に効きます。\n"
                  "結果は LIST の横の「LIST の名前.report.tsv」に 1 行ずつ\n"
                  "書きます。全行成功で終了コード 0、それ以外は 1"},
    {"/flNAME",   "図を NAME.emf にも保存します。/fl だけのときは、データと\n"
                  "チェックデジットを名前にします"},
    {"/drFOLDER", "保存先のフォルダ。* は空白の代わりです。/dr だけのときは\n"
                  "設定画面で指定したフォルダをこの実行に限り使いません\n"
                  "(設定は変わりません)"},
    {"/nc",       "/fl の後に書くと、ファイルだけに出力し、クリップボードは\n"
                  "変えません"},
    {"/no",       "数字を描きません (/j13b、/j8b、ITF)"},
    {"/ol",       "数字と文字を OCR-B の輪郭 (塗りつぶした図形) で描きます。\n"
                  "フォントがなくても、どのパソコンとプリンターでも同じ形に\n"
                  "なります (■ 印刷)。コマンドラインだけのもので、保存されません"},
}};

// What each size is, in the settings window's own words; the value line
// under it comes from the option table.
constexpr std::array<std::pair<SizeField, std::string_view>, 13> kSizeMeanings{{
    {SizeField::BarHeight,    "バーの高さ (モジュール)"},
    {SizeField::TopMargin,    "上マージン (モジュール)"},
    {SizeField::BottomMargin, "下マージン (モジュール)"},
    {SizeField::LeftMargin,   "左マージン (モジュール)"},
    {SizeField::RightMargin,  "右マージン (モジュール)"},
    {SizeField::InnerMargin,  "ITF の内マージン (クワイエットゾーン、モジュール)"},
    {SizeField::Gap,          "ギャップ: バーと数字の間隔 (描画単位)"},
    {SizeField::FrameWidth,   "枠幅: ITF のベアラーフレームの幅 (モジュール)"},
    {SizeField::FontSize,     "文字サイズ: 中央 1 行の数字の大きさ (描画単位)"},
    {SizeField::CopyRate,     "コピー倍率 (%): クリップボードとファイルの図の大きさ"},
    {SizeField::ModuleWidth,  "モジュール幅 (1/100 mm)。指定すると図の大きさを画面ではなく\n"
                              "この幅 (×コピー倍率) から決めるので、どのパソコンでも同じ\n"
                              "大きさで印刷されます。コマンドラインだけのもので、保存されません"},
    {SizeField::DotsPerInch,  "プリンターの解像度 (dpi)。モジュール、マージン、高さ、文字を\n"
                              "プリンターのドットの整数倍にします (■ 印刷)。コマンドライン\n"
                              "だけのもので、保存されません"},
    {SizeField::BarReduction, "バー幅の縮小 (µm)。バーをこの幅だけ細く、スペースを同じだけ\n"
                              "太くします (■ 印刷)。コマンドラインだけのもので、保存されません"},
}};
// clang-format on

// Where the text of a list row starts: two blanks, then the term padded.
constexpr std::size_t kTermColumn = 14;
// The widest text of a list row, in display columns.
constexpr std::size_t kTextColumns = 60;

constexpr std::string_view kIntro =
    "Merrowin はコマンドラインから使うバーコード作成プログラムです。1 回の\n"
    "実行で JAN-13、JAN-8、ITF-14、ITF-16 のどれか 1 つのシンボルを拡張\n"
    "メタファイル (EMF) として描き、コピー倍率で拡大・縮小した図をクリップ\n"
    "ボードに置きます。指定があれば .emf ファイルにも保存して終了します。\n";

constexpr std::string_view kSyntax =
    "■ 書式\n"
    "\n"
    "  merrowin スイッチ [オプション ...]\n"
    "  merrowin               引数なし: 使い方の画面 (設定画面とこのヘルプ)\n"
    "  merrowin /?            このヘルプを開きます (/h、-?、-h も同じ)\n"
    "\n"
    "  スイッチは最初に書きます。オプションは 1 つずつ 1 語で、先頭の 1 文字\n"
    "  (ふつうは /)、2 文字のキー、そのすぐ後ろに値を書きます (例 /bh60)。\n"
    "  大文字と小文字は区別しません。空白を含む引数は全体を \"...\" で囲み\n"
    "  ます。同じキーが 2 回あるときは後のものが有効です。知らないキーの\n"
    "  オプションは無視します (エラーにはなりません)。\n";

constexpr std::string_view kOptionIntro =
    "  大きさの単位: 1 モジュールは 2 描画単位、1 描画単位は図を作った\n"
    "  パソコンの画面の 1 ピクセルです。数字でない値は、その値を示す\n"
    "  エラー (例 'ab' は整数ではありません.) で止まります。\n";

constexpr std::string_view kOutputs =
    "■ 出力先\n"
    "\n"
    "  クリップボード: コピー倍率で拡大・縮小した図 (拡張メタファイル)。\n"
    "    /fl の後に /nc があるときは置きません。ほかのプログラムが\n"
    "    クリップボードを使用中のときは約 1 秒待ちます。\n"
    "  ファイル: /fl のとき「フォルダ\\名前.emf」。フォルダは /dr で指定した\n"
    "    もの、なければ設定画面の「保存場所の指定」のフォルダ、なければ\n"
    "    「ドキュメント」フォルダです。指定したフォルダがないときは、\n"
    "    エラーにならずに現在のフォルダに保存します (終了コードは 0)。\n"
    "    フォルダはあらかじめ作っておいてください。バッチファイルでは\n"
    "    次の 1 行で作れます:\n"
    "      if not exist \"C:\\Labels\" mkdir \"C:\\Labels\"\n"
    "    同じ名前のファイルは置き換えます (保存に失敗したときは元のファイルが\n"
    "    残ります)。保存中の図は「名前.emf.merrowin-XXXXXXXX.tmp」に書かれ\n"
    "    ます。停電のあとに残っていたら削除してかまいません。\n";

constexpr std::string_view kExitStatus =
    "■ 終了コード\n"
    "\n"
    "  0   シンボルを作成しました。\n"
    "  1   作成できませんでした。コマンドラインが使えないとき (「コマンドが\n"
    "      正しくありません。」の画面が、終了ボタンを押すまで残ります)、\n"
    "      保存した設定のサイズでは図ができないとき (「設定のサイズでは図を\n"
    "      作れません。」、コピー倍率 0 など) と、エラーで止まったとき\n"
    "      (メッセージボックスが理由を示します) です。\n";

constexpr std::string_view kSettings =
    "■ 設定\n"
    "\n"
    "  引数なしで起動して「設定(S)」を押すと設定画面が開きます。シンボルの\n"
    "  種類ごとに、バーの高さ、マージン、ギャップ、枠幅、文字サイズ、\n"
    "  コピー倍率を保存できます。「常に既定値を適用する」のチェックを外すと、\n"
    "  コマンドラインで指定しなかった値に保存した値が使われます (チェックが\n"
    "  あるときは既定値)。「保存場所の指定」で /fl のファイルの保存先を\n"
    "  決められます。\n"
    "\n"
    "  設定の保存先 (レジストリ): HKEY_CURRENT_USER\\Software\\Korvane\\Merrowin\n"
    "  (サブキー Setting、Jan13、Jan8、Itf14、Itf16)。「レジストリの消去」を\n"
    "  押すと、このキーをすべて削除します。\n";

constexpr std::string_view kExamples =
    "■ 例\n"
    "\n"
    "  merrowin /j13 /cd490123456789\n"
    "      JAN-13 (4901234567894) をクリップボードに置きます\n"
    "  merrowin /j8 /cd4901234 /fllabel /nc\n"
    "      label.emf だけを「ドキュメント」フォルダに保存します\n"
    "  merrowin /i14f /cd1490123456789 /fl /dr\"D:\\My Labels\" /cr150\n"
    "      ITF-14 を 150% で D:\\My Labels\\14901234567891.emf に保存します\n"
    "  merrowin /j13 /cd490123456789 /mw33 /fl\n"
    "      モジュール幅 0.33 mm、どのパソコンでも同じ大きさの図を保存します\n"
    "\n"
    "  バッチファイル (終わるのを待って終了コードを調べる。説明の rem は\n"
    "  必ず別の行に書きます: 同じ行の rem 以降も Merrowin に渡されます):\n"
    "\n"
    "    @echo off\n"
    "    rem 保存先のフォルダがないと現在のフォルダに保存されるので、先に作る\n"
    "    if not exist \"C:\\Labels\" mkdir \"C:\\Labels\"\n"
    "    start \"\" /wait \"C:\\Tools\\Merrowin\\merrowin.exe\" /j13 /cd490123456789 /fl "
    "/drC:\\Labels\n"
    "    if errorlevel 1 echo バーコードを作成できませんでした。\n"
    "\n"
    "  Excel などのマクロ (VBA、終わるのを待って図を貼り付ける):\n"
    "\n"
    "    Const MERROWIN_EXE As String = \"C:\\Tools\\Merrowin\\merrowin.exe\"\n"
    "\n"
    "    Sub PasteJan13()\n"
    "        Dim status As Long\n"
    "        status = CreateObject(\"WScript.Shell\").Run( _\n"
    "            \"\"\"\" & MERROWIN_EXE & \"\"\" /j13 /cd490123456789\", 1, True)\n"
    "        If status = 0 Then\n"
    "            ActiveSheet.Paste\n"
    "        Else\n"
    "            MsgBox \"作成できませんでした。\"\n"
    "        End If\n"
    "    End Sub\n"
    "\n"
    "  Run の 3 つ目の引数 True で、Merrowin が終わるまで待ちます。2 つ目の\n"
    "  引数は 1 (通常の表示) にします。0 (非表示) では「コマンドが正しく\n"
    "  ありません。」の画面やエラーのメッセージが見えないまま残り、マクロが\n"
    "  待ち続けることがあります。\n";

constexpr std::string_view kPrint =
    "■ 印刷\n"
    "\n"
    "  /dpN  プリンターの解像度 (dpi)。モジュール幅 (/mw、なければ JAN 0.33 mm、\n"
    "    ITF 1.00 mm) ×コピー倍率にいちばん近い整数のドット数をモジュールに\n"
    "    し、バー、スペース、マージン、高さ、枠、数字もドットの整数倍にします。\n"
    "    100% で印刷すれば、用紙のどこでも同じ太さのバーは同じドット数です。\n"
    "    モジュールは 1 ドット以上で、GS1 の最小 (JAN 0.264 mm、ITF 0.495 mm)\n"
    "    以上を指定したときはそれより細くしません。ITF の太いバーは細いバーの\n"
    "    2.25～3.0 倍で、2.5 倍にいちばん近いドット数です。\n"
    "    GS1 の範囲に入るモジュール幅 (ドット数 = mm):\n"
    "      203 dpi  JAN 3 = 0.375、4 = 0.500、5 = 0.626\n"
    "               ITF-14 4 = 0.500 … 8 = 1.001\n"
    "      300 dpi  JAN 4 = 0.339、5 = 0.423、6 = 0.508、7 = 0.593\n"
    "               ITF-14 6 = 0.508 … 12 = 1.016\n"
    "      600 dpi  JAN 7 = 0.296 … 15 = 0.635\n"
    "               ITF-14 12 = 0.508 … 24 = 1.016\n"
    "  /bwN  バー幅の縮小 (µm)。バーを左右に半分ずつ細く、スペースを同じだけ\n"
    "    太くします。大きさとバーの中心は変わりません。/dp があるときは\n"
    "    ドットの整数倍に丸めます。モジュールの半分以上はエラーです。\n"
    "  /ol   数字と文字を OCR-B の輪郭で描きます。フォントがなくても同じ形です。\n"
    "\n"
    "  クリップボードとファイル、/bt のすべてに効きます。保存はされません。\n"
    "  図を置いたあとで大きさを変えるとドットがずれます。Word では図の\n"
    "  「レイアウトの詳細設定」の「サイズ」、Excel では「図の書式設定」の\n"
    "  「サイズとプロパティ」で倍率を 100% にし、Excel のページ設定は\n"
    "  「拡大/縮小 100%」、プリンターの設定も拡大・縮小なしにします。\n"
    "\n"
    "    merrowin /j13 /cd490123456789 /dp203 /fl\n"
    "      203 dpi のプリンター用。モジュール 3 ドット (0.375 mm)\n";

constexpr std::string_view kFont =
    "■ 数字のフォント\n"
    "\n"
    "  バーの下の数字は「OCRB」という名前のフォントで描きます。このフォントが\n"
    "  ないパソコンでは Windows が別のフォントで代用し、数字の形も中央の位置も\n"
    "  そのフォントのものになります。本来の形にするには、フォント名が OCRB の\n"
    "  OCR-B フォントをインストールしてください。\n";

constexpr std::string_view kHelp =
    "■ このヘルプ\n"
    "\n"
    "  使い方の画面の「ヘルプ(H)」か、コマンドプロンプトで merrowin /? と\n"
    "  入力すると開きます。Esc キーで閉じます。merrowin.exe と同じフォルダに\n"
    "  同じ名前のヘルプファイル (merrowin.hlp) があるときは、Windows ヘルプ\n"
    "  (WinHelp) でそちらを開きます。\n";

// Display columns of UTF-8 text: one for ASCII, two for the full-width
// characters that every other character of the help is.
std::size_t DisplayWidth(std::string_view text) {
    std::size_t width = 0;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) ++width;
        if (byte >= 0xC0) width += 2;
    }
    return width;
}

void AppendList(std::string& out, const std::vector<HelpEntry>& entries) {
    for (const HelpEntry& entry : entries) {
        std::size_t lineStart = out.size();
        out.append("  ").append(entry.term);
        std::string_view text = entry.text;
        for (;;) {
            const std::size_t column = out.size() - lineStart;
            out.append(column < kTermColumn ? kTermColumn - column : 1, ' ');
            const std::size_t end = text.find('\n');
            out.append(text.substr(0, end)).append("\n");
            if (end == std::string_view::npos) break;
            text.remove_prefix(end + 1);
            lineStart = out.size();
        }
    }
}

}  // namespace

std::vector<HelpEntry> HelpSwitches() {
    std::vector<HelpEntry> entries;
    for (auto [term, text] : kSwitches) entries.push_back({std::string(term), std::string(text)});
    return entries;
}

std::vector<HelpEntry> HelpOptions() {
    std::vector<HelpEntry> entries;
    for (auto [term, text] : kOtherOptions)
        entries.push_back({std::string(term), std::string(text)});
    for (auto [field, meaning] : kSizeMeanings) {
        const NumericOption& option = OptionOf(field);
        // The placeholder shows the fewest digits taken as written.
        const bool twoDigits = option.byLength[1].kind != Take::Value;
        HelpEntry entry;
        entry.term.append("/").append(option.key).append(twoDigits ? "NN" : "N");
        entry.text.append(meaning).append("\n").append(WrapText(ValueRule(option), kTextColumns));
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::string WrapText(std::string_view text, std::size_t columns) {
    std::string out;
    std::string line;
    // Pieces end after "、" and "。"; a line holds whole pieces.
    while (!text.empty()) {
        std::size_t end = text.size();
        for (std::string_view mark : {std::string_view("、"), std::string_view("。")}) {
            const std::size_t at = text.find(mark);
            if (at != std::string_view::npos) end = std::min(end, at + mark.size());
        }
        const std::string_view piece = text.substr(0, end);
        if (!line.empty() && DisplayWidth(line) + DisplayWidth(piece) > columns) {
            out.append(line).append("\n");
            line.clear();
        }
        line.append(piece);
        text.remove_prefix(end);
    }
    return out.append(line);
}

std::string HelpText() {
    std::string out;
    out.append(kUsageCaption).append("\n\n");
    out.append(kIntro).append("\n");
    out.append(kSyntax).append("\n");
    out.append("■ スイッチ\n\n");
    AppendList(out, HelpSwitches());
    out.append("\n■ オプション\n\n");
    out.append(kOptionIntro).append("\n");
    AppendList(out, HelpOptions());
    for (std::string_view section :
         {kOutputs, kExitStatus, kSettings, kExamples, kPrint, kFont, kHelp})
        out.append("\n").append(section);
    return out;
}

}  // namespace merrowin
