// サンプルDialog設定.h shared
