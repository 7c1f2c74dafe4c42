mine: AppDialogMaker.h
