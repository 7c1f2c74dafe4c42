// 共有ダイアログ 設定 of サンプル (Shared)
class サンプルDialog設定 {};
every: 設定=Shared
every: 設定=Shared
