mine: AppDialogAlpha.h
