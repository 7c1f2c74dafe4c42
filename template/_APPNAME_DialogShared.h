// _APPNAME_Dialog_DIALOGNAME_.h: the dialog "_DIALOGNAME_" of _APPNAME_ (_TEMPLATETYPE_).
#pragma once

#include "DeviceFramework.h"

// A dialog whose events are handled by the application, shared with the
// other dialogs of its kind.
class _APPNAME_Dialog_DIALOGNAME_ : public dev::Dialog {
public:
    _APPNAME_Dialog_DIALOGNAME_();

    void OnEvent(const dev::Event& event) override;
};
