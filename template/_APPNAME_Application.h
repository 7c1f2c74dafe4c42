// _APPNAME_Application.h: the application class of _APPNAME_.
// アプリケーションクラス: 起動時に最初のダイアログを開きます。
#pragma once

#include "DeviceFramework.h"
#include "_APPNAME_DialogMaker.h"

class _APPNAME_Application : public dev::Application {
public:
    bool OnInit() override;
    void OnExit() override;
    // The dialogs built from the Shared template hand their events here.
    void OnDialogEvent(dev::Dialog& dialog, const dev::Event& event) override;

private:
    _APPNAME_DialogMaker dialogMaker_;
};
