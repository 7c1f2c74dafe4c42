// 共有ダイアログ _DIALOGNAME_ of App (Shared)
class AppDialog_DIALOGNAME_ {};
every: =Shared
every: Alpha=Shared
