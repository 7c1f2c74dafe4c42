mine: AppDialogベータ.h
