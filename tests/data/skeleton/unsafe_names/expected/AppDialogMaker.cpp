// AppDialogMaker.cpp
    {"../../Escape", "Unique"},
    {"Safe", "../templates/_APPNAME_DialogUnique"},
both markers %MULTILINE%PROJECTS% ../../Escape
both markers %MULTILINE%PROJECTS% Safe
