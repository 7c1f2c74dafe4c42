mine: AppApplication.h
