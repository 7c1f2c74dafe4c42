// _APPNAME_Dialog_DIALOGNAME_.h unique
