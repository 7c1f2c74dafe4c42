// AppApplication.h
class AppApplication {};
