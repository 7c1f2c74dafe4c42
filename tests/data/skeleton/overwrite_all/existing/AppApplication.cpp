mine: AppApplication.cpp
