#include "usage/help_text.h"

#include <algorithm>
#include <array>
#include <utility>

#include "common/text.h"
#include "model/options.h"
#include "model/symbology.h"
#include "usage/slip_help.h"

namespace merrowin {
namespace {

// clang-format off
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

// Replaces the one `marker` in `text`, if any, by `value`.
void Replace(std::string& text, std::string_view marker, std::string_view value) {
    const std::size_t at = text.find(marker);
    if (at != std::string::npos) text.replace(at, marker.size(), value);
}

// Where the text of a list row starts: two blanks, then the term padded.
constexpr std::size_t kTermColumn = 14;
// The widest text of a list row, in display columns.
constexpr std::size_t kTextColumns = 60;

constexpr std::string_view kIntro =
    "Merrowin はコマンドラインから使うバーコード作成プログラムです。JAN-13、\n"
    "JAN-8、ITF-14、ITF-16 のシンボルを拡張メタファイル (EMF) として描き\n"
    "ます。コードを 1 つ指定すると、コピー倍率で拡大・縮小した図をクリップ\n"
    "ボードにコピーし、指定があれば .emf ファイルにも保存して終了します。\n"
    "商品リストを指定すると (/bt)、1 回の実行でリストの 1 行に 1 つずつ\n"
    ".emf ファイルを作ります。\n";

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
    "    /fl の後に /nc があるときと /bt のときはコピーしません。ほかの\n"
    "    プログラムがクリップボードを使用中のときは約 1 秒待ちます。\n"
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
    "  0   シンボルを作成しました。/bt では、リストのすべての行のファイルを\n"
    "      作成しました。\n"
    "  1   作成できませんでした。コマンドラインが使えないとき (「コマンドが\n"
    "      正しくありません。」の画面が、終了ボタンを押すまで残ります)、\n"
    "      保存した設定のサイズでは図ができないとき (「設定のサイズでは図を\n"
    "      作れません。」、コピー倍率 0 など) と、エラーで止まったとき\n"
    "      (メッセージボックスが理由を示します) です。/bt では、エラーの行が\n"
    "      あったとき、中止したとき、リストにデータの行がないときも 1 です。\n";

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
    "      JAN-13 (4901234567894) をクリップボードにコピーします\n"
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

// Product lists (/bt), from the list Excel saves to Word labels. Its list,
// batch file and report are README.txt's examples, which the end-to-end
// check runs as written.
constexpr std::string_view kLists =
    "■ 商品リストから一括作成 (/bt)\n"
    "\n"
    "  merrowin スイッチ /btリスト [オプション ...]\n"
    "\n"
    "  リストの 1 行ごとに 1 つの .emf ファイルを作ります。スイッチと\n"
    "  オプションはすべての図に効きます。/fl は要らず、クリップボードは\n"
    "  変えず、/cd と /fl の名前は使いません。\n"
    "\n"
    "  リスト: Excel で A 列にコード、B 列にファイル名 (なくてもよい)、1 行目\n"
    "  に見出しを書き、「CSV UTF-8 (コンマ区切り)」(いちばん確実)、\n"
    "  「CSV (コンマ区切り)」(シフト JIS)、「Unicode テキスト」のどれかで\n"
    "  保存します。C:\\Labels\\codes.csv をメモ帳で開いた例:\n"
    "\n"
    "    JANコード,商品名\n"
    "    4901234567894,りんごジュース\n"
    "    4901234567900,みかんジュース\n"
    "    4901234567918,ぶどうジュース\n"
    "\n"
    "  - A 列はデータ: チェックデジット付き (JAN-13 は 13 桁) か、なし\n"
    "    (12 桁)。付きのときは検査し、違う行はエラーで作りません。全角数字も\n"
    "    使えます。\n"
    "  - B 列がファイル名 (.emf は自動で付く)。B 列が空なら、チェックデジット\n"
    "    付きのコードが名前です。C 列から後ろは読みません。\n"
    "  - 1 行目のデータの欄に文字があれば見出しとして飛ばします (「JAN(13桁)」\n"
    "    も見出し)。空の行も飛ばします。区切りはカンマ、タブ、セミコロン。\n"
    "  - 数字でない文字、桁数の違い、Windows が使えない名前、セルの中の改行、\n"
    "    前の行と Windows が同じとみなす名前、4096 文字を超える行は、その行の\n"
    "    エラーです (ほかの行は作ります)。\n"
    "\n"
    "  コードの列は入力の前に「セルの書式設定」›「文字列」にします。数値の\n"
    "  ままだと Excel は 4.90123E+12 のような指数表示で保存し、先頭の 0 を\n"
    "  消します (ITF-16 の 16 桁は最後の桁も失います)。指数表示の行は\n"
    "  エラー「Excel の指数表示です。この CSV からは元の数字に戻せません。\n"
    "  元のブックで列の表示形式をユーザー定義「0000000000000」にして、保存し\n"
    "  直してください」(0 はコードの桁数)。先頭の 0 が消えて 1 桁短い行は、\n"
    "  ほかの行にチェックデジット付きのコードが 1 行でもあり、0 を付けると\n"
    "  正しいコードになるときエラー「桁数がほかの行と違います。先頭の 0 が\n"
    "  消えていませんか」。そうでない行はチェックデジットなしとして作ります。\n"
    "  どの行もチェックデジットなしのときは短い形として読むので、0 の\n"
    "  消えたコードは気づかれずに別のコードになります。\n"
    "\n"
    "  文字コード: BOM があればそのとおり。なければ、UTF-8 としてだけ正しい\n"
    "  か、UTF-8 のかな・漢字や café のような文字があれば UTF-8、そうでなけ\n"
    "  れば (半角カタカナの名前だけ、など) シフト JIS。壊れた UTF-8 のような\n"
    "  リストやどちらでも読めないリストは「テキストファイルではありません」\n"
    "  で止まり、何も作りません。Windows の「Unicode UTF-8 を使用」がオンでも、\n"
    "  UTF-8 でないリストはシフト JIS として読みます。行の終わりは CR LF、LF、\n"
    "  CR のどれでもかまいません。\n"
    "\n"
    "  バッチファイルの例 (モジュール幅 0.33 mm の JAN-13 を C:\\Labels に):\n"
    "\n"
    "    @echo off\n"
    "    start \"\" /wait \"C:\\Tools\\Merrowin\\merrowin.exe\" /j13 /btC:\\Labels\\codes.csv "
    "/drC:\\Labels /mw33\n"
    "    if errorlevel 1 echo 作成できなかった行があります。レポートを確かめてください。\n"
    "\n"
    "  画面: 「バーコードを作成しています…」、進み具合、「中止」ボタン。\n"
    "  - 全行のファイルができると閉じ、終了コード 0。\n"
    "  - エラーの行があると「3 件中 2 件を作成しました。エラー 1 件」と\n"
    "    レポートの場所を示して残ります。「終了(X)」、Esc、Enter で閉じ、\n"
    "    終了コード 1。\n"
    "  - 「中止」、Esc、Alt+F4 (サインアウトやシャットダウンも) は作成中の\n"
    "    ファイルを書き終えてから止まり、「中止しました。N 件中 M 件を作成、\n"
    "    E 件はエラー、K 件は未処理です。」と示してレポートを書きます。\n"
    "    終了コード 1。\n"
    "  - データの行がないリストは「リストにデータの行がありません。」、\n"
    "    レポートなし、終了コード 1。\n"
    "\n"
    "  レポート: リストの横の「リストの名前.report.tsv」(codes.csv なら\n"
    "  codes.report.tsv)。UTF-8 (BOM 付き) のタブ区切りで、Excel で開けます。\n"
    "  上の例では:\n"
    "\n"
    "    行  状態    データ         ファイルまたはエラー (リストの文字コード: Shift-JIS)\n"
    "    1   header  JANコード\n"
    "    2   ok      4901234567894  C:\\Labels\\りんごジュース.emf\n"
    "    3   ok      4901234567900  C:\\Labels\\みかんジュース.emf\n"
    "    4   error   4901234567918  チェックデジットが違います (正しくは 7)\n"
    "\n"
    "  状態 (英語の 4 語): ok はファイルを作った、error は作らなかった (理由が\n"
    "  4 列目、古いファイルは残る)、header は見出し、cancelled は中止で届か\n"
    "  なかった行。1 行目の ( ) は読んだ文字コード (UTF-8、UTF-8 (BOM)、\n"
    "  UTF-16、Shift-JIS、または 西ヨーロッパ言語 (Windows-1252) などの\n"
    "  Windows の言語名。日本語以外の Windows でも、日本語を含むシフト JIS\n"
    "  のリストは Shift-JIS で読みます)。Excel で開いたままの\n"
    "  レポートは置き換えられないので、横に「codes.report (2).tsv」として\n"
    "  書きます。\n"
    "\n"
    "  停電や強制終了のあと: 書きかけの .emf はできません。作り終えたファイル\n"
    "  は完全ですが、停電では最後のほうのファイルが壊れていることがあります。\n"
    "  レポートは最後に書くので、終わらなかった実行のレポートはありません\n"
    "  (残っているのは前の実行のもの)。同じリストをもう一度実行してください。\n"
    "\n"
    "  Word の差し込み印刷でラベルにする (ファイル名を JAN コードにするため\n"
    "  B 列「ファイル名」を空にし、C 列に商品名を置いたシートの例)。B 列が\n"
    "  空の行のファイル名はチェックデジット付きの 13 桁なので、A 列には\n"
    "  13 桁を書きます (12 桁では Word が図を見つけられません):\n"
    "  1. ブックを C:\\Labels\\labels.xlsx で保存し、「CSV UTF-8」で\n"
    "     C:\\Labels\\labels.csv としても保存します。\n"
    "  2. コマンドプロンプトで、merrowin.exe をフルパスで書いて実行します:\n"
    "     \"C:\\Tools\\Merrowin\\merrowin.exe\" /j13 /btC:\\Labels\\labels.csv /drC:\\Labels "
    "/mw33\n"
    "  3. Word の「差し込み文書」›「差し込み印刷の開始」›「ラベル」で、図\n"
    "     (幅 約 37.3 mm、高さ 約 25.4 mm) より大きいラベルを選びます。\n"
    "  4. 「宛先の選択」›「既存のリストを使用」で labels.xlsx を選び、\n"
    "     「先頭行をタイトル行として使用する」にチェックを付けます。\n"
    "  5. 最初のラベルで Ctrl+F9 を押し、{ } の中に次のフィールドを作ります\n"
    "     (MERGEFIELD は「差し込みフィールドの挿入」で入れます。名前は見出し\n"
    "     と同じで、ファイル名になった列でなければなりません。\\ は \\\\ に):\n"
    "       { INCLUDEPICTURE \"C:\\\\Labels\\\\{ MERGEFIELD JANコード }.emf\" \\d }\n"
    "  6. 「複数ラベルに反映」を押します。\n"
    "  7. 「完了と差し込み」›「個々のドキュメントの編集」›「すべて」。\n"
    "  8. できた文書で Ctrl+A、F9 を押すと図が読み込まれます。\n"
    "  9. Ctrl+A、Ctrl+Shift+F9 で図を文書に取り込みます (\\d のままでは\n"
    "     ファイルへの参照だけです)。\n"
    "\n"
    "  Excel に並べる: 「挿入」›「画像」›「このデバイス」で .emf を選ぶか、\n"
    "  次のマクロで、A 列 (2 行目から) のコードごとに C:\\Labels\\コード.emf を\n"
    "  D 列に、ファイルのままの大きさで取り込みます:\n"
    "\n"
    "    Sub PlaceBarcodes()\n"
    "        Const FOLDER As String = \"C:\\Labels\\\"\n"
    "        Dim files As Object, pic As Shape\n"
    "        Dim rowIndex As Long, path As String\n"
    "        Set files = CreateObject(\"Scripting.FileSystemObject\")\n"
    "        For rowIndex = 2 To Cells(Rows.Count, 1).End(xlUp).Row\n"
    "            path = FOLDER & Cells(rowIndex, 1).Text & \".emf\"\n"
    "            If files.FileExists(path) Then\n"
    "                Set pic = ActiveSheet.Shapes.AddPicture(path, msoFalse, msoTrue, _\n"
    "                    Cells(rowIndex, 4).Left, Cells(rowIndex, 4).Top, -1, -1)\n"
    "                pic.Placement = xlMove\n"
    "                If Rows(rowIndex).RowHeight < pic.Height Then _\n"
    "                    Rows(rowIndex).RowHeight = pic.Height\n"
    "            End If\n"
    "        Next rowIndex\n"
    "    End Sub\n";

constexpr std::string_view kCodesAroundJan =
    "■ 集合包装用商品コード・雑誌コード・ベアラーバー\n"
    "\n"
    "  集合包装用商品コード (GTIN-14) は、ケースや段ボールに付ける ITF-14 を\n"
    "  中の商品の JAN から作ります: インジケータ 1 桁、JAN の最初の 12 桁、\n"
    "  計算し直したチェックデジット。インジケータは GS1 Japan の定めるとおり\n"
    "  1～8 で、荷姿や入り数の違いを表します。\n"
    "\n"
    "  merrowin /i14f /id1 /cd4901234567894 /fl /mw100\n"
    "      14901234567891 を 14901234567891.emf に保存します。/mw100 (モジュール\n"
    "      幅 1.00 mm) で GS1 の標準の大きさ (図は幅 156.5 mm) になります\n"
    "  merrowin /i14f /id1 /btC:\\Cartons\\cartons.csv /drC:\\Cartons /mw100\n"
    "      JAN のリスト C:\\Cartons\\cartons.csv の 1 行ごとに集合包装用商品\n"
    "      コードを C:\\Cartons に作ります。ファイル名は 14 桁 (リストに名前が\n"
    "      あればその名前)。JAN の図 (C:\\Labels) とリストもフォルダも分けない\n"
    "      と、JAN の図とレポートを上書きします\n"
    "\n"
    "  JAN のチェックデジットが違うとき (正しい数字を示します)、インジケータが\n"
    "  1～8 でないとき、ITF-14 以外で /id を使ったときはエラーで止まり、\n"
    "  何も作りません。リストでは、その行だけがエラーになります。\n"
    "\n"
    "  雑誌の定期刊行物コード (日本出版インフラセンター 雑誌コード管理センター)\n"
    "  は 18 桁で、JAN-13 と 5 桁のアドオンを並べます:\n"
    "    JAN-13   491、予備 1 桁 (0)、雑誌コード 5 桁、号数 2 桁、年号 1 桁、\n"
    "             チェックデジット\n"
    "    アドオン 予備 1 桁 (0)、本体価格 4 桁\n"
    "\n"
    "  merrowin /j13 /cd491012345014 /ad00980 /fl\n"
    "      4910123450148 の右にアドオン 00980 を付け、4910123450148.emf に\n"
    "      保存します\n"
    "\n"
    "  アドオンは本体の右 9 モジュールの位置に置き、数字はアドオンのバーの\n"
    "  上に書きます。右マージンはアドオンの右に取ります (5 モジュール以上)。\n"
    "\n"
    "  ITF のベアラーフレーム (/i14f、/i16f) は段ボールに直接印刷するときに\n"
    "  使います。ラベルに印刷するときは上と下のベアラーバー (/i14h、/i16h)\n"
    "  だけでかまいません。太さは /fw、大きさと余白はフレーム付きと同じで、\n"
    "  設定は ITF-14、ITF-16 のものを使います。\n";

// The book code (/bk): its two tiers, where the numbers come from, a
// bunkobon at 820 yen, and what goes to the printer.
constexpr std::string_view kBook =
    "■ 書籍JANコード (/bk)\n"
    "\n"
    "  本のカバーの裏に印刷する 2 段のバーコード (書籍JANコード) と、その横の\n"
    "  日本図書コード 2 行を 1 つの図にします。\n"
    "    上の段  ISBN の 13 桁 (978 か 979 で始まる)\n"
    "    下の段  192、Cコード 4 桁、本体価格 5 桁、チェックデジット\n"
    "    右の 2 行  ISBN978-4-949999-12-0 と C0193 ¥820E のような日本図書コード\n"
    "\n"
    "  ISBN は日本図書コード管理センター (日本出版インフラセンター) に登録した\n"
    "  出版者記号から出版者が書籍ごとに付ける番号、Cコードは販売対象・\n"
    "  発行形態・内容を表す 4 桁の分類、本体価格は税抜きの価格 (円) です。\n"
    "  書籍JANコードを使うには、流通システム開発センター (GS1 Japan) への\n"
    "  登録も必要です。\n"
    "\n"
    "  /cd に ISBN を、ハイフンで 5 つに区切って (978-4-949999-12-0) か数字\n"
    "  だけで (12 桁、またはチェックデジット付きの 13 桁) 書きます。チェック\n"
    "  デジットは検査し、違えば正しい数字を示して止まります。ハイフン付きの\n"
    "  ISBN は書いたとおりに日本図書コードに書きます。/cc に Cコード 4 桁、\n"
    "  /pr に本体価格 (0～99999、下の段には 5 桁で入ります) を書きます。\n"
    "\n"
    "  merrowin /bk /cd978-4-949999-12-0 /cc0193 /pr820 /mw33 /ol /fl\n"
    "      文庫 (一般・文庫・日本文学、本体 820 円) の書籍JANコードを\n"
    "      9784949999120.emf に保存します (下の段は 1920193008203)。\n"
    "      幅 75.08 mm、高さ 34.32 mm\n"
    "\n"
    "  形は書籍の決まりどおりです: 2 つのシンボルは同じ大きさで左端をそろえ、\n"
    "  ガードバーは伸ばさず、数字はすべてガードバーの内側、バーの高さは\n"
    "  11 mm (モジュール 0.33 mm のとき。/bh は効きません)。マージン、ギャップ、\n"
    "  文字サイズとコピー倍率は JAN-13 の設定を使います。/no は数字と日本図書\n"
    "  コードを描きません。リストは 1 行に ISBN、Cコード、本体価格、ファイル名\n"
    "  (なくてもよい) の順で、名前がなければ ISBN の 13 桁が名前です:\n"
    "\n"
    "    ISBN,Cコード,本体価格,ファイル名\n"
    "    978-4-949999-12-0,0193,820,bunko\n"
    "\n"
    "  Cコードと価格の列も「文字列」にします (0193 の 0 が消えるとエラー)。\n"
    "\n"
    "  印刷会社には指定に合わせて PDF か EPS (/fm、■ 印刷会社・Web 用の\n"
    "  ファイル) を渡します。黒はスミだけ、文字も ¥ も輪郭です。/mw も /dp も\n"
    "  ないときは書籍の 100% (モジュール 0.33 mm)。印刷会社がバー幅の縮小や\n"
    "  解像度を指定したら /bw、/dp も付けます。Word やラベルソフトには\n"
    "  /mw33 /ol の .emf を使います。白地に黒 (墨 1 色) で、カバーの天から\n"
    "  約 10 mm、背から約 12 mm の位置に置きます。\n"
    "\n"
    "  merrowin /bk /cd978-4-949999-12-0 /cc0193 /pr820 /fmpdf /nc\n"
    "      上の文庫を 9784949999120.pdf (75.08 × 34.32 mm) に保存します\n"
    "\n"
    "  /cc と /pr はほかのスイッチでは使えません。ISBN、Cコード、本体価格の\n"
    "  どれかが違うとき、/cc か /pr がないときはエラーで止まり、何も作り\n"
    "  ません。\n";

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

constexpr std::string_view kFiles =
    "■ 印刷会社・Web 用のファイル (/fm)\n"
    "\n"
    "  /fmFORMAT でファイルの形式を選びます。FORMAT は emf (付けないときと\n"
    "  同じ)、eps、pdf、svg、png のどれかで、大文字でもかまいません。/fl と\n"
    "  同じようにファイルに保存し (名前はデータとチェックデジット、/fl の\n"
    "  名前があればその名前)、形式の拡張子を付けます (名前がもうその拡張子で\n"
    "  終わっていれば付けません)。クリップボードにはいつもの EMF の図が\n"
    "  入ります (/nc で入れません)。/bt ではリストの全行がその形式になります。\n"
    "  ほかの形式名や空の /fm はエラーで、何も作りません。\n"
    "\n"
    "    eps、pdf  印刷会社 (オフセット、フレキソ、グラビア) に渡します。黒は\n"
    "              スミ (K) 100% だけ、数字はアウトライン (フォントなし)、\n"
    "              白は塗りません\n"
    "    svg、png  Web ページ用。PNG は白と黒だけで、/dp の解像度 (ないときは\n"
    "              600 dpi) の 1 ドットが 1 ピクセルです\n"
    "    emf       Word、Excel、ラベルソフト (これまでどおり)\n"
    "\n"
    "  /mw か /dp があれば、どの形式も同じコマンドの EMF と同じ大きさ\n"
    "  (0.01 mm まで) です。ないときはモジュールを GS1 の標準 (JAN 0.33 mm、\n"
    "  ITF 1.00 mm) にします。印刷会社には、バー幅の縮小 (µm、/bw) と\n"
    "  製版機の解像度 (dpi、/dp) を聞いてください。Illustrator や InDesign\n"
    "  では「配置」で置き、100% のまま使います (拡大・縮小しないでください)。\n"
    "\n"
    "    merrowin /j13 /cd490123456789 /fmeps /dp2400 /bw20 /nc\n"
    "      印刷会社用の 4901234567894.eps。2400 dpi、バーを 20 µm 細く\n"
    "    merrowin /j13 /cd490123456789 /fmsvg /nc\n"
    "      Web 用の 4901234567894.svg (モジュール 0.33 mm)\n";

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
    "  入力すると開きます。Esc キーで閉じます。Windows 10 より前の Windows\n"
    "  では、merrowin.exe と同じフォルダに同じ名前のヘルプファイル\n"
    "  (merrowin.hlp) があると、「ヘルプ(H)」は Windows ヘルプ (WinHelp) で\n"
    "  そちらを開きます。\n";

// The digit counts that are taken as written: first..last.
struct ValueDigits {
    std::size_t first = kLengthClasses;
    std::size_t last = 0;
};
ValueDigits ValueDigitsOf(const NumericOption& option) {
    ValueDigits digits;
    for (std::size_t i = 0; i < kLengthClasses; ++i) {
        if (option.byLength[i].kind != Take::Value) continue;
        digits.first = std::min(digits.first, i);
        digits.last = i;
    }
    return digits;
}

std::string DashRange(Range range, std::string_view dash) {
    return IntToStr(range.minimum).append(dash).append(IntToStr(range.maximum));
}

// "1 桁以下は 10", "3 桁以上は 100", "値なしは 10": a run of lengths
// [first, last] that give one fixed number.
std::string FixedPhrase(std::size_t first, std::size_t last, std::int32_t number,
                        std::string_view particle) {
    std::string digits;
    if (last + 1 == kLengthClasses)
        digits = IntToStr(static_cast<std::int32_t>(first)).append(" 桁以上");
    else if (first == 0 && last == 0)
        digits = "値なし";
    else if (first == 0)
        digits = IntToStr(static_cast<std::int32_t>(last)).append(" 桁以下");
    else if (first == last)
        digits = IntToStr(static_cast<std::int32_t>(first)).append(" 桁");
    else
        digits = IntToStr(static_cast<std::int32_t>(first))
                     .append("～")
                     .append(IntToStr(static_cast<std::int32_t>(last)))
                     .append(" 桁");
    return digits.append(particle).append(IntToStr(number));
}

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

std::string ValueRule(const NumericOption& option) {
    const ValueDigits digits = ValueDigitsOf(option);
    std::string out = "値: ";
    if (digits.first == digits.last)
        out.append(IntToStr(static_cast<std::int32_t>(digits.first)));
    else
        out.append(IntToStr(static_cast<std::int32_t>(digits.first)))
            .append("～")
            .append(IntToStr(static_cast<std::int32_t>(digits.last)));
    out.append(" 桁。");

    std::vector<std::string> phrases;
    // The fixed numbers of the shorter lengths.
    for (std::size_t i = 0; i < digits.first;) {
        std::size_t end = i;
        const Take take = option.byLength[i];
        while (end + 1 < digits.first && option.byLength[end + 1].kind == take.kind &&
               option.byLength[end + 1].number == take.number)
            ++end;
        if (take.kind == Take::Fixed) phrases.push_back(FixedPhrase(i, end, take.number, "は "));
        i = end + 1;
    }
    if (option.floor)
        phrases.push_back(IntToStr(*option.floor) + " 未満は " + IntToStr(*option.floor));
    if (option.oneDigitOne) phrases.push_back("1 桁の 1 は " + IntToStr(*option.oneDigitOne));
    const bool capped = LargestOfDigits(digits.last) > option.ceiling;
    if (capped)
        phrases.push_back(IntToStr(option.ceiling) + " を超えると " + IntToStr(option.ceiling));
    // The fixed numbers of the longer lengths ("も" when it is the cap said
    // just before).
    if (digits.last + 1 < kLengthClasses) {
        const Take take = option.byLength[digits.last + 1];
        const bool same = capped && take.number == option.ceiling;
        phrases.push_back(
            FixedPhrase(digits.last + 1, kLengthClasses - 1, take.number, same ? "も " : "は "));
    }
    if (option.side)
        phrases.push_back("JAN は " + IntToStr(option.side->janFloor) + " 未満が " +
                          IntToStr(option.side->janFloor) + "、ITF は " +
                          IntToStr(option.side->itfCeiling) + " を超えると " +
                          IntToStr(option.side->itfCeiling));
    if (option.byLength[0].kind == Take::Unchanged) phrases.push_back("値なしはそのまま");
    for (std::size_t i = 0; i < phrases.size(); ++i)
        out.append(i == 0 ? "" : "、").append(phrases[i]);
    if (!phrases.empty()) out.append("。");

    out.append("範囲 ");
    if (option.side)
        out.append("JAN ")
            .append(DashRange(CommandLineRange(option, SymbologyKind::Jan13), "～"))
            .append("、ITF ")
            .append(DashRange(CommandLineRange(option, SymbologyKind::Itf14), "～"));
    else
        out.append(DashRange(CommandLineRange(option, SymbologyKind::None), "～"));
    return out;
}

std::string RangeText(const NumericOption& option) {
    if (!option.side) return DashRange(CommandLineRange(option, SymbologyKind::None), "–");
    return "JAN " + DashRange(CommandLineRange(option, SymbologyKind::Jan13), "–") + ", ITF " +
           DashRange(CommandLineRange(option, SymbologyKind::Itf14), "–");
}

std::vector<HelpEntry> HelpSwitches() {
    std::vector<HelpEntry> entries;
    for (const SymbologyDescriptor& symbology : AllSymbologies())
        for (const SwitchStyle& style : symbology.switches)
            entries.push_back({std::string(style.text), std::string(style.help)});
    return entries;
}

std::vector<HelpEntry> HelpOptions() {
    std::vector<HelpEntry> entries;
    for (const TextOption& option : kTextOptions) {
        std::string text(option.help);
        Replace(text, "{kind}",
                option.onlyFor == SymbologyKind::None ? "" : KindAndSwitches(option.onlyFor));
        Replace(text, "{indicators}", IndicatorRangeText());
        Replace(text, "{add-on lengths}", AddOnLengthsText());
        // Appended rather than "/" + key: GCC 12's -Wrestrict wrongly
        // flags operator+ on a literal when optimised.
        std::string term("/");
        term.append(option.key).append(option.value);
        entries.push_back({std::move(term), std::move(text)});
    }
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
    for (std::string_view section : {kOutputs, kExitStatus, kSettings, kExamples, kLists,
                                     kCodesAroundJan, kBook, kSlipHelp, kPrint, kFiles, kFont, kHelp})
        out.append("\n").append(section);
    return out;
}

}  // namespace merrowin
