// 共有ダイアログ Alpha of App (Shared)
class AppDialogAlpha {};
every: Alpha=Shared
every: Alpha=Shared
every: Alpha=Shared
every: Alpha=Shared
every: Alpha=Shared
every: Alpha=Shared
every: Alpha=Shared
