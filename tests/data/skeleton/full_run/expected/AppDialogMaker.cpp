// AppDialogMaker.cpp
    {"Alpha", "Shared"},
    {"ベータ", "Unique"},
    {"Gamma", "None"},
    {"Delta", "none"},
    {"Pop", "Popup"},
    {"Eps", ""},
    {"Miss", "Missing"},
both markers %MULTILINE%PROJECTS% Alpha
both markers %MULTILINE%PROJECTS% ベータ
both markers %MULTILINE%PROJECTS% Gamma
both markers %MULTILINE%PROJECTS% Delta
both markers %MULTILINE%PROJECTS% Pop
both markers %MULTILINE%PROJECTS% Eps
both markers %MULTILINE%PROJECTS% Miss
