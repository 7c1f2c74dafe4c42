// AppDialogMaker.cpp
    {"", "Shared"},
    {"Alpha", "Unique"},
both markers %MULTILINE%PROJECTS% 
both markers %MULTILINE%PROJECTS% Alpha
