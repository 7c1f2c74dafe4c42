// 固有ダイアログ ベータ of App (Unique)
class AppDialogベータ {};
