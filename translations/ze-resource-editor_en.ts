<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>Editor</name>
    <message>
        <source>プロジェクトは変更されています。保存しますか？</source>
        <translation>The project has been changed. Do you want to save it?</translation>
    </message>
    <message>
        <source>無題</source>
        <translation>Untitled</translation>
    </message>
    <message>
        <source>前回、保存されずに終了した編集が見つかりました。

プロジェクト: %1
最後の自動保存: %2

「%3」で保存されていないプロジェクトとして読み込みます。</source>
        <translation>Edits that were not saved when the editor last ended were found.

Project: %1
Last autosave: %2

&quot;%3&quot; loads them as an unsaved project.</translation>
    </message>
    <message>
        <source>復元</source>
        <translation>Restore</translation>
    </message>
    <message>
        <source>破棄</source>
        <translation>Discard</translation>
    </message>
    <message>
        <source>ツール バー</source>
        <translation>Toolbar</translation>
    </message>
    <message>
        <source>リソースファイル (*.moxspro *.json);;すべてのファイル (*)</source>
        <translation>Resource files (*.moxspro *.json);;All files (*)</translation>
    </message>
    <message>
        <source>リソースファイル (*.moxspro)</source>
        <translation>Resource files (*.moxspro)</translation>
    </message>
    <message>
        <source>リソースファイル (*.json)</source>
        <translation>Resource files (*.json)</translation>
    </message>
    <message>
        <source>自動保存できませんでした: %1</source>
        <translation>Could not autosave: %1</translation>
    </message>
    <message>
        <source>挿入オブジェクト</source>
        <translation>Insert</translation>
    </message>
    <message>
        <source>クリップボード</source>
        <translation>Clipboard</translation>
    </message>
    <message>
        <source>標準画像(BUILTIN)</source>
        <translation>BUILTIN images</translation>
    </message>
    <message>
        <source>ユーザ登録画像(STATION)</source>
        <translation>STATION images</translation>
    </message>
    <message>
        <source>通信ログ</source>
        <translation>Communication log</translation>
    </message>
    <message>
        <source>問題</source>
        <translation>Problems</translation>
    </message>
    <message>
        <source>接続</source>
        <translation>Connection</translation>
    </message>
    <message>
        <source>プロパティー</source>
        <translation>Properties</translation>
    </message>
    <message>
        <source>待受</source>
        <translation>Listen</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>切断</source>
        <translation>Disconnect</translation>
    </message>
    <message>
        <source>送信</source>
        <translation>Send</translation>
    </message>
    <message>
        <source>自動送信</source>
        <translation>Send automatically</translation>
    </message>
    <message>
        <source>待受ポート</source>
        <translation>Listen port</translation>
    </message>
    <message>
        <source>IPアドレス</source>
        <translation>IP address</translation>
    </message>
    <message>
        <source>▲</source>
        <translation>▲</translation>
    </message>
    <message>
        <source>前へ移動</source>
        <translation>Move up</translation>
    </message>
    <message>
        <source>カレント選択項目を前へ移動させます</source>
        <translation>Moves the current item up</translation>
    </message>
    <message>
        <source>▼</source>
        <translation>▼</translation>
    </message>
    <message>
        <source>後ろへ移動</source>
        <translation>Move down</translation>
    </message>
    <message>
        <source>カレント選択項目を後ろへ移動させます</source>
        <translation>Moves the current item down</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>選択項目の削除（カット）</source>
        <translation>Delete the selection (cut)</translation>
    </message>
    <message>
        <source>カレント選択項目を削除します。削除した項目がオブジェクトの場合はクリップボードへ保存されます。</source>
        <translation>Deletes the current item. A deleted object is kept on the clipboard.</translation>
    </message>
    <message>
        <source>カレント選択オブジェクトをクリップボードへコピー</source>
        <translation>Copy the current object to the clipboard</translation>
    </message>
    <message>
        <source>カレント選択オブジェクトをクリップボードへコピーします。選択がオブジェクトではない場合は何もしません。</source>
        <translation>Copies the current object to the clipboard. Does nothing when the selection is not an object.</translation>
    </message>
    <message>
        <source>Group化</source>
        <translation>Group</translation>
    </message>
    <message>
        <source>グループ化</source>
        <translation>Group</translation>
    </message>
    <message>
        <source>新規にグループオブジェクトを作成し、選択オブジェクトを挿入します</source>
        <translation>Creates a new group and moves the selected objects into it</translation>
    </message>
    <message>
        <source>G解除</source>
        <translation>Ungroup</translation>
    </message>
    <message>
        <source>グループ解除</source>
        <translation>Ungroup</translation>
    </message>
    <message>
        <source>最上位階層のグループ オブジェクトを削除します</source>
        <translation>Removes the group, keeping its children in its place</translation>
    </message>
    <message>
        <source>後ろ</source>
        <translation>After</translation>
    </message>
    <message>
        <source>同階層の後ろへ挿入</source>
        <translation>Insert after, on the same level</translation>
    </message>
    <message>
        <source>指定オブジェクトをカレント選択オブジェクトの後ろ（同階層）へ挿入します。</source>
        <translation>Inserts the chosen object after the current object, on the same level.</translation>
    </message>
    <message>
        <source>下先頭へ</source>
        <translation>First child</translation>
    </message>
    <message>
        <source>下階層の先頭へ挿入</source>
        <translation>Insert as the first child</translation>
    </message>
    <message>
        <source>指定オブジェクトをカレント選択オブジェクトの下階層の先頭へ挿入します。</source>
        <translation>Inserts the chosen object as the first child of the current object.</translation>
    </message>
    <message>
        <source>下末尾へ</source>
        <translation>Last child</translation>
    </message>
    <message>
        <source>下階層の末尾へ挿入</source>
        <translation>Insert as the last child</translation>
    </message>
    <message>
        <source>指定オブジェクトをカレント選択オブジェクトの下階層の末尾へ挿入します。</source>
        <translation>Inserts the chosen object as the last child of the current object.</translation>
    </message>
    <message>
        <source>挿入：</source>
        <translation>Insert:</translation>
    </message>
    <message>
        <source>参照</source>
        <translation>Browse</translation>
    </message>
    <message>
        <source>フォルダを選択してください</source>
        <translation>Choose a folder</translation>
    </message>
    <message>
        <source>名前・種類・テキストで絞り込み</source>
        <translation>Filter by name, type or text</translation>
    </message>
    <message>
        <source>バージョン情報</source>
        <translation>About</translation>
    </message>
    <message>
        <source>デバイス一覧の編集</source>
        <translation>Edit the device list</translation>
    </message>
    <message>
        <source>名前</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>幅</source>
        <translation>Width</translation>
    </message>
    <message>
        <source>高さ</source>
        <translation>Height</translation>
    </message>
    <message>
        <source>向き</source>
        <translation>Orientation</translation>
    </message>
    <message>
        <source>追加</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>初期設定に戻す</source>
        <translation>Restore defaults</translation>
    </message>
    <message>
        <source>新しいデバイス</source>
        <translation>New device</translation>
    </message>
    <message>
        <source>縦</source>
        <translation>Portrait</translation>
    </message>
    <message>
        <source>横</source>
        <translation>Landscape</translation>
    </message>
    <message>
        <source>名前を入力してください。</source>
        <translation>Enter a name.</translation>
    </message>
    <message>
        <source>幅と高さは 1 から %1 までの整数で入力してください。</source>
        <translation>Enter the width and height as whole numbers from 1 to %1.</translation>
    </message>
    <message>
        <source>デバイス表示</source>
        <translation>Device view</translation>
    </message>
    <message>
        <source>デバイス一覧</source>
        <translation>Device list</translation>
    </message>
    <message>
        <source>一覧の編集...</source>
        <translation>Edit the list...</translation>
    </message>
    <message>
        <source>プロジェクト</source>
        <translation>Project</translation>
    </message>
    <message>
        <source>ファイルを読み込めませんでした。
