// サンプルDialogMaker.h

after an empty line
