// AppDialogMaker.h

after an empty line
