// _APPNAME_Application.h
class _APPNAME_Application {};
