// AppDialogAlpha.h unique
