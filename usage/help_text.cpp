#include "usage/help_text.h"

#include <array>

namespace merrowin {
namespace {

// clang-format off
constexpr std::array<HelpEntry, 10> kSwitches{{
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

constexpr std::array<HelpEntry, 17> kOptions{{
    {"/cdDIGITS", "データ (必須)。JAN-13 は 12 桁、JAN-8 は 7 桁、ITF-14 は 13 桁、\n"
                  "ITF-16 は 15 桁。チェックデジットは自動で付きます。余分な文字は\n"
                  "無視し、足りないときは「コマンドが正しくありません。」"},
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
                  "設定画面で指定したフォルダを使いません"},
    {"/nc",       "/fl の後に書くと、ファイルだけに出力し、クリップボードは\n"
                  "変えません"},
    {"/no",       "数字を描きません (/j13b、/j8b、ITF)"},
    {"/bhNN",     "バーの高さ (モジュール)\n"
                  "値: 2 桁。1 桁以下は 10、3 桁以上は 100。範囲 10～100"},
    {"/tmN",      "上の余白 (モジュール)\n"
                  "値: 1～2 桁。20 を超えると 20、3 桁以上も 20。値なしは\n"
                  "そのまま。範囲 0～20"},
    {"/bmN",      "下の余白 (モジュール)\n"
                  "値: 1～2 桁。20 を超えると 20、3 桁以上も 20。値なしは\n"
                  "そのまま。範囲 0～20"},
    {"/lmN",      "左の余白 (モジュール)\n"
                  "値: 1～2 桁。30 を超えると 30、3 桁以上も 30。JAN は 11 未満が\n"
                  "11、ITF は 20 を超えると 20。範囲 JAN 11～30、ITF 0～20"},
    {"/rmN",      "右の余白 (モジュール)\n"
                  "値: 1～2 桁。30 を超えると 30、3 桁以上も 30。JAN は 7 未満が\n"
                  "7、ITF は 20 を超えると 20。範囲 JAN 7～30、ITF 0～20"},
    {"/imNN",     "ITF の内側の余白 (クワイエットゾーン、モジュール)\n"
                  "値: 2 桁。1 桁以下は 10、3 桁以上は 100。範囲 10～100"},
    {"/fwN",      "ITF のベアラーフレームの幅 (モジュール)\n"
                  "値: 1～2 桁。1 桁の 1 は 2、15 を超えると 15、3 桁以上も 15。\n"
                  "範囲 0～15"},
    {"/gpN",      "バーと数字の間隔 (描画単位)\n"
                  "値: 1～2 桁。20 を超えると 20、3 桁以上も 20。範囲 0～20"},
    {"/fsNN",     "中央 1 行の数字の大きさ (描画単位)\n"
                  "値: 2 桁。1 桁以下は 10、28 を超えると 28。範囲 10～28"},
    {"/crNN",     "コピー倍率 (%): クリップボードとファイルの図の大きさ\n"
                  "値: 2～3 桁。1 桁以下は 10、500 を超えると 500、4 桁以上も\n"
                  "500。範囲 10～500"},
    {"/mwNN",     "モジュール幅 (1/100 mm)。指定すると図の大きさを画面ではなく\n"
                  "この幅 (×コピー倍率) から決めるので、どのパソコンでも同じ\n"
                  "大きさで印刷されます。コマンドラインだけのもので、保存されません\n"
                  "値: 2～3 桁。1 桁以下は 10、200 を超えると 200、4 桁以上も\n"
                  "200。範囲 10～200"},
}};
// clang-format on

// Where the text of a list row starts: two blanks, then the term padded.
constexpr std::size_t kTermColumn = 14;

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
    "  ます。同じキーが 2 回あるときは後のものが有効です。\n";

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
    "    「ドキュメント」フォルダです。指定したフォルダがないときは現在の\n"
    "    フォルダに保存します。同じ名前のファイルは置き換えます (保存に\n"
    "    失敗したときは元のファイルが残ります)。保存中の図は「名前.emf.\n"
    "    merrowin-XXXXXXXX.tmp」に書かれます。停電のあとに残っていたら\n"
    "    削除してかまいません。\n";

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
    "  種類ごとに、バーの高さ、余白、間隔、フレームの幅、文字の大きさ、\n"
    "  コピー倍率を保存できます。「常に既定値を適用する」のチェックを外すと、\n"
    "  コマンドラインで指定しなかった値に保存した値が使われます (チェックが\n"
    "  あるときは既定値)。「保存場所の指定」で /fl のファイルの保存先を\n"
    "  決められます。\n"
    "\n"
    "  保存場所: HKEY_CURRENT_USER\\Software\\Korvane\\Merrowin\n"
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
    "  バッチファイル (終わるのを待って終了コードを調べる):\n"
    "\n"
    "    @echo off\n"
    "    start \"\" /wait merrowin.exe /j13 /cd490123456789 /fl /drC:\\Labels\n"
    "    if errorlevel 1 echo バーコードを作成できませんでした。\n"
    "\n"
    "  Excel などのマクロ (VBA、終わるのを待って図を貼り付ける):\n"
    "\n"
    "    Dim wsh As Object, status As Long\n"
    "    Set wsh = CreateObject(\"WScript.Shell\")\n"
    "    status = wsh.Run(\"\"\"C:\\Tools\\merrowin.exe\"\" /j13 /cd490123456789\", 1, True)\n"
    "    If status = 0 Then ActiveSheet.Paste Else MsgBox \"作成できませんでした。\"\n"
    "\n"
    "  Run の 3 つ目の引数 True で、Merrowin が終わるまで待ちます。2 つ目の\n"
    "  引数は 1 (通常の表示) にします。0 (非表示) では「コマンドが正しく\n"
    "  ありません。」の画面やエラーのメッセージが見えないまま残り、マクロが\n"
    "  待ち続けることがあります。\n";

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

void AppendList(std::string& out, std::span<const HelpEntry> entries) {
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

std::span<const HelpEntry> HelpSwitches() {
    return kSwitches;
}

std::span<const HelpEntry> HelpOptions() {
    return kOptions;
}

std::string HelpText() {
    std::string out;
    out.append(kUsageCaption).append("\n\n");
    out.append(kIntro).append("\n");
    out.append(kSyntax).append("\n");
    out.append("■ スイッチ\n\n");
    AppendList(out, kSwitches);
    out.append("\n■ オプション\n\n");
    out.append(kOptionIntro).append("\n");
    AppendList(out, kOptions);
    for (std::string_view section : {kOutputs, kExitStatus, kSettings, kExamples, kFont, kHelp})
        out.append("\n").append(section);
    return out;
}

}  // namespace merrowin
