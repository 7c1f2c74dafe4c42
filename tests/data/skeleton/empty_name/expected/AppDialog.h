// AppDialog_DIALOGNAME_.h shared
