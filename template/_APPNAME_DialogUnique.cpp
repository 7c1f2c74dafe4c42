// _APPNAME_Dialog_DIALOGNAME_.cpp: the dialog "_DIALOGNAME_" of _APPNAME_ (_TEMPLATETYPE_).
#include "_APPNAME_Dialog_DIALOGNAME_.h"

#include "_APPNAME_DialogMaker.h"

namespace {

dev::Dialog* Create() {
    return new _APPNAME_Dialog_DIALOGNAME_();
}

const _APPNAME_DialogMaker::Registration registration("_DIALOGNAME_", &Create);

}  // namespace

_APPNAME_Dialog_DIALOGNAME_::_APPNAME_Dialog_DIALOGNAME_() : dev::Dialog("_DIALOGNAME_") {
    LoadResource("resources/_DIALOGNAME_.json");
}

void _APPNAME_Dialog_DIALOGNAME_::OnOpen() {}

void _APPNAME_Dialog_DIALOGNAME_::OnClose() {}

void _APPNAME_Dialog_DIALOGNAME_::OnTimer() {}

void _APPNAME_Dialog_DIALOGNAME_::OnEvent(const dev::Event& event) {
    // Dispatch on event.object and event.name here.
    (void)event;
}