%1</source>
        <translation>The file could not be read.
%1</translation>
    </message>
    <message>
        <source>スケルトン生成</source>
        <translation>Generate skeleton</translation>
    </message>
    <message>
        <source>出力フォルダ</source>
        <translation>Output folder</translation>
    </message>
    <message>
        <source>上書き</source>
        <translation>Overwrite</translation>
    </message>
    <message>
        <source>←ここにチェックを入れると全て上書きになります。個別指定は下のチェックで。</source>
        <translation>← Check this to overwrite everything; the boxes below choose file by file.</translation>
    </message>
    <message>
        <source>メイン</source>
        <translation>Main</translation>
    </message>
    <message>
        <source>アプリケーション</source>
        <translation>Application</translation>
    </message>
    <message>
        <source>ダイアログ生成</source>
        <translation>Dialog factory</translation>
    </message>
    <message>
        <source>ダイアログ</source>
        <translation>Dialogs</translation>
    </message>
    <message>
        <source>このダイアログのみ</source>
        <translation>This dialog only</translation>
    </message>
    <message>
        <source>すべてのダイアログ</source>
        <translation>All dialogs</translation>
    </message>
    <message>
        <source>出力フォルダ %1 はありません。作成しますか？</source>
        <translation>The output folder %1 does not exist. Create it?</translation>
    </message>
    <message>
        <source>出力フォルダを作成できませんでした。
%1</source>
        <translation>The output folder could not be created.
%1</translation>
    </message>
    <message>
        <source>%1 行目: %2</source>
        <translation>Row %1: %2</translation>
    </message>
    <message>
        <source>設定ファイルに書き込めませんでした。</source>
        <translation>The settings file could not be written.</translation>
    </message>
    <message>
        <source>小型スマートフォン</source>
        <translation>Small phone</translation>
    </message>
    <message>
        <source>スマートフォン</source>
        <translation>Phone</translation>
    </message>
    <message>
        <source>大型スマートフォン</source>
        <translation>Large phone</translation>
    </message>
    <message>
        <source>タブレット</source>
        <translation>Tablet</translation>
    </message>
    <message>
        <source>要素</source>
        <translation>Element</translation>
    </message>
    <message>
        <source>プロパティ</source>
        <translation>Property</translation>
    </message>
    <message>
        <source>内容</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>ダイアログ</source>
        <comment>one dialog</comment>
        <translation>Dialog</translation>
    </message>
    <message>
        <source>編集中のダイアログはありません。</source>
        <translation>No dialog is being edited.</translation>
    </message>
    <message>
        <source>新規作成</source>
        <translation>New</translation>
    </message>
    <message>
        <source>新しいダイアログを作成して編集を始めます。</source>
        <translation>Creates a new dialog and starts editing it.</translation>
    </message>
    <message>
        <source>プロジェクト/リソースの読込み...</source>
        <translation>Open project/resource...</translation>
    </message>
    <message>
        <source>プロジェクト (*.moxspro) またはダイアログ (*.json) を開きます。</source>
        <translation>Opens a project (*.moxspro) or dialog (*.json) file.</translation>
    </message>
    <message>
        <source>最近使ったファイル</source>
        <translation>Recent files</translation>
    </message>
    <message>
        <source>サンプル</source>
        <translation>Example</translation>
    </message>
    <message>
        <source>リソースツリーでダイアログを選ぶと、その編集ウィンドウが開きます。</source>
        <translation>Pick a dialog in the resource tree to open its editing window.</translation>
    </message>
    <message>
        <source>サンプルプロジェクト (%1)</source>
        <translation>Example project (%1)</translation>
    </message>
    <message>
        <source>挿入するオブジェクトを「挿入オブジェクト」から選択して下さい。</source>
        <translation>Pick the type to insert on the &quot;Insert&quot; tab.</translation>
    </message>
    <message>
        <source>ファイルが大きすぎるため読み込めませんでした（上限 %1 MiB）。
%2</source>
        <translation>The file is too large to read (at most %1 MiB).
