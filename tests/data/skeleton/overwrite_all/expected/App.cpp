// メイン: App
untouched: _DIALOGNAME_ / _TEMPLATETYPE_
sources: [App.cpp AppApplication.cpp AppDialogMaker.cpp AppDialogAlpha.cpp AppDialogベータ.cpp AppDialogPop.cpp AppDialogEps.cpp AppDialogMiss.cpp ]
ダAPPNAME_ stays, ダApp is filled
