// メイン: サンプル
untouched: _DIALOGNAME_ / _TEMPLATETYPE_
sources: [サンプル.cpp サンプルApplication.cpp サンプルDialogMaker.cpp サンプルDialogメイン画面.cpp サンプルDialog設定.cpp ]
ダAPPNAME_ stays, ダサンプル is filled