%2</translation>
    </message>
    <message>
        <source>接続中の端末: %1 台</source>
        <translation>Devices connected: %1</translation>
    </message>
    <message>
        <source>アドレス</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>接続開始</source>
        <translation>Connected since</translation>
    </message>
    <message>
        <source>最終受信</source>
        <translation>Last message</translation>
    </message>
    <message>
        <source>受信バイト</source>
        <translation>Bytes in</translation>
    </message>
    <message>
        <source>送信バイト</source>
        <translation>Bytes out</translation>
    </message>
    <message>
        <source>送る</source>
        <translation>Send to</translation>
    </message>
    <message>
        <source>選択した端末との接続を切断します</source>
        <translation>Closes the connection of the selected device</translation>
    </message>
    <message>
        <source>接続中、編集中のダイアログを変更のたびに「送る」の端末へすぐ送信します</source>
        <translation>While connected, sends the dialog being edited at once after each change to the devices marked &quot;Send to&quot;</translation>
    </message>
    <message>
        <source>「接続」で IPアドレスの端末とともに接続する端末です。1 行に 1 つ、またはカンマ区切りで、ポートを付けるときは 192.168.1.22:5001 のように書きます</source>
        <translation>Devices &quot;Connect&quot; connects to as well as the one at the IP address: one per line or comma-separated, with a port written as in 192.168.1.22:5001</translation>
    </message>
    <message>
        <source>他の端末</source>
        <translation>More devices</translation>
    </message>
    <message>
        <source>端末のアドレスが正しくありません: %1</source>
        <translation>Not a device address: %1</translation>
    </message>
    <message>
        <source>テキスト拡張</source>
        <translation>Text expansion</translation>
    </message>
    <message>
        <source>デバイス表示の各テキストを、その長さの指定した割合だけ長くして表示します。</source>
        <translation>Lengthens every text of the device look by the given share of its length.</translation>
    </message>
    <message>
        <source>サイズ</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>変更前</source>
        <translation>Old value</translation>
    </message>
    <message>
        <source>変更後</source>
        <translation>New value</translation>
    </message>
    <message>
        <source>変更</source>
        <translation>Changes</translation>
    </message>
    <message>
        <source>追加</source>
        <comment>a kind of change</comment>
        <translation>Added</translation>
    </message>
    <message>
        <source>削除</source>
        <comment>a kind of change</comment>
        <translation>Removed</translation>
    </message>
    <message>
        <source>移動</source>
        <comment>a kind of change</comment>
        <translation>Moved</translation>
    </message>
    <message>
        <source>名前の変更</source>
        <comment>a kind of change</comment>
        <translation>Renamed</translation>
    </message>
    <message>
        <source>値の変更</source>
        <comment>a kind of change</comment>
        <translation>Changed</translation>
    </message>
    <message numerus="yes">
        <source>端末 %n 台</source>
        <translation>
            <numerusform>%n device</numerusform>
            <numerusform>%n devices</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>エラー %n 件</source>
        <translation>
            <numerusform>%n error</numerusform>
            <numerusform>%n errors</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>警告 %n 件</source>
        <translation>
            <numerusform>%n warning</numerusform>
            <numerusform>%n warnings</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>変更 %n 件</source>
        <translation>
            <numerusform>%n change</numerusform>
            <numerusform>%n changes</numerusform>
        </translation>
    </message>
    <message>
        <source>履歴</source>
        <translation>History</translation>
    </message>
    <message>
        <source>挿入</source>
        <translation>Insert</translation>
    </message>
    <message>
        <source>クリップ</source>
        <translation>Clip</translation>
    </message>
    <message>
        <source>標準</source>
        <translation>Std</translation>
    </message>
    <message>
        <source>ユーザ</source>
        <translation>User</translation>
    </message>
    <message>
        <source>ログ</source>
        <translation>Log</translation>
    </message>
    <message>
        <source>ファイルまたはフォルダがありません。</source>
        <translation>No such file or folder.</translation>
    </message>
    <message>
        <source>アクセスが許可されていません。</source>
        <translation>Permission denied.</translation>
    </message>
    <message>
        <source>ファイルではなくフォルダです。</source>
        <translation>It is a folder, not a file.</translation>
    </message>
    <message>
        <source>ディスクに空きがありません。</source>
        <translation>No space left on the device.</translation>
    </message>
    <message>
        <source>読み取り専用の場所です。</source>
        <translation>The location is read-only.</translation>
    </message>
    <message>
        <source>パスの途中にフォルダではないものがあります。</source>
        <translation>A part of the path is not a folder.</translation>
    </message>
    <message>
        <source>接続</source>
        <comment>button</comment>
        <translation>Connect</translation>
    </message>
    <message>
        <source>テンプレートの読込みエラー</source>
        <translation>the template could not be read</translation>
    </message>
    <message>
        <source>ファイルが存在します[上書き禁止]</source>
        <translation>the file exists and may not be overwritten</translation>
    </message>
    <message>
        <source>書込みできませんでした</source>
        <translation>it could not be written</translation>
    </message>
    <message>
        <source>ファイル名が不正です</source>
        <translation>the file name is not valid</translation>
    </message>
    <message>
        <source>オープンエラー</source>
        <translation>it could not be opened</translation>
    </message>
    <message>
        <source>× %1 TemplateType が指定されていません。</source>
        <translation>× %1: no TemplateType is set.</translation>
    </message>
    <message>
        <source>× %1 フォルダが作成できませんでした。</source>
        <translation>× The folder %1 could not be made.</translation>
    </message>
    <message>
        <source>○ %1 を更新しました。</source>
        <comment>created</comment>
        <translation>○ Created %1.</translation>
    </message>
    <message>
        <source>○ %1 を更新しました。</source>
        <comment>updated</comment>
        <translation>○ Updated %1.</translation>
    </message>
    <message>
        <source>× %1 キャンセルしました。(%2)</source>
        <translation>× Skipped %1 (%2).</translation>
    </message>
    <message numerus="yes">
        <source>%n 個のダイアログを追加しました</source>
        <translation>
            <numerusform>Added %n dialog</numerusform>
            <numerusform>Added %n dialogs</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>ほか %n 件</source>
        <translation>
            <numerusform>%n more</numerusform>
            <numerusform>%n more</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>History</name>
    <message>
        <source>保存した状態</source>
        <translation>Saved state</translation>
    </message>
    <message>
        <source>ダイアログ「%1」の手順と一緒に元に戻し、やり直します</source>
        <translation>Undone and redone together with a step of dialog “%1”</translation>
    </message>
    <message>
        <source>名前のない要素</source>
        <translation>unnamed element</translation>
    </message>
    <message>
        <source>移動 %1</source>
        <translation>Move %1</translation>
    </message>
    <message>
        <source>削除 %1</source>
        <translation>Delete %1</translation>
    </message>
    <message>
        <source>貼り付け %1</source>
        <translation>Paste %1</translation>
    </message>
    <message>
        <source>コピー %1</source>
        <translation>Copy %1</translation>
    </message>
    <message>
        <source>挿入 %1</source>
        <translation>Insert %1</translation>
    </message>
    <message>
        <source>グループ化 %1</source>
        <translation>Group %1</translation>
    </message>
    <message>
        <source>グループ解除 %1</source>
        <translation>Ungroup %1</translation>
    </message>
    <message>
        <source>変更 %1 の %2</source>
        <translation>Change %2 of %1</translation>
    </message>
    <message>
        <source>画像 %1 の %2</source>
        <translation>Set image %2 of %1</translation>
    </message>
    <message>
        <source>編集 %1</source>
        <translation>Edit %1</translation>
    </message>
    <message>
        <source>最初の状態</source>
        <translation>Initial state</translation>
    </message>
    <message numerus="yes">
        <source>%n 個の要素</source>
        <translation>
            <numerusform>%n element</numerusform>
            <numerusform>%n elements</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Menu</name>
    <message>
        <source>新規作成(&amp;N)</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>新しいダイアログを作成します
新規作成</source>
        <translation>Creates a new dialog
New</translation>
    </message>
    <message>
        <source>プロジェクト/リソースの読込み(&amp;O)</source>
        <translation>&amp;Open project/resource...</translation>
    </message>
    <message>
        <source>プロジェクトまたはリソースのファイルを読み込み、プロジェクトに追加します
読込み</source>
        <translation>Reads a project or resource file and adds it to the project
Open</translation>
    </message>
    <message>
        <source>データ送信</source>
        <translation>Send data</translation>
    </message>
    <message>
        <source>現在のダイアログのリソース情報を接続端末へ送信します
データ送信</source>
        <translation>Sends the current dialog&apos;s resource to the connected device
Send data</translation>
    </message>
    <message>
        <source>プロジェクトの保存（全てのリソース）(&amp;S)</source>
        <translation>&amp;Save project (all resources)</translation>
    </message>
    <message>
        <source>プロジェクトを保存します。（全てのダイアログの保存）
プロジェクト保存</source>
        <translation>Saves the project (every dialog)
