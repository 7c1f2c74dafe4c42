// サンプルDialogメイン画面.h unique
