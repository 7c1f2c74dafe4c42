mine: App.cpp
