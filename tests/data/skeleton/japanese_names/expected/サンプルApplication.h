// サンプルApplication.h
class サンプルApplication {};
