// メイン: _APPNAME_
untouched: _DIALOGNAME_ / _TEMPLATETYPE_
sources: [_SOURCES_]
ダAPPNAME_ stays, ダ_APPNAME_ is filled
