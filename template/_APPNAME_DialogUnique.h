// _APPNAME_Dialog_DIALOGNAME_.h: the dialog "_DIALOGNAME_" of _APPNAME_ (_TEMPLATETYPE_).
#pragma once

#include "DeviceFramework.h"

// A dialog that handles its own events.
class _APPNAME_Dialog_DIALOGNAME_ : public dev::Dialog {
public:
    _APPNAME_Dialog_DIALOGNAME_();

    void OnOpen() override;
    void OnClose() override;
    void OnTimer() override;
    void OnEvent(const dev::Event& event) override;
};