Save project</translation>
    </message>
    <message>
        <source>名前を付けて保存...</source>
        <translation>Save as...</translation>
    </message>
    <message>
        <source>プロジェクトを新しい名前で保存します
名前を付けて保存</source>
        <translation>Saves the project under a new name
Save as</translation>
    </message>
    <message>
        <source>リソースの保存（このリソースのみ）</source>
        <translation>Save resource (this resource only)</translation>
    </message>
    <message>
        <source>編集中のダイアログだけをファイルに保存します
リソース保存</source>
        <translation>Saves only the dialog being edited to a file
Save resource</translation>
    </message>
    <message>
        <source>印刷(&amp;P)...</source>
        <translation>&amp;Print...</translation>
    </message>
    <message>
        <source>プレビューを印刷します
印刷</source>
        <translation>Prints the preview
Print</translation>
    </message>
    <message>
        <source>印刷プレビュー(&amp;V)</source>
        <translation>Print pre&amp;view</translation>
    </message>
    <message>
        <source>印刷されるイメージを表示します
印刷プレビュー</source>
        <translation>Shows the page as it will be printed
Print preview</translation>
    </message>
    <message>
        <source>プリンタの設定(&amp;R)...</source>
        <translation>P&amp;rint setup...</translation>
    </message>
    <message>
        <source>プリンタと印刷のオプションを変更します
印刷設定</source>
        <translation>Changes the printer and printing options
Print setup</translation>
    </message>
    <message>
        <source>このリソースを閉じる(&amp;C)</source>
        <translation>&amp;Close this resource</translation>
    </message>
    <message>
        <source>編集中のダイアログのウィンドウを閉じます
閉じる</source>
        <translation>Closes the window of the dialog being edited
Close</translation>
    </message>
    <message>
        <source>スケルトンの作成(&amp;M)</source>
        <translation>&amp;Make skeleton</translation>
    </message>
    <message>
        <source>テンプレートからアプリケーションのソースのスケルトンを作成します
スケルトン作成</source>
        <translation>Makes the skeleton of the application&apos;s sources from the templates
Make skeleton</translation>
    </message>
    <message>
        <source>最近使ったファイル</source>
        <translation>Recent files</translation>
    </message>
    <message>
        <source>このファイルを開きます
開く</source>
        <translation>Opens this file
Open</translation>
    </message>
    <message>
        <source>全てのリソースを破棄</source>
        <translation>Discard all resources</translation>
    </message>
    <message>
        <source>全てのダイアログのウィンドウを閉じ、全てのダイアログを破棄します
全て破棄</source>
        <translation>Closes every dialog window and discards every dialog
Discard all</translation>
    </message>
    <message>
        <source>アプリケーションの終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>アプリケーションを終了します
終了</source>
        <translation>Quits the application
