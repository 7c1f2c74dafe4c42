// 固有ダイアログ メイン画面 of サンプル (Unique)
class サンプルDialogメイン画面 {};
