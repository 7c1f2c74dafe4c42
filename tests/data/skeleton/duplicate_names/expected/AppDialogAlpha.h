// AppDialogAlpha.h shared
