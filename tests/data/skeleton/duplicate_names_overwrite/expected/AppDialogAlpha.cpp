// 固有ダイアログ Alpha of App (Unique)
class AppDialogAlpha {};
