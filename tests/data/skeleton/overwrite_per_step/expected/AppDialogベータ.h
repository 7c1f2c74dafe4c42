// AppDialogベータ.h unique
