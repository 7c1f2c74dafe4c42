// _APPNAME_DialogMaker.h

after an empty line