Exit</translation>
    </message>
    <message>
        <source>元に戻す(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>直前の操作を元に戻します
元に戻す</source>
        <translation>Undoes the last action
Undo</translation>
    </message>
    <message>
        <source>やり直し(&amp;R)</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>元に戻した操作をやり直します
やり直し</source>
        <translation>Redoes the undone action
Redo</translation>
    </message>
    <message>
        <source>切り取り(&amp;T)</source>
        <translation>Cu&amp;t</translation>
    </message>
    <message>
        <source>選択項目をクリップボードへ移し、削除します
切り取り</source>
        <translation>Moves the selection to the clipboard and deletes it
Cut</translation>
    </message>
    <message>
        <source>コピー(&amp;C)</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>選択項目をクリップボードへコピーします
コピー</source>
        <translation>Copies the selection to the clipboard
Copy</translation>
    </message>
    <message>
        <source>貼り付け(&amp;P)</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>クリップボードの内容を選択項目の後ろへ挿入します
貼り付け</source>
        <translation>Inserts the clipboard&apos;s contents after the selection
Paste</translation>
    </message>
    <message>
        <source>ログのクリア</source>
        <translation>Clear log</translation>
    </message>
    <message>
        <source>通信ログを消去します
ログのクリア</source>
        <translation>Clears the communication log
Clear log</translation>
    </message>
    <message>
        <source>ツール バー(&amp;T)</source>
        <translation>&amp;Toolbar</translation>
    </message>
    <message>
        <source>ツール バーの表示/非表示を切り替えます
ツール バーの表示/非表示</source>
        <translation>Shows or hides the toolbar
Show or hide the toolbar</translation>
    </message>
    <message>
        <source>ステータス バー(&amp;S)</source>
        <translation>&amp;Status bar</translation>
    </message>
    <message>
        <source>ステータス バーの表示/非表示を切り替えます
ステータス バーの表示/非表示</source>
        <translation>Shows or hides the status bar
Show or hide the status bar</translation>
    </message>
    <message>
        <source>リソースダイアログ</source>
        <translation>Resource panel</translation>
    </message>
    <message>
        <source>リソースダイアログの表示/非表示を切り替えます
リソースダイアログ</source>
        <translation>Shows or hides the resource panel
Resource panel</translation>
    </message>
    <message>
        <source>ログ表示</source>
        <translation>Log pane</translation>
    </message>
    <message>
        <source>ログ表示の表示/非表示を切り替えます
ログ表示</source>
        <translation>Shows or hides the log pane
Log pane</translation>
    </message>
    <message>
        <source>再描画</source>
        <translation>Redraw</translation>
    </message>
    <message>
        <source>プレビューを再描画します
再描画</source>
        <translation>Redraws the preview
Redraw</translation>
    </message>
    <message>
        <source>ウィンドウに合わせる</source>
        <translation>Fit to window</translation>
    </message>
    <message>
        <source>プレビューをウィンドウの大きさでレイアウトします
ウィンドウに合わせる</source>
        <translation>Lays the preview out at the window&apos;s size
Fit to window</translation>
    </message>
    <message>
        <source>実寸</source>
        <translation>Actual size</translation>
    </message>
    <message>
        <source>プレビューを端末の大きさでレイアウトし、はみ出す部分はスクロールして表示します
実寸</source>
        <translation>Lays the preview out at the device&apos;s size and scrolls what does not fit
Actual size</translation>
    </message>
    <message>
        <source>拡大(&amp;I)</source>
        <translation>Zoom &amp;in</translation>
    </message>
    <message>
        <source>プレビューを拡大します (Ctrl+ホイールでも拡大・縮小できます)
拡大</source>
        <translation>Zooms the preview in (Ctrl+wheel also zooms in and out)
Zoom in</translation>
    </message>
    <message>
        <source>縮小(&amp;O)</source>
        <translation>Zoom &amp;out</translation>
    </message>
    <message>
        <source>プレビューを縮小します
縮小</source>
        <translation>Zooms the preview out
Zoom out</translation>
    </message>
    <message>
        <source>等倍 (100%)</source>
        <translation>Actual zoom (100%)</translation>
    </message>
    <message>
        <source>プレビューを等倍 (100%) で表示します
等倍</source>
        <translation>Shows the preview at 100%
Actual zoom</translation>
    </message>
    <message>
        <source>構造表示</source>
        <translation>Structure view</translation>
    </message>
    <message>
        <source>プレビューを枠とラベルで表示します (Ctrl+D で切り替え)
構造表示</source>
        <translation>Shows the preview as frames and labels (Ctrl+D switches)
Structure view</translation>
    </message>
    <message>
        <source>デバイス表示</source>
        <translation>Device view</translation>
    </message>
    <message>
        <source>プレビューを端末での見た目 (色、テキスト、画像、状態) で表示します (Ctrl+D で切り替え)
デバイス表示</source>
        <translation>Shows the preview as the device shows it (colours, texts, images, states) (Ctrl+D switches)
Device view</translation>
    </message>
    <message>
        <source>デバイス一覧</source>
        <translation>Device list</translation>
    </message>
    <message>
        <source>作業中のダイアログを複数の端末サイズで並べて表示します
デバイス一覧</source>
        <translation>Shows the dialog being edited side by side at several device sizes
Device list</translation>
    </message>
    <message>
        <source>新しいウィンドウを開く(&amp;N)</source>
        <translation>&amp;New window</translation>
    </message>
    <message>
        <source>作業中のダイアログを表示するウィンドウをもう 1 つ開きます
新しいウィンドウ</source>
        <translation>Opens another window on the dialog being edited
New window</translation>
    </message>
    <message>
        <source>重ねて表示(&amp;C)</source>
        <translation>&amp;Cascade</translation>
    </message>
    <message>
        <source>ウィンドウを重ねて表示します
重ねて表示</source>
        <translation>Arranges the windows overlapping
Cascade</translation>
    </message>
    <message>
        <source>並べて表示(&amp;T)</source>
        <translation>&amp;Tile</translation>
    </message>
    <message>
        <source>ウィンドウを並べて表示します
並べて表示</source>
        <translation>Arranges the windows side by side
Tile</translation>
    </message>
    <message>
        <source>アイコンの整列(&amp;A)</source>
        <translation>&amp;Arrange icons</translation>
    </message>
    <message>
        <source>ウィンドウのアイコンを下端に整列します
アイコンの整列</source>
        <translation>Arranges the window icons along the bottom
Arrange icons</translation>
    </message>
    <message>
        <source>バージョン情報(&amp;A)</source>
        <translation>&amp;About</translation>
    </message>
    <message>
        <source>バージョン情報を表示します
バージョン情報</source>
        <translation>Shows the version information
About</translation>
    </message>
    <message>
        <source>次のウィンドウ枠</source>
        <translation>Next pane</translation>
    </message>
    <message>
        <source>次のウィンドウ枠に切り替えます
次のウィンドウ枠</source>
        <translation>Switches to the next window pane
Next pane</translation>
    </message>
    <message>
        <source>前のウィンドウ枠</source>
        <translation>Previous pane</translation>
    </message>
    <message>
        <source>前のウィンドウ枠に切り替えます
前のウィンドウ枠</source>
        <translation>Switches to the previous window pane
Previous pane</translation>
    </message>
    <message>
        <source>表示の切り替え</source>
        <translation>Switch view</translation>
    </message>
    <message>
        <source>構造表示とデバイス表示を切り替えます
表示の切り替え</source>
        <translation>Switches between the structure view and the device view
Switch view</translation>
    </message>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>表示(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>編集(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>ウィンドウ(&amp;W)</source>
        <translation>&amp;Window</translation>
    </message>
    <message>
        <source>履歴</source>
        <translation>History</translation>
    </message>
    <message>
        <source>作業中のダイアログの編集履歴の表示/非表示を切り替えます
履歴</source>
        <translation>Shows or hides the editing history of the current dialog
History</translation>
    </message>
    <message>
        <source>元に戻す(&amp;U): %1</source>
        <translation>&amp;Undo %1</translation>
    </message>
    <message>
        <source>やり直し(&amp;R): %1</source>
        <translation>&amp;Redo %1</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>値にShift_JISで表せない文字(U+%1)は使えません。</source>
        <translation>A value cannot hold a character that Shift_JIS cannot represent (U+%1).</translation>
    </message>
    <message>
        <source>グループをそれ自身やその中へは移動できません。</source>
        <translation>A group cannot be moved onto itself or into itself.</translation>
    </message>
    <message>
        <source>GROUPオブジェクトを登録して下さい。</source>
        <translation>Add a GROUP object first.</translation>
    </message>
    <message>
        <source>ラジオボタンはラジオグループに追加して下さい。</source>
        <translation>Add radio buttons to a RADIO group.</translation>
    </message>
    <message>
        <source>登録する場所を決定するために、ツリーのオブジェクトを選択して下さい。</source>
        <translation>Select an object in the tree to choose where the new element goes.</translation>
    </message>
    <message>
        <source>登録する場所を決定するために、ツリーのダイアログ、
またはオブジェクトを選択して下さい。</source>
        <translation>Select a dialog or an object in the tree
to choose where the new element goes.</translation>
    </message>
    <message>
        <source>ツリーからコピーするオブジェクトを選択して下さい。</source>
        <translation>Select the object to copy in the tree.</translation>
    </message>
    <message>
        <source>エラー: ヘッダのオブジェクトが取得できませんでした。</source>
        <translation>Error: the object the header belongs to could not be found.</translation>
    </message>
    <message>
        <source>ダイアログの削除は元に戻せません。</source>
        <translation>Deleting a dialog cannot be undone.</translation>
    </message>
    <message>
        <source>長さは 12、12px、12pu、8pt、10mm、16dp、PARENT、CONTENT のように入力してください。</source>
        <translation>Enter a length such as 12, 12px, 12pu, 8pt, 10mm, 16dp, PARENT or CONTENT.</translation>
    </message>
    <message>
        <source>オフセットは 左,上,右,下 の4つの整数をカンマで区切って 0,0,0,0 のように入力してください。</source>
        <translation>Enter an offset as four integers, left,top,right,bottom, separated by commas, such as 0,0,0,0.</translation>
    </message>
    <message>
        <source>色は %1 のどれか、または #336699 のような #RRGGBB の形で入力してください。</source>
        <translation>Enter a colour as one of %1, or as #RRGGBB such as #336699.</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>数値は 12 や -5 のような10進数の整数で入力してください。</source>
        <translation>Enter a number as a decimal integer such as 12 or -5.</translation>
    </message>
    <message>
        <source>数値は -2147483648 から 2147483647 までの整数で入力してください。</source>
        <translation>Enter a number as an integer from -2147483648 to 2147483647.</translation>
    </message>
    <message>
        <source>名前「%1」はこのダイアログで既に使われています。別の名前を入力してください。</source>
        <translation>The name &quot;%1&quot; is already used in this dialog. Enter another name.</translation>
    </message>
    <message>
        <source>値に「%1」は使えません。</source>
        <translation>A value cannot hold &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>値に制御文字(0x%1)は使えません。</source>
        <translation>A value cannot hold a control character (0x%1).</translation>
    </message>
    <message>
        <source>値をリソースデータとして読み込めません。</source>
        <translation>The value cannot be read as resource data.</translation>
    </message>
    <message>
        <source>値を保存すると読み戻せません。</source>
        <translation>Once saved, the value would not read back.</translation>
    </message>
    <message>
        <source>値「%1」: </source>
        <translation>Value &quot;%1&quot;: </translation>
    </message>
    <message>
        <source>名前「%1」はこのダイアログの別のオブジェクトまたはグループにも付いています。</source>
        <translation>The name &quot;%1&quot; is also given to another object or group of this dialog.</translation>
    </message>
    <message>
        <source>名前「%1」のオブジェクトまたはグループはこのダイアログにありません。</source>
        <translation>This dialog has no object or group named &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>ファイル「%1」がプロジェクトの resources にありません。</source>
        <translation>The file &quot;%1&quot; is not in the project&apos;s resources.</translation>
    </message>
    <message>
        <source>ファイル「%1」が組み込み画像(assets)にありません。</source>
        <translation>The file &quot;%1&quot; is not among the built-in images (assets).</translation>
    </message>
    <message>
        <source>ファイル「%1」がプロジェクトの resources にも組み込み画像(assets)にもありません。</source>
        <translation>The file &quot;%1&quot; is neither in the project&apos;s resources nor among the built-in images (assets).</translation>
    </message>
    <message>
        <source>RADIOBTN が RADIO グループの外にあります。ラジオボタンは RADIO グループの中に置いてください。</source>
        <translation>A RADIOBTN is outside a RADIO group. Put radio buttons in a RADIO group.</translation>
    </message>
    <message>
        <source>値「%1」は選択肢にありません。選べる値: </source>
        <translation>The value &quot;%1&quot; is not one of the choices. Choices: </translation>
    </message>
    <message>
        <source>名前「%1」は C++ の識別子ではないため、スケルトンのクラス名やファイル名に使えません。英字か _ で始め、英数字と _ だけで書いてください。</source>
        <translation>The name &quot;%1&quot; is not a C++ identifier, so the skeleton cannot use it for class or file names. Start it with a letter or _ and use only letters, digits and _.</translation>
    </message>
    <message>
        <source>ファイル「%1」はプロジェクトのどこからも使われていません。</source>
        <translation>Nothing in the project uses the file &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>ファイルを保存しました。</source>
        <translation>The file was saved.</translation>
    </message>
    <message>
        <source>ファイルを保存できませんでした。</source>
        <translation>The file could not be saved.</translation>
    </message>
    <message>
        <source>エラー: リソースタイプを識別できませんでした.</source>
        <translation>Error: the kind of resource could not be identified.</translation>
    </message>
    <message>
        <source>名前の先頭と末尾には空白を入れられません。空白を除いて入力してください。</source>
        <translation>A name cannot begin or end with white space. Enter it without the white space.</translation>
    </message>
    <message>
        <source>テキスト「%1」は幅 %2 px が必要ですが、表示できる幅は %3 px です。</source>
        <translation>The text &quot;%1&quot; needs %2 px across, but only %3 px are there to show it.</translation>
    </message>
    <message>
        <source>テキスト「%1」は高さ %2 px が必要ですが、表示できる高さは %3 px です。</source>
        <translation>The text &quot;%1&quot; needs %2 px of height, but only %3 px are there to show it.</translation>
    </message>
    <message>
        <source>要素 (%1) がページ (%2) の外にはみ出しています。</source>
        <translation>The element (%1) reaches outside the page (%2).</translation>
    </message>
    <message>
        <source>要素 (%1) が親グループ (%2) の外にはみ出しています。</source>
        <translation>The element (%1) reaches outside its parent group (%2).</translation>
    </message>
    <message>
        <source>要素の大きさが %1 です。</source>
        <translation>The element is laid out %1.</translation>
    </message>
    <message>
        <source>要素が「%1」と重なっています。</source>
        <translation>The element overlaps &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>ダイアログのルートグループは移動できません。Ctrlキーを押しながらドラッグするとコピーします。</source>
        <translation>A dialog&apos;s root group cannot be moved. Hold Ctrl while dragging to copy it.</translation>
    </message>
    <message>
        <source>プロパティー「%1」に入力した値を確定できません。
%2</source>
        <translation>The value entered for the property &quot;%1&quot; cannot be accepted.
%2</translation>
    </message>
</context>
<context>
    <name>PropertyHelp</name>
    <message>
        <source>このオブジェクトの名前（識別子）。コマンドの送受信時にオブジェクトを識別する為に使用。ダイアログ毎でユニークであること。</source>
        <translation>The name (identifier) of this object. Commands sent and received use it to identify the object. It must be unique within the dialog.</translation>
    </message>
    <message>
        <source>このオブジェクトの別名（補助識別子）。重複可能、重複させて使用することで、コマンド &apos;UPDATE&apos;、&apos;CONDITION&apos;送受信時に一括指定可能。カンマ区切りで複数指定可能。</source>
        <translation>An alias (secondary identifier) of this object. It may be shared: objects with the same alias are addressed together by the &apos;UPDATE&apos; and &apos;CONDITION&apos; commands. Several may be given, separated by commas.</translation>
    </message>
    <message>
        <source>機能オブジェクトの種類</source>
        <translation>The kind of object</translation>
    </message>
    <message>
        <source>PARENT:包括しているグループオブジェクトの大きさの最大に合わせる。CONTENT:オブジェクト自身の大きさそのまま。数値:プライベートユニット。</source>
        <translation>PARENT: as large as the enclosing group allows. CONTENT: the object&apos;s own size. A number: private units.</translation>
    </message>
    <message>
        <source>グループ内オブジェクトの大きさを&apos;比&apos;で指定します。同じ大きさを指定することで等幅配置などが可能。</source>
        <translation>The size of the objects in a group as a ratio. Equal values give equal sizes, for example.</translation>
    </message>
    <message>
        <source>包括しているグループオブジェクトの左上座標からの相対X座標。プライベートユニット。</source>
        <translation>The X position relative to the top left of the enclosing group, in private units.</translation>
    </message>
    <message>
        <source>包括しているグループオブジェクトの左上座標からの相対Y座標。プライベートユニット。</source>
        <translation>The Y position relative to the top left of the enclosing group, in private units.</translation>
    </message>
    <message>
        <source>パディング。オブジェクトの内側のオフセット。カンマ区切りで左から時計周りで４辺指定。左,上,右,下。</source>
        <translation>Padding: the offset inside the object. Four sides separated by commas, clockwise from the left: left,top,right,bottom.</translation>
    </message>
    <message>
        <source>マージン。オブジェクトの外側のオフセット。カンマ区切りで左から時計周りで４辺指定。左,上,右,下。</source>
        <translation>Margin: the offset outside the object. Four sides separated by commas, clockwise from the left: left,top,right,bottom.</translation>
    </message>
    <message>
        <source>更新する表示属性（通常/消す）</source>
        <translation>The display attribute to update (shown/hidden)</translation>
    </message>
    <message>
        <source>更新する表示属性（通常/無効）</source>
        <translation>The display attribute to update (enabled/disabled)</translation>
    </message>
    <message>
        <source>色を指定します。</source>
        <translation>Sets the colour.</translation>
    </message>
    <message>
        <source>画像の表示方法を指定します</source>
        <translation>Sets how the image is shown</translation>
    </message>
    <message>
        <source>クリック可能/不可能を指定します。</source>
        <translation>Sets whether it can be clicked.</translation>
    </message>
    <message>
        <source>コマンド名を選択するとコマンドが追加されます</source>
        <translation>Choosing a command name adds the command</translation>
    </message>
    <message>
        <source>属性を指定します</source>
        <translation>Sets the attribute</translation>
    </message>
    <message>
        <source>ボタン上に表示するテキストを指定します。</source>
        <translation>Sets the text shown on the button.</translation>
    </message>
    <message>
        <source>属性OFF時にボタン上に表示するテキストを指定します。</source>
        <translation>Sets the text shown on the button while the attribute is OFF.</translation>
    </message>
    <message>
        <source>属性ON時にボタン上に表示するテキストを指定します。</source>
        <translation>Sets the text shown on the button while the attribute is ON.</translation>
    </message>
    <message>
        <source>テキストのサイズを指定します</source>
        <translation>Sets the text size</translation>
    </message>
    <message>
        <source>LEFT:左寄せ CENTER:中央 RIGHT:右寄せ TOP:上寄せ MIDDLE:中央 BOTTOM:下寄せ。 &apos;|&apos;で組合せ可能。</source>
        <translation>LEFT: left, CENTER: centre, RIGHT: right, TOP: top, MIDDLE: middle, BOTTOM: bottom. Combine them with &apos;|&apos;.</translation>
    </message>
    <message>
        <source>カラムの幅を自動伸縮する/しないを指定します</source>
        <translation>Sets whether the column width stretches and shrinks by itself</translation>
    </message>
    <message>
        <source>カラムに収まらない長さの文字列の表示方法を指定します。true:改行して表示する false:何もしない</source>
        <translation>Sets how a text too long for the column is shown. true: wrapped onto new lines, false: nothing is done</translation>
    </message>
    <message>
        <source>隣のカラムとくっつけて１つのカラムにします。（くっつけるカラムの数を指定します）</source>
        <translation>Joins the column with its neighbours into one (sets how many columns are joined)</translation>
    </message>
    <message>
        <source>画像ファイル名を指定します</source>
        <translation>Sets the image file name</translation>
    </message>
    <message>
        <source>通常状態で表示されるオブジェクトの画像ファイル名</source>
        <translation>The image file of the object in its normal state</translation>
    </message>
    <message>
        <source>押下などアクティブ状態で表示されるオブジェクトの画像ファイル名</source>
        <translation>The image file of the object while active (pressed, for example)</translation>
    </message>
    <message>
        <source>プログレスのベース画像ファイル名</source>
        <translation>The base image file of the progress bar</translation>
    </message>
    <message>
        <source>スライドバーのベース画像ファイル名</source>
        <translation>The base image file of the slide bar</translation>
    </message>
    <message>
        <source>メーターオブジェクトの背景画像ファイル名（目盛）</source>
        <translation>The background image file of the meter (the scale)</translation>
    </message>
    <message>
        <source>プログレスのアクティブ部分の画像ファイル名</source>
        <translation>The image file of the progress bar&apos;s active part</translation>
    </message>
    <message>
        <source>スライドバーのアクティブ部分の画像ファイル名</source>
        <translation>The image file of the slide bar&apos;s active part</translation>
    </message>
    <message>
        <source>スライドバーのつまみ画像</source>
        <translation>The image of the slide bar&apos;s thumb</translation>
    </message>
    <message>
        <source>メーターオブジェクトの動く画像ファイル名（針）</source>
        <translation>The moving image file of the meter (the needle)</translation>
    </message>
    <message>
        <source>メーターオブジェクトの最前面画像（枠）</source>
        <translation>The front image of the meter (the frame)</translation>
    </message>
    <message>
        <source>メーターオブジェクトの背景画像の中心座標</source>
        <translation>The centre of the meter&apos;s background image</translation>
    </message>
    <message>
        <source>メーターオブジェクトの動く画像の中心座標</source>
        <translation>The centre of the meter&apos;s moving image</translation>
    </message>
    <message>
        <source>メーターオブジェクトの最前面画像の中心座標</source>
        <translation>The centre of the meter&apos;s front image</translation>
    </message>
    <message>
        <source>Cursor画像の回転方向/移動方向を逆にします</source>
        <translation>Reverses the direction the cursor image turns or moves</translation>
    </message>
    <message>
        <source>メーターオブジェクトの動作パターンタイプ</source>
        <translation>The kind of movement of the meter</translation>
    </message>
    <message>
        <source>BUILTIN:プリインストール(省略時)。STATION:MOXサーバから取得。URI:Webサイトからダウンロード。STORAGE:端末の外部フォルダから取得</source>
        <translation>BUILTIN: installed with the application (the default). STATION: fetched from the MOX server. URI: downloaded from a web site. STORAGE: taken from a folder on the device</translation>
    </message>
    <message>
        <source>指定したファイルがWebにある場合に指定</source>
        <translation>Set when the file is on the web</translation>
    </message>
    <message>
        <source>スクロール・ピンチズームを使う/使わないを指定します</source>
        <translation>Sets whether scrolling and pinch zoom are used</translation>
    </message>
    <message>
        <source>キャッシュの有効/無効を指定します</source>
        <translation>Turns the cache on or off</translation>
    </message>
    <message>
        <source>サムネイル（縮小読込機能）の有効/無効を指定します</source>
        <translation>Turns thumbnails (reading the image scaled down) on or off</translation>
    </message>
    <message>
        <source>横方向オフセット値を指定します</source>
        <translation>Sets the horizontal offset</translation>
    </message>
    <message>
        <source>縦方向オフセット値を指定します</source>
        <translation>Sets the vertical offset</translation>
    </message>
    <message>
        <source>横方向スケール値を指定します</source>
        <translation>Sets the horizontal scale</translation>
    </message>
    <message>
        <source>縦方向スケール値を指定します</source>
        <translation>Sets the vertical scale</translation>
    </message>
    <message>
        <source>X軸のオフセット値を指定します</source>
        <translation>Sets the X axis offset</translation>
    </message>
    <message>
        <source>Y軸のオフセット値を指定します</source>
        <translation>Sets the Y axis offset</translation>
    </message>
    <message>
        <source>X軸のスケール値を指定します</source>
        <translation>Sets the X axis scale</translation>
    </message>
    <message>
        <source>Y軸のスケール値を指定します</source>
        <translation>Sets the Y axis scale</translation>
    </message>
    <message>
        <source>trueを指定するとX軸が日付になります</source>
        <translation>true makes the X axis a date axis</translation>
    </message>
    <message>
        <source>自動スクロールの有効/無効を指定します</source>
        <translation>Turns automatic scrolling on or off</translation>
    </message>
    <message>
        <source>trueを指定するとY軸スケールが変更できなくなります</source>
        <translation>true keeps the Y axis scale from being changed</translation>
    </message>
    <message>
        <source>データの初期値を指定します。</source>
        <translation>Sets the initial data.</translation>
    </message>
    <message>
        <source>リスト項目の内容</source>
        <translation>The entries of the list</translation>
    </message>
    <message>
        <source>カラムの高さを指定します。</source>
        <translation>Sets the column height.</translation>
    </message>
    <message>
        <source>指定した位置にスクロールします</source>
        <translation>Scrolls to the given position</translation>
    </message>
    <message>
        <source>最小値を指定します</source>
        <translation>Sets the minimum</translation>
    </message>
    <message>
        <source>最大値を指定します</source>
        <translation>Sets the maximum</translation>
    </message>
    <message>
        <source>値を指定します</source>
        <translation>Sets the value</translation>
    </message>
    <message>
        <source>初期値を指定します</source>
        <translation>Sets the initial value</translation>
    </message>
    <message>
        <source>バーの配置方向を指定します。デフォルト（省略時：flase）は水平方向です。trueで垂直方向になります。</source>
        <translation>Sets the direction of the bar. The default (when not set: false) is horizontal; true makes it vertical.</translation>
    </message>
    <message>
        <source>CONDITIONコマンドで送信される要素</source>
        <translation>The elements the CONDITION command sends</translation>
    </message>
    <message>
        <source>このオブジェクトの名前です。</source>
        <translation>The name of this object.</translation>
    </message>
    <message>
        <source>ラジオグループ専用の要素です。値通知コマンド「NOTIFY」で使用します。</source>
        <translation>For radio groups only. Used by the value notification command &quot;NOTIFY&quot;.</translation>
    </message>
    <message>
        <source>グループオブジェクトの種類</source>
        <translation>The kind of group</translation>
    </message>
    <message>
        <source>並べる方向を指定します。デフォルト（省略時：flase）は水平方向です。trueで垂直方向になります。</source>
        <translation>Sets the direction the children are laid out in. The default (when not set: false) is horizontal; true makes it vertical.</translation>
    </message>
    <message>
        <source>スケルトンソースコードのテンプレートの種類を決定します。</source>
        <translation>Chooses the template of the skeleton source code.</translation>
    </message>
    <message>
        <source>画面の幅を任意の数値指定。単位&apos;pu&apos;で使用。</source>
        <translation>The screen width as any number, used by the unit &apos;pu&apos;.</translation>
    </message>
    <message>
        <source>画面の高さを任意の数値指定。単位&apos;pu&apos;で使用。</source>
        <translation>The screen height as any number, used by the unit &apos;pu&apos;.</translation>
    </message>
    <message>
        <source>Popupダイアログのタイトル。TemplateTypeがPOPUP時のみ使用。</source>
        <translation>The title of the popup dialog. Used only when TemplateType is POPUP.</translation>
    </message>
    <message>
        <source>Popupダイアログのメッセージ。TemplateTypeがPOPUP時のみ使用。</source>
        <translation>The message of the popup dialog. Used only when TemplateType is POPUP.</translation>
    </message>
    <message>
        <source>Popupダイアログの左ボタンテキスト。TemplateTypeがPOPUP時のみ使用。</source>
        <translation>The text of the popup dialog&apos;s left button. Used only when TemplateType is POPUP.</translation>
    </message>
    <message>
        <source>Popupダイアログの右ボタンテキスト。TemplateTypeがPOPUP時のみ使用。</source>
        <translation>The text of the popup dialog&apos;s right button. Used only when TemplateType is POPUP.</translation>
    </message>
    <message>
        <source>Popupダイアログの中央ボタンテキスト。TemplateTypeがPOPUP時のみ使用。</source>
        <translation>The text of the popup dialog&apos;s middle button. Used only when TemplateType is POPUP.</translation>
    </message>
    <message>
        <source>コマンド開始トリガー</source>
        <translation>What starts the command</translation>
    </message>
    <message>
        <source>コマンド名</source>
        <translation>The command name</translation>
    </message>
    <message>
        <source>生成コマンド名</source>
        <translation>The name of the command made</translation>
    </message>
    <message>
        <source>対象オブジェクトの名前(Name)を指定。カンマ区切りで複数指定可能。</source>
        <translation>The name (Name) of the target object. Several may be given, separated by commas.</translation>
    </message>
    <message>
        <source>対象オブジェクトの別名(Alias)を指定。複数指定不可。</source>
        <translation>The alias (Alias) of the target object. Only one may be given.</translation>
    </message>
    <message>
        <source>コマンド対象のファイルを指定します。</source>
        <translation>Sets the file the command works on.</translation>
    </message>
    <message>
        <source>インターバルをミリ秒で指定します。</source>
        <translation>Sets the interval in milliseconds.</translation>
    </message>
    <message>
        <source>削除タイプ THIS:指定したオブジェクトを削除(省略時)。CHILD:指定したオブジェクトの子オブジェクトを全て削除。</source>
        <translation>Delete type. THIS: deletes the given object (the default). CHILD: deletes every child of the given object.</translation>
    </message>
    <message>
        <source>ファイル取得コマンドをステーションへ送信します。</source>
        <translation>Sends a file request command to the station.</translation>
    </message>
    <message>
        <source>取得するファイル名</source>
        <translation>The name of the file to fetch</translation>
    </message>
    <message>
        <source>受信したことを通知するオブジェクトの名前</source>
        <translation>The name of the object told that the file arrived</translation>
    </message>
    <message>
        <source>更新するテキスト値</source>
        <translation>The text value to update</translation>
    </message>
    <message>
        <source>更新する属性</source>
        <translation>The attribute to update</translation>
    </message>
    <message>
        <source>更新するデータ</source>
        <translation>The data to update</translation>
    </message>
    <message>
        <source>更新する値</source>
        <translation>The value to update</translation>
    </message>
    <message>
        <source>ピクチャーオブジェクトのオフセットX</source>
        <translation>The X offset of the picture</translation>
    </message>
    <message>
        <source>ピクチャーオブジェクトのオフセットY</source>
        <translation>The Y offset of the picture</translation>
    </message>
    <message>
        <source>ピクチャーオブジェクトのスケールX</source>
        <translation>The X scale of the picture</translation>
    </message>
    <message>
        <source>ピクチャーオブジェクトのスケールY</source>
        <translation>The Y scale of the picture</translation>
    </message>
    <message>
        <source>Xオフセット値を指定します</source>
        <translation>Sets the X offset</translation>
    </message>
    <message>
        <source>Yオフセット値を指定します</source>
        <translation>Sets the Y offset</translation>
    </message>
    <message>
        <source>Xスケール値を指定します</source>
        <translation>Sets the X scale</translation>
    </message>
    <message>
        <source>Yスケール値を指定します</source>
        <translation>Sets the Y scale</translation>
    </message>
</context>
</TS>
