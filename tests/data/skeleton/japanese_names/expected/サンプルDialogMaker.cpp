// サンプルDialogMaker.cpp
    {"メイン画面", "Unique"},
    {"設定", "Shared"},
both markers %MULTILINE%PROJECTS% メイン画面
both markers %MULTILINE%PROJECTS% 設定
