// サンプルApplication.cpp
dialog メイン画面 (Unique) listed
dialog 設定 (Shared) listed
first: メイン画面
first: 設定
end
