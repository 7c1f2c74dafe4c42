mine: AppDialogAlpha.cpp
