mine: AppDialogベータ.cpp
