#include "app/menu_table.h"

#include <QCoreApplication>
#include <QString>

#include "app/command_ids.h"

namespace ze::app {

namespace {

using enum CommandId;

QKeySequence Keys(QKeyCombination combination) {
    return QKeySequence(combination);
}

}  // namespace

const std::vector<CommandText>& CommandTexts() {
    static const std::vector<CommandText> texts = {
        {kFileNew,
         QT_TRANSLATE_NOOP("Menu", "新規作成(&N)"),
         QT_TRANSLATE_NOOP("Menu", "新しいダイアログを作成します\n新規作成"),
         {Keys(Qt::CTRL | Qt::Key_N)}},
        {kFileOpen,
         QT_TRANSLATE_NOOP("Menu", "プロジェクト/リソースの読込み(&O)"),
         QT_TRANSLATE_NOOP(
             "Menu",
             "プロジェクトまたはリソースのファイルを読み込み、プロジェクトに追加します\n読込み"),
         {Keys(Qt::CTRL | Qt::Key_O)}},
        {kSendDialog,
         QT_TRANSLATE_NOOP("Menu", "データ送信"),
         QT_TRANSLATE_NOOP("Menu",
                           "現在のダイアログのリソース情報を接続端末へ送信します\nデータ送信"),
         {}},
        {kSaveProject,
         QT_TRANSLATE_NOOP("Menu", "プロジェクトの保存（全てのリソース）(&S)"),
         QT_TRANSLATE_NOOP(
             "Menu", "プロジェクトを保存します。（全てのダイアログの保存）\nプロジェクト保存"),
         {Keys(Qt::CTRL | Qt::Key_S)}},
        {kSaveProjectAs,
         QT_TRANSLATE_NOOP("Menu", "名前を付けて保存..."),
         QT_TRANSLATE_NOOP("Menu", "プロジェクトを新しい名前で保存します\n名前を付けて保存"),
         {Keys(Qt::CTRL | Qt::SHIFT | Qt::Key_S)}},
        {kSaveResource,
         QT_TRANSLATE_NOOP("Menu", "リソースの保存（このリソースのみ）"),
         QT_TRANSLATE_NOOP("Menu", "編集中のダイアログだけをファイルに保存します\nリソース保存"),
         {}},
        {kFilePrint,
         QT_TRANSLATE_NOOP("Menu", "印刷(&P)..."),
         QT_TRANSLATE_NOOP("Menu", "プレビューを印刷します\n印刷"),
         {Keys(Qt::CTRL | Qt::Key_P)}},
        {kFilePrintPreview,
         QT_TRANSLATE_NOOP("Menu", "印刷プレビュー(&V)"),
         QT_TRANSLATE_NOOP("Menu", "印刷されるイメージを表示します\n印刷プレビュー"),
         {}},
        {kFilePrintSetup,
         QT_TRANSLATE_NOOP("Menu", "プリンタの設定(&R)..."),
         QT_TRANSLATE_NOOP("Menu", "プリンタと印刷のオプションを変更します\n印刷設定"),
         {}},
        {kFileClose,
         QT_TRANSLATE_NOOP("Menu", "このリソースを閉じる(&C)"),
         QT_TRANSLATE_NOOP("Menu", "編集中のダイアログのウィンドウを閉じます\n閉じる"),
         {}},
        {kCreateSkeleton,
         QT_TRANSLATE_NOOP("Menu", "スケルトンの作成(&M)"),
         QT_TRANSLATE_NOOP(
             "Menu",
             "テンプレートからアプリケーションのソースのスケルトンを作成します\nスケルトン作成"),
         {}},
        {kRecentFile,
         QT_TRANSLATE_NOOP("Menu", "最近使ったファイル"),
         QT_TRANSLATE_NOOP("Menu", "このファイルを開きます\n開く"),
         {}},
        {kDiscardAll,
         QT_TRANSLATE_NOOP("Menu", "全てのリソースを破棄"),
         QT_TRANSLATE_NOOP(
             "Menu", "全てのダイアログのウィンドウを閉じ、全てのダイアログを破棄します\n全て破棄"),
         {}},
        {kAppExit,
         QT_TRANSLATE_NOOP("Menu", "アプリケーションの終了(&X)"),
         QT_TRANSLATE_NOOP("Menu", "アプリケーションを終了します\n終了"),
         {}},
        {kEditUndo,
         QT_TRANSLATE_NOOP("Menu", "元に戻す(&U)"),
         QT_TRANSLATE_NOOP("Menu", "直前の操作を元に戻します\n元に戻す"),
         {Keys(Qt::CTRL | Qt::Key_Z), Keys(Qt::ALT | Qt::Key_Backspace)}},
        {kEditRedo,
         QT_TRANSLATE_NOOP("Menu", "やり直し(&R)"),
         QT_TRANSLATE_NOOP("Menu", "元に戻した操作をやり直します\nやり直し"),
         {Keys(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), Keys(Qt::CTRL | Qt::Key_Y)}},
        {kEditCut,
         QT_TRANSLATE_NOOP("Menu", "切り取り(&T)"),
         QT_TRANSLATE_NOOP("Menu", "選択項目をクリップボードへ移し、削除します\n切り取り"),
         {Keys(Qt::CTRL | Qt::Key_X), Keys(Qt::SHIFT | Qt::Key_Delete)}},
        {kEditCopy,
         QT_TRANSLATE_NOOP("Menu", "コピー(&C)"),
         QT_TRANSLATE_NOOP("Menu", "選択項目をクリップボードへコピーします\nコピー"),
         {Keys(Qt::CTRL | Qt::Key_C), Keys(Qt::CTRL | Qt::Key_Insert)}},
        {kEditPaste,
         QT_TRANSLATE_NOOP("Menu", "貼り付け(&P)"),
         QT_TRANSLATE_NOOP("Menu", "クリップボードの内容を選択項目の後ろへ挿入します\n貼り付け"),
         {Keys(Qt::CTRL | Qt::Key_V), Keys(Qt::SHIFT | Qt::Key_Insert)}},
        {kClearLog,
         QT_TRANSLATE_NOOP("Menu", "ログのクリア"),
         QT_TRANSLATE_NOOP("Menu", "通信ログを消去します\nログのクリア"),
         {}},
        {kViewToolBar,
         QT_TRANSLATE_NOOP("Menu", "ツール バー(&T)"),
         QT_TRANSLATE_NOOP("Menu",
                           "ツール バーの表示/非表示を切り替えます\nツール バーの表示/非表示"),
         {}},
        {kViewStatusBar,
         QT_TRANSLATE_NOOP("Menu", "ステータス バー(&S)"),
         QT_TRANSLATE_NOOP(
             "Menu", "ステータス バーの表示/非表示を切り替えます\nステータス バーの表示/非表示"),
         {}},
        {kViewResourcePanel,
         QT_TRANSLATE_NOOP("Menu", "リソースダイアログ"),
         QT_TRANSLATE_NOOP("Menu",
                           "リソースダイアログの表示/非表示を切り替えます\nリソースダイアログ"),
         {}},
        {kViewLogPane,
         QT_TRANSLATE_NOOP("Menu", "ログ表示"),
         QT_TRANSLATE_NOOP("Menu", "ログ表示の表示/非表示を切り替えます\nログ表示"),
         {}},
        {kViewHistory,
         QT_TRANSLATE_NOOP("Menu", "履歴"),
         QT_TRANSLATE_NOOP("Menu", "作業中のダイアログの編集履歴の表示/非表示を切り替えます\n履歴"),
         {}},
        {kRedraw,
         QT_TRANSLATE_NOOP("Menu", "再描画"),
         QT_TRANSLATE_NOOP("Menu", "プレビューを再描画します\n再描画"),
         {}},
        {kViewFitWindow,
         QT_TRANSLATE_NOOP("Menu", "ウィンドウに合わせる"),
         QT_TRANSLATE_NOOP(
             "Menu", "プレビューをウィンドウの大きさでレイアウトします\nウィンドウに合わせる"),
         {}},
        {kViewDeviceSize,
         QT_TRANSLATE_NOOP("Menu", "実寸"),
         QT_TRANSLATE_NOOP("Menu",
                           "プレビューを端末の大きさでレイアウトし、はみ出す部分はスクロールして表"
                           "示します\n実寸"),
         {}},
        {kZoomIn,
         QT_TRANSLATE_NOOP("Menu", "拡大(&I)"),
         QT_TRANSLATE_NOOP("Menu",
                           "プレビューを拡大します (Ctrl+ホイールでも拡大・縮小できます)\n拡大"),
         {Keys(Qt::CTRL | Qt::Key_Equal), Keys(Qt::CTRL | Qt::Key_Plus)}},
        {kZoomOut,
         QT_TRANSLATE_NOOP("Menu", "縮小(&O)"),
         QT_TRANSLATE_NOOP("Menu", "プレビューを縮小します\n縮小"),
         {Keys(Qt::CTRL | Qt::Key_Minus)}},
        {kZoomReset,
         QT_TRANSLATE_NOOP("Menu", "等倍 (100%)"),
         QT_TRANSLATE_NOOP("Menu", "プレビューを等倍 (100%) で表示します\n等倍"),
         {Keys(Qt::CTRL | Qt::Key_0)}},
        {kViewStructure,
         QT_TRANSLATE_NOOP("Menu", "構造表示"),
         QT_TRANSLATE_NOOP("Menu",
                           "プレビューを枠とラベルで表示します (Ctrl+D で切り替え)\n構造表示"),
         {}},
        {kViewDeviceLook,
         QT_TRANSLATE_NOOP("Menu", "デバイス表示"),
         QT_TRANSLATE_NOOP("Menu",
                           "プレビューを端末での見た目 (色、テキスト、画像、状態) で表示します "
                           "(Ctrl+D で切り替え)\nデバイス表示"),
         {}},
        {kViewDeviceList,
         QT_TRANSLATE_NOOP("Menu", "デバイス一覧"),
         QT_TRANSLATE_NOOP("Menu",
                           "作業中のダイアログを複数の端末サイズで並べて表示します\nデバイス一覧"),
         {}},
        {kWindowNew,
         QT_TRANSLATE_NOOP("Menu", "新しいウィンドウを開く(&N)"),
         QT_TRANSLATE_NOOP(
             "Menu", "作業中のダイアログを表示するウィンドウをもう 1 つ開きます\n新しいウィンドウ"),
         {}},
        {kWindowCascade,
         QT_TRANSLATE_NOOP("Menu", "重ねて表示(&C)"),
         QT_TRANSLATE_NOOP("Menu", "ウィンドウを重ねて表示します\n重ねて表示"),
         {}},
        {kWindowTile,
         QT_TRANSLATE_NOOP("Menu", "並べて表示(&T)"),
         QT_TRANSLATE_NOOP("Menu", "ウィンドウを並べて表示します\n並べて表示"),
         {}},
        {kWindowArrange,
         QT_TRANSLATE_NOOP("Menu", "アイコンの整列(&A)"),
         QT_TRANSLATE_NOOP("Menu", "ウィンドウのアイコンを下端に整列します\nアイコンの整列"),
         {}},
        {kAppAbout,
         QT_TRANSLATE_NOOP("Menu", "バージョン情報(&A)"),
         QT_TRANSLATE_NOOP("Menu", "バージョン情報を表示します\nバージョン情報"),
         {}},
        // Keys only: no menu shows them.
        {kNextPane,
         QT_TRANSLATE_NOOP("Menu", "次のウィンドウ枠"),
         QT_TRANSLATE_NOOP("Menu", "次のウィンドウ枠に切り替えます\n次のウィンドウ枠"),
         {Keys(Qt::Key_F6)}},
        {kPreviousPane,
         QT_TRANSLATE_NOOP("Menu", "前のウィンドウ枠"),
         QT_TRANSLATE_NOOP("Menu", "前のウィンドウ枠に切り替えます\n前のウィンドウ枠"),
         {Keys(Qt::SHIFT | Qt::Key_F6)}},
        {kSwitchLook,
         QT_TRANSLATE_NOOP("Menu", "表示の切り替え"),
         QT_TRANSLATE_NOOP("Menu", "構造表示とデバイス表示を切り替えます\n表示の切り替え"),
         {Keys(Qt::CTRL | Qt::Key_D)}},
    };
    return texts;
}

const CommandText* FindCommandText(CommandId id) {
    for (const CommandText& text : CommandTexts()) {
        if (text.id == id) {
            return &text;
        }
    }
    return nullptr;
}

QString TranslatedMenuText(const char* text) {
    return *text == '\0' ? QString() : QCoreApplication::translate("Menu", text);
}

QString StatusTextOf(const CommandText& text) {
    return TranslatedMenuText(text.help).section(QLatin1Char('\n'), 0, 0);
}

QString ToolTipOf(const CommandText& text) {
    const QString help = TranslatedMenuText(text.help);
    return help.contains(QLatin1Char('\n')) ? help.section(QLatin1Char('\n'), 1, 1) : QString();
}

const std::vector<MenuLayout>& MenuWithoutDialog() {
    static const std::vector<MenuLayout> menus = {
        {QT_TRANSLATE_NOOP("Menu", "ファイル(&F)"),
         {kFileNew, kFileOpen, kSeparator, kSaveProject, kSaveProjectAs, kSeparator,
          kCreateSkeleton, kSeparator, kRecentFile, kSeparator, kDiscardAll, kSeparator, kAppExit}},
        // The history of the dialog picked in the tree, whether or not it has
        // a window.
        {QT_TRANSLATE_NOOP("Menu", "編集(&E)"),
         {kEditUndo, kEditRedo, kSeparator, kEditCut, kEditCopy, kEditPaste, kSeparator, kClearLog}},
        {QT_TRANSLATE_NOOP("Menu", "表示(&V)"),
         {kViewToolBar, kViewStatusBar, kViewResourcePanel, kViewLogPane, kViewHistory, kSeparator,
          kRedraw}},
        {QT_TRANSLATE_NOOP("Menu", "ヘルプ(&H)"), {kAppAbout}},
    };
    return menus;
}

const std::vector<MenuLayout>& MenuWithDialog() {
    static const std::vector<MenuLayout> menus = {
        {QT_TRANSLATE_NOOP("Menu", "ファイル(&F)"),
         {kFileNew, kFileOpen, kSendDialog, kSeparator, kSaveProject, kSaveProjectAs,
          kSaveResource, kSeparator, kFilePrint, kFilePrintPreview, kFilePrintSetup, kSeparator,
          kCreateSkeleton, kSeparator, kRecentFile, kSeparator, kDiscardAll, kFileClose,
          kSeparator, kAppExit}},
        {QT_TRANSLATE_NOOP("Menu", "編集(&E)"),
         {kEditUndo, kEditRedo, kSeparator, kEditCut, kEditCopy, kEditPaste, kSeparator, kClearLog}},
        {QT_TRANSLATE_NOOP("Menu", "表示(&V)"),
         {kViewToolBar, kViewStatusBar, kViewResourcePanel, kViewLogPane, kViewHistory, kSeparator,
          kRedraw, kSeparator, kViewFitWindow, kViewDeviceSize, kSeparator, kZoomIn, kZoomOut,
          kZoomReset, kSeparator, kViewStructure, kViewDeviceLook, kViewDeviceList}},
        {QT_TRANSLATE_NOOP("Menu", "ウィンドウ(&W)"),
         {kWindowNew, kWindowCascade, kWindowTile, kWindowArrange}},
        {QT_TRANSLATE_NOOP("Menu", "ヘルプ(&H)"), {kAppAbout}},
    };
    return menus;
}

const std::vector<CommandId>& ToolBarIds() {
    static const std::vector<CommandId> ids = {
        kFileNew,    kFileOpen,  kSaveProject,   kSeparator,         kRedraw,
        kSeparator,  kClearLog,  kSeparator,     kViewResourcePanel, kViewLogPane,
        kSendDialog, kSeparator, kViewFitWindow, kViewDeviceSize,    kZoomOut,
        kZoomIn,     kSeparator, kViewStructure, kViewDeviceLook,    kViewDeviceList};
    return ids;
}

}  // namespace ze::app
