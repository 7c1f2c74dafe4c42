mine: AppDialogMaker.cpp
