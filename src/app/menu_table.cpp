#include "app/menu_table.h"

#include <QString>

#include "app/command_ids.h"

namespace ze::app {

namespace {

using namespace command;

QKeySequence Keys(QKeyCombination combination) {
    return QKeySequence(combination);
}

}  // namespace

const std::vector<CommandText>& CommandTexts() {
    static const std::vector<CommandText> texts = {
        {kFileNew,
         "新規作成(&N)",
         "新しいダイアログを作成します\n新規作成",
         {Keys(Qt::CTRL | Qt::Key_N)}},
        {kNewResource,
         "新規リソースの作成",
         "新しいダイアログリソースを作成します\n新規リソース",
         {}},
        {kFileOpen,
         "プロジェクト/リソースの読込み(&O)",
         "プロジェクトまたはリソースのファイルを読み込み、プロジェクトに追加します\n読込み",
         {Keys(Qt::CTRL | Qt::Key_O)}},
        {kSendDialog,
         "データ送信",
         "現在のダイアログのリソース情報を接続端末へ送信します\nデータ送信",
         {}},
        {kSaveProject,
         "プロジェクトの保存（全てのリソース）(&S)",
         "プロジェクトを保存します。（全てのダイアログの保存）\nプロジェクト保存",
         {Keys(Qt::CTRL | Qt::Key_S)}},
        {kSaveProjectAs,
         "名前を付けて保存...",
         "プロジェクトを新しい名前で保存します\n名前を付けて保存",
         {Keys(Qt::CTRL | Qt::SHIFT | Qt::Key_S)}},
        {kSaveResource,
         "リソースの保存（このリソースのみ）",
         "編集中のダイアログだけをファイルに保存します\nリソース保存",
         {}},
        {kFilePrint, "印刷(&P)...", "プレビューを印刷します\n印刷", {Keys(Qt::CTRL | Qt::Key_P)}},
        {kFilePrintPreview,
         "印刷プレビュー(&V)",
         "印刷されるイメージを表示します\n印刷プレビュー",
         {}},
        {kFilePrintSetup,
         "プリンタの設定(&R)...",
         "プリンタと印刷のオプションを変更します\n印刷設定",
         {}},
        {kFileClose,
         "このリソースを閉じる(&C)",
         "編集中のダイアログのウィンドウを閉じます\n閉じる",
         {}},
        {kCreateSkeleton,
         "スケルトンの作成(&M)",
         "テンプレートからアプリケーションのソースのスケルトンを作成します\nスケルトン作成",
         {}},
        {kRecentFile, "最近使ったファイル", "このファイルを開きます\n開く", {}},
        {kDiscardAll,
         "全てのリソースを破棄",
         "全てのダイアログのウィンドウを閉じ、全てのダイアログを破棄します\n全て破棄",
         {}},
        {kAppExit, "アプリケーションの終了(&X)", "アプリケーションを終了します\n終了", {}},
        {kEditUndo,
         "元に戻す(&U)",
         "直前の操作を元に戻します\n元に戻す",
         {Keys(Qt::CTRL | Qt::Key_Z), Keys(Qt::ALT | Qt::Key_Backspace)}},
        {kEditRedo,
         "やり直し(&R)",
         "元に戻した操作をやり直します\nやり直し",
         {Keys(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), Keys(Qt::CTRL | Qt::Key_Y)}},
        {kEditCut,
         "切り取り(&T)",
         "選択項目をクリップボードへ移し、削除します\n切り取り",
         {Keys(Qt::CTRL | Qt::Key_X), Keys(Qt::SHIFT | Qt::Key_Delete)}},
        {kEditCopy,
         "コピー(&C)",
         "選択項目をクリップボードへコピーします\nコピー",
         {Keys(Qt::CTRL | Qt::Key_C), Keys(Qt::CTRL | Qt::Key_Insert)}},
        {kEditPaste,
         "貼り付け(&P)",
         "クリップボードの内容を選択項目の後ろへ挿入します\n貼り付け",
         {Keys(Qt::CTRL | Qt::Key_V), Keys(Qt::SHIFT | Qt::Key_Insert)}},
        {kClearLog, "ログのクリア", "通信ログを消去します\nログのクリア", {}},
        {kAlignLeft, "整列左", "", {}},
        {kAlignRight, "整列右", "", {}},
        {kAlignTop, "整列上", "", {}},
        {kAlignBottom, "整列下", "", {}},
        {kAlignWidth, "整列幅", "", {}},
        {kAlignHeight, "整列高", "", {}},
        {kViewToolBar,
         "ツール バー(&T)",
         "ツール バーの表示/非表示を切り替えます\nツール バーの表示/非表示",
         {}},
        {kViewStatusBar,
         "ステータス バー(&S)",
         "ステータス バーの表示/非表示を切り替えます\nステータス バーの表示/非表示",
         {}},
        {kViewResourcePanel,
         "リソースダイアログ",
         "リソースダイアログの表示/非表示を切り替えます\nリソースダイアログ",
         {}},
        {kViewLogPane, "ログ表示", "ログ表示の表示/非表示を切り替えます\nログ表示", {}},
        {kRedraw, "再描画", "プレビューを再描画します\n再描画", {}},
        {kViewFitWindow,
         "ウィンドウに合わせる",
         "プレビューをウィンドウの大きさでレイアウトします\nウィンドウに合わせる",
         {}},
        {kViewDeviceSize,
         "実寸",
         "プレビューを端末の大きさでレイアウトし、はみ出す部分はスクロールして表示します\n実寸",
         {}},
        {kZoomIn,
         "拡大(&I)",
         "プレビューを拡大します (Ctrl+ホイールでも拡大・縮小できます)\n拡大",
         {Keys(Qt::CTRL | Qt::Key_Equal), Keys(Qt::CTRL | Qt::Key_Plus)}},
        {kZoomOut, "縮小(&O)", "プレビューを縮小します\n縮小", {Keys(Qt::CTRL | Qt::Key_Minus)}},
        {kZoomReset,
         "等倍 (100%)",
         "プレビューを等倍 (100%) で表示します\n等倍",
         {Keys(Qt::CTRL | Qt::Key_0)}},
        {kViewStructure,
         "構造表示",
         "プレビューを枠とラベルで表示します (Ctrl+D で切り替え)\n構造表示",
         {}},
        {kViewDeviceLook,
         "デバイス表示",
         "プレビューを端末での見た目 (色、テキスト、画像、状態) で表示します (Ctrl+D で切り替え)"
         "\nデバイス表示",
         {}},
        {kViewDeviceList,
         "デバイス一覧",
         "作業中のダイアログを複数の端末サイズで並べて表示します\nデバイス一覧",
         {}},
        {kWindowNew,
         "新しいウィンドウを開く(&N)",
         "作業中のダイアログを表示するウィンドウをもう 1 つ開きます\n新しいウィンドウ",
         {}},
        {kWindowCascade, "重ねて表示(&C)", "ウィンドウを重ねて表示します\n重ねて表示", {}},
        {kWindowTile, "並べて表示(&T)", "ウィンドウを並べて表示します\n並べて表示", {}},
        {kWindowArrange,
         "アイコンの整列(&A)",
         "ウィンドウのアイコンを下端に整列します\nアイコンの整列",
         {}},
        {kAppAbout, "バージョン情報(&A)", "バージョン情報を表示します\nバージョン情報", {}},
        // Keys only: no menu shows them.
        {kNextPane,
         "次のウィンドウ枠",
         "次のウィンドウ枠に切り替えます\n次のウィンドウ枠",
         {Keys(Qt::Key_F6)}},
        {kPreviousPane,
         "前のウィンドウ枠",
         "前のウィンドウ枠に切り替えます\n前のウィンドウ枠",
         {Keys(Qt::SHIFT | Qt::Key_F6)}},
        {kSwitchLook,
         "表示の切り替え",
         "構造表示とデバイス表示を切り替えます\n表示の切り替え",
         {Keys(Qt::CTRL | Qt::Key_D)}},
    };
    return texts;
}

const CommandText* FindCommandText(int id) {
    for (const CommandText& text : CommandTexts()) {
        if (text.id == id) {
            return &text;
        }
    }
    return nullptr;
}

QString StatusTextOf(const CommandText& text) {
    return QString::fromUtf8(text.help).section(QLatin1Char('\n'), 0, 0);
}

QString ToolTipOf(const CommandText& text) {
    const QString help = QString::fromUtf8(text.help);
    return help.contains(QLatin1Char('\n')) ? help.section(QLatin1Char('\n'), 1, 1) : QString();
}

const std::vector<MenuLayout>& MenuWithoutDialog() {
    static const std::vector<MenuLayout> menus = {
        {"ファイル(&F)",
         {kFileNew, kFileOpen, kSeparator, kSaveProject, kSaveProjectAs, kSeparator,
          kCreateSkeleton, kSeparator, kRecentFile, kSeparator, kDiscardAll, kSeparator, kAppExit}},
        {"表示(&V)",
         {kViewToolBar, kViewStatusBar, kViewResourcePanel, kViewLogPane, kSeparator, kRedraw}},
        {"ヘルプ(&H)", {kAppAbout}},
    };
    return menus;
}

const std::vector<MenuLayout>& MenuWithDialog() {
    static const std::vector<MenuLayout> menus = {
        {"ファイル(&F)",
         {kFileNew,          kNewResource,    kFileOpen,     kSendDialog,     kSeparator,
          kSaveProject,      kSaveProjectAs,  kSaveResource, kSeparator,      kFilePrint,
          kFilePrintPreview, kFilePrintSetup, kSeparator,    kCreateSkeleton, kSeparator,
          kRecentFile,       kSeparator,      kDiscardAll,   kFileClose,      kSeparator,
          kAppExit}},
        {"編集(&E)",
         {kEditUndo, kEditRedo, kSeparator, kEditCut, kEditCopy, kEditPaste, kSeparator, kClearLog,
          kSeparator, kAlignLeft, kAlignRight, kAlignTop, kAlignBottom, kAlignWidth, kAlignHeight}},
        {"表示(&V)",
         {kViewToolBar, kViewStatusBar, kViewResourcePanel, kViewLogPane, kSeparator, kRedraw,
          kSeparator, kViewFitWindow, kViewDeviceSize, kSeparator, kZoomIn, kZoomOut, kZoomReset,
          kSeparator, kViewStructure, kViewDeviceLook, kViewDeviceList}},
        {"ウィンドウ(&W)", {kWindowNew, kWindowCascade, kWindowTile, kWindowArrange}},
        {"ヘルプ(&H)", {kAppAbout}},
    };
    return menus;
}

const std::vector<int>& ToolBarIds() {
    static const std::vector<int> ids = {
        kFileNew,    kFileOpen,  kSaveProject,   kSeparator,         kRedraw,
        kSeparator,  kClearLog,  kSeparator,     kViewResourcePanel, kViewLogPane,
        kSendDialog, kSeparator, kViewFitWindow, kViewDeviceSize,    kZoomOut,
        kZoomIn,     kSeparator, kViewStructure, kViewDeviceLook,    kViewDeviceList};
    return ids;
}

}  // namespace ze::app
